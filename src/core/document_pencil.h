#pragma once

#include <QByteArray>
#include <QtGlobal>

class CPuzzleFile;
struct PuzzleContent;
struct XmlNode;

// The pencil marks of a puzzle document. They live in the attribute "pencil"
// of the progress element, after the entries: one character a square, "P"
// where the square's letter was written in pencil and "-" elsewhere. Readers
// take the entries from the element's first attribute, so older ones ignore
// the marks. A document gets the attribute only once a mark must be kept.
namespace DocumentPencil {

inline constexpr char kAttribute[] = "pencil";
inline constexpr char kMarked = 'P';
inline constexpr char kUnmarked = '-';
// pencilOffset of a document whose attribute is there but cannot be used
// (a value of the wrong length): it is neither read nor written.
inline constexpr qint64 kUnusable = -2;

// Takes the marks of the parsed document (whose entries were read) into the
// content: its pencil flags and pencilOffset.
void Read(const XmlNode* root, const QByteArray& text, PuzzleContent& content);

// Writes the content's marks into the file image: over the stored ones, or
// as a new attribute right after the entries' value. False when they could
// not be kept there; the image is then unchanged.
bool Write(CPuzzleFile& file, PuzzleContent& content);

} // namespace DocumentPencil
