#include "data/link_dialog_layout.h"

#include <QtMath>

namespace {

int Scale(int units, int base, int divisor)
{
    return qRound(double(units) * base / divisor);
}

int RightOf(const QRect& r)
{
    return r.x() + r.width();
}

int BottomOf(const QRect& r)
{
    return r.y() + r.height();
}

} // namespace

QRect DialogUnitsToPixels(const QRect& units, int averageCharWidth, int fontHeight)
{
    const int left = Scale(units.x(), averageCharWidth, 4);
    const int top = Scale(units.y(), fontHeight, 8);
    const int right = Scale(RightOf(units), averageCharWidth, 4);
    const int bottom = Scale(BottomOf(units), fontHeight, 8);
    return QRect(left, top, right - left, bottom - top);
}

UrlListLayout LayoutUrlList(const QRect& client, const QRect& download, int newWidth, int editWidth,
                            int deleteWidth, int totalButtonWidth)
{
    int gap = (client.width() - totalButtonWidth - (download.x() - client.x())) / 3;
    if (client.width() > client.height())
        gap /= 2;
    const int bottom = BottomOf(client) - 3;
    const int top = bottom - download.height();
    UrlListLayout layout;
    layout.download = QRect(download.x(), top, download.width(), download.height());
    layout.remove = QRect(RightOf(client) - deleteWidth, top, deleteWidth, bottom - top);
    layout.edit = QRect(layout.remove.x() - gap - editWidth, top, editWidth, bottom - top);
    layout.newButton = QRect(layout.edit.x() - gap - newWidth, top, newWidth, bottom - top);
    const int listTop = client.y() + 3;
    layout.list = QRect(download.x(), listTop, RightOf(client) - download.x(), top - 3 - listTop);
    return layout;
}

LinkEditorLayout LayoutLinkEditor(const QRect& client, const LinkEditorLayout& current)
{
    const int shift = BottomOf(client) - BottomOf(current.password) - 5;
    LinkEditorLayout layout = current;
    layout.password.translate(0, shift);
    layout.login.translate(0, shift);
    layout.loginLabel.translate(0, shift);
    layout.passwordLabel.translate(0, shift);
    layout.url.setHeight(layout.passwordLabel.y() - 1 - layout.url.y());
    return layout;
}
