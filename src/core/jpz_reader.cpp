#include "core/jpz_reader.h"

#include "core/jpz_clues.h"
#include "core/jpz_document.h"
#include "core/jpz_grid.h"
#include "core/markup_text.h"
#include "core/puzzle_content.h"
#include "core/puzzle_file.h"

#include <algorithm>
#include <limits>

namespace {

QByteArray MetadataText(pugi::xml_node metadata, std::string_view name, bool oneLine)
{
    return CJpzDocument::Text(CJpzDocument::Child(metadata, name), oneLine);
}

// The notes shown with the puzzle's information: publisher, editor, date,
// the description and the instructions, each where the file has it.
QByteArray Notes(pugi::xml_node metadata, pugi::xml_node puzzle)
{
    return MarkupText::JoinedNotes({{"Publisher: ", MetadataText(metadata, "publisher", true)},
                                    {"Editor: ", MetadataText(metadata, "editor", true)},
                                    {"Date: ", MetadataText(metadata, "date", true)},
                                    {"", MetadataText(metadata, "description", false)},
                                    {"", CJpzDocument::Text(CJpzDocument::Child(puzzle, "instructions"), false)}});
}

void ReadInformation(const CJpzDocument& document, PuzzleContent& content)
{
    const pugi::xml_node metadata = CJpzDocument::Child(document.Puzzle(), "metadata");
    content.utf8 = true;
    content.title = MetadataText(metadata, "title", true);
    content.author = MetadataText(metadata, "creator", true);
    content.copyright = MetadataText(metadata, "copyright", true);
    content.notes = Notes(metadata, document.Puzzle());
}

void ReadTime(const CJpzDocument& document, PuzzleContent& content)
{
    const pugi::xml_node timer = document.Timer();
    const long long seconds = CJpzDocument::Number(CJpzDocument::View(timer.attribute("initial-value").value()), 0);
    content.time.seconds = qint32(std::clamp<long long>(seconds, 0, std::numeric_limits<qint32>::max()));
}

} // namespace

CJpzReader::CJpzReader(const CPuzzleFile& file) : file_(file) {}

int CJpzReader::Read(PuzzleContent& content, QString* error)
{
    CJpzDocument document;
    if (!document.Parse(file_.Data())) {
        *error = QStringLiteral("The puzzle can not be opened: it is no well-formed jpz (XML) text.");
        return 1;
    }
    if (!document.Locate(error))
        return 1;
    content.width = quint8(document.Width());
    content.height = quint8(document.Height());
    if (!CJpzGrid(document, content).Read(error))
        return 1;
    CJpzClues(document, content).Read();
    ReadInformation(document, content);
    ReadTime(document, content);
    content.CountLetters();
    return 0;
}
