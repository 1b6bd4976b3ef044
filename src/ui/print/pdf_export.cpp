#include "ui/print/pdf_export.h"

#include "ui/print/puzzle_sheet.h"

#include <QLocale>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr qreal kMarginMillimetres = 12.7;

} // namespace

QPageSize DefaultPaperSize()
{
    const bool inches = QLocale().measurementSystem() == QLocale::ImperialUSSystem;
    return QPageSize(inches ? QPageSize::Letter : QPageSize::A4);
}

bool ExportPuzzlePdf(const CPuzzle& puzzle, const QString& title, PrintChoice choice, const QString& path,
                     QString* error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = file.errorString();
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer(&file);
        writer.setPageSize(DefaultPaperSize());
        writer.setPageMargins(QMarginsF(kMarginMillimetres, kMarginMillimetres, kMarginMillimetres,
                                        kMarginMillimetres),
                              QPageLayout::Millimeter);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Gridmoor"));
        painted = PuzzleSheet(puzzle, title, choice).Paint(writer);
    }
    if (!painted) {
        file.cancelWriting();
        *error = QStringLiteral("the PDF could not be drawn");
        return false;
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
