#include "ui/printer/print_module.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

PrintDialogs::Outcome PrintModule::Print(QWidget* parent, const QString& docName, bool preview,
                                         const std::function<bool(QPagedPaintDevice&)>& paint)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(docName);
    if (preview) {
        QPrintPreviewDialog dialog(&printer, parent);
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                         [&paint](QPrinter* target) { paint(*target); });
        dialog.exec();
        return Outcome::Cancelled;
    }
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return Outcome::Cancelled;
    return paint(printer) ? Outcome::Printed : Outcome::Failed;
}
