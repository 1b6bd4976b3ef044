// The game as a person plays it: the real program runs on an X display
// (xvfb-run), with a fresh home folder, and is driven with xdotool: letters
// typed, tapped on the on-screen keyboard and written in pencil, undone and
// redone, Check and Reveal; the entries and pencil marks must be in the
// puzzle file after closing and starting again. A copy of
// the main frame inside this test, on the same display and at the same size,
// tells where things are on the screen and, fed the same input, which letters
// the puzzle file must hold afterwards.
#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/keyboard_layout.h"
#include "data/settings.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/shell/main_frame.h"
#include "ui/view/grid_view.h"

#include "required_tools.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QToolButton>

#include <memory>

namespace {

constexpr int kTimeoutMs = 30000;
// Time for the program to take in the X events sent before the next step
// depends on their effect (a pop-up open, the input handled before quitting).
constexpr unsigned long kSettleMs = 700;

QByteArray Run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kTimeoutMs) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

QByteArray Xdotool(const QStringList& arguments)
{
    return Run(QStringLiteral("xdotool"), arguments);
}

// What the screen shows where: frame-relative points found on the copy.
struct ScreenPlan {
    QPoint cell;
    QList<QPoint> keys;
    QPoint check;
    QPoint reveal;
    QByteArray entries; // the entries the puzzle holds after the input below
    QByteArray pencil;  // "p" where an entry is a pencil letter
};

int KeyIndex(char letter)
{
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        if (KeyboardLayout::KeyChar(i) == letter)
            return i;
    }
    return -1;
}

QPoint CentreIn(const QWidget* widget, const QWidget* frame, const QRect& rect)
{
    return widget->mapTo(frame, rect.center());
}

} // namespace

class TestPlayGame : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void playCloseAndStartAgain();

private:
    void StartProgram(QProcess& program);
    QRect WaitForWindow();
    ScreenPlan PlanScreen(const QSize& windowSize);
    void Click(const QPoint& point);

    QTemporaryDir root_;
    QString programPath_;
    QString puzzleFile_;
    QProcessEnvironment environment_;
    QPoint windowOrigin_;
    QString windowId_;
};

void TestPlayGame::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"xdotool", "xdotool"}, {"xvfb-run", "xvfb"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        QFAIL("needs an X display of its own: ctest runs it under xvfb-run (package xvfb)");
    QVERIFY(root_.isValid());
    // An installation of its own: the program and the shipped sample.
    const QString app = root_.filePath(QStringLiteral("app"));
    QVERIFY(QDir().mkpath(app));
    programPath_ = app + QStringLiteral("/gridmoor");
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_PROGRAM), programPath_));
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/NYTimes.gmd"), app + QStringLiteral("/NYTimes.gmd")));

    const QString home = root_.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home + QStringLiteral("/run")));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("HOME"), home);
    environment_.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment_.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment_.insert(QStringLiteral("XDG_CACHE_HOME"), home + QStringLiteral("/.cache"));
    environment_.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.remove(QStringLiteral("XDG_DOCUMENTS_DIR"));
    puzzleFile_ = home + QStringLiteral("/Documents/XWords/NYTimes.gmd");
}

void TestPlayGame::StartProgram(QProcess& program)
{
    program.setProcessEnvironment(environment_);
    program.start(programPath_, {});
    QVERIFY(program.waitForStarted());
}

QRect TestPlayGame::WaitForWindow()
{
    const QByteArray ids = Xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                    QStringLiteral("--name"), QStringLiteral("^Gridmoor( - .*)?$")});
    const QByteArray window = ids.split('\n').value(0).trimmed();
    if (window.isEmpty())
        return {};
    windowId_ = QString::fromLatin1(window);
    QThread::msleep(kSettleMs);
    QMap<QByteArray, int> values;
    const QByteArray shell = Xdotool({QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), windowId_});
    for (const QByteArray& line : shell.split('\n')) {
        const QList<QByteArray> pair = line.split('=');
        if (pair.size() == 2)
            values.insert(pair.at(0), pair.at(1).toInt());
    }
    return QRect(values.value("X"), values.value("Y"), values.value("WIDTH"), values.value("HEIGHT"));
}

void TestPlayGame::Click(const QPoint& point)
{
    const QPoint screen = windowOrigin_ + point;
    Xdotool({QStringLiteral("mousemove"), QString::number(screen.x()), QString::number(screen.y()),
             QStringLiteral("click"), QStringLiteral("1")});
}

// Builds the same frame on the same puzzle and size, finds a letter cell away
// from the cursor, the keys D, O and G and the two buttons, and replays the
// input on it to learn the resulting entries.
ScreenPlan TestPlayGame::PlanScreen(const QSize& windowSize)
{
    ScreenPlan plan;
    const QString copy = root_.filePath(QStringLiteral("probe.gmd"));
    QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/NYTimes.gmd"), copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    CSettings settings(ScaleByDpi(35), GetSystemColor(SystemColor::ButtonFace));
    settings.lastPuzzlePath = copy;
    CMainFrame frame;
    frame.resize(windowSize);
    frame.show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    CPuzzle& puzzle = frame.Puzzle();
    CGridView* grid = frame.GridView();
    const int start = puzzle.GetCurrentCell();
    const QRect area = grid->rect();
    for (int y = area.center().y(); y > 0 && plan.cell.isNull(); y -= 7) {
        QTest::mouseClick(grid, Qt::LeftButton, {}, QPoint(area.center().x(), y));
        if (puzzle.GetCurrentCell() != start)
            plan.cell = grid->mapTo(&frame, QPoint(area.center().x(), y));
    }
    for (const QChar letter : QStringLiteral("CAT"))
        grid->OnChar(letter);
    const CKeyboardCtrl* keyboard = frame.Keyboard();
    for (const char letter : {'D', 'O', 'G'}) {
        const QRect key = KeyboardLayout::KeyRect(KeyIndex(letter), keyboard->IsLarge());
        plan.keys << CentreIn(keyboard, &frame, key);
        frame.OnKeyboardChar(letter);
    }
    frame.OnCommand(ID_PENCIL);
    for (const QChar letter : QStringLiteral("sx"))
        grid->OnChar(letter);
    for (const int command : {ID_EDIT_UNDO, ID_EDIT_UNDO, ID_EDIT_REDO})
        frame.OnCommand(command);
    plan.check = CentreIn(frame.ToolButton(ID_CHECK), &frame, frame.ToolButton(ID_CHECK)->rect());
    plan.reveal = CentreIn(frame.ToolButton(ID_REVEAL), &frame, frame.ToolButton(ID_REVEAL)->rect());
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i) {
        plan.entries += puzzle.GetCell(i).entry;
        plan.pencil += puzzle.IsPencil(i) ? 'p' : '.';
    }
    frame.hide();
    return plan;
}

void TestPlayGame::playCloseAndStartAgain()
{
    QProcess program;
    StartProgram(program);
    const QRect window = WaitForWindow();
    QVERIFY2(window.isValid(), "the program's window did not appear");
    windowOrigin_ = window.topLeft();
    QVERIFY(!QFile::exists(programPath_.chopped(8) + QStringLiteral("NYTimes.gmd")));
    QVERIFY(QFile::exists(puzzleFile_));

    const ScreenPlan plan = PlanScreen(window.size());
    QVERIFY2(!plan.cell.isNull(), "no letter cell found in the grid");
    Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId_});
    Click(plan.cell);
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("cat")});
    for (const QPoint& key : plan.keys)
        Click(key);
    // Pencil "sx", then "x" and "s" undone and "s" redone.
    Xdotool({QStringLiteral("key"), QStringLiteral("ctrl+shift+p")});
    Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("sx")});
    Xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("ctrl+z"),
             QStringLiteral("ctrl+z"), QStringLiteral("ctrl+y")});

    // Hold Check, then let go; then reveal the current word from the pop-up.
    const QPoint check = windowOrigin_ + plan.check;
    Xdotool({QStringLiteral("mousemove"), QString::number(check.x()), QString::number(check.y()),
             QStringLiteral("mousedown"), QStringLiteral("1")});
    QThread::msleep(kSettleMs);
    Xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    Click(plan.reveal);
    QThread::msleep(kSettleMs);
    Xdotool({QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("80"), QStringLiteral("Down"),
             QStringLiteral("Down"), QStringLiteral("Return")});
    QThread::msleep(kSettleMs);

    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);

    QProcess again;
    StartProgram(again);
    QVERIFY2(WaitForWindow().isValid(), "the program did not start again");
    again.terminate();
    QVERIFY(again.waitForFinished(kTimeoutMs));

    CPuzzle reread;
    QCOMPARE(reread.Open(puzzleFile_), int(CPuzzle::Success));
    QByteArray entries;
    QByteArray pencil;
    for (int i = 0; i < reread.GetWidth() * reread.GetHeight(); ++i) {
        entries += reread.GetCell(i).entry;
        pencil += reread.IsPencil(i) ? 'p' : '.';
    }
    QCOMPARE(entries, plan.entries);
    QVERIFY(entries.count('C') >= 1 && entries.count('S') >= 1);
    QCOMPARE(pencil, plan.pencil);
    QCOMPARE(pencil.count('p'), 1);
}

GRIDMOOR_TEST_MAIN(TestPlayGame)
#include "tst_play_game.moc"
