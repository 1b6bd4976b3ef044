#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <initializer_list>

// Text that may hold the few HTML tags puzzle formats allow (bold, italics,
// line breaks, ...) and character entities, turned into the plain UTF-8 text
// the program shows: tags are dropped, a line or paragraph break becomes a
// line feed (or a space for text shown on one line), and entities become
// their characters. A "<" that starts no tag stays as it is.
namespace MarkupText {

QByteArray Plain(QByteArrayView text, bool oneLine);

// Whether the text holds anything Plain would change.
bool HasMarkup(QByteArrayView text);

// A text of the notes shown with a puzzle's information and the label it
// gets there ("Publisher: ", say; empty for a paragraph of its own).
struct NotePart {
    const char* label;
    QByteArray text;
};

// The parts that have a text, in order: a labelled one on a line of its
// own, another as a paragraph.
QByteArray JoinedNotes(std::initializer_list<NotePart> parts);

} // namespace MarkupText
