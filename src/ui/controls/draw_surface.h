#pragma once

#include <QBrush>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>

// The solid brushes and 1-pixel pens every surface offers, from the control palette.
enum class SurfaceBrush { Highlight, Black, Face, Shadow };
enum class SurfacePen { Black, Face30, Face, SystemHighlight, Shadow };

// One paint of a window, made inside its paintEvent. Buffered, it paints into
// the image the window keeps between paints (replaced only when the window's
// size changed) and copies it to the window in one drawImage when destroyed;
// direct, it paints on the window itself. The default font is selected at the
// start, and pens, brushes and fonts selected through it are put back at the end.
class CDrawSurface : public QPainter {
public:
    CDrawSurface(QWidget* window, bool buffered, QImage* cache);
    ~CDrawSurface();

    CDrawSurface(const CDrawSurface&) = delete;
    CDrawSurface& operator=(const CDrawSurface&) = delete;

    bool IsBuffered() const { return buffered_; }

    const QBrush& ToolBrush(SurfaceBrush brush) const;
    const QPen& ToolPen(SurfacePen pen) const;

    // Select a drawing object, remembering the replaced one the first time.
    void SelectPen(const QPen& pen);
    void SelectBrush(const QBrush& brush);
    void SelectFont(const QFont& font);
    // Puts back the remembered pen, brush and font.
    void RestoreObjects();

    // A line in a temporary pen (color is 0x00BBGGRR), the current pen kept.
    void DrawLine(int x1, int y1, int x2, int y2, quint32 color, Qt::PenStyle style = Qt::SolidLine,
                  int width = 1);
    // A line in the current pen. Both leave out the end pixel.
    void MoveLine(int x1, int y1, int x2, int y2);

private:
    bool BeginBuffered();
    void BuildTools();

    QPointer<QWidget> window_;
    QImage* cache_;
    bool buffered_;
    std::array<QBrush, 4> brushes_;
    std::array<QPen, 5> pens_;
    std::optional<QPen> oldPen_;
    std::optional<QBrush> oldBrush_;
    std::optional<QFont> oldFont_;
};
