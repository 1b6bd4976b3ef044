#pragma once

#include <QDialog>

// The About box: the program icon, the version line and an "OK" soft key.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    static constexpr char kVersionText[] = "Gridmoor Version 1.02";

    explicit CAboutDlg(QWidget* parent = nullptr);
};
