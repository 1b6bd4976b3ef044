#pragma once

#include "data/solving_options.h"

#include <QString>

#include <optional>

// What the frame knows about each command apart from any window: the texts its
// menu item and toolbar button show, and the rule that enables it and puts the
// check mark on one cell size.

// The prompt of a command, shown as its tool tip and status-bar text; empty
// for commands that have none.
QString CommandPrompt(int id);

// The text of a toolbar button, used for its tool tip when the command has no prompt.
QString ToolbarButtonText(int id);

// The keyboard shortcut of a command in QKeySequence's portable text form
// ("Ctrl+O"); empty for commands without one.
QString CommandShortcut(int id);

struct CommandState {
    bool enabled = true;
    bool checkable = false;
    bool checked = false;
};

// The update rule: puzzle commands are enabled only while a puzzle is loaded;
// the cell-size item matching cellSize (0 small, 1 medium, 2 large) carries
// the check mark while a puzzle is loaded; every other command is always enabled.
CommandState CommandStateFor(int id, bool puzzleLoaded, int cellSize);

// What the state of the solving commands depends on.
struct SolvingCommandInput {
    bool puzzleLoaded = false;
    bool canUndo = false;
    bool canRedo = false;
    SolvingOptions options;
};

// The state of the undo commands and of the options' items, which carry a
// check mark while on; nothing for every other command.
std::optional<CommandState> SolvingCommandState(int id, const SolvingCommandInput& input);

// Whether the update pass changes the grid's check display, and to what: the
// Check button's pressed state while a puzzle is loaded, compared with the
// state last passed on.
struct CheckTransition {
    bool changes = false;
    bool shown = false;
};
CheckTransition CheckButtonTransition(bool puzzleLoaded, bool buttonDown, bool checkShown);
