#include "data/puzzle_info_text.h"

#include "core/code_page.h"
#include "core/puzzle.h"

#include <QByteArray>

namespace {

QByteArray OrSpace(const QByteArray& text)
{
    return text.isEmpty() ? QByteArray(" ") : text;
}

} // namespace

QString PuzzleInfoText(const CPuzzle& puzzle, const QString& path)
{
    QByteArray title;
    QByteArray author;
    QByteArray copyright;
    puzzle.GetInfo(title, author, copyright);
    const QByteArray crlf("\r\n");
    QByteArray text;
    text += "Title: " + crlf + OrSpace(title) + crlf + crlf;
    text += "Author:" + crlf + OrSpace(author) + crlf + crlf;
    text += "Copyright:" + crlf + " " + OrSpace(copyright) + crlf + crlf;
    text += "File:" + crlf;
    // UTF-8 text is cut before a character the limit would split.
    text.truncate(puzzle.HasUtf8Text() ? Utf8CutLength(text, kMaxLabelledBytes) : kMaxLabelledBytes);
    // The puzzle's own text decoding, so accented titles read as in the grid's clues.
    QString shown = puzzle.WidenText(text) + path;
    const QString notes = puzzle.GetNotes();
    if (!notes.isEmpty())
        shown += QStringLiteral("\r\n\r\nNotes:\r\n") + notes;
    return shown;
}
