#include "core/message_event.h"
#include "core/puzzle.h"
#include "core/puzzle_observer.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/view/grid_view.h"

#include <QAction>
#include <QApplication>
#include <QCommandLineParser>
#include <QMenuBar>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Shows the program's message boxes as real ones.
class MessageBoxPrompt : public UserPrompt {
public:
    Answer Ask(const QString& text, const QString& caption, Icon icon, Buttons buttons) override
    {
        QMessageBox box(ToQtIcon(icon), caption, text,
                        buttons == Buttons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok);
        const int answer = box.exec();
        if (buttons == Buttons::Ok)
            return Answer::Ok;
        return answer == QMessageBox::Yes ? Answer::Yes : Answer::No;
    }

private:
    static QMessageBox::Icon ToQtIcon(Icon icon)
    {
        switch (icon) {
        case Icon::Error:
            return QMessageBox::Critical;
        case Icon::Warning:
            return QMessageBox::Warning;
        case Icon::Information:
            return QMessageBox::Information;
        case Icon::Question:
            return QMessageBox::Question;
        default:
            return QMessageBox::NoIcon;
        }
    }
};

// Stands in for the main frame: a closed puzzle reaches the view as
// UM_PUZZLE_CLOSED. The viewer calls OnPuzzleOpened itself right after Open.
class ViewerObserver : public PuzzleObserver {
public:
    explicit ViewerObserver(CGridView* view) : view_(view) {}
    void PuzzleOpened() override {}
    void PuzzleClosed() override { QCoreApplication::postEvent(view_, new MessageEvent(UM_PUZZLE_CLOSED)); }

private:
    CGridView* view_;
};

void AddCommand(QMenu* menu, const QString& text, int id, CGridView* view)
{
    QAction* action = menu->addAction(text);
    action->setData(id);
    QObject::connect(action, &QAction::triggered, view, [view, id] { view->OnCommand(id); });
}

QMenuBar* BuildMenus(QWidget* window, CGridView* view, CPuzzle* puzzle)
{
    auto* bar = new QMenuBar(window);
    QMenu* cells = bar->addMenu(QStringLiteral("Customize"));
    AddCommand(cells, QStringLiteral("Small Cells"), ID_SMALL_CELLS, view);
    AddCommand(cells, QStringLiteral("Medium Cells"), ID_MEDIUM_CELLS, view);
    AddCommand(cells, QStringLiteral("Large Cells"), ID_LARGE_CELLS, view);
    QMenu* reveal = bar->addMenu(QStringLiteral("Reveal"));
    AddCommand(reveal, QStringLiteral("Current Letter"), ID_REVEAL_LETTER, view);
    AddCommand(reveal, QStringLiteral("Current Word"), ID_REVEAL_WORD, view);
    AddCommand(reveal, QStringLiteral("Entire Puzzle"), ID_REVEAL_PUZZLE, view);
    QAction* check = bar->addAction(QStringLiteral("Check"));
    check->setCheckable(true);
    QObject::connect(check, &QAction::toggled, view, [view](bool on) { view->SetCheckMode(on); });
    QAction* direction = bar->addAction(QStringLiteral("Across/Down"));
    QObject::connect(direction, &QAction::triggered, view,
                     [view, puzzle] { view->SelectCell(puzzle->GetCurrentCell(), CGridView::SelectTap); });
    return bar;
}

} // namespace

// grid_viewer [--cell-size 0|1|2] [--size WxH] [--hint 1|2|3] [--check]
//             [--screenshot FILE] PUZZLE
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("puzzle"), QStringLiteral("The puzzle file to open."));
    const QCommandLineOption cellSize(QStringLiteral("cell-size"), QStringLiteral("0 small, 1 medium, 2 large."),
                                      QStringLiteral("size"), QStringLiteral("1"));
    const QCommandLineOption windowSize(QStringLiteral("size"), QStringLiteral("Window size WxH."),
                                        QStringLiteral("size"), QStringLiteral("240x320"));
    const QCommandLineOption hint(QStringLiteral("hint"), QStringLiteral("Reveal 1 letter, 2 word, 3 puzzle."),
                                  QStringLiteral("mode"));
    const QCommandLineOption check(QStringLiteral("check"), QStringLiteral("Show wrong letters."));
    const QCommandLineOption scrollbars(QStringLiteral("scrollbars"), QStringLiteral("Show the scroll bars."));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save the window to FILE and quit."), QStringLiteral("file"));
    parser.addOptions({cellSize, windowSize, hint, check, scrollbars, screenshot});
    parser.process(app);
    if (parser.positionalArguments().isEmpty())
        parser.showHelp(1);

    CSettings settings(ScaleByDpi(35), GetSystemColor(SystemColor::ButtonFace));
    settings.colorSchemes.Init();
    settings.cellSize = parser.value(cellSize).toInt();
    settings.showScrollbars = parser.isSet(scrollbars);
    MessageBoxPrompt prompt;
    UserPrompt::Install(&prompt);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Gridmoor grid viewer"));
    CPuzzle puzzle;
    auto* clueView = new CClueView(&window);
    auto* view = new CGridView(&puzzle, clueView, &window);
    clueView->SetKeyHandler(view);
    clueView->setFixedHeight(settings.clueViewHeight);
    ViewerObserver observer(view);
    puzzle.SetObserver(&observer);

    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->setMenuBar(BuildMenus(&window, view, &puzzle));
    layout->addWidget(clueView);
    layout->addWidget(view, 1);
    const QStringList size = parser.value(windowSize).split(u'x');
    window.resize(size.value(0).toInt(), size.value(1).toInt());
    window.show();
    view->setFocus();

    const QString path = parser.positionalArguments().join(u' ');
    if (puzzle.Open(path) != CPuzzle::Success) {
        UserPrompt::Show(QStringLiteral("Cannot open %1").arg(path), QStringLiteral("Grid viewer"),
                         UserPrompt::Icon::Error);
        return 1;
    }
    view->OnPuzzleOpened();
    if (parser.isSet(hint))
        view->OnCommand(QList<int>{ID_REVEAL_LETTER, ID_REVEAL_WORD, ID_REVEAL_PUZZLE}.value(
            parser.value(hint).toInt() - 1, ID_REVEAL_LETTER));
    view->SetCheckMode(parser.isSet(check));
    if (parser.isSet(screenshot)) {
        QTimer::singleShot(200, &window, [&] {
            window.grab().save(parser.value(screenshot));
            app.quit();
        });
    }
    return app.exec();
}
