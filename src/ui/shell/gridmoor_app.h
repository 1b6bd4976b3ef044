#pragma once

#include "data/settings.h"
#include "ui/shell/message_box_prompt.h"
#include "ui/shell/session_closer.h"
#include "ui/shell/single_instance.h"
#include "ui/shell/termination_signals.h"

#include <QString>

#include <memory>

class CMainFrame;

// The application: keeps one copy running per user, owns the settings (loaded
// once before the frame exists and saved when the program ends), creates and
// shows the main frame and registers the puzzle file types at every start.
class CGridmoorApp {
public:
    static constexpr char kTitle[] = "Gridmoor";

    // Needs the QApplication to exist; commandLine is the arguments joined
    // into one path.
    explicit CGridmoorApp(const QString& commandLine);
    ~CGridmoorApp();
    CGridmoorApp(const CGridmoorApp&) = delete;
    CGridmoorApp& operator=(const CGridmoorApp&) = delete;

    // False when another copy runs: the command line went to it and this copy
    // must end without a window.
    bool InitApplication();
    // Loads the settings, creates and shows the frame, registers file types.
    bool InitInstance();
    // Stops taking hand-overs, saves the settings and destroys the frame (its
    // model writes the progress).
    void ExitInstance();
    // The whole life of the program; the process exit code.
    int Run();

    CMainFrame* MainFrame() const { return frame_.get(); }

private:
    QString commandLine_;
    MessageBoxPrompt prompt_;
    CSettings settings_;
    SingleInstance singleInstance_;
    TerminationSignals terminationSignals_;
    // Outlives the frame, so boxes raised while the frame closes are closed too.
    SessionCloser sessionCloser_;
    std::unique_ptr<CMainFrame> frame_;
};
