#include "ui/dialogs/doc_list_picker.h"

#include "ui/dialogs/doc_list_dlg.h"

CDocListPicker::CDocListPicker(QWidget* owner) : owner_(owner) {}

QString CDocListPicker::PickFile(const QString& filter, const QString& folder, const QString& current)
{
    return CDocListDlg::PickFile(owner_, filter, folder, current);
}
