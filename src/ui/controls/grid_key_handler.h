#pragma once

#include <QChar>

// Receives the keys and characters typed where the grid should get them: the
// clue view and the on-screen keyboard hand everything on to the grid view.
class GridKeyHandler {
public:
    virtual ~GridKeyHandler() = default;

    // A key went down; key is a Qt::Key code (Qt::Key_Left, Qt::Key_Backspace, ...).
    virtual void OnKeyDown(int key) = 0;
    // A character was typed, control characters such as backspace included.
    virtual void OnChar(QChar character) = 0;
};
