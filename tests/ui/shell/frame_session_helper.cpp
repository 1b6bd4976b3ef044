// Runs the program's application object on a puzzle given on the command line,
// types the letters of the second argument into the grid, minimises the window
// and then keeps running until it is killed. Prints "cell LETTER" for every
// letter typed and "minimised" once the window was minimised.
#include "core/puzzle.h"
#include "ui/shell/gridmoor_app.h"
#include "ui/shell/main_frame.h"
#include "ui/view/grid_view.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 3)
        return 2;
    CGridmoorApp app(arguments.at(1));
    if (!app.InitApplication() || !app.InitInstance())
        return 3;
    QCoreApplication::processEvents();
    CMainFrame* frame = app.MainFrame();
    if (!frame->Puzzle().IsLoaded())
        return 4;
    for (const QChar letter : arguments.at(2)) {
        std::printf("%d %c\n", frame->Puzzle().GetCurrentCell(), letter.toLatin1());
        frame->GridView()->OnChar(letter);
    }
    frame->showMinimized();
    QCoreApplication::processEvents();
    std::puts("minimised");
    std::fflush(stdout);
    return QApplication::exec();
}
