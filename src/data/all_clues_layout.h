#pragma once

#include <QList>
#include <QPoint>
#include <QRect>

// Where the All Clues dialog's controls go in a client area: the tabs (Across,
// Down, then one per further list) side by side at the top, sharing its width,
// "Highlight Solved" on the bottom edge and the list filling the space between.
struct AllCluesLayout {
    QList<QRect> tabs;
    QRect list;
    QRect checkBox;
};

// tabOrigin is the top-left corner of the "Across" tab; its x is also the
// margin on the right. The check box keeps its x and size and ends one pixel
// above the client's bottom edge.
AllCluesLayout LayoutAllClues(const QRect& client, QPoint tabOrigin, int tabHeight, const QRect& checkBox,
                              int tabCount = 2);
