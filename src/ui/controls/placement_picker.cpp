#include "ui/controls/placement_picker.h"

#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/draw_surface.h"

#include <QFont>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

constexpr int kPictureSide = 96;
constexpr int kLowResPictureSide = 48;
const QColor kSelectedFill(0x64, 0x64, 0x64);
const QColor kSelectedFrame(0x00, 0x00, 0xff);

// A rectangle from the edges (left, top, right, bottom) with right and bottom outside.
QRect FromEdges(int left, int top, int right, int bottom)
{
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

void FrameRect(QPainter& painter, const QRect& rect, const QColor& color)
{
    painter.setPen(QPen(color, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void DrawGrid(QPainter& painter, const QRect& area)
{
    constexpr int kCells = 5;
    static constexpr bool kBlack[kCells][kCells] = {{false, false, true, false, false},
                                                    {false, true, false, false, true},
                                                    {false, false, false, false, false},
                                                    {true, false, false, true, false},
                                                    {false, false, true, false, false}};
    const int cell = std::min(area.width(), area.height()) / kCells;
    const QPoint origin(area.left() + (area.width() - cell * kCells) / 2, area.top() + (area.height() - cell * kCells) / 2);
    painter.setPen(QPen(Qt::black, 0));
    for (int row = 0; row < kCells; ++row) {
        for (int col = 0; col < kCells; ++col) {
            painter.setBrush(kBlack[row][col] ? Qt::black : Qt::white);
            painter.drawRect(origin.x() + col * cell, origin.y() + row * cell, cell, cell);
        }
    }
}

} // namespace

QImage PlacementPicture(bool clueAtTop, int side)
{
    QImage image(side, side, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    const int band = side / 4;
    const QRect bandRect(0, clueAtTop ? 0 : side - band, side, band);
    const QRect gridRect(0, clueAtTop ? band : 0, side, side - band);
    painter.fillRect(bandRect, QColor(0xff, 0xf4, 0xc0));
    FrameRect(painter, bandRect, Qt::black);
    QFont font = painter.font();
    font.setPixelSize(std::max(8, band * 2 / 3));
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(bandRect, Qt::AlignCenter, QStringLiteral("Clue"));
    DrawGrid(painter, gridRect.adjusted(2, 2, -2, -2));
    return image;
}

CPlacementPicker::CPlacementPicker(int selected, bool lowRes, QWidget* parent)
    : QWidget(parent),
      selected_(selected != 0 ? 1 : 0),
      pictureTop_(PlacementPicture(true, lowRes ? kLowResPictureSide : kPictureSide)),
      pictureBottom_(PlacementPicture(false, lowRes ? kLowResPictureSide : kPictureSide))
{
    setFocusPolicy(Qt::StrongFocus);
    NameChoice();
}

// A screen reader hears the chosen picture, and the keys that change it.
void CPlacementPicker::NameChoice()
{
    setAccessibleName(selected_ == 1 ? QStringLiteral("Clue view above the grid")
                                     : QStringLiteral("Clue view below the grid"));
    setAccessibleDescription(QStringLiteral("Left for below the grid, Right for above it"));
}

QSize CPlacementPicker::sizeHint() const
{
    const int side = pictureTop_.width();
    return {side * 2 + 16, side + 12};
}

// The halves meet at the middle; with (l, t, r, b) the client edges, the left
// half spans l + 1 to (r - 1 - (l + 1)) / 2 and the right one the rest.
void CPlacementPicker::ComputeHalves()
{
    const QRect c = rect();
    const int l = c.left();
    const int t = c.top();
    const int r = c.left() + c.width();
    const int b = c.top() + c.height();
    const int half = (r - 1 - (l + 1)) / 2;
    leftRect_ = FromEdges(l + 1, t + 1, half, b - 1);
    rightRect_ = FromEdges(half + 1, t + 1, r - 1, b - 1);
}

void CPlacementPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    ComputeHalves();
    update();
}

void CPlacementPicker::mousePressEvent(QMouseEvent* event)
{
    OnTap(event->position().toPoint());
}

void CPlacementPicker::mouseDoubleClickEvent(QMouseEvent* event)
{
    OnTap(event->position().toPoint());
}

void CPlacementPicker::OnTap(const QPoint& point)
{
    if (leftRect_.isEmpty())
        ComputeHalves();
    if ((selected_ == 0 && leftRect_.contains(point)) || (selected_ == 1 && rightRect_.contains(point)))
        return;
    Select(1 - selected_);
}

void CPlacementPicker::Select(int selected)
{
    if (selected == selected_)
        return;
    selected_ = selected;
    NameChoice();
    update();
}

void CPlacementPicker::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left:
        Select(0);
        break;
    case Qt::Key_Right:
        Select(1);
        break;
    case Qt::Key_Space:
        Select(1 - selected_);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CPlacementPicker::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
}

void CPlacementPicker::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void CPlacementPicker::paintEvent(QPaintEvent*)
{
    ComputeHalves();
    CDrawSurface painter(this, true, &backBuffer_);
    painter.fillRect(rect().adjusted(1, 1, -1, -1), QColorFromRef(PaletteColor(kPaletteFace30)));
    FrameRect(painter, rect(), QColorFromRef(PaletteColor(kPaletteShadow)));
    const QRect chosen = selected_ == 1 ? rightRect_ : leftRect_;
    painter.fillRect(chosen.adjusted(1, 1, -1, -1), kSelectedFill);
    FrameRect(painter, chosen, kSelectedFrame);
    FrameRect(painter, chosen.adjusted(1, 1, -1, -1), kSelectedFrame);
    for (const auto& [half, picture] : {std::pair{leftRect_, &pictureBottom_}, std::pair{rightRect_, &pictureTop_}}) {
        const QPoint topLeft(half.left() + (half.width() - picture->width()) / 2,
                             half.top() + (half.height() - picture->height()) / 2);
        painter.drawImage(topLeft, *picture);
    }
    if (hasFocus()) {
        painter.setPen(QPen(Qt::black, 0, Qt::DotLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}
