#include "ui/shell/gridmoor_app.h"

#include "data/file_type_registration.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/shell/accessible_factory.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/window_placement.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace {

constexpr int kDefaultClueViewHeight = 35;
// The window first opens at the size of a large handheld screen, which fits a
// 15 x 15 puzzle in medium cells with its clue line and toolbar; later starts
// restore the size and place it was closed at.
constexpr QSize kInitialWindowSize(480, 600);

// Much of what the start allocates (the puzzle file's bytes, font and style
// lookups) is freed again by the first paint; the C library keeps such freed
// memory for later allocations unless asked to give it back. About 0.6 MB.
void ReturnFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

// The registration reads a few small files on most starts, but on the first
// one it writes them and runs the desktop's cache tools, which can take
// longer than the whole start: it waits until the window has been painted
// once, so the user sees the window first. The freed memory of the start is
// returned to the system after it.
class FirstPaintWatcher : public QObject {
public:
    explicit FirstPaintWatcher(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, [] {
                RegisterFileTypes();
                ReturnFreedMemory();
            });
            deleteLater();
        }
        return false;
    }
};

void RegisterFileTypesAfterFirstPaint(QWidget* window)
{
    new FirstPaintWatcher(window);
}

} // namespace

CGridmoorApp::CGridmoorApp(const QString& commandLine)
    : commandLine_(commandLine),
      settings_(ScaleByDpi(kDefaultClueViewHeight), VoidCellColorFromPalette()),
      singleInstance_(QString::fromLatin1(kTitle))
{
    UserPrompt::Install(&prompt_);
}

CGridmoorApp::~CGridmoorApp()
{
    frame_.reset();
    UserPrompt::Install(nullptr);
}

bool CGridmoorApp::InitApplication()
{
    return singleInstance_.Start(commandLine_) == SingleInstance::Role::First;
}

bool CGridmoorApp::InitInstance()
{
    settings_.LoadSettings();
    InstallAccessibleFactory();
    frame_ = std::make_unique<CMainFrame>(commandLine_);
    QObject::connect(&singleInstance_, &SingleInstance::PathHandedOver, frame_.get(),
                     &CMainFrame::OnPathHandedOver);
    QObject::connect(&singleInstance_, &SingleInstance::ActivationRequested, frame_.get(),
                     &CMainFrame::BringToFront);
    sessionCloser_.SetMainWindow(frame_.get());
    QObject::connect(&terminationSignals_, &TerminationSignals::Requested, &sessionCloser_, &SessionCloser::Close);
    RestoreWindowPlacement(*frame_, kInitialWindowSize);
    frame_->show();
    frame_->repaint();
    RegisterFileTypesAfterFirstPaint(frame_.get());
    return true;
}

// A copy that has begun to quit takes no more hand-overs: a copy started
// while this one still waits on a message of its close (a failed save) becomes
// the first copy and opens its puzzle itself. The settings are saved before
// that message can come, so such a copy's later save is the one that stays.
// The puzzle is closed while the frame is whole, since a message box runs
// the event loop; the closer still cancels boxes but no longer closes the frame.
void CGridmoorApp::ExitInstance()
{
    singleInstance_.Stop();
    settings_.SaveSettings();
    sessionCloser_.SetMainWindow(nullptr);
    if (frame_ != nullptr)
        frame_->Puzzle().Close();
    frame_.reset();
}

int CGridmoorApp::Run()
{
    // A session end during the start-up ends the program before it shows.
    if (!InitApplication() || TerminationSignals::WasRaised())
        return 0;
    if (!InitInstance())
        return 1;
    const int result = QApplication::exec();
    ExitInstance();
    return result;
}
