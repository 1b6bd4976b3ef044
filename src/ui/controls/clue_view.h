#pragma once

#include "ui/controls/color_edit.h"

class GridKeyHandler;

// The pane that shows the clue of the current word. Every key and character
// typed into it goes to the grid's key handler instead, and nothing can be
// pasted or dropped into it (the middle button's paste included), so its text
// changes only when the grid view sets it whole. Selecting and copying work;
// undo and redo are left to the window, where they undo the entries.
class CClueView : public CColorEdit {
    Q_OBJECT

public:
    explicit CClueView(QWidget* parent = nullptr);

    void SetKeyHandler(GridKeyHandler* handler);

    // Sets the whole text.
    void SetClueText(const QString& text);

    // "Select All": takes the focus, selects the whole text, shows the caret.
    void SelectAllClue();
    // "Copy": copies the whole text, whatever was selected, and leaves nothing selected.
    void CopyClue();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void ForwardCharacters(const QString& text);

    GridKeyHandler* keyHandler_ = nullptr;
};
