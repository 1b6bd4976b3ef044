#include "data/page_content.h"

#include "core/puzzle.h"
#include "data/clue_list_items.h"

PageContent PageContentOf(const CPuzzle& puzzle, const QString& fallbackTitle)
{
    PageContent content;
    puzzle.GetInfoText(content.title, content.author, content.copyright);
    if (content.title.trimmed().isEmpty())
        content.title = fallbackTitle;
    content.columns = puzzle.GetWidth();
    content.rows = puzzle.GetHeight();
    content.lists = {PageClueList{QStringLiteral("Across"), {}}, PageClueList{QStringLiteral("Down"), {}}};
    for (int index = 0; index < puzzle.GetClueCount(); ++index) {
        const PuzzleClue* clue = puzzle.GetClue(index);
        if (clue == nullptr)
            continue;
        PageClueList& list = content.lists[clue->isAcross != 0 ? 0 : 1];
        list.clues.push_back({QString::number(clue->number), puzzle.WidenText(clue->text)});
    }
    for (const ClueList& other : puzzle.GetOtherLists()) {
        if (!other.NamesSquares())
            continue;
        PageClueList& list = content.lists.emplace_back(PageClueList{OtherListTitle(puzzle, other), {}});
        for (size_t clue = 0; clue < other.clues.size(); ++clue)
            list.clues.push_back({puzzle.WidenText(other.LabelOf(clue)), puzzle.WidenText(other.clues[clue].text)});
    }
    return content;
}
