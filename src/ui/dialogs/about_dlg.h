#pragma once

#include <QDialog>

// The About box: the program icon, the version line and an "OK" soft key. It
// is wide enough for its caption to show whole in the title bar.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr char kVersionText[] = "Gridmoor Version 1.02";

    explicit CAboutDlg(QWidget* parent = nullptr);

    // The width a window needs for caption to show whole in a title bar,
    // judged from the font the window uses.
    static int CaptionRoom(const QFont& font, const QString& caption);
};
