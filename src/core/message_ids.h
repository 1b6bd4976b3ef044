#pragma once

#include <QEvent>

// The program's own window messages. Each travels as a QEvent whose type is
// QEvent::User plus the message number, so the numbers stay the documented ones.
enum MessageId : int {
    UM_START_DOWNLOAD = 0x0464,
    UM_PUZZLE_CLOSED = 0x0465,
    UM_OPEN_STARTUP_PUZZLE = 0x0466,
    UM_CLUE_CHOSEN = 0x0467,
    UM_PUZZLE_OPENED = 0x046A,
    UM_OPEN_PASSED_FILE = 0x046C,
    UM_SAVE_PROGRESS = 0x046D,
    UM_SCROLL_CHANGED = 0x07E9,
    UM_SCROLL_DONE = 0x07EA,
    UM_SPLITTER_MOVED = 0x07EB,
};

constexpr QEvent::Type MessageEventType(MessageId id)
{
    return static_cast<QEvent::Type>(QEvent::User + static_cast<int>(id));
}
