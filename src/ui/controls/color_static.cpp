#include "ui/controls/color_static.h"

#include "ui/controls/color_ref.h"

#include <QPalette>

CColorStatic::CColorStatic(QWidget* parent)
    : QLabel(parent), textColor_(MakeColorRef(255, 255, 255)), backColor_(MakeColorRef(0, 0, 0))
{
    setAutoFillBackground(true);
    ApplyColors();
}

void CColorStatic::SetTextColor(quint32 color)
{
    textColor_ = color;
    ApplyColors();
}

void CColorStatic::SetBackColor(quint32 color)
{
    backColor_ = color;
    ApplyColors();
}

void CColorStatic::SetFontStyle(bool bold, bool underline)
{
    QFont style = font();
    if (bold)
        style.setWeight(QFont::Bold);
    style.setUnderline(underline);
    setFont(style);
}

void CColorStatic::ApplyColors()
{
    QPalette colors = palette();
    colors.setColor(QPalette::Window, QColorFromRef(backColor_));
    colors.setColor(QPalette::WindowText, QColorFromRef(textColor_));
    setPalette(colors);
}
