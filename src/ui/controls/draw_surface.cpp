#include "ui/controls/draw_surface.h"

#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/shape_drawing.h"

#include <utility>

CDrawSurface::CDrawSurface(QWidget* window, bool buffered, QImage* cache)
    : window_(window), cache_(cache), buffered_(buffered && cache != nullptr)
{
    BuildTools();
    if (buffered_)
        buffered_ = BeginBuffered();
    if (!buffered_)
        begin(window);
    SelectDefaultFont(*this);
}

CDrawSurface::~CDrawSurface()
{
    RestoreObjects();
    end();
    if (buffered_ && window_ != nullptr) {
        QPainter screen(window_);
        screen.drawImage(0, 0, *cache_);
    }
}

bool CDrawSurface::BeginBuffered()
{
    const qreal ratio = window_->devicePixelRatioF();
    const QSize pixels = window_->size() * ratio;
    if (cache_->size() != pixels) {
        *cache_ = QImage(pixels, QImage::Format_RGB32);
        if (cache_->isNull())
            return false;
        cache_->setDevicePixelRatio(ratio);
    }
    return begin(cache_);
}

void CDrawSurface::BuildTools()
{
    const auto color = [](int index) { return QColorFromRef(PaletteColor(index)); };
    brushes_ = {QBrush(color(kPaletteHighlight)), QBrush(color(kPaletteBlack)), QBrush(color(kPaletteFace)),
                QBrush(color(kPaletteShadow))};
    pens_ = {QPen(color(kPaletteBlack), 1), QPen(color(kPaletteFace30), 1), QPen(color(kPaletteFace), 1),
             QPen(QColorFromRef(GetSystemColor(SystemColor::ButtonHighlight)), 1),
             QPen(color(kPaletteShadow), 1)};
}

const QBrush& CDrawSurface::ToolBrush(SurfaceBrush brush) const
{
    return brushes_.at(static_cast<std::size_t>(brush));
}

const QPen& CDrawSurface::ToolPen(SurfacePen pen) const
{
    return pens_.at(static_cast<std::size_t>(pen));
}

void CDrawSurface::SelectPen(const QPen& pen)
{
    if (!oldPen_)
        oldPen_ = this->pen();
    setPen(pen);
}

void CDrawSurface::SelectBrush(const QBrush& brush)
{
    if (!oldBrush_)
        oldBrush_ = this->brush();
    setBrush(brush);
}

void CDrawSurface::SelectFont(const QFont& font)
{
    if (!oldFont_)
        oldFont_ = this->font();
    setFont(font);
}

void CDrawSurface::RestoreObjects()
{
    if (oldPen_)
        setPen(*std::exchange(oldPen_, std::nullopt));
    if (oldBrush_)
        setBrush(*std::exchange(oldBrush_, std::nullopt));
    if (oldFont_)
        setFont(*std::exchange(oldFont_, std::nullopt));
}

void CDrawSurface::DrawLine(int x1, int y1, int x2, int y2, quint32 color, Qt::PenStyle style, int width)
{
    const QPen previous = pen();
    setPen(QPen(QBrush(QColorFromRef(color)), width, style));
    DrawLineExcludingEnd(*this, x1, y1, x2, y2);
    setPen(previous);
}

void CDrawSurface::MoveLine(int x1, int y1, int x2, int y2)
{
    DrawLineExcludingEnd(*this, x1, y1, x2, y2);
}
