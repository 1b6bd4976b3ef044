// Runs the program's application object and leaves it waiting for the user in
// a modal state, so a test can send it a termination signal there.
// Arguments: the command line (a puzzle path, or "" for a start without one),
// the letters to type into the grid, and what to leave open:
//   start_box    the start-up's own message box (no puzzle anywhere)
//   question     the Delete question
//   dialog       the Customize Layout dialog
//   download, colors, all_clues  the Download Puzzle, Customize Colors and
//                All Clues dialogs
//   menu         the Reveal pop-up menu
//   box_on_dialog  a message box over the Customize Layout dialog
// Before opening it the helper hides the keyboard, a setting that only the
// next save writes. Prints "cell LETTER" for every letter typed and "open" once
// the modal state is reached.
#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "ui/shell/gridmoor_app.h"
#include "ui/shell/main_frame.h"
#include "ui/view/grid_view.h"

#include <QApplication>
#include <QDialog>
#include <QMap>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

constexpr int kPollMs = 10;

bool IsDialogOpen()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible() && qobject_cast<QDialog*>(widget) != nullptr && qobject_cast<QMessageBox*>(widget) == nullptr)
            return true;
    }
    return false;
}

// Whether the widgets the scenario opens are the ones on top now.
bool Reached(const QString& scenario)
{
    if (scenario == QLatin1String("menu"))
        return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr;
    QWidget* modal = QApplication::activeModalWidget();
    if (scenario == QLatin1String("box_on_dialog"))
        return qobject_cast<QMessageBox*>(modal) != nullptr && IsDialogOpen();
    if (scenario != QLatin1String("question") && scenario != QLatin1String("start_box"))
        return modal != nullptr && qobject_cast<QMessageBox*>(modal) == nullptr && qobject_cast<QDialog*>(modal) != nullptr;
    return qobject_cast<QMessageBox*>(modal) != nullptr;
}

// Shows a message box once the dialog is up, from inside the dialog's loop.
void ShowBoxOverDialog()
{
    if (!IsDialogOpen()) {
        QTimer::singleShot(kPollMs, &ShowBoxOverDialog);
        return;
    }
    UserPrompt::Show(QStringLiteral("Over the dialog"), QStringLiteral("Gridmoor"), UserPrompt::Icon::Information);
}

void TypeLetters(CMainFrame* frame, const QString& letters)
{
    for (const QChar letter : letters) {
        std::printf("%d %c\n", frame->Puzzle().GetCurrentCell(), letter.toLatin1());
        frame->GridView()->OnChar(letter);
    }
}

// The command that opens the scenario's modal state, run inside the event loop.
std::function<void()> Opener(CMainFrame* frame, const QString& scenario)
{
    if (scenario == QLatin1String("question"))
        return [frame] { frame->OnCommand(ID_DELETE_PUZZLE); };
    if (scenario == QLatin1String("menu"))
        return [frame] { frame->OnCommand(ID_REVEAL); };
    if (scenario == QLatin1String("box_on_dialog")) {
        return [frame] {
            QTimer::singleShot(kPollMs, &ShowBoxOverDialog);
            frame->OnCommand(ID_CUSTOMIZE_LAYOUT);
        };
    }
    const QMap<QString, int> dialogs = {{QStringLiteral("dialog"), ID_CUSTOMIZE_LAYOUT},
                                        {QStringLiteral("download"), ID_DOWNLOAD},
                                        {QStringLiteral("colors"), ID_CUSTOMIZE_COLORS},
                                        {QStringLiteral("all_clues"), ID_ALL_CLUES}};
    const int id = dialogs.value(scenario);
    return [frame, id] { frame->OnCommand(id); };
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    const QString scenario = arguments.at(3);
    CGridmoorApp app(arguments.at(1));
    if (!app.InitApplication() || !app.InitInstance())
        return 3;
    CMainFrame* frame = app.MainFrame();
    if (scenario != QLatin1String("start_box")) {
        QCoreApplication::processEvents();
        if (!frame->Puzzle().IsLoaded())
            return 4;
        TypeLetters(frame, arguments.at(2));
        QTimer::singleShot(0, frame, Opener(frame, scenario));
    }
    frame->OnCommand(ID_KEYBOARD);

    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&poll, &scenario] {
        if (!Reached(scenario))
            return;
        poll.stop();
        std::puts("open");
        std::fflush(stdout);
    });
    poll.start(kPollMs);
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
