#pragma once

#include "data/grid_geometry.h"
#include "data/solving_options.h"
#include "ui/controls/grid_key_handler.h"
#include "ui/controls/keyboard_sink.h"
#include "ui/view/grid_painter.h"

#include <QWidget>

class CClueView;
class CPuzzle;
class CPuzzleStore;
class CRebusEdit;
class CScrollBarCtrl;

// The window in which the crossword is drawn and solved: it paints the grid,
// scrolls it when it does not fit, keeps the cursor visible, writes the clue
// line into the clue view, and turns keys, characters, taps and the solving
// commands into changes of the model.
class CGridView : public QWidget, public GridKeyHandler, public KeyboardSink {
    Q_OBJECT

public:
    enum SelectMode { SelectTap = 0, SelectStep = 1, SelectClue = 2 };
    enum HintMode { HintNone = 0, HintLetter = 1, HintWord = 2, HintPuzzle = 3 };
    static constexpr int kHorizontalBarId = 50201;
    static constexpr int kVerticalBarId = 50202;

    // The view reads and changes puzzle and writes into clueView (which may be
    // null); both must outlive it. Settings come from g_settings.
    CGridView(CPuzzle* puzzle, CClueView* clueView, QWidget* parent = nullptr);
    ~CGridView() override;

    // Geometry, in pixels. GetGridSize is 0 x 0 while no puzzle is loaded.
    QSize GetGridSize() const;
    GridOrigin GetGridOrigin(GridRect& r, bool inset) const;
    GridRect GetCellRect(bool word, int index = -1) const;
    bool IsInCurrentWord(int cell) const;
    // Where the grid and the current cell are drawn now, in view coordinates
    // and clipped to the content inside the frame; empty when not shown.
    QRect ShownGridRect() const;
    QRect ShownCurrentCellRect() const;

    void RecalcScrollNeeds();
    void UpdateScrollBars();
    void EnsureVisible(bool word);
    void ShowClue(int clue);
    void UpdateClueBar(bool clear);
    // The frame calls this when the model reports an opened puzzle.
    void OnPuzzleOpened();

    // Every cursor move: target is a cell index, or a clue index in SelectClue mode.
    void SelectCell(int target, int mode);
    // Wrong letters are shown in their own colour while on.
    void SetCheckMode(bool on);
    // The commands the view handles (cell sizes, hints, All Clues, Info,
    // Colors, Download); false for any other, which the frame then handles.
    bool OnCommand(int id);
    // Applies the choice of the All Clues dialog: the dialog's tab and
    // "Highlight Solved" state are kept, and the cursor moves to the clue.
    void ApplyAllCluesChoice(int clue, int tab, int highlight);
    // Applies a clue chosen from a further list of All Clues: the cursor goes
    // to its first square, its squares are highlighted as the word is while
    // the cursor stays on them (entries then follow them), and the clue view
    // shows its line. The tab stays as it was.
    void ApplyListedClueChoice(const QList<int>& squares, const QString& line, int highlight);
    // The squares of the chosen clue of a further list while the cursor is
    // on one of them; empty otherwise.
    const QList<int>& ListedWord() const { return listedWord_; }
    // The store that opens a downloaded puzzle; without one a download is only saved.
    void SetPuzzleStore(CPuzzleStore* store) { store_ = store; }
    // How the solver works: numbers, pencil, check as you type, skipping
    // filled squares. The view's commands change them and report it.
    void SetOptions(const SolvingOptions& options);
    const SolvingOptions& Options() const { return options_; }
    // Whether wrong letters are shown all the time now: the option is on and
    // the open puzzle can be checked.
    bool CheckingAsYouType() const;
    // Whether wrong letters are drawn as wrong: Check held, or checking as you type.
    bool WrongLettersShown() const;
    // Whether the squares show their numbers now: the option is on and the
    // cells are large enough for them.
    bool NumbersShown() const;

    // Keys (Qt::Key codes) and characters, from this window, the clue view or
    // the on-screen keyboard. Insert opens the rebus edit over the current
    // square, for an entry of several letters. Tab and Shift+Tab go to the
    // next and previous clue, Home and End to the ends of the word, and
    // Delete empties the current square.
    void OnKeyDown(int key) override;
    void OnChar(QChar character) override;
    void OnKeyboardChar(char letter) override;
    void OnKeyboardKeyDown(int keyCode) override;

    int HintMode() const { return hintMode_; }
    bool CheckMode() const { return checkMode_; }
    bool HScrollable() const { return geometry_.HScrollable(); }
    bool VScrollable() const { return geometry_.VScrollable(); }
    QPoint ScrollPos() const;
    int AllCluesTab() const { return allCluesTab_; }
    int AllCluesHighlight() const { return allCluesHighlight_; }
    CScrollBarCtrl* HorizontalBar() const { return hScrollBar_; }
    CScrollBarCtrl* VerticalBar() const { return vScrollBar_; }
    CRebusEdit* RebusEdit() const { return rebusEdit_; }
    // A square's rectangle in the view, border lines included.
    QRect CellOnScreen(int index) const;
    // The square drawn at a point of the view; -1 for none.
    int CellAtPoint(QPoint point) const;
    const CPuzzle* Puzzle() const { return puzzle_; }

signals:
    // SelectCell ran: the cursor or its direction may have changed.
    void CursorMoved();
    // A command changed the solving options.
    void OptionsChanged();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool IsLoaded() const;
    bool HasCursor() const;
    void SyncGeometry() const;
    GridColors Colors() const;
    GridRect VisibleContent(GridRect* grid) const;
    void OnScrollChanged(int controlId);
    void DragTo(QPoint point);
    static int DraggedPos(const CScrollBarCtrl& bar, int delta);
    void ShowHint(int mode);
    void RunDownload();
    bool RefuseIfScrambled();
    void SetCellSize(int size);
    void JumpToChosenClue();
    void ShowPuzzleInfo();
    void CustomizeColors();
    void ReportIfFilled();
    void EndHint();
    void MoveAfterEntry();
    void OpenRebusEdit();
    void OnRebusCommitted(const QString& letters);
    bool NextSquareAfterEntry(int* next) const;
    bool OnSolvingCommand(int id);
    bool OnSolvingKey(int key);
    void StepHistory(bool redo);
    void ClearCurrentWord();
    void ClearAllEntries();
    void ToggleOption(int id);
    void GoToClue(int clue);
    void GoToWordEnd(bool last);
    void ShowCursorChange(int oldClue, bool word);
    bool KeepsListedWord();
    bool IsCheckable() const;

    CPuzzle* puzzle_;
    CPuzzleStore* store_ = nullptr;
    CClueView* clueView_;
    CScrollBarCtrl* hScrollBar_;
    CScrollBarCtrl* vScrollBar_;
    CRebusEdit* rebusEdit_;
    mutable GridGeometry geometry_;
    GridPainter painter_;
    int hintMode_ = HintNone;
    bool checkMode_ = false;
    bool clueBarEmpty_ = true;
    int allCluesTab_ = 1;
    int allCluesHighlight_ = 1;
    QList<int> listedWord_;
    QString listedLine_;
    QPoint lastPainted_{-1000, -1000};
    int lastHeight_ = 0;
    QPoint drag_;
    bool dragging_ = false;
    // Until the frame gives the user's options, the grid behaves as designed.
    SolvingOptions options_{false, false, false, false};
};
