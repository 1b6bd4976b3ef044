#include "core/ipuz_writer.h"

#include "core/ipuz_reader.h"
#include "core/ipuz_text.h"
#include "core/puzzle_content.h"

namespace {

// The JSON with the top-level member of that key holding the value: replaced
// where it is, else added after the last member. Empty when the text has no
// top-level object.
QByteArray WithMember(const QByteArray& json, QByteArrayView key, const QByteArray& value)
{
    const QByteArray member = IpuzText::Quoted(key) + ": " + value;
    if (const std::optional<IpuzText::Member> found = IpuzText::FindTopLevelMember(json, key))
        return json.left(found->begin) + member + json.mid(found->end);
    bool needsComma = false;
    const std::optional<qsizetype> at = IpuzText::NewMemberPosition(json, &needsComma);
    if (!at)
        return QByteArray();
    return json.left(*at) + (needsComma ? ",\n" : "\n") + member + json.mid(*at);
}

} // namespace

CIpuzWriter::CIpuzWriter(const PuzzleContent& content) : content_(content) {}

QByteArray CIpuzWriter::Splice(const QByteArray& image) const
{
    const IpuzText::Span span = IpuzText::JsonSpan(image);
    QByteArray json = image.sliced(span.begin, span.end - span.begin);
    json = WithMember(json, "saved", SavedValue());
    if (!json.isEmpty())
        json = WithMember(json, CIpuzReader::kProgressMember, ProgressValue());
    if (json.isEmpty())
        return QByteArray();
    return image.left(span.begin) + json + image.mid(span.end);
}

QByteArray CIpuzWriter::EntryText(int index) const
{
    const PuzzleCell& cell = content_.cells[size_t(index)];
    if (cell.solution == ' ') {
        const bool isVoid = content_.IsVoid(size_t(index));
        return isVoid ? QByteArray("null") : IpuzText::Quoted(content_.blockText);
    }
    const QByteArray rebus = content_.rebusEntries.At(index);
    if (!rebus.isEmpty())
        return IpuzText::Quoted(rebus);
    return cell.entry == ' ' ? QByteArray("\"\"") : IpuzText::Quoted(QByteArrayView(&cell.entry, 1));
}

QByteArray CIpuzWriter::SavedValue() const
{
    const int width = content_.width;
    QByteArray value = "[";
    for (int row = 0; row < content_.height; ++row) {
        value += row == 0 ? "\n  [" : ",\n  [";
        for (int column = 0; column < width; ++column) {
            if (column > 0)
                value += ", ";
            value += EntryText(row * width + column);
        }
        value += ']';
    }
    value += "\n]";
    return value;
}

// The solving time, and the squares whose letter is pencilled as a list of
// [row, column] pairs (left out while there is none).
QByteArray CIpuzWriter::ProgressValue() const
{
    QByteArray pencil;
    for (size_t index = 0; index < content_.pencil.size(); ++index) {
        if (!content_.IsPencil(index) || content_.width <= 0)
            continue;
        pencil += pencil.isEmpty() ? "[" : ", [";
        pencil += QByteArray::number(int(index) / content_.width) + ", "
            + QByteArray::number(int(index) % content_.width) + "]";
    }
    QByteArray value = "{\"seconds\": " + QByteArray::number(content_.time.seconds);
    if (!pencil.isEmpty())
        value += ", \"pencil\": [" + pencil + "]";
    return value + "}";
}
