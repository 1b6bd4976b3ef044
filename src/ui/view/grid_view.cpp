#include "ui/view/grid_view.h"

#include "core/message_event.h"
#include "core/puzzle.h"
#include "core/puzzle_store.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "data/solution_refusal.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/draw_surface.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "ui/download/url_list_selector.h"
#include "ui/view/grid_accessible.h"
#include "ui/view/rebus_edit.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>

#include <algorithm>

namespace {

// The move code of the model's FindNeighbour for a key, or -1.
int MoveForKey(int key)
{
    switch (key) {
    case Qt::Key_Left:
        return CPuzzle::MoveLeft;
    case Qt::Key_Right:
        return CPuzzle::MoveRight;
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        return CPuzzle::MoveUp;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        return CPuzzle::MoveDown;
    case Qt::Key_Backspace:
        return CPuzzle::MovePrevious;
    default:
        return -1;
    }
}

} // namespace

CGridView::CGridView(CPuzzle* puzzle, CClueView* clueView, QWidget* parent)
    : QWidget(parent),
      puzzle_(puzzle),
      clueView_(clueView),
      hScrollBar_(new CScrollBarCtrl(true, this)),
      vScrollBar_(new CScrollBarCtrl(false, this)),
      rebusEdit_(new CRebusEdit(this))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    hScrollBar_->Create(QRect(), this, kHorizontalBarId, false);
    vScrollBar_->Create(QRect(), this, kVerticalBarId, false);
    connect(rebusEdit_, &CRebusEdit::Committed, this, &CGridView::OnRebusCommitted);
    connect(rebusEdit_, &CRebusEdit::Closed, this, [this] { setFocus(); });
    connect(this, &CGridView::CursorMoved, this, [this] { CGridAccessible::AnnounceFocus(this); });
}

CGridView::~CGridView() = default;

bool CGridView::IsLoaded() const
{
    return puzzle_->IsLoaded();
}

bool CGridView::HasCursor() const
{
    return IsLoaded() && puzzle_->GetCurrentCell() >= 0;
}

// The geometry follows the model and the settings; the scrollable flags
// change only in RecalcScrollNeeds.
void CGridView::SyncGeometry() const
{
    geometry_.SetGrid(puzzle_->GetWidth(), puzzle_->GetHeight(), IsLoaded());
    geometry_.SetCellSide(GridGeometry::CellSide(g_settings->cellSize));
    geometry_.SetShowBars(g_settings->showScrollbars);
    geometry_.SetBarThickness(style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this));
}

QSize CGridView::GetGridSize() const
{
    SyncGeometry();
    return geometry_.GetGridSize();
}

GridOrigin CGridView::GetGridOrigin(GridRect& r, bool inset) const
{
    SyncGeometry();
    return geometry_.GetGridOrigin(r, inset, hScrollBar_->Pos(), vScrollBar_->Pos());
}

GridRect CGridView::GetCellRect(bool word, int index) const
{
    SyncGeometry();
    return geometry_.GetCellRect(*puzzle_, word, index, hScrollBar_->Max(), vScrollBar_->Max());
}

bool CGridView::IsInCurrentWord(int cell) const
{
    return IsCellInCurrentWord(*puzzle_, cell);
}

// The content rectangle the paint clips to (without the shown bars) and, in
// grid, the whole grid's rectangle as it is drawn.
GridRect CGridView::VisibleContent(GridRect* grid) const
{
    GridRect content = GridRect::FromSize(size()).Inset(2);
    const GridOrigin origin = GetGridOrigin(content, false);
    *grid = geometry_.GridOnScreen(content, origin);
    return content;
}

QRect CGridView::ShownGridRect() const
{
    if (!IsLoaded())
        return {};
    GridRect grid;
    const GridRect content = VisibleContent(&grid);
    return grid.ToQRect() & content.ToQRect();
}

QRect CGridView::ShownCurrentCellRect() const
{
    if (!HasCursor())
        return {};
    GridRect grid;
    const GridRect content = VisibleContent(&grid);
    const GridRect cell = geometry_.CellRect(puzzle_->GetCurrentCell());
    return cell.ToQRect().translated(grid.left, grid.top) & content.ToQRect();
}

QRect CGridView::CellOnScreen(int index) const
{
    GridRect grid;
    VisibleContent(&grid);
    return geometry_.CellRect(index).ToQRect().translated(grid.left, grid.top);
}

int CGridView::CellAtPoint(QPoint point) const
{
    SyncGeometry();
    return geometry_.CellAt(size(), point, hScrollBar_->Pos(), vScrollBar_->Pos());
}

QPoint CGridView::ScrollPos() const
{
    return QPoint(hScrollBar_->Pos(), vScrollBar_->Pos());
}

void CGridView::RecalcScrollNeeds()
{
    SyncGeometry();
    geometry_.RecalcScrollNeeds(size());
    UpdateScrollBars();
}

void CGridView::UpdateScrollBars()
{
    SyncGeometry();
    const std::pair<CScrollBarCtrl*, ScrollBarPlan> bars[] = {
        {hScrollBar_, geometry_.HorizontalBar(size(), hScrollBar_->Pos())},
        {vScrollBar_, geometry_.VerticalBar(size(), vScrollBar_->Pos())},
    };
    for (const auto& [bar, plan] : bars) {
        const bool scrollable = bar == hScrollBar_ ? geometry_.HScrollable() : geometry_.VScrollable();
        if (scrollable) {
            bar->setGeometry(plan.rect.ToQRect());
            bar->SetScrollValues(plan.page, plan.line, 0, plan.max, plan.pos, true);
        } else {
            bar->SetPosition(0);
        }
        bar->setVisible(plan.visible);
    }
    update();
}

void CGridView::EnsureVisible(bool word)
{
    if (!HasCursor())
        return;
    SyncGeometry();
    const QPoint pos = geometry_.EnsureVisible(*puzzle_, word, size(), ScrollPos(), hScrollBar_->Max(),
                                               vScrollBar_->Max());
    if (pos.x() != hScrollBar_->Pos())
        hScrollBar_->SetPosition(pos.x());
    if (pos.y() != vScrollBar_->Pos())
        vScrollBar_->SetPosition(pos.y());
}

void CGridView::ShowClue(int clue)
{
    if (clueView_ == nullptr)
        return;
    const PuzzleClue* record = puzzle_->GetClue(clue);
    if (record == nullptr) {
        clueView_->SetClueText(QString());
        return;
    }
    clueView_->SetClueText(QStringLiteral("%1 %2. %3")
                               .arg(QString::number(record->number), QString(QChar(record->isAcross ? 'a' : 'd')),
                                    puzzle_->WidenText(record->text)));
}

void CGridView::UpdateClueBar(bool clear)
{
    if (clear) {
        if (clueView_ != nullptr)
            clueView_->SetClueText(QString());
        clueBarEmpty_ = true;
        return;
    }
    ShowClue(HasCursor() ? puzzle_->GetCurrentClue() : -1);
    clueBarEmpty_ = false;
}

void CGridView::OnPuzzleOpened()
{
    rebusEdit_->Cancel();
    listedWord_.clear();
    hintMode_ = HintNone;
    UpdateClueBar(false);
    RecalcScrollNeeds();
    SelectCell(0, SelectClue);
    CGridAccessible::AnnounceNewGrid(this);
}

void CGridView::SelectCell(int target, int mode)
{
    hintMode_ = HintNone;
    if (!IsLoaded())
        return;
    bool across = puzzle_->IsAcross();
    const int current = puzzle_->GetCurrentCell();
    const int oldClue = current >= 0 ? puzzle_->GetCell(current).WordOf(across) : -1;
    if (mode == SelectClue) {
        quint8 clueAcross = 0;
        target = puzzle_->FindWordStart(target, &clueAcross);
        if (target < 0)
            return;
        across = clueAcross != 0;
    }
    const bool sameCell = target == current;
    if (!sameCell)
        puzzle_->SetCurrentCell(target);
    if (mode == SelectTap && sameCell)
        across = !across;
    if (puzzle_->GetCell(target).WordOf(across) == -1) {
        across = !across;
        if (mode == SelectStep)
            mode = SelectTap;
    }
    if (across != puzzle_->IsAcross())
        puzzle_->SetAcross(across);
    ShowCursorChange(oldClue, mode != SelectStep);
}

// An encrypted puzzle's stored solution is scrambled, so comparing entries
// with it would mark right letters wrong; check mode is refused like hints.
void CGridView::SetCheckMode(bool on)
{
    if (on) {
        if (!IsLoaded() || RefuseIfScrambled())
            return;
        hintMode_ = HintNone;
    } else if (!checkMode_) {
        return;
    }
    checkMode_ = on;
    update();
}

bool CGridView::OnCommand(int id)
{
    switch (id) {
    case ID_REVEAL_LETTER:
        ShowHint(HintLetter);
        return true;
    case ID_REVEAL_WORD:
        ShowHint(HintWord);
        return true;
    case ID_REVEAL_PUZZLE:
        ShowHint(HintPuzzle);
        return true;
    case ID_SMALL_CELLS:
    case ID_MEDIUM_CELLS:
    case ID_LARGE_CELLS:
        SetCellSize(id - ID_SMALL_CELLS);
        return true;
    case ID_DOWNLOAD:
        RunDownload();
        return true;
    case ID_ALL_CLUES:
        JumpToChosenClue();
        return true;
    case ID_PUZZLE_INFO:
        ShowPuzzleInfo();
        return true;
    case ID_CUSTOMIZE_COLORS:
        CustomizeColors();
        return true;
    default:
        return OnSolvingCommand(id);
    }
}

// The Download Puzzle dialog ends accepted when the user chose to open the
// puzzle just downloaded.
void CGridView::RunDownload()
{
    CURLListSelector dialog(window());
    if (dialog.exec() == QDialog::Accepted && store_ != nullptr)
        store_->OpenPuzzleFile(dialog.DownloadedPath(), true);
}

void CGridView::ApplyAllCluesChoice(int clue, int tab, int highlight)
{
    if (!IsLoaded() || clue < 0)
        return;
    allCluesTab_ = tab;
    allCluesHighlight_ = highlight;
    if (clue != puzzle_->GetCurrentClue())
        SelectCell(clue, SelectClue);
}

void CGridView::ApplyListedClueChoice(const QList<int>& squares, const QString& line, int highlight)
{
    if (!IsLoaded() || squares.isEmpty())
        return;
    allCluesHighlight_ = highlight;
    listedWord_ = squares;
    listedLine_ = line;
    SelectCell(squares.first(), SelectStep);
}

void CGridView::SetCellSize(int size)
{
    if (size == g_settings->cellSize)
        return;
    g_settings->SetCellSize(size);
    RecalcScrollNeeds();
}

void CGridView::ShowHint(int mode)
{
    if (RefuseIfScrambled() || hintMode_ == mode)
        return;
    hintMode_ = mode;
    update();
}

// Checking and revealing need the solution: an encrypted puzzle has it only
// scrambled, and some puzzles come without it.
bool CGridView::RefuseIfScrambled()
{
    if (!HasCursor())
        return true;
    const std::optional<SolutionRefusal> refusal = SolutionRefusalFor(*puzzle_);
    if (!refusal)
        return false;
    UserPrompt::Show(refusal->text, refusal->caption, UserPrompt::Icon::Information);
    return true;
}

// Any key, character or tap ends a hint; the picture must then lose it even
// when nothing else changes.
void CGridView::EndHint()
{
    if (hintMode_ == HintNone)
        return;
    hintMode_ = HintNone;
    update();
}

void CGridView::OnKeyDown(int key)
{
    if (!HasCursor())
        return;
    EndHint();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        SelectCell(puzzle_->GetCurrentCell(), SelectTap);
        return;
    }
    if (key == Qt::Key_Insert) {
        OpenRebusEdit();
        return;
    }
    if (OnSolvingKey(key))
        return;
    const int move = MoveForKey(key);
    if (move < 0)
        return;
    if (key == Qt::Key_Backspace) {
        puzzle_->SetCurrentEntry(' ');
        CGridAccessible::AnnounceSquare(this, puzzle_->GetCurrentCell());
    }
    int next = -1;
    if (puzzle_->FindNeighbour(move, &next))
        SelectCell(next, SelectStep);
    else if (key == Qt::Key_Backspace)
        update();
}

void CGridView::OnChar(QChar character)
{
    if (!HasCursor() || character.unicode() > 0x7F)
        return;
    char letter = character.toLatin1();
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - 'a' + 'A');
    if ((letter < 'A' || letter > 'Z') && letter != ' ')
        return;
    puzzle_->SetCurrentEntry(letter, options_.pencil);
    CGridAccessible::AnnounceSquare(this, puzzle_->GetCurrentCell());
    MoveAfterEntry();
}

// After an entry the cursor goes on to the next square of the word, and a
// full grid gets its verdict.
void CGridView::MoveAfterEntry()
{
    int next = -1;
    const bool hasNext = NextSquareAfterEntry(&next);
    hintMode_ = HintNone;
    if (hasNext)
        SelectCell(next, SelectStep);
    else
        update();
    ReportIfFilled();
}

void CGridView::OpenRebusEdit()
{
    const int cell = puzzle_->GetCurrentCell();
    EnsureVisible(false);
    rebusEdit_->Open(CellOnScreen(cell), puzzle_->GetEntryText(cell));
}

void CGridView::OnRebusCommitted(const QString& letters)
{
    if (!HasCursor())
        return;
    puzzle_->SetCurrentEntryText(letters.toLatin1(), options_.pencil);
    CGridAccessible::AnnounceSquare(this, puzzle_->GetCurrentCell());
    MoveAfterEntry();
}

void CGridView::OnKeyboardChar(char letter)
{
    OnChar(QChar::fromLatin1(letter));
}

void CGridView::OnKeyboardKeyDown(int keyCode)
{
    if (keyCode == kBackspaceKeyCode)
        OnKeyDown(Qt::Key_Backspace);
}

// A full encrypted grid cannot be judged against its scrambled solution, nor
// a grid whose puzzle comes without one, so they get no verdict.
void CGridView::ReportIfFilled()
{
    if (!puzzle_->IsFilled() || !IsCheckable())
        return;
    if (puzzle_->IsSolved()) {
        UserPrompt::Show(QStringLiteral("The puzzle has been solved correctly"), QStringLiteral("Congratulations!"),
                         UserPrompt::Icon::Information);
    } else {
        UserPrompt::Show(
            QStringLiteral("Sorry. The puzzle has been solved with mistake(s). Please revise your answers."),
            QStringLiteral("Solved Incorrectly"), UserPrompt::Icon::Warning);
    }
}

bool CGridView::event(QEvent* event)
{
    // Tab and Shift+Tab move between clues here instead of between windows.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
    }
    switch (MessageEvent::IdOf(event)) {
    case UM_PUZZLE_CLOSED:
        rebusEdit_->Cancel();
        RecalcScrollNeeds();
        CGridAccessible::AnnounceNewGrid(this);
        return true;
    case UM_SCROLL_CHANGED:
        OnScrollChanged(static_cast<int>(static_cast<MessageEvent*>(event)->WParam()));
        return true;
    default:
        return QWidget::event(event);
    }
}

void CGridView::OnScrollChanged(int controlId)
{
    if (controlId != kHorizontalBarId && controlId != kVerticalBarId)
        return;
    const QPoint pos = ScrollPos();
    if (pos == lastPainted_)
        return;
    lastPainted_ = pos;
    update();
}

GridColors CGridView::Colors() const
{
    GridColors colors;
    for (std::size_t role = 0; role < colors.scheme.size(); ++role)
        colors.scheme[role] = QColorFromRef(g_settings->colorSchemes.GetColor(static_cast<int>(role)));
    colors.buttonHighlight = QColorFromRef(GetSystemColor(SystemColor::ButtonHighlight));
    colors.buttonShadow = QColorFromRef(GetSystemColor(SystemColor::ButtonShadow));
    colors.faceLight = QColorFromRef(Brighten(Brighten(GetSystemColor(SystemColor::ButtonFace), 30), 10));
    return colors;
}

void CGridView::paintEvent(QPaintEvent*)
{
    if (!IsLoaded() && !clueBarEmpty_)
        UpdateClueBar(true);
    SyncGeometry();
    // Painted straight into the window's backing store, which already keeps
    // the screen from flickering: a kept image of the whole view would cost
    // its size in memory for as long as the program runs.
    CDrawSurface surface(this, false, nullptr);
    GridPaintState state{hScrollBar_->Pos(), vScrollBar_->Pos(), hintMode_, WrongLettersShown(), NumbersShown()};
    state.listedWord = &listedWord_;
    painter_.Paint(surface, size(), *puzzle_, geometry_, state, Colors(),
                   LetterFont(GridGeometry::LetterHeight(g_settings->cellSize)));
}

void CGridView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    RecalcScrollNeeds();
    if (lastHeight_ > height())
        EnsureVisible(true);
    lastHeight_ = height();
}

void CGridView::keyPressEvent(QKeyEvent* event)
{
    OnKeyDown(event->key());
    for (const QChar character : event->text())
        OnChar(character);
}

void CGridView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const QPoint point = event->position().toPoint();
    if (geometry_.HScrollable() || geometry_.VScrollable()) {
        drag_ = point;
        dragging_ = true;
    }
    if (!HasCursor())
        return;
    const int cell = CellAtPoint(point);
    if (cell < 0 || puzzle_->GetCell(cell).solution == ' ')
        return;
    hintMode_ = HintNone;
    SelectCell(cell, SelectTap);
}

void CGridView::mouseMoveEvent(QMouseEvent* event)
{
    if (dragging_)
        DragTo(event->position().toPoint());
}

int CGridView::DraggedPos(const CScrollBarCtrl& bar, int delta)
{
    const int last = std::max(bar.Max() - bar.Page() + 1, bar.Min());
    return std::clamp(bar.Pos() - delta, bar.Min(), last);
}

void CGridView::DragTo(QPoint point)
{
    if (point == drag_)
        return;
    bool moved = false;
    if (geometry_.HScrollable() && point.x() != drag_.x()) {
        const int pos = DraggedPos(*hScrollBar_, point.x() - drag_.x());
        moved |= pos != hScrollBar_->Pos();
        if (pos != hScrollBar_->Pos())
            hScrollBar_->SetPosition(pos);
    }
    if (geometry_.VScrollable() && point.y() != drag_.y()) {
        const int pos = DraggedPos(*vScrollBar_, point.y() - drag_.y());
        moved |= pos != vScrollBar_->Pos();
        if (pos != vScrollBar_->Pos())
            vScrollBar_->SetPosition(pos);
    }
    drag_ = point;
    if (moved)
        update();
}

void CGridView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !dragging_)
        return;
    dragging_ = false;
    update();
}

// A screen reader follows the cursor's square, not the window, once the
// grid has the focus.
void CGridView::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    CGridAccessible::AnnounceFocus(this);
}

// A second tap reported as a double tap neither moves the cursor nor toggles
// the direction; only the first tap of the pair counts.
void CGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}
