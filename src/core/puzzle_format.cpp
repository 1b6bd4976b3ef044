#include "core/puzzle_format.h"

#include "core/ipuz_text.h"
#include "core/puz_layout.h"
#include "core/puzzle_file.h"
#include "core/zip_archive.h"

#include <cstring>
#include <initializer_list>

namespace {

// The marker with its terminating NUL, at its fixed place after the file checksum.
constexpr qsizetype kBinaryMarkerAt = 2;
constexpr qsizetype kBinaryMarkerLength = sizeof(PuzLayout::kMarker);

bool IsBinaryPuzzle(QByteArrayView bytes)
{
    const qsizetype grids = kBinaryMarkerAt + PuzLayout::kGridsAt;
    if (bytes.size() < grids
        || std::memcmp(bytes.data() + kBinaryMarkerAt, PuzLayout::kMarker, size_t(kBinaryMarkerLength)) != 0)
        return false;
    const int width = quint8(bytes[kBinaryMarkerAt + PuzLayout::kWidthAt]);
    const int height = quint8(bytes[kBinaryMarkerAt + PuzLayout::kHeightAt]);
    // Both grids, solution and entries, must follow the header.
    return width > 0 && height > 0 && bytes.size() >= grids + 2 * qsizetype(width) * height;
}

// The container's magic followed by the two header bytes of a zlib stream
// (method 8, deflate, and a header that passes its own check).
bool IsPackedDocument(QByteArrayView bytes)
{
    const qsizetype magic = CPuzzleFile::kMagicLength;
    if (bytes.size() < magic + 2 || !bytes.startsWith(QByteArrayView(CPuzzleFile::kMagic, magic)))
        return false;
    const int method = quint8(bytes[magic]);
    const int flags = quint8(bytes[magic + 1]);
    return (method & 0x0F) == 8 && (method * 256 + flags) % 31 == 0;
}

bool IsXmlSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Position just past the end text of a construct that starts at at, or -1.
qsizetype After(QByteArrayView bytes, qsizetype at, QByteArrayView end)
{
    const qsizetype found = bytes.indexOf(end, at);
    return found < 0 ? -1 : found + end.size();
}

// Position past a document type declaration, whose internal subset in
// brackets may hold ">" characters.
qsizetype AfterDoctype(QByteArrayView bytes, qsizetype at)
{
    int brackets = 0;
    for (qsizetype i = at; i < bytes.size(); ++i) {
        if (bytes[i] == '[')
            ++brackets;
        else if (bytes[i] == ']')
            --brackets;
        else if (bytes[i] == '>' && brackets <= 0)
            return i + 1;
    }
    return -1;
}

// The name of the root element, the first one after the byte order mark,
// blanks, the declaration, processing instructions, comments and a document
// type; empty when the text starts no element.
QByteArrayView RootElementName(QByteArrayView bytes)
{
    qsizetype at = bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
    while (at >= 0 && at < bytes.size()) {
        const QByteArrayView rest = bytes.sliced(at);
        if (IsXmlSpace(rest[0])) {
            ++at;
        } else if (rest.startsWith("<?")) {
            at = After(bytes, at + 2, "?>");
        } else if (rest.startsWith("<!--")) {
            at = After(bytes, at + 4, "-->");
        } else if (rest.startsWith("<!DOCTYPE")) {
            at = AfterDoctype(bytes, at);
        } else if (rest.startsWith('<')) {
            qsizetype end = 1;
            while (end < rest.size() && !IsXmlSpace(rest[end]) && rest[end] != '>' && rest[end] != '/')
                ++end;
            // A name that runs to the end of the text is not known to be whole.
            return end < rest.size() ? rest.sliced(1, end - 1) : QByteArrayView();
        } else {
            return QByteArrayView();
        }
    }
    return QByteArrayView();
}

bool IsPlainDocument(QByteArrayView bytes)
{
    return RootElementName(bytes) == QByteArrayView("crossword");
}

// Whether the text holds a start tag of the puzzle element, with or without
// a namespace prefix.
bool HasPuzzleElement(QByteArrayView bytes)
{
    constexpr QByteArrayView name = "rectangular-puzzle";
    for (qsizetype at = bytes.indexOf(name); at > 0; at = bytes.indexOf(name, at + 1)) {
        const qsizetype end = at + name.size();
        const bool named = bytes[at - 1] == '<' || bytes[at - 1] == ':';
        if (named && end < bytes.size() && (IsXmlSpace(bytes[end]) || bytes[end] == '>' || bytes[end] == '/'))
            return true;
    }
    return false;
}

// A jpz puzzle's root, with or without a namespace prefix, and its puzzle
// element: a text that merely begins like one is no puzzle.
bool IsPlainJpz(QByteArrayView bytes)
{
    QByteArrayView root = RootElementName(bytes);
    const qsizetype colon = root.lastIndexOf(':');
    if (colon >= 0)
        root = root.sliced(colon + 1);
    const bool jpzRoot = root == QByteArrayView("crossword-compiler-applet")
        || root == QByteArrayView("crossword-compiler") || root == QByteArrayView("rectangular-puzzle");
    return jpzRoot && HasPuzzleElement(bytes);
}

// A zip archive whose document begins as a jpz puzzle; only that beginning is
// unpacked here.
bool IsZippedJpz(QByteArrayView bytes)
{
    constexpr qint64 kBeginning = 64 * 1024;
    ZipArchive::Document document;
    QString error;
    return ZipArchive::LooksLikeZip(bytes) && ZipArchive::ReadDocument(bytes, &document, &error, kBeginning)
        && IsPlainJpz(document.content);
}

} // namespace

PuzzleFormat DetectPuzzleFormat(QByteArrayView bytes)
{
    if (IsBinaryPuzzle(bytes))
        return PuzzleFormat::Binary;
    if (IsPackedDocument(bytes))
        return PuzzleFormat::PackedDocument;
    if (IsPlainDocument(bytes))
        return PuzzleFormat::Document;
    if (IpuzText::LooksLikeIpuz(bytes))
        return PuzzleFormat::Ipuz;
    if (IsPlainJpz(bytes) || IsZippedJpz(bytes))
        return PuzzleFormat::Jpz;
    return PuzzleFormat::None;
}

QString PuzzleFileEnding(PuzzleFormat format)
{
    switch (format) {
    case PuzzleFormat::Binary:
        return QStringLiteral(".puz");
    case PuzzleFormat::PackedDocument:
    case PuzzleFormat::Document:
        return QStringLiteral(".gmd");
    case PuzzleFormat::Ipuz:
        return QStringLiteral(".ipuz");
    case PuzzleFormat::Jpz:
        return QStringLiteral(".jpz");
    case PuzzleFormat::None:
        break;
    }
    return QString();
}

QString PuzzleEndingOf(const QString& fileName)
{
    for (const PuzzleFormat format : {PuzzleFormat::Binary, PuzzleFormat::Document, PuzzleFormat::Ipuz, PuzzleFormat::Jpz}) {
        const QString ending = PuzzleFileEnding(format);
        if (fileName.endsWith(ending, Qt::CaseInsensitive))
            return fileName.right(ending.size());
    }
    return QString();
}
