#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Text that may hold the few HTML tags puzzle formats allow (bold, italics,
// line breaks, ...) and character entities, turned into the plain UTF-8 text
// the program shows: tags are dropped, a line or paragraph break becomes a
// line feed (or a space for text shown on one line), and entities become
// their characters. A "<" that starts no tag stays as it is.
namespace MarkupText {

QByteArray Plain(QByteArrayView text, bool oneLine);

// Whether the text holds anything Plain would change.
bool HasMarkup(QByteArrayView text);

} // namespace MarkupText
