#include "ui/controls/toolbar_icons.h"

#include "data/command_ids.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

// The points of a line; spelled out as a list, since clang finds a brace list
// alone ambiguous between QPolygonF's constructors.
QPolygonF Points(std::initializer_list<QPointF> points)
{
    return QPolygonF(QList<QPointF>(points));
}

const QColor kInk(0x20, 0x30, 0x50);
const QColor kBlue(0x2a, 0x6c, 0xd0);
const QColor kGreen(0x1f, 0x9d, 0x3a);
const QColor kAmber(0xf0, 0xb0, 0x20);
const QColor kPaper(0xff, 0xff, 0xff);

// Every picture is designed on a 16 x 16 grid and scaled to the target size,
// so the 16- and 32-pixel images show the same shapes.
void DrawOpen(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kAmber);
    p.drawPolygon(Points({{1.5, 3.5}, {6, 3.5}, {7.5, 5}, {14.5, 5}, {14.5, 13.5}, {1.5, 13.5}}));
    p.setBrush(QColor(0xf8, 0xd0, 0x60));
    p.drawPolygon(Points({{1.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {14.5, 13.5}}));
}

void DrawInfo(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kBlue);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(Qt::NoPen);
    p.setBrush(kPaper);
    p.drawRect(QRectF(7, 6.5, 2, 5.5));
    p.drawEllipse(QRectF(7, 3.5, 2, 2));
}

void DrawCheck(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(kGreen, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Points({{4, 8.5}, {6.8, 11.2}, {12.2, 4.5}}));
}

void DrawReveal(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xff, 0xe0, 0x60));
    p.drawEllipse(QRectF(3.5, 1.5, 9, 9));
    p.setBrush(QColor(0xa0, 0xa0, 0xa8));
    p.drawRect(QRectF(5.5, 10.5, 5, 2));
    p.drawRect(QRectF(6.5, 12.5, 3, 2));
    p.setPen(QPen(kInk, 1));
    p.drawLine(QPointF(8, 10.5), QPointF(8, 7));
}

void DrawAllClues(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    for (int row = 0; row < 4; ++row) {
        const qreal y = 4 + row * 2.8;
        p.setPen(QPen(kBlue, 1.4));
        p.drawPoint(QPointF(4, y));
        p.setPen(QPen(kInk, 1));
        p.drawLine(QPointF(6, y), QPointF(row % 2 == 0 ? 12.5 : 11, y));
    }
}

void DrawAcrossDown(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    for (int i = 0; i < 3; ++i) {
        p.drawRect(QRectF(1.5 + i * 4, 1.5, 4, 4));
        p.drawRect(QRectF(1.5, 1.5 + i * 4, 4, 4));
    }
    p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Points({{8, 9.5}, {14.5, 9.5}}));
    p.drawPolyline(Points({{12.5, 7.5}, {14.5, 9.5}, {12.5, 11.5}}));
    p.setPen(QPen(kGreen, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPolyline(Points({{9.5, 8}, {9.5, 14.5}}));
    p.drawPolyline(Points({{7.5, 12.5}, {9.5, 14.5}, {11.5, 12.5}}));
}

void DrawKeyboard(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(0xd8, 0xdc, 0xe4));
    p.drawRoundedRect(QRectF(0.5, 3.5, 15, 9), 1.5, 1.5);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    for (int col = 0; col < 6; ++col) {
        p.drawRect(QRectF(2 + col * 2.1, 5, 1.2, 1.2));
        p.drawRect(QRectF(2.8 + col * 2.1 - (col == 5 ? 0.8 : 0), 7.3, 1.2, 1.2));
    }
    p.drawRect(QRectF(4.5, 9.7, 7, 1.2));
}

void DrawProgram(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 2, 2);
    static constexpr bool kBlack[4][4] = {
        {false, false, false, true}, {false, true, false, false}, {false, false, true, false}, {true, false, false, false}};
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            p.setBrush(kBlack[row][col] ? QColor(0x10, 0x18, 0x28) : kPaper);
            p.drawRect(QRectF(1.8 + col * 3.2, 1.8 + row * 3.2, 2.8, 2.8));
        }
    }
    p.setBrush(kBlue);
    p.drawRect(QRectF(1.8, 1.8, 2.8, 2.8));
}

// The ">>" of the button that shows the commands a bar has no room for.
void DrawMoreRight(QPainter& p)
{
    p.setPen(QPen(kInk, 1.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(Points({{4, 4.5}, {7.5, 8}, {4, 11.5}}));
    p.drawPolyline(Points({{8.5, 4.5}, {12, 8}, {8.5, 11.5}}));
}

void DrawMoreDown(QPainter& p)
{
    p.rotate(90);
    p.translate(0, -16);
    DrawMoreRight(p);
}

QPixmap Paint(int size, void (*draw)(QPainter&))
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, size > 16);
    painter.scale(size / 16.0, size / 16.0);
    draw(painter);
    return pixmap;
}

} // namespace

QPixmap ToolbarImage(int commandId, int size)
{
    switch (commandId) {
    case ID_OPEN_PUZZLE:
        return Paint(size, DrawOpen);
    case ID_PUZZLE_INFO:
        return Paint(size, DrawInfo);
    case ID_CHECK:
        return Paint(size, DrawCheck);
    case ID_REVEAL:
        return Paint(size, DrawReveal);
    case ID_ALL_CLUES:
        return Paint(size, DrawAllClues);
    case ID_ACROSS_DOWN:
        return Paint(size, DrawAcrossDown);
    case ID_KEYBOARD:
        return Paint(size, DrawKeyboard);
    default:
        return {};
    }
}

QIcon ToolbarIcon(int commandId, int size)
{
    return QIcon(ToolbarImage(commandId, size));
}

QPixmap ProgramImage(int size)
{
    return Paint(size, DrawProgram);
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (const int size : {16, 32, 48, 64})
        icon.addPixmap(ProgramImage(size));
    return icon;
}

QIcon MoreCommandsIcon(Qt::Orientation barOrientation)
{
    QIcon icon;
    for (const int size : {16, 32})
        icon.addPixmap(Paint(size, barOrientation == Qt::Horizontal ? DrawMoreRight : DrawMoreDown));
    return icon;
}
