#pragma once

#include <QRect>
#include <QSize>

class QDialog;
class QDialogButtonBox;
class QWidget;

// The link dialogs fill the main window, as they filled the handheld's screen,
// and lay their controls out themselves whenever their size changes.

// Gives the dialog the size of parent's window, or 480 x 600 without a parent.
void SizeLikeMainWindow(QDialog* dialog, QWidget* parent);

// Puts the soft-key bar along the dialog's bottom, inside the style's margins,
// and returns the client rectangle that is left above it.
QRect PlaceSoftKeys(QDialog* dialog, QDialogButtonBox* bar);

// How much wider and taller the dialog is than the client rectangle that
// PlaceSoftKeys leaves: the style's margins, the bar and the space above it.
QSize SoftKeyFrame(const QDialog* dialog, const QDialogButtonBox* bar);
