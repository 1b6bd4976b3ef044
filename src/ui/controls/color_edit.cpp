#include "ui/controls/color_edit.h"

#include "ui/controls/color_ref.h"

#include <QPalette>

CColorEdit::CColorEdit(QWidget* parent) : QPlainTextEdit(parent)
{
}

void CColorEdit::SetTextColor(quint32 color)
{
    textColor_ = color;
    if (hasBackColor_)
        ApplyColors();
}

void CColorEdit::SetBackgroundColor(quint32 color)
{
    backColor_ = color;
    hasBackColor_ = true;
    ApplyColors();
}

void CColorEdit::ApplyColors()
{
    QPalette colors = palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colors.setColor(group, QPalette::Base, QColorFromRef(backColor_));
        colors.setColor(group, QPalette::Text, QColorFromRef(textColor_));
    }
    setPalette(colors);
    viewport()->update();
}
