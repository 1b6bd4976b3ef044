#include "ui/shell/session_closer.h"

#include <QApplication>
#include <QWidget>

namespace {

// How often the closer looks for a dialog or menu opened since its last look.
constexpr int kWatchIntervalMs = 20;
// Bounds the loops below should a widget reopen itself as soon as it closes.
constexpr int kMostLayersPerStep = 64;

// close() cancels: a dialog's close is its reject(), a message box's close
// presses its escape button and a menu's close returns no action. A widget
// that refuses to close is hidden, which still ends the event loop it runs.
void Dismiss(QWidget* widget)
{
    if (!widget->close())
        widget->hide();
}

bool DismissTopLayer()
{
    if (QWidget* popup = QApplication::activePopupWidget()) {
        Dismiss(popup);
        return true;
    }
    if (QWidget* modal = QApplication::activeModalWidget()) {
        Dismiss(modal);
        return true;
    }
    return false;
}

} // namespace

SessionCloser::SessionCloser(QObject* parent) : QObject(parent)
{
    watch_.setInterval(kWatchIntervalMs);
    connect(&watch_, &QTimer::timeout, this, &SessionCloser::Step);
}

void SessionCloser::SetMainWindow(QWidget* window)
{
    mainWindow_ = window;
}

void SessionCloser::Close()
{
    if (closing_)
        return;
    closing_ = true;
    watch_.start();
    Step();
}

// The nested event loops of the dismissed dialogs unwind once control returns
// to them; leaving every loop right away makes any dialog that the code after
// them opens return at once too.
void SessionCloser::Step()
{
    for (int layer = 0; layer < kMostLayersPerStep && DismissTopLayer(); ++layer) {
    }
    if (mainWindowClosed_)
        return;
    mainWindowClosed_ = true;
    if (mainWindow_ != nullptr)
        mainWindow_->close();
    QCoreApplication::exit(0);
}
