#include "ui/print/print_texts.h"

#include "ui/controls/grid_fonts.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>

#include <algorithm>

namespace {

// Sizes in points: a clue of a daily puzzle takes one or two lines of a
// column a quarter of the page wide.
constexpr qreal kTitlePoints = 15;
constexpr qreal kBylinePoints = 9;
constexpr qreal kHeadingPoints = 10.5;
constexpr qreal kCluePoints = 8.5;
// Space below a clue and above a heading, in points.
constexpr qreal kClueSpace = 2;
constexpr qreal kHeadingSpace = 5;

QFont Sized(const QFont& base, qreal points, bool bold)
{
    QFont font = base;
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

} // namespace

PrintTexts::PrintTexts(QPaintDevice* device)
    : device_(device),
      title_(Sized(DefaultFont(), kTitlePoints, true)),
      byline_(Sized(DefaultFont(), kBylinePoints, false)),
      heading_(Sized(DefaultFont(), kHeadingPoints, true)),
      clue_(Sized(DefaultFont(), kCluePoints, false)),
      number_(Sized(DefaultFont(), kCluePoints, true))
{
}

qreal PrintTexts::UnitsPerPoint() const
{
    return device_->logicalDpiY() / 72.0;
}

qreal PrintTexts::SetLines(QTextLayout& layout, qreal width, qreal spaceBelow) const
{
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal y = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(std::max<qreal>(width, 1));
        line.setPosition(QPointF(0, y));
        y += line.height();
    }
    layout.endLayout();
    return y + spaceBelow * UnitsPerPoint();
}

// Measures the text, and draws it when given a painter.
qreal PrintTexts::Block(const QString& text, const QFont& font, qreal width, qreal spaceBelow, QPainter* painter,
                        QPointF at) const
{
    if (text.isEmpty())
        return 0;
    QTextLayout layout(text, font, device_);
    const qreal height = SetLines(layout, width, spaceBelow);
    if (painter != nullptr)
        layout.draw(painter, at);
    return height;
}

qreal PrintTexts::HeaderHeight(const PageContent& content, qreal width) const
{
    return Block(content.title, title_, width, kClueSpace, nullptr, {})
        + Block(content.author, byline_, width, 0, nullptr, {})
        + Block(content.copyright, byline_, width, 0, nullptr, {});
}

void PrintTexts::DrawHeader(QPainter& painter, const PageContent& content, const QRectF& rect) const
{
    QPointF at = rect.topLeft();
    at.ry() += Block(content.title, title_, rect.width(), kClueSpace, &painter, at);
    at.ry() += Block(content.author, byline_, rect.width(), 0, &painter, at);
    Block(content.copyright, byline_, rect.width(), 0, &painter, at);
}

qreal PrintTexts::HeadingHeight(const QString& heading, qreal width) const
{
    return kHeadingSpace * UnitsPerPoint() + Block(heading, heading_, width, kClueSpace, nullptr, {});
}

void PrintTexts::DrawHeading(QPainter& painter, const QString& heading, const QRectF& rect) const
{
    Block(heading, heading_, rect.width(), 0, &painter, rect.topLeft() + QPointF(0, kHeadingSpace * UnitsPerPoint()));
}

// Room for a three-digit number and a space after it.
qreal PrintTexts::NumberWidth() const
{
    const QFontMetricsF metrics(number_, device_);
    return metrics.horizontalAdvance(QStringLiteral("000")) + metrics.horizontalAdvance(QLatin1Char(' '));
}

qreal PrintTexts::ClueHeight(const PageClue& clue, qreal width) const
{
    const qreal indent = NumberWidth();
    return std::max(Block(clue.text, clue_, width - indent, kClueSpace, nullptr, {}),
                    Block(clue.number, number_, indent, kClueSpace, nullptr, {}));
}

void PrintTexts::DrawClue(QPainter& painter, const PageClue& clue, const QRectF& rect) const
{
    const qreal indent = NumberWidth();
    Block(clue.number, number_, indent, 0, &painter, rect.topLeft());
    Block(clue.text, clue_, rect.width() - indent, 0, &painter, rect.topLeft() + QPointF(indent, 0));
}
