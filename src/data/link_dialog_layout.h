#pragma once

#include <QRect>

// Where the controls of the two link dialogs go when their size changes.
// Rectangles are in pixels; a rectangle's right and bottom edges are
// x() + width() and y() + height().

// A rectangle given in dialog units, in pixels for a dialog font: a horizontal
// unit is a quarter of the average character width, a vertical one an eighth
// of the font height.
QRect DialogUnitsToPixels(const QRect& units, int averageCharWidth, int fontHeight);

// The Download Puzzle dialog: the list above a row of four buttons.
struct UrlListLayout {
    QRect list;
    QRect download;
    QRect newButton;
    QRect edit;
    QRect remove;
};

// The Download button keeps its left and size and moves to 3 pixels above the
// client's bottom; Delete, Edit and New line up from the right edge at its
// height, a third of the spare width apart (a sixth in a wide client); the
// list fills the space above, from the Download button's left edge.
UrlListLayout LayoutUrlList(const QRect& client, const QRect& download, int newWidth, int editWidth,
                            int deleteWidth, int totalButtonWidth);

// The New / Edit Link dialog's controls that move: the login and password
// rows go to 5 pixels above the client's bottom, and the URL field grows down
// to just above the "Password" label.
struct LinkEditorLayout {
    QRect url;
    QRect loginLabel;
    QRect login;
    QRect passwordLabel;
    QRect password;
};

LinkEditorLayout LayoutLinkEditor(const QRect& client, const LinkEditorLayout& current);
