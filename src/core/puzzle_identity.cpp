#include "core/puzzle_identity.h"

#include "core/puzzle.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"

#include <QDataStream>
#include <QIODevice>

namespace {

bool HasEntries(const PuzzleContent& content)
{
    for (const PuzzleCell& cell : content.cells) {
        if (cell.entry != ' ')
            return true;
    }
    return false;
}

// Everything the puzzle's maker wrote; nothing the solver changes.
QByteArray Fingerprint(const PuzzleContent& content)
{
    QByteArray fingerprint;
    QDataStream out(&fingerprint, QIODevice::WriteOnly);
    out << content.width << content.height << content.title << content.author << content.copyright
        << content.notes;
    for (const PuzzleCell& cell : content.cells)
        out << qint8(cell.solution);
    for (const PuzzleClue& clue : content.clues)
        out << clue.number << clue.isAcross << clue.text;
    return fingerprint;
}

} // namespace

PuzzleIdentity IdentifyPuzzle(const QByteArray& fileContent)
{
    PuzzleIdentity identity;
    CPuzzleFile file;
    if (!file.Load(fileContent))
        return identity;
    PuzzleContent content;
    if (CPuzzle::ReadImage(file, CPuzzle::FormatOf(file.Data()), content, true) != CPuzzle::Success)
        return identity;
    identity.readable = true;
    identity.hasProgress = HasEntries(content) || content.time.seconds > 0;
    identity.fingerprint = Fingerprint(content);
    return identity;
}
