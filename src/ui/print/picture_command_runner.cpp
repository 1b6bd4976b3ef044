#include "ui/print/picture_command_runner.h"

#include "core/puzzle.h"
#include "data/picture_command.h"
#include "data/solution_refusal.h"
#include "ui/print/pdf_export.h"
#include "ui/print/thumbnail_writer.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {

// No puzzle file comes near this size; a larger file is refused unread.
constexpr qint64 kLargestPuzzleFile = 64 * 1024 * 1024;

int Fail(const QString& reason)
{
    std::fprintf(stderr, "gridmoor: %s\n", reason.toLocal8Bit().constData());
    return 1;
}

bool ReadPuzzle(const QString& path, CPuzzle& puzzle, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return false;
    }
    if (file.size() > kLargestPuzzleFile) {
        *error = QStringLiteral("%1: the file is too large to be a puzzle").arg(path);
        return false;
    }
    const QByteArray content = file.readAll();
    if (puzzle.OpenContent(content) != CPuzzle::Success) {
        const QString why = puzzle.GetOpenError();
        const QString detail = why.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(why);
        *error = QStringLiteral("%1: not a puzzle Gridmoor can read%2").arg(path, detail);
        return false;
    }
    return true;
}

int Export(const PictureCommand& command, const CPuzzle& puzzle)
{
    if (command.letters == PrintedLetters::Solution) {
        if (const std::optional<SolutionRefusal> refusal = SolutionRefusalFor(puzzle)) {
            const QString oneLine = QString(refusal->text).replace(QLatin1Char('\n'), QLatin1Char(' '));
            return Fail(QStringLiteral("%1: %2").arg(command.puzzle, oneLine));
        }
    }
    QString error;
    const QString title = QFileInfo(command.puzzle).completeBaseName();
    if (!ExportPuzzlePdf(puzzle, title, PrintChoice{command.letters, false}, command.output, &error))
        return Fail(QStringLiteral("%1: %2").arg(command.output, error));
    return 0;
}

} // namespace

int RunPictureCommand(int& argc, char** argv, const PictureCommand& command)
{
    if (!command.error.isEmpty())
        return Fail(command.error);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    CPuzzle puzzle;
    QString error;
    if (!ReadPuzzle(command.puzzle, puzzle, &error))
        return Fail(error);
    if (command.kind == PictureCommand::Kind::ExportPdf)
        return Export(command, puzzle);
    if (!WritePuzzleThumbnail(puzzle, command.size, command.output, &error))
        return Fail(QStringLiteral("%1: %2").arg(command.output, error));
    return 0;
}
