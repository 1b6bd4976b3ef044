#include "ui/shell/gridmoor_app.h"

#include "data/file_type_registration.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/window_placement.h"

#include <QApplication>

namespace {

constexpr int kDefaultClueViewHeight = 35;
// The window first opens at the size of a large handheld screen, which fits a
// 15 x 15 puzzle in medium cells with its clue line and toolbar; later starts
// restore the size and place it was closed at.
constexpr QSize kInitialWindowSize(480, 600);

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
    RegisterFileTypes();
    return true;
}

void CGridmoorApp::ExitInstance()
{
    frame_.reset();
    settings_.SaveSettings();
}

int CGridmoorApp::Run()
{
    if (!InitApplication())
        return 0;
    if (!InitInstance())
        return 1;
    const int result = QApplication::exec();
    ExitInstance();
    return result;
}
