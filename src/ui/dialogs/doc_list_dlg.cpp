#include "ui/dialogs/doc_list_dlg.h"

#include <QFileInfo>

CDocListDlg::CDocListDlg(QWidget* parent, const QString& filter, const QString& folder, const QString& current)
    : QFileDialog(parent)
{
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::ExistingFile);
    setNameFilters({filter, QStringLiteral("All Files (*)")});
    selectNameFilter(filter);
    setDirectory(folder);
    if (!current.isEmpty())
        selectFile(QFileInfo(current).fileName());
}

QString CDocListDlg::Result() const
{
    if (result() != QDialog::Accepted)
        return QString();
    const QStringList files = selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

QString CDocListDlg::PickFile(QWidget* parent, const QString& filter, const QString& folder,
                              const QString& current)
{
    CDocListDlg dialog(parent, filter, folder, current);
    dialog.exec();
    return dialog.Result();
}
