#include "ui/controls/clue_list_ctrl.h"

#include "core/message_event.h"
#include "data/color_schemes.h"
#include "data/settings.h"
#include "ui/controls/accessible_element.h"
#include "ui/controls/clue_list_accessible.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/draw_surface.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "ui/controls/shape_drawing.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyle>
#include <QTextLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

constexpr int kBorder = ClueListRows::kBorder;
const QColor kSelectedBackground(0x00, 0xFF, 0xFF);

int LineHeight()
{
    return QFontMetrics(DefaultFont()).height();
}

// A clue laid out in lines of the given width, broken between words and,
// where one word is wider than the line, inside it.
class WrappedClue {
public:
    WrappedClue(const QString& text, int width) : layout_(text, DefaultFont())
    {
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout_.setTextOption(option);
        layout_.beginLayout();
        for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
            line.setLineWidth(width);
            line.setPosition(QPointF(0, height_));
            height_ += line.height();
        }
        layout_.endLayout();
    }

    int Height() const { return int(std::ceil(height_)); }

    // Draws the lines centred down the box, on the background where they have ink.
    void Draw(QPainter& painter, const QRect& box, const QColor& background)
    {
        const QPointF origin(box.left(), box.top() + (box.height() - Height()) / 2);
        const QRectF ink = layout_.boundingRect();
        painter.fillRect(QRectF(origin, QSizeF(layout_.maximumWidth(), ink.height())), background);
        layout_.draw(&painter, origin);
    }

private:
    QTextLayout layout_;
    qreal height_ = 0;
};

} // namespace

CClueListCtrl::CClueListCtrl(QWidget* parent)
    : QWidget(parent), scrollBar_(new CScrollBarCtrl(false, this)), owner_(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    scrollBar_->Create(QRect(), this, kScrollBarId, false);
}

void CClueListCtrl::SetItems(const ClueListItems* items)
{
    items_ = items;
    Relayout();
}

void CClueListCtrl::SetOwner(QWidget* owner)
{
    owner_ = owner;
}

void CClueListCtrl::ShowSection(int section)
{
    selectedRow_ = -1;
    selectedByKey_ = false;
    section_ = section;
    Relayout();
    CClueListAccessible::AnnounceNewRows(this);
}

void CClueListCtrl::SetHighlightSolved(bool on)
{
    if (on == highlightSolved_)
        return;
    highlightSolved_ = on;
    update();
}

int CClueListCtrl::ShownCount() const
{
    return items_ == nullptr ? 0 : items_->Section(section_).count;
}

int CClueListCtrl::FirstShown() const
{
    return items_ == nullptr ? 0 : items_->Section(section_).first;
}

QString CClueListCtrl::ShownTitle() const
{
    return items_ == nullptr ? QString() : items_->Section(section_).title;
}

const ClueListItem& CClueListCtrl::Item(int row) const
{
    return items_->items.at(FirstShown() + row);
}

int CClueListCtrl::ScrollPos() const
{
    return scrollBar_->isHidden() ? 0 : scrollBar_->Pos();
}

int CClueListCtrl::TextWidth(bool withBar) const
{
    const int bar = withBar ? style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this) : 0;
    return std::max(width() - 2 * kBorder - bar, 1);
}

// Every row is as tall as its clue wrapped to the text width, so long clues
// are read whole.
ClueListRows CClueListCtrl::MeasureRows(int textWidth) const
{
    const int line = LineHeight();
    QList<int> heights;
    for (int row = 0; row < ShownCount(); ++row)
        heights.append(std::max(WrappedClue(Item(row).text, textWidth).Height(), line));
    return ClueListRows(heights);
}

void CClueListCtrl::Relayout()
{
    rows_ = MeasureRows(TextWidth(false));
    if (!rows_.NeedsScroll(height())) {
        scrollBar_->hide();
        update();
        return;
    }
    rows_ = MeasureRows(TextWidth(true));
    const int barWidth = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    scrollBar_->setGeometry(width() - kBorder - barWidth, kBorder, barWidth, height() - 2 * kBorder);
    scrollBar_->SetScrollValues(rows_.ScrollPage(height()), std::max(LineHeight(), 1), 0, rows_.ScrollMax(), 0, true);
    scrollBar_->show();
    update();
}

void CClueListCtrl::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Relayout();
}

bool CClueListCtrl::event(QEvent* event)
{
    if (MessageEvent::IdOf(event) == UM_SCROLL_CHANGED) {
        repaint();
        return true;
    }
    return QWidget::event(event);
}

void CClueListCtrl::paintEvent(QPaintEvent*)
{
    CDrawSurface surface(this, true, &backBuffer_);
    surface.fillRect(rect(), Qt::white);
    FrameRectWithBrush(surface, rect(), QBrush(Qt::black));
    surface.setClipRect(rect().adjusted(kBorder, kBorder, -kBorder, -kBorder));
    PaintRows(surface);
}

QRect CClueListCtrl::RowRect(int row) const
{
    return QRect(kBorder, rows_.Top(row) - ScrollPos() + kBorder, TextWidth(!scrollBar_->isHidden()),
                 rows_.Height(row));
}

void CClueListCtrl::PaintRows(CDrawSurface& surface) const
{
    const int textWidth = TextWidth(!scrollBar_->isHidden());
    const QColor solved = QColorFromRef(g_settings->colorSchemes.GetColor(kSolvedClueText));
    for (int row = 0; row < rows_.Count() && row < ShownCount(); ++row) {
        const QRect box = RowRect(row);
        if (box.bottom() < 0 || box.top() >= height())
            continue;
        const ClueListItem& item = Item(row);
        surface.setPen(highlightSolved_ && item.filled ? solved : QColor(Qt::black));
        WrappedClue(item.text, textWidth)
            .Draw(surface, box, row == selectedRow_ ? kSelectedBackground : QColor(Qt::white));
    }
}

void CClueListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int row = rows_.TapRow(size(), event->position().toPoint(), ScrollPos());
    if (row == ClueListRows::kTapIgnored || (row == selectedRow_ && !selectedByKey_))
        return;
    selectedRow_ = row;
    ChooseSelected();
}

void CClueListCtrl::ChooseRow(int row)
{
    if (row < 0 || row >= rows_.Count())
        return;
    selectedRow_ = row;
    ChooseSelected();
}

void CClueListCtrl::ChooseSelected()
{
    selectedByKey_ = false;
    AnnounceSelection();
    if (owner_ != nullptr)
        QCoreApplication::postEvent(owner_, new MessageEvent(UM_CLUE_CHOSEN));
    repaint();
}

void CClueListCtrl::SelectRow(int row)
{
    if (row < 0 || row >= rows_.Count())
        return;
    selectedRow_ = row;
    selectedByKey_ = true;
    if (!scrollBar_->isHidden()) {
        const int last = std::max(scrollBar_->Max() - scrollBar_->Page() + 1, scrollBar_->Min());
        const int shown = rows_.ScrollToShow(row, scrollBar_->Pos(), height());
        scrollBar_->SetPosition(std::clamp(shown, scrollBar_->Min(), last));
    }
    AnnounceSelection();
    repaint();
}

// A screen reader reads the selected row as the focused item.
void CClueListCtrl::AnnounceSelection()
{
    if (hasFocus())
        AccessibleElement::Announce(this, selectedRow_, QAccessible::Focus);
}

void CClueListCtrl::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    AnnounceSelection();
}

void CClueListCtrl::keyPressEvent(QKeyEvent* event)
{
    const int key = event->key();
    const QString text = event->text();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        if (selectedRow_ >= 0)
            ChooseSelected();
    } else if (key == Qt::Key_Left || key == Qt::Key_Right) {
        RequestSection(section_ + (key == Qt::Key_Left ? -1 : 1));
    } else if (const int row = rows_.RowAfterKey(key, selectedRow_, height()); row >= 0) {
        SelectRow(row);
    } else if (text.size() == 1 && text.at(0).isDigit()) {
        TypeDigit(text.at(0));
    } else {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Digits typed in quick succession make one number ("1", "2": 12). When no
// clue has the number, the last digit alone is tried.
void CClueListCtrl::TypeDigit(QChar digit)
{
    if (items_ == nullptr)
        return;
    if (!sinceDigit_.isValid() || sinceDigit_.elapsed() > kNumberTypingMs)
        typedNumber_.clear();
    sinceDigit_.start();
    typedNumber_ += digit;
    ClueListJump jump = JumpToClueNumber(*items_, section_, typedNumber_.toInt());
    if (jump.row < 0) {
        typedNumber_ = digit;
        jump = JumpToClueNumber(*items_, section_, typedNumber_.toInt());
    }
    if (jump.row < 0)
        return;
    RequestSection(jump.section);
    SelectRow(jump.row);
}

// The owner switches its tabs and the list; a list on its own switches
// itself. There is nothing before the first section or after the last.
void CClueListCtrl::RequestSection(int section)
{
    const int count = items_ == nullptr ? 2 : std::max(int(items_->sections.size()), 2);
    section = std::clamp(section, 0, count - 1);
    if (section == section_)
        return;
    emit SectionRequested(section);
    if (section != section_)
        ShowSection(section);
}

void CClueListCtrl::wheelEvent(QWheelEvent* event)
{
    if (scrollBar_->isHidden()) {
        event->ignore();
        return;
    }
    const int notches = event->angleDelta().y() / 120;
    const int last = scrollBar_->Max() - scrollBar_->Page() + 1;
    const int pos = std::clamp(scrollBar_->Pos() - notches * kWheelLines * scrollBar_->Line(), scrollBar_->Min(),
                               std::max(last, scrollBar_->Min()));
    if (pos != scrollBar_->Pos()) {
        scrollBar_->SetPosition(pos);
        repaint();
    }
    event->accept();
}
