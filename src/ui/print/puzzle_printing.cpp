#include "ui/print/puzzle_printing.h"

#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/solution_refusal.h"
#include "ui/print/pdf_export.h"
#include "ui/print/print_choice_dlg.h"
#include "ui/print/print_dialogs.h"
#include "ui/print/puzzle_sheet.h"
#include "ui/shell/program_module.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <optional>

namespace {

QString PuzzleName(const CPuzzle& puzzle)
{
    return QFileInfo(puzzle.GetPath()).completeBaseName();
}

// The choice made in the dialog, saved for next time; none when cancelled or
// when the solution was chosen for a puzzle that cannot show it.
std::optional<PrintChoice> AskChoice(QWidget* parent, const CPuzzle& puzzle, CPrintChoiceDlg::Purpose purpose,
                                     bool* preview)
{
    CPrintChoiceDlg dialog(purpose, LoadPrintChoice(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const PrintChoice choice = dialog.Choice();
    SavePrintChoice(choice);
    if (preview != nullptr)
        *preview = dialog.PreviewChosen();
    if (choice.letters == PrintedLetters::Solution) {
        if (const std::optional<SolutionRefusal> refusal = SolutionRefusalFor(puzzle)) {
            UserPrompt::Show(refusal->text, refusal->caption, UserPrompt::Icon::Information);
            return std::nullopt;
        }
    }
    return choice;
}

} // namespace

namespace PuzzlePrinting {

void Print(QWidget* parent, const CPuzzle& puzzle)
{
    if (!puzzle.IsLoaded())
        return;
    bool preview = false;
    const std::optional<PrintChoice> choice = AskChoice(parent, puzzle, CPrintChoiceDlg::Purpose::Print, &preview);
    if (!choice)
        return;
    QString error;
    PrintDialogs* dialogs = LoadProgramModule<PrintDialogs>(QStringLiteral(GRIDMOOR_PRINT_MODULE),
                                                            QStringLiteral("the printing module"), &error);
    if (dialogs == nullptr) {
        UserPrompt::Show(QStringLiteral("The puzzle could not be printed: the part of Gridmoor that prints is missing "
                                        "or damaged. Installing Gridmoor again repairs it.\n\nDetails: %1")
                             .arg(error),
                         QStringLiteral("Print"), UserPrompt::Icon::Error);
        return;
    }
    const PuzzleSheet sheet(puzzle, PuzzleName(puzzle), *choice);
    const auto paint = [&sheet](QPagedPaintDevice& device) { return sheet.Paint(device); };
    if (dialogs->Print(parent, PuzzleName(puzzle), preview, paint) == PrintDialogs::Outcome::Failed)
        UserPrompt::Show(QStringLiteral("The puzzle could not be printed."), QStringLiteral("Print"),
                         UserPrompt::Icon::Error);
}

void ExportPdf(QWidget* parent, const CPuzzle& puzzle)
{
    if (!puzzle.IsLoaded())
        return;
    const std::optional<PrintChoice> choice = AskChoice(parent, puzzle, CPrintChoiceDlg::Purpose::ExportPdf, nullptr);
    if (!choice)
        return;
    const QFileInfo source(puzzle.GetPath());
    const QString suggested = source.dir().filePath(source.completeBaseName() + QStringLiteral(".pdf"));
    const QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("Export PDF"), suggested,
                                                      QStringLiteral("PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!ExportPuzzlePdf(puzzle, PuzzleName(puzzle), *choice, path, &error))
        UserPrompt::Show(QStringLiteral("The PDF \"%1\" could not be written: %2.").arg(path, error),
                         QStringLiteral("Export PDF"), UserPrompt::Icon::Error);
}

} // namespace PuzzlePrinting
