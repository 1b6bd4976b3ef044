#include "data/command_table.h"

#include "data/command_ids.h"

#include <array>
#include <utility>

namespace {

// The command prompts, one per command id that has one.
const std::array<std::pair<int, const char*>, 29> kPrompts{{
    {ID_REVEAL_WORD, "Reveal current word"},
    {ID_REVEAL_PUZZLE, "Reveal entire puzzle"},
    {ID_REVEAL_LETTER, "Reveal current letter"},
    {ID_SMALL_CELLS, "Switch to small cells"},
    {ID_MEDIUM_CELLS, "Switch to medium cells"},
    {ID_LARGE_CELLS, "Switch to large cells"},
    {ID_CUSTOMIZE_LAYOUT, "Customize layout"},
    {ID_ALL_CLUES, "Display all clues list"},
    {ID_CUSTOMIZE_COLORS, "Customize colors"},
    {ID_PUZZLE_INFO, "Puzzle information"},
    {ID_DOWNLOAD, "Download new puzzle"},
    {ID_OPEN_PUZZLE, "Open a puzzle"},
    {ID_REVEAL, "Reveal"},
    {ID_CHECK, "Check of entered words/letters"},
    // The Across/Down button's own id has no prompt; it shows the text kept
    // for the toggle so that every toolbar button explains itself.
    {ID_ACROSS_DOWN, "Toggle a clue across/down"},
    {ID_HELP, "Display help"},
    {ID_APP_ABOUT, "About the program"},
    {ID_KEYBOARD, "Floating on-screen keyboard"},
    {ID_APP_EXIT, "Close the program"},
    {ID_EDIT_UNDO, "Undo the last change of the entries"},
    {ID_EDIT_REDO, "Redo the last change undone"},
    {ID_CLEAR_WORD, "Clear the letters of the current word"},
    {ID_CLEAR_ALL_ENTRIES, "Clear every letter of the puzzle"},
    {ID_PENCIL, "Write letters in pencil"},
    {ID_NUMBERS_IN_SQUARES, "Show the clue numbers in the squares (medium and large cells)"},
    {ID_CHECK_AS_YOU_TYPE, "Always show wrong letters in their own colour"},
    {ID_SKIP_FILLED_SQUARES, "After a letter, go on to the next empty square of the word"},
    {ID_PRINT, "Print the puzzle"},
    {ID_EXPORT_PDF, "Save the printed puzzle as a PDF file"},
}};

const std::array<std::pair<int, const char*>, 7> kButtonTexts{{
    {ID_OPEN_PUZZLE, "Open"},
    {ID_PUZZLE_INFO, "Info"},
    {ID_CHECK, "Check"},
    {ID_REVEAL, "Reveal"},
    {ID_ALL_CLUES, "All Clues"},
    {ID_ACROSS_DOWN, "Across/Down"},
    {ID_KEYBOARD, "Keyboard"},
}};

// The desktop's usual shortcuts, in the portable text form of QKeySequence;
// "; " separates the alternatives of one command.
const std::array<std::pair<int, const char*>, 10> kShortcuts{{
    {ID_OPEN_PUZZLE, "Ctrl+O"},
    {ID_APP_EXIT, "Ctrl+Q"},
    {ID_HELP, "F1"},
    {ID_DOWNLOAD, "Ctrl+Shift+D"},
    {ID_PUZZLE_INFO, "Ctrl+I"},
    {ID_ALL_CLUES, "Ctrl+L"},
    {ID_EDIT_UNDO, "Ctrl+Z"},
    {ID_EDIT_REDO, "Ctrl+Shift+Z; Ctrl+Y"},
    {ID_PENCIL, "Ctrl+Shift+P"},
    {ID_PRINT, "Ctrl+P"},
}};

template <std::size_t N>
QString Lookup(const std::array<std::pair<int, const char*>, N>& table, int id)
{
    for (const auto& [key, text] : table) {
        if (key == id)
            return QString::fromLatin1(text);
    }
    return {};
}

bool NeedsPuzzle(int id)
{
    switch (id) {
    case ID_REVEAL:
    case ID_ACROSS_DOWN:
    case ID_CLUE_SELECT_ALL:
    case ID_CLUE_COPY:
    case ID_DELETE_PUZZLE:
    case ID_BEAM:
    case ID_SEND_EMAIL:
    case ID_ALL_CLUES:
    case ID_PUZZLE_INFO:
    case ID_REVEAL_LETTER:
    case ID_REVEAL_WORD:
    case ID_REVEAL_PUZZLE:
    case ID_CHECK:
    case ID_CLEAR_WORD:
    case ID_CLEAR_ALL_ENTRIES:
    case ID_PRINT:
    case ID_EXPORT_PDF:
        return true;
    default:
        return false;
    }
}

} // namespace

QString CommandPrompt(int id)
{
    return Lookup(kPrompts, id);
}

QString ToolbarButtonText(int id)
{
    return Lookup(kButtonTexts, id);
}

QString CommandShortcut(int id)
{
    return Lookup(kShortcuts, id);
}

CommandState CommandStateFor(int id, bool puzzleLoaded, int cellSize)
{
    // A disabled cell size carries no check mark: without a puzzle no size is in use.
    if (id >= ID_SMALL_CELLS && id <= ID_LARGE_CELLS)
        return {puzzleLoaded, true, puzzleLoaded && id - ID_SMALL_CELLS == cellSize};
    return {!NeedsPuzzle(id) || puzzleLoaded, false, false};
}

std::optional<CommandState> SolvingCommandState(int id, const SolvingCommandInput& input)
{
    const SolvingOptions& options = input.options;
    switch (id) {
    case ID_EDIT_UNDO:
        return CommandState{input.puzzleLoaded && input.canUndo, false, false};
    case ID_EDIT_REDO:
        return CommandState{input.puzzleLoaded && input.canRedo, false, false};
    case ID_NUMBERS_IN_SQUARES:
        return CommandState{true, true, options.numbersInSquares};
    case ID_PENCIL:
        return CommandState{true, true, options.pencil};
    case ID_CHECK_AS_YOU_TYPE:
        return CommandState{true, true, options.checkAsYouType};
    case ID_SKIP_FILLED_SQUARES:
        return CommandState{true, true, options.skipFilledSquares};
    default:
        return std::nullopt;
    }
}

CheckTransition CheckButtonTransition(bool puzzleLoaded, bool buttonDown, bool checkShown)
{
    if (!puzzleLoaded || buttonDown == checkShown)
        return {};
    return {true, buttonDown};
}
