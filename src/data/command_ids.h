#pragma once

// The menu and toolbar commands. The numbers are the program's fixed command
// ids; a QAction carries its id in QAction::data(). A command goes to the grid
// view first (CGridView::OnCommand) and to the main frame when the view does
// not handle it.
enum CommandId : int {
    ID_REVEAL_WORD = 32772,
    ID_REVEAL_PUZZLE = 32774,
    ID_REVEAL_LETTER = 32775,
    ID_SMALL_CELLS = 32777,
    ID_MEDIUM_CELLS = 32778,
    ID_LARGE_CELLS = 32779,
    ID_CUSTOMIZE_LAYOUT = 32780,
    ID_ALL_CLUES = 32781,
    ID_CUSTOMIZE_COLORS = 32782,
    ID_PUZZLE_INFO = 32783,
    ID_DOWNLOAD = 32785,
    ID_OPEN_PUZZLE = 32786,
    ID_REVEAL = 32797,
    ID_CHECK = 32798,
    ID_ACROSS_DOWN = 32800,
    ID_HELP = 32804,
    ID_BEAM = 32819,
    ID_DELETE_PUZZLE = 32823,
    ID_CLUE_COPY = 32825,
    ID_CLUE_SELECT_ALL = 32826,
    ID_SEND_EMAIL = 32828,
    ID_KEYBOARD = 32831,
    // Solving at a desk: options kept in the desktop settings and the
    // commands that clear entries.
    ID_NUMBERS_IN_SQUARES = 32850,
    ID_PENCIL = 32851,
    ID_CHECK_AS_YOU_TYPE = 32852,
    ID_SKIP_FILLED_SQUARES = 32853,
    ID_CLEAR_WORD = 32854,
    ID_CLEAR_ALL_ENTRIES = 32855,
    // The puzzle on paper and in a PDF.
    ID_PRINT = 32860,
    ID_EXPORT_PDF = 32861,
    // The framework's undo and redo commands.
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
};
