#pragma once

#include <QByteArrayView>
#include <QString>

// The puzzle formats the program reads, told apart by the structure each one
// begins with. A download is saved only when its bytes are one of them, and
// under the ending of the one it is; the model opens a file by the same
// decision, so whatever is saved also opens.
enum class PuzzleFormat {
    None,
    Binary,         // ".puz": the marker "ACROSS&DOWN" at offset 2 and a whole header
    PackedDocument, // ".gmd" packed: the container's magic and a zlib stream
    Document,       // ".gmd": an XML text whose root element is "crossword"
    Ipuz,           // ".ipuz": JSON (or JSONP) that names the ipuz format
    Jpz,            // ".jpz": XML whose root is a jpz puzzle's, or a zip archive holding such XML
};

// Which format the whole content of a file is; None for anything else (an
// error page, say, whatever text it holds). New formats add their test here.
PuzzleFormat DetectPuzzleFormat(QByteArrayView bytes);

// The file name ending of a format: ".puz", ".gmd", ".ipuz" or ".jpz"; empty for None.
QString PuzzleFileEnding(PuzzleFormat format);

// The puzzle ending a file name ends with (compared ignoring case), as it is
// written in the name; empty when it has none.
QString PuzzleEndingOf(const QString& fileName);
