#pragma once

#include <QObject>
#include <QPointer>
#include <QTimer>

class QWidget;

// Ends the session on request (a termination signal) whatever is open: pop-up
// menus and modal dialogs and message boxes are closed as if cancelled, layer
// by layer, then the main window is closed and every event loop left, so the
// program saves as its close command does and exits with code 0. It keeps
// watching until it is destroyed, so a box that the shutdown itself raises
// (a failed save, say) is closed too and cannot hold the program open.
class SessionCloser : public QObject {
    Q_OBJECT

public:
    explicit SessionCloser(QObject* parent = nullptr);

    // The window whose close ends the program.
    void SetMainWindow(QWidget* window);
    bool IsClosing() const { return closing_; }

    // Starts the close; a second request while it runs changes nothing.
    void Close();

private:
    void Step();

    QPointer<QWidget> mainWindow_;
    QTimer watch_;
    bool closing_ = false;
    bool mainWindowClosed_ = false;
};
