#pragma once

#include "data/page_layout.h"

#include <QFont>

class QPainter;
class QPaintDevice;
class QTextLayout;

// The printed texts, measured and drawn with the same fonts and line breaks
// on one paint device (a printer or a PDF): the header, the list headings and
// the clues, each clue with its number in a column of its own and its text
// wrapped beside it.
class PrintTexts : public PageTextMeasure {
public:
    explicit PrintTexts(QPaintDevice* device);

    qreal HeaderHeight(const PageContent& content, qreal width) const override;
    qreal HeadingHeight(const QString& heading, qreal width) const override;
    qreal ClueHeight(const PageClue& clue, qreal width) const override;

    void DrawHeader(QPainter& painter, const PageContent& content, const QRectF& rect) const;
    void DrawHeading(QPainter& painter, const QString& heading, const QRectF& rect) const;
    void DrawClue(QPainter& painter, const PageClue& clue, const QRectF& rect) const;

    // The device's units per point, for distances given in points.
    qreal UnitsPerPoint() const;

private:
    // The text's lines in the width; its height, the space below it included.
    qreal SetLines(QTextLayout& layout, qreal width, qreal spaceBelow) const;
    qreal Block(const QString& text, const QFont& font, qreal width, qreal spaceBelow, QPainter* painter,
                QPointF at) const;
    qreal NumberWidth() const;

    QPaintDevice* device_;
    QFont title_;
    QFont byline_;
    QFont heading_;
    QFont clue_;
    QFont number_;
};
