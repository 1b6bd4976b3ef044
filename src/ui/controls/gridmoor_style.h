#pragma once

#include <QProxyStyle>

// The desktop's style with the program's own drawn icons for the "more
// commands" buttons of the menu bar and the toolbar. The style's own icons
// are image files, and reading the first image file loads every image format
// plugin of the system: a start would pay for that, and keep them in memory,
// for two buttons that rarely show.
class CGridmoorStyle : public QProxyStyle {
public:
    // baseKey names the style to wrap, as QStyleFactory knows it.
    explicit CGridmoorStyle(const QString& baseKey) : QProxyStyle(baseKey) {}

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
