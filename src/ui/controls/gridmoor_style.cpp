#include "ui/controls/gridmoor_style.h"

#include "ui/controls/toolbar_icons.h"

QIcon CGridmoorStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                   const QWidget* widget) const
{
    if (standardIcon == SP_ToolBarHorizontalExtensionButton)
        return MoreCommandsIcon(Qt::Horizontal);
    if (standardIcon == SP_ToolBarVerticalExtensionButton)
        return MoreCommandsIcon(Qt::Vertical);
    return QProxyStyle::standardIcon(standardIcon, option, widget);
}
