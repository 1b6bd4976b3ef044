#include "ui/controls/clue_list_ctrl.h"

#include "core/message_event.h"
#include "data/color_schemes.h"
#include "data/settings.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/draw_surface.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "ui/controls/shape_drawing.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QStyle>
#include <QWheelEvent>

#include <algorithm>
#include <climits>

namespace {

constexpr int kBorder = ClueListRows::kBorder;
const QColor kSelectedBackground(0x00, 0xFF, 0xFF);
constexpr int kTextFlags = Qt::TextWordWrap | Qt::AlignVCenter | Qt::AlignLeft;

int LineHeight()
{
    return QFontMetrics(DefaultFont()).height();
}

} // namespace

CClueListCtrl::CClueListCtrl(QWidget* parent)
    : QWidget(parent), scrollBar_(new CScrollBarCtrl(false, this)), owner_(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
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

void CClueListCtrl::ShowList(bool across)
{
    selectedRow_ = -1;
    showAcross_ = across;
    Relayout();
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
    if (items_ == nullptr)
        return 0;
    return showAcross_ ? items_->acrossCount : items_->DownCount();
}

int CClueListCtrl::FirstShown() const
{
    return showAcross_ || items_ == nullptr ? 0 : items_->acrossCount;
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
    const QFontMetrics metrics(DefaultFont());
    const int line = metrics.height();
    QList<int> heights;
    for (int row = 0; row < ShownCount(); ++row) {
        const QRect bounds = metrics.boundingRect(QRect(0, 0, textWidth, INT_MAX / 2), kTextFlags, Item(row).text);
        heights.append(std::max(bounds.height(), line));
    }
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

void CClueListCtrl::PaintRows(CDrawSurface& surface) const
{
    const int scroll = ScrollPos();
    const int textWidth = TextWidth(!scrollBar_->isHidden());
    const QColor solved = QColorFromRef(g_settings->colorSchemes.GetColor(kSolvedClueText));
    surface.setBackgroundMode(Qt::OpaqueMode);
    for (int row = 0; row < rows_.Count() && row < ShownCount(); ++row) {
        const QRect box(kBorder, rows_.Top(row) - scroll + kBorder, textWidth, rows_.Height(row));
        if (box.bottom() < 0 || box.top() >= height())
            continue;
        const ClueListItem& item = Item(row);
        surface.setPen(highlightSolved_ && item.filled ? solved : QColor(Qt::black));
        surface.setBackground(row == selectedRow_ ? kSelectedBackground : QColor(Qt::white));
        surface.drawText(box, kTextFlags, item.text);
    }
    surface.setBackgroundMode(Qt::TransparentMode);
}

void CClueListCtrl::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const int row = rows_.TapRow(size(), event->position().toPoint(), ScrollPos());
    if (row == ClueListRows::kTapIgnored || row == selectedRow_)
        return;
    selectedRow_ = row;
    if (owner_ != nullptr)
        QCoreApplication::postEvent(owner_, new MessageEvent(UM_CLUE_CHOSEN));
    repaint();
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
