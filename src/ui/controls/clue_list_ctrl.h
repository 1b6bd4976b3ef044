#pragma once

#include "data/clue_list_items.h"
#include "data/clue_list_rows.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPointer>
#include <QString>
#include <QWidget>

class CDrawSurface;
class CScrollBarCtrl;

// The All Clues list: the clues of one section (across, down or a further
// list of the puzzle), one row each, word-wrapped
// (a word too long for the row is broken where it must) in black on white,
// the chosen row on cyan and, with "Highlight Solved", the clues whose word
// was filled in the solved-clue colour. A list taller than the control gets
// the program's own scroll bar at its right edge. A tap on a row chooses it
// and posts UM_CLUE_CHOSEN to the list's owner; a tap below the last row
// clears the choice and posts it too. From the keyboard, Up, Down, Page Up,
// Page Down, Home and End move the selection and keep it in view, typing a
// clue's number selects that clue, Left and Right ask for the section before
// or after the shown one, and Return chooses the selected row as a tap does.
class CClueListCtrl : public QWidget {
    Q_OBJECT

public:
    static constexpr int kScrollBarId = 50202;
    // Wheel steps scroll by this many lines.
    static constexpr int kWheelLines = 3;

    explicit CClueListCtrl(QWidget* parent = nullptr);

    // The items the list shows, by section; they must outlive the list.
    void SetItems(const ClueListItems* items);
    // Which section is shown (0 across, 1 down, then the further lists);
    // clears the chosen row and scrolls to the top.
    void ShowSection(int section);
    void SetHighlightSolved(bool on);
    // Receives UM_CLUE_CHOSEN instead of the parent.
    void SetOwner(QWidget* owner);
    // Selects a row of the shown list without choosing it, and scrolls it into view.
    void SelectRow(int row);
    // Typed digits within this time of each other make one number.
    static constexpr qint64 kNumberTypingMs = 1000;

    bool IsShowingAcross() const { return section_ == 0; }
    int ShownSection() const { return section_; }
    QString ShownTitle() const;
    bool HighlightSolved() const { return highlightSolved_; }
    int SelectedRow() const { return selectedRow_; }
    CScrollBarCtrl* ScrollBar() const { return scrollBar_; }
    // The rows of the shown list as last laid out, and the scroll position.
    const ClueListRows& Rows() const { return rows_; }
    int ScrollPos() const;
    // The text of a row of the shown list.
    const ClueListItem& Item(int row) const;
    // Where a row of the shown list is drawn now, in the list's coordinates.
    QRect RowRect(int row) const;
    // Chooses a row of the shown list as a tap on it does.
    void ChooseRow(int row);

    // Measures the shown list's rows for the current width, shows or hides
    // the scroll bar and repaints.
    void Relayout();

signals:
    // The keyboard asks for another section.
    void SectionRequested(int section);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int ShownCount() const;
    int FirstShown() const;
    int TextWidth(bool withBar) const;
    ClueListRows MeasureRows(int textWidth) const;
    void PaintRows(CDrawSurface& surface) const;
    void ChooseSelected();
    void TypeDigit(QChar digit);
    void RequestSection(int section);
    void AnnounceSelection();

    const ClueListItems* items_ = nullptr;
    CScrollBarCtrl* scrollBar_ = nullptr;
    QPointer<QWidget> owner_;
    ClueListRows rows_;
    QImage backBuffer_;
    int section_ = 0;
    bool highlightSolved_ = false;
    int selectedRow_ = -1;
    // The selection was made with the keyboard, so a tap on it still chooses it.
    bool selectedByKey_ = false;
    QString typedNumber_;
    QElapsedTimer sinceDigit_;
};
