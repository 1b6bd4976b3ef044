#include "document_builder.h"

#include "grid_words.h"

#include <zlib.h>

namespace {

const char kMagic[] = "kavlith01";
const QList<QByteArray> kOrder = {"Title", "Author", "Width", "Height", "AllAnswer"};

} // namespace

DocumentBuilder::DocumentBuilder(const QList<QByteArray>& solutionRows) : solution_(solutionRows)
{
    QByteArray answer;
    for (const QByteArray& row : solutionRows)
        answer += row;
    answer.replace('.', '-');
    const int width = solutionRows.isEmpty() ? 0 : int(solutionRows[0].size());
    lines_["Title"] = ValueLine("Title", "Test Document");
    lines_["Author"] = ValueLine("Author", "Test Author");
    lines_["Width"] = ValueLine("Width", QByteArray::number(width));
    lines_["Height"] = ValueLine("Height", QByteArray::number(solutionRows.size()));
    lines_["AllAnswer"] = ValueLine("AllAnswer", answer);
}

QByteArray DocumentBuilder::ValueLine(const QByteArray& element, const QByteArray& value)
{
    return "<" + element + " v=\"" + value + "\" />\n";
}

DocumentBuilder& DocumentBuilder::Title(const QByteArray& text)
{
    return Line("Title", ValueLine("Title", text));
}

DocumentBuilder& DocumentBuilder::Author(const QByteArray& text)
{
    return Line("Author", ValueLine("Author", text));
}

DocumentBuilder& DocumentBuilder::Decision(const QByteArray& value)
{
    return Line("AllDecision", ValueLine("AllDecision", value));
}

DocumentBuilder& DocumentBuilder::Line(const QByteArray& element, const QByteArray& line)
{
    lines_[element] = line;
    return *this;
}

DocumentBuilder& DocumentBuilder::ClueAttributes(const QByteArray& element, const QByteArray& attributes)
{
    clueAttributes_[element] = attributes;
    return *this;
}

DocumentBuilder& DocumentBuilder::Trailer(const QByteArray& text)
{
    trailer_ = text;
    return *this;
}

QByteArray DocumentBuilder::EncodeClue(const QByteArray& text)
{
    QByteArray encoded;
    for (const char c : text) {
        if (c == ' ')
            encoded += "%20";
        else if (c == '"')
            encoded += "%22";
        else if (c == ',')
            encoded += "%2C";
        else
            encoded += c;
    }
    return encoded;
}

QByteArray DocumentBuilder::ClueBlock(bool across) const
{
    const QByteArray prefix = across ? "a" : "d";
    QByteArray block = across ? "<across>\n" : "<down>\n";
    int k = 0;
    for (const GridWord& word : FindGridWords(solution_, '.')) {
        if (word.across != across)
            continue;
        const QByteArray name = prefix + QByteArray::number(++k);
        const QByteArray text = QByteArray::number(word.number) + (across ? " Across" : " Down");
        const QByteArray attributes = clueAttributes_.value(
            name, "c=\"" + EncodeClue(text) + "\" n=\"" + QByteArray::number(word.start + 1) + "\" cn=\""
                + QByteArray::number(word.number) + "\"");
        block += "<" + name + " " + attributes + " />\n";
    }
    block += across ? "</across>\n" : "</down>\n";
    return block;
}

QByteArray DocumentBuilder::Build() const
{
    QByteArray text = "<crossword>\n";
    for (const QByteArray& element : kOrder)
        text += lines_.value(element);
    text += ClueBlock(true);
    text += ClueBlock(false);
    for (auto it = lines_.cbegin(); it != lines_.cend(); ++it) {
        if (!kOrder.contains(it.key()))
            text += it.value();
    }
    text += trailer_;
    text += "</crossword>\n";
    return text;
}

QByteArray DocumentBuilder::Pack(const QByteArray& text)
{
    uLongf length = compressBound(uLong(text.size()));
    QByteArray packed(qsizetype(length), '\0');
    compress(reinterpret_cast<Bytef*>(packed.data()), &length, reinterpret_cast<const Bytef*>(text.constData()),
             uLong(text.size()));
    packed.truncate(qsizetype(length));
    return QByteArray(kMagic, 9) + packed;
}

QByteArray DocumentBuilder::Unpack(const QByteArray& packed)
{
    uLongf length = 1 << 20;
    QByteArray text(qsizetype(length), '\0');
    const QByteArray stream = packed.mid(9);
    if (uncompress(reinterpret_cast<Bytef*>(text.data()), &length, reinterpret_cast<const Bytef*>(stream.constData()),
                   uLong(stream.size()))
        != Z_OK)
        return QByteArray();
    text.truncate(qsizetype(length));
    return text;
}

QByteArray DocumentBuilder::ProgressElement(int cellCount)
{
    return "<AllDecision v=\"" + QByteArray(cellCount, ' ') + "\" />\n";
}
