#include "data/picture_command.h"

namespace {

const QString kExportPdf = QStringLiteral("--export-pdf");
const QString kThumbnail = QStringLiteral("--thumbnail");
// Thumbnails beyond this side are no thumbnails; the limit also keeps a
// mistyped size from asking for gigabytes of image.
constexpr int kLargestThumbnail = 4096;

PictureCommand ParseExport(const QStringList& rest)
{
    PictureCommand command;
    command.kind = PictureCommand::Kind::ExportPdf;
    if (rest.size() < 2 || rest.size() > 3) {
        command.error =
            QStringLiteral("usage: gridmoor --export-pdf PUZZLE OUT.pdf [--with-entries | --with-solution]");
        return command;
    }
    command.puzzle = rest[0];
    command.output = rest[1];
    if (rest.size() == 3) {
        if (rest[2] == QStringLiteral("--with-entries"))
            command.letters = PrintedLetters::Entries;
        else if (rest[2] == QStringLiteral("--with-solution"))
            command.letters = PrintedLetters::Solution;
        else
            command.error = QStringLiteral("unknown option \"%1\": use --with-entries or --with-solution").arg(rest[2]);
    }
    return command;
}

PictureCommand ParseThumbnail(const QStringList& rest)
{
    PictureCommand command;
    command.kind = PictureCommand::Kind::Thumbnail;
    if (rest.size() != 3) {
        command.error = QStringLiteral("usage: gridmoor --thumbnail PUZZLE OUT.png SIZE");
        return command;
    }
    command.puzzle = rest[0];
    command.output = rest[1];
    bool number = false;
    command.size = rest[2].toInt(&number);
    if (!number || command.size < 1 || command.size > kLargestThumbnail)
        command.error = QStringLiteral("the size \"%1\" is no number of pixels from 1 to %2")
                            .arg(rest[2])
                            .arg(kLargestThumbnail);
    return command;
}

} // namespace

PictureCommand ParsePictureCommand(const QStringList& arguments)
{
    if (arguments.size() < 2)
        return {};
    const QStringList rest = arguments.mid(2);
    if (arguments[1] == kExportPdf)
        return ParseExport(rest);
    if (arguments[1] == kThumbnail)
        return ParseThumbnail(rest);
    return {};
}
