// The program's application object on the puzzle of the first argument, busy
// the way a solver keeps it busy: letters typed into random cells, the window
// minimised (which saves the settings and the progress) and restored, the
// cell size changed (which saves the settings), and after the number of steps
// of the third argument the window closed. The second argument seeds the
// choices. Every action is printed before it is taken:
//   ready              the puzzle is open
//   T CELL LETTER      a letter ('_' for a space) typed into CELL
//   M                  minimise and restore
//   S SIZE             the cell size set to SIZE
//   C                  the window closed
#include "core/puzzle.h"
#include "data/command_ids.h"
#include "ui/shell/gridmoor_app.h"
#include "ui/shell/main_frame.h"
#include "ui/view/grid_view.h"

#include <QApplication>
#include <QRandomGenerator>
#include <QTimer>

#include <cstdio>

namespace {

// The cells a step may type into: every letter cell but the last, which stays
// as it is so the grid never fills up and no end-of-puzzle box stops the run.
QList<int> TypableCells(CPuzzle& puzzle)
{
    QList<int> cells;
    const int count = puzzle.GetWidth() * puzzle.GetHeight();
    for (int i = 0; i < count; ++i) {
        if (puzzle.GetCell(i).solution != ' ')
            cells.append(i);
    }
    if (!cells.isEmpty())
        cells.removeLast();
    return cells;
}

void Say(const char* format, int first = 0, int second = 0)
{
    std::printf(format, first, second);
    std::fflush(stdout);
}

class Solver {
public:
    Solver(CMainFrame* frame, quint32 seed, int steps)
        : frame_(frame), random_(seed), steps_(steps), cells_(TypableCells(frame->Puzzle()))
    {
    }

    void Step()
    {
        if (steps_ < 0)
            return;
        if (steps_-- == 0) {
            Say("C\n");
            frame_->close();
            return;
        }
        const int roll = random_.bounded(20);
        if (roll < 15)
            TypeLetter();
        else if (roll < 18)
            MinimiseAndRestore();
        else
            SetCellSize();
    }

private:
    void TypeLetter()
    {
        const int cell = cells_.at(random_.bounded(int(cells_.size())));
        const int pick = random_.bounded(27);
        const char letter = pick == 26 ? ' ' : char('A' + pick);
        Say("T %d %c\n", cell, letter == ' ' ? '_' : letter);
        frame_->GridView()->SelectCell(cell, CGridView::SelectStep);
        frame_->GridView()->OnChar(QLatin1Char(letter));
    }

    void MinimiseAndRestore()
    {
        Say("M\n");
        frame_->showMinimized();
        frame_->showNormal();
    }

    void SetCellSize()
    {
        const int size = random_.bounded(3);
        Say("S %d\n", size);
        frame_->OnCommand(ID_SMALL_CELLS + size);
    }

    CMainFrame* frame_;
    QRandomGenerator random_;
    int steps_;
    QList<int> cells_;
};

} // namespace

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 4)
        return 2;
    CGridmoorApp app(arguments.at(1));
    if (!app.InitApplication() || !app.InitInstance())
        return 3;
    QCoreApplication::processEvents();
    CMainFrame* frame = app.MainFrame();
    if (!frame->Puzzle().IsLoaded())
        return 4;
    Say("ready\n");
    Solver solver(frame, arguments.at(2).toUInt(), arguments.at(3).toInt());
    QTimer steps;
    QObject::connect(&steps, &QTimer::timeout, [&solver] { solver.Step(); });
    steps.start(1);
    const int result = QApplication::exec();
    app.ExitInstance();
    return result;
}
