#include "core/jpz_writer.h"

#include "core/jpz_document.h"
#include "core/puzzle_content.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr char kState[] = "solve-state";
constexpr char kStatus[] = "solve-status";
constexpr char kPencil[] = "pencil";

QByteArray Escaped(const QByteArray& text)
{
    QByteArray escaped;
    for (const char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += c; break;
        }
    }
    return escaped;
}

QByteArray TimerElement(qint32 seconds)
{
    return "<timer initial-value=\"" + QByteArray::number(seconds) + "\"/>";
}

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

CJpzWriter::CJpzWriter(const PuzzleContent& content) : content_(content) {}

QByteArray CJpzWriter::Splice(const QByteArray& image) const
{
    CJpzDocument document;
    QString ignored;
    if (!document.Parse(image) || !document.Locate(&ignored) || document.Width() != content_.width
        || document.Height() != content_.height)
        return QByteArray();
    text_ = &image;
    document_ = &document;
    std::vector<Edit> edits;
    document.ForEachCell([&](pugi::xml_node cell, int index) { EditCell(cell, index, edits); });
    EditTime(edits);
    // In the order of the text; additions at one place in the order made.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    QByteArray text;
    text.reserve(image.size() + 32 * qsizetype(edits.size()));
    qsizetype done = 0;
    for (const Edit& edit : edits) {
        if (edit.begin < done)
            continue;
        text += QByteArrayView(image).sliced(done, edit.begin - done);
        text += edit.text;
        done = edit.end;
    }
    text += QByteArrayView(image).sliced(done);
    text_ = nullptr;
    document_ = nullptr;
    return text;
}

// Upper-cased, as the reader takes letters.
QByteArray CJpzWriter::EntryText(int index) const
{
    const QByteArray rebus = content_.rebusEntries.At(index);
    if (!rebus.isEmpty())
        return UpperCaseLetters(rebus);
    const char entry = content_.cells[size_t(index)].entry;
    return entry == ' ' ? QByteArray() : QByteArray(1, UpperCaseLetter(entry));
}

// Given letters and squares without letters keep what the file says.
void CJpzWriter::EditCell(pugi::xml_node cell, int index, std::vector<Edit>& edits) const
{
    const bool given = content_.IsGiven(size_t(index));
    if (content_.cells[size_t(index)].solution == ' ' || given)
        return;
    const QByteArray entry = EntryText(index);
    const bool pencil = !entry.isEmpty() && content_.IsPencil(size_t(index));
    if (entry.isEmpty())
        RemoveAttribute(cell, kState, edits);
    else
        SetAttribute(cell, kState, Escaped(entry), edits);
    // Another status the file gives (a revealed letter, say) is kept.
    if (pencil)
        SetAttribute(cell, kStatus, kPencil, edits);
    else if (std::strcmp(cell.attribute(kStatus).value(), kPencil) == 0)
        RemoveAttribute(cell, kStatus, edits);
}

void CJpzWriter::EditTime(std::vector<Edit>& edits) const
{
    const QByteArray seconds = QByteArray::number(content_.time.seconds);
    if (const pugi::xml_node timer = document_->Timer()) {
        SetAttribute(timer, "initial-value", seconds, edits);
        return;
    }
    const QByteArray timer = TimerElement(content_.time.seconds);
    if (const pugi::xml_node settings = document_->Settings()) {
        const qsizetype end = StartTagEnd(settings);
        const bool empty = end > 1 && text_->at(end - 2) == '/';
        if (empty)
            edits.push_back({end - 2, end, ">" + timer + "</" + QByteArray(settings.name()) + '>'});
        else
            edits.push_back({end, end, timer});
        return;
    }
    // Settings of their own go just before the puzzle, or first into it when
    // the puzzle is the document itself.
    const QByteArray element = "<applet-settings>" + timer + "</applet-settings>";
    const pugi::xml_node puzzle = document_->Puzzle();
    const qsizetype at = puzzle == document_->Root() ? StartTagEnd(puzzle) : document_->Offset(puzzle.name()) - 1;
    edits.push_back({at, at, element});
}

void CJpzWriter::SetAttribute(pugi::xml_node element, const char* name, const QByteArray& value,
                              std::vector<Edit>& edits) const
{
    if (const pugi::xml_attribute attribute = element.attribute(name)) {
        if (value == attribute.value())
            return;
        const qsizetype at = document_->Offset(attribute.name());
        edits.push_back({at, AttributeEnd(at), QByteArray(name) + "=\"" + value + '"'});
        return;
    }
    const qsizetype at = document_->Offset(element.name()) + qsizetype(std::strlen(element.name()));
    edits.push_back({at, at, ' ' + QByteArray(name) + "=\"" + value + '"'});
}

// The attribute goes with the blanks before it.
void CJpzWriter::RemoveAttribute(pugi::xml_node element, const char* name, std::vector<Edit>& edits) const
{
    const pugi::xml_attribute attribute = element.attribute(name);
    if (!attribute)
        return;
    const qsizetype at = document_->Offset(attribute.name());
    qsizetype begin = at;
    while (begin > 0 && IsSpace(text_->at(begin - 1)))
        --begin;
    edits.push_back({begin, AttributeEnd(at), QByteArray()});
}

// Just past the closing quote of the attribute whose name starts at nameAt.
qsizetype CJpzWriter::AttributeEnd(qsizetype nameAt) const
{
    const QByteArray& text = *text_;
    const qsizetype equals = text.indexOf('=', nameAt);
    qsizetype open = equals + 1;
    while (open < text.size() && IsSpace(text[open]))
        ++open;
    return text.indexOf(text[open], open + 1) + 1;
}

// Just past the ">" of the element's start tag (which is "/>" when the
// element is empty): after its last attribute no quote can hide a ">".
qsizetype CJpzWriter::StartTagEnd(pugi::xml_node element) const
{
    qsizetype from = document_->Offset(element.name());
    if (const pugi::xml_attribute last = element.last_attribute())
        from = AttributeEnd(document_->Offset(last.name()));
    return text_->indexOf('>', from) + 1;
}
