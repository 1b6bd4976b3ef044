#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/command_table.h"
#include "data/settings.h"
#include "fixture_files.h"
#include "ipuz_builder.h"
#include "puz_builder.h"
#include "scripted_prompt.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/controls/splitter_ctrl.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/window_placement.h"
#include "ui/view/grid_view.h"
#include "test_main.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>
#include <optional>

namespace {

// Every letter cell open, so each row and column is one word.
QList<QByteArray> OpenGrid(int side)
{
    return QList<QByteArray>(side, QByteArray(side, 'A'));
}

// The menu item of an action, searched through every pop-up of the menu bar.
bool MenuHolds(const QMenu* menu, const QAction* action)
{
    for (const QAction* item : menu->actions()) {
        if (item == action || (item->menu() != nullptr && MenuHolds(item->menu(), action)))
            return true;
    }
    return false;
}

} // namespace

// The main frame as a desktop user meets it: typing after a drag, the Check
// button on an encrypted puzzle, where the keyboard goes until it is moved,
// sending by e-mail, the shortcuts, the remembered window placement and the
// window state after a hand-over.
class TestMainFrameDesktop : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void typingGoesOnAfterADrag_data();
    void typingGoesOnAfterADrag();
    void checkWithoutSolutionRefusesEveryPress_data();
    void checkWithoutSolutionRefusesEveryPress();
    void untouchedKeyboardLeavesClueAndSplitterFree_data();
    void untouchedKeyboardLeavesClueAndSplitterFree();
    void untouchedKeyboardMovesOffTheCursor();
    void failedMailHelperIsReported_data();
    void failedMailHelperIsReported();
    void shortcutsShowInTheMenuAndRunTheirCommand_data();
    void shortcutsShowInTheMenuAndRunTheirCommand();
    void quitShortcutClosesTheWindow();
    void windowPlacementIsRemembered_data();
    void windowPlacementIsRemembered();
    void handOverKeepsMaximisedWindow_data();
    void handOverKeepsMaximisedWindow();

private:
    QString WritePuzzle(const QString& name, int side, bool scrambled);
    void StartFrame(const QString& puzzlePath, QSize size = QSize(480, 600));
    QRect InClient(const QRect& viewRect) const;

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<CMainFrame> frame_;
    std::optional<ScriptedPrompt> prompt_;
};

void TestMainFrameDesktop::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    settings_ = std::make_unique<CSettings>(35, 0xC0C0C0);
    prompt_.emplace(UserPrompt::Answer::No);
    QFile::remove(WindowPlacementPath());
}

void TestMainFrameDesktop::cleanup()
{
    frame_.reset();
    settings_.reset();
    prompt_.reset();
    dir_.reset();
}

QString TestMainFrameDesktop::WritePuzzle(const QString& name, int side, bool scrambled)
{
    const QString path = dir_->filePath(name);
    PuzBuilder builder(OpenGrid(side));
    builder.ScrambledTag(scrambled ? 0x04 : 0);
    if (!FixtureFiles::Write(path, builder.Build()))
        return {};
    return path;
}

void TestMainFrameDesktop::StartFrame(const QString& puzzlePath, QSize size)
{
    settings_->lastPuzzlePath = puzzlePath;
    frame_ = std::make_unique<CMainFrame>();
    frame_->resize(size);
    frame_->show();
    QVERIFY(QTest::qWaitForWindowExposed(frame_.get()));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frame_->Puzzle().IsLoaded(), !puzzlePath.isEmpty());
    prompt_->messages.clear();
}

// A rectangle of the grid view in the frame's client coordinates.
QRect TestMainFrameDesktop::InClient(const QRect& viewRect) const
{
    return viewRect.translated(frame_->GridView()->pos());
}

void TestMainFrameDesktop::typingGoesOnAfterADrag_data()
{
    QTest::addColumn<bool>("keyboard");
    QTest::newRow("keyboard") << true;
    QTest::newRow("splitter") << false;
}

void TestMainFrameDesktop::typingGoesOnAfterADrag()
{
    QFETCH(bool, keyboard);
    StartFrame(WritePuzzle(QStringLiteral("open.puz"), 5, false));
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    frame_->ClueView()->setFocus();

    QWidget* handle = keyboard ? static_cast<QWidget*>(frame_->Keyboard()) : frame_->Splitter();
    const QPoint grip = keyboard ? QPoint(2, 2) : QPoint(handle->width() / 2, 1);
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip + QPoint(0, 10));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip + QPoint(0, 10));
    QCOMPARE(QApplication::focusWidget(), frame_->GridView());

    CPuzzle& puzzle = frame_->Puzzle();
    const int first = puzzle.GetCurrentCell();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_X, Qt::NoModifier);
    QCOMPARE(puzzle.GetCell(first).entry, 'X');
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left, Qt::NoModifier);
    QCOMPARE(puzzle.GetCurrentCell(), first);
}

void TestMainFrameDesktop::checkWithoutSolutionRefusesEveryPress_data()
{
    QTest::addColumn<bool>("encrypted"); // else an ipuz file without its solution
    QTest::addColumn<QString>("caption");
    QTest::newRow("encrypted") << true << "Encrypted Puzzle";
    QTest::newRow("without a solution") << false << "No Solution";
}

void TestMainFrameDesktop::checkWithoutSolutionRefusesEveryPress()
{
    QFETCH(bool, encrypted);
    QFETCH(QString, caption);
    QString path = dir_->filePath(QStringLiteral("open.ipuz"));
    if (encrypted)
        path = WritePuzzle(QStringLiteral("locked.puz"), 5, true);
    else
        QVERIFY(FixtureFiles::Write(path, IpuzBuilder({"ABC", "DEF", "GHI"}).Without("solution").Build()));
    StartFrame(path);
    QToolButton* check = frame_->ToolButton(ID_CHECK);
    QVERIFY(check != nullptr && check->isEnabled());
    const QStringList once{caption};

    QTest::mousePress(check, Qt::LeftButton);
    QCOMPARE(prompt_->Captions(), once);
    QVERIFY(!check->isDown());
    QVERIFY(!frame_->CheckShown());
    QVERIFY(!frame_->GridView()->CheckMode());
    frame_->UpdateCommands();
    QCOMPARE(prompt_->Captions().size(), 1);

    // The message box took the release; the next press is refused again.
    QTest::mousePress(check, Qt::LeftButton);
    QCOMPARE(prompt_->Captions(), once + once);
    QTest::mouseRelease(check, Qt::LeftButton);
    QTest::mouseClick(check, Qt::LeftButton);
    QCOMPARE(prompt_->Captions(), once + once + once);
    QVERIFY(!check->isDown());
    QVERIFY(!frame_->GridView()->CheckMode());
}

void TestMainFrameDesktop::untouchedKeyboardLeavesClueAndSplitterFree_data()
{
    QTest::addColumn<bool>("clueAtTop");
    QTest::addColumn<int>("cellSize");
    QTest::newRow("clue at top, medium cells") << true << 1;
    QTest::newRow("clue at bottom, medium cells") << false << 1;
    QTest::newRow("clue at top, large cells") << true << 2;
    QTest::newRow("clue at bottom, large cells") << false << 2;
}

// The first start's window with a 15 x 15 puzzle: wherever the keyboard goes,
// the clue line, the splitter and the cursor stay in sight.
void TestMainFrameDesktop::untouchedKeyboardLeavesClueAndSplitterFree()
{
    QFETCH(bool, clueAtTop);
    QFETCH(int, cellSize);
    settings_->clueAtTop = clueAtTop;
    settings_->cellSize = cellSize;
    StartFrame(WritePuzzle(QStringLiteral("fifteen.puz"), 15, false));
    const QRect keyboard = frame_->Keyboard()->geometry();
    QVERIFY(frame_->Keyboard()->isVisible());
    QVERIFY(frame_->Keyboard()->IsLarge());
    QVERIFY(!keyboard.intersects(frame_->ClueView()->geometry()));
    QVERIFY(!keyboard.intersects(frame_->Splitter()->geometry()));
    QVERIFY(frame_->GridView()->geometry().contains(keyboard));
    QVERIFY(!keyboard.intersects(InClient(frame_->GridView()->ShownCurrentCellRect())));
    // Nothing was stored: the keyboard still counts as never moved.
    QCOMPARE(QPoint(settings_->keyboardX, settings_->keyboardY), CKeyboardCtrl::kDefaultPosition);
}

void TestMainFrameDesktop::untouchedKeyboardMovesOffTheCursor()
{
    settings_->cellSize = 2;
    StartFrame(WritePuzzle(QStringLiteral("fifteen.puz"), 15, false));
    CGridView* view = frame_->GridView();
    CKeyboardCtrl* keyboard = frame_->Keyboard();
    // Walk the cursor through the grid; it never stays under the keyboard.
    for (int cell = 0; cell < 15 * 15; cell += 7) {
        view->SelectCell(cell, CGridView::SelectTap);
        const QRect shown = InClient(view->ShownCurrentCellRect());
        QVERIFY2(!keyboard->geometry().intersects(shown), qPrintable(QString::number(cell)));
        QVERIFY(!keyboard->geometry().intersects(frame_->ClueView()->geometry()));
    }

    // Shown again, it leaves the cell the cursor reached meanwhile.
    frame_->OnCommand(ID_KEYBOARD);
    view->SelectCell(15 * 15 - 1, CGridView::SelectTap);
    frame_->OnCommand(ID_KEYBOARD);
    QVERIFY(keyboard->isVisible());
    QVERIFY(!keyboard->geometry().intersects(InClient(view->ShownCurrentCellRect())));

    // A keyboard the user placed stays where it was put.
    QTest::mousePress(keyboard, Qt::LeftButton, {}, QPoint(2, 2));
    QTest::mouseMove(keyboard, QPoint(12, 2));
    QTest::mouseRelease(keyboard, Qt::LeftButton, {}, QPoint(12, 2));
    const QPoint placed = keyboard->pos();
    view->SelectCell(15 * 15 - 1, CGridView::SelectTap);
    view->SelectCell(0, CGridView::SelectTap);
    QCOMPARE(keyboard->pos(), placed);
}

void TestMainFrameDesktop::failedMailHelperIsReported_data()
{
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    QTest::newRow("no mail program set up") << 3 << "No e-mail program is set up on this computer";
    QTest::newRow("other failure") << 4 << "The e-mail program could not be started";
    QTest::newRow("handed over") << 0 << "";
}

void TestMainFrameDesktop::failedMailHelperIsReported()
{
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    const QString puzzle = WritePuzzle(QStringLiteral("mail.puz"), 5, false);
    StartFrame(puzzle);
    const QString bin = dir_->filePath(QStringLiteral("bin"));
    const QString marker = dir_->filePath(QStringLiteral("arguments"));
    QVERIFY(QDir().mkpath(bin));
    const QByteArray script = "#!/bin/sh\necho \"$@\" > '" + marker.toUtf8() + "'\nexit "
        + QByteArray::number(exitCode) + "\n";
    QVERIFY(FixtureFiles::Write(bin + QStringLiteral("/xdg-email"), script));
    QFile::setPermissions(bin + QStringLiteral("/xdg-email"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.toLocal8Bit());
    frame_->OnCommand(ID_SEND_EMAIL);
    qputenv("PATH", path);

    // The helper creates the file before it writes the line, so wait for the line.
    // The subject is the puzzle's title.
    QTRY_COMPARE(FixtureFiles::Read(marker).trimmed(), "--subject Test Puzzle --attach " + puzzle.toUtf8());
    if (message.isEmpty()) {
        QTest::qWait(200);
        QCOMPARE(prompt_->Captions(), QStringList());
    } else {
        QTRY_COMPARE(prompt_->Captions(), QStringList{QStringLiteral("Send via E-mail")});
        QCOMPARE(prompt_->messages.first().text, message);
    }
}

void TestMainFrameDesktop::shortcutsShowInTheMenuAndRunTheirCommand_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("keys");
    QTest::newRow("Open") << int(ID_OPEN_PUZZLE) << "Ctrl+O";
    QTest::newRow("Help") << int(ID_HELP) << "F1";
    QTest::newRow("Download") << int(ID_DOWNLOAD) << "Ctrl+Shift+D";
    QTest::newRow("Info") << int(ID_PUZZLE_INFO) << "Ctrl+I";
    QTest::newRow("All Clues") << int(ID_ALL_CLUES) << "Ctrl+L";
}

void TestMainFrameDesktop::shortcutsShowInTheMenuAndRunTheirCommand()
{
    QFETCH(int, id);
    QFETCH(QString, keys);
    StartFrame(WritePuzzle(QStringLiteral("keys.puz"), 5, false));
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    QAction* action = frame_->Action(id);
    QVERIFY(action != nullptr);
    const QKeySequence sequence(keys);
    QCOMPARE(action->shortcut(), sequence);
    QVERIFY(MenuHolds(frame_->menuBar()->actions().first()->menu(), action));

    // Whatever dialog the command opens is dismissed; the command must have run.
    QTimer closer;
    connect(&closer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            dialog->reject();
    });
    closer.start(20);
    QSignalSpy triggered(action, &QAction::triggered);
    QTest::keySequence(frame_->GridView(), sequence);
    QCOMPARE(triggered.size(), 1);
}

void TestMainFrameDesktop::quitShortcutClosesTheWindow()
{
    StartFrame(QString());
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    QAction* quit = frame_->Action(ID_APP_EXIT);
    QVERIFY(quit != nullptr);
    QCOMPARE(quit->text(), QStringLiteral("Quit"));
    QVERIFY(MenuHolds(frame_->menuBar()->actions().first()->menu(), quit));
    QTest::keySequence(frame_->GridView(), QKeySequence(QStringLiteral("Ctrl+Q")));
    QVERIFY(!frame_->isVisible());
}

void TestMainFrameDesktop::windowPlacementIsRemembered_data()
{
    QTest::addColumn<bool>("maximised");
    QTest::newRow("normal") << false;
    QTest::newRow("maximised") << true;
}

void TestMainFrameDesktop::windowPlacementIsRemembered()
{
    QFETCH(bool, maximised);
    QWidget fresh;
    RestoreWindowPlacement(fresh, QSize(480, 600));
    QCOMPARE(fresh.size(), QSize(480, 600));

    StartFrame(QString(), QSize(420, 330));
    frame_->move(30, 40);
    if (maximised)
        frame_->showMaximized();
    QCoreApplication::processEvents();
    const QRect normal = frame_->normalGeometry();
    frame_->close();

    // Kept in the desktop settings, never in the program's own data file.
    const QString expected = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).filePath("gridmoor/gridmoor.conf");
    QCOMPARE(WindowPlacementPath(), expected);
    QVERIFY(QFile::exists(expected));

    QWidget again;
    RestoreWindowPlacement(again, QSize(480, 600));
    again.show();
    QVERIFY(QTest::qWaitForWindowExposed(&again));
    QCOMPARE(again.isMaximized(), maximised);
    if (!maximised)
        QCOMPARE(again.geometry(), normal);
    QCOMPARE(again.normalGeometry().size(), normal.size());
}

void TestMainFrameDesktop::handOverKeepsMaximisedWindow_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<bool>("maximisedAfter");
    QTest::newRow("normal") << int(Qt::WindowNoState) << false;
    QTest::newRow("maximised") << int(Qt::WindowMaximized) << true;
    QTest::newRow("minimised") << int(Qt::WindowMinimized) << false;
    QTest::newRow("minimised from maximised") << int(Qt::WindowMinimized | Qt::WindowMaximized) << true;
}

void TestMainFrameDesktop::handOverKeepsMaximisedWindow()
{
    QFETCH(int, before);
    QFETCH(bool, maximisedAfter);
    StartFrame(QString(), QSize(420, 330));
    frame_->setWindowState(Qt::WindowStates(before));
    QCoreApplication::processEvents();
    frame_->BringToFront();
    QCoreApplication::processEvents();
    QVERIFY(frame_->isVisible());
    QVERIFY(!frame_->isMinimized());
    QCOMPARE(frame_->isMaximized(), maximisedAfter);
}

GRIDMOOR_TEST_MAIN(TestMainFrameDesktop)
#include "tst_main_frame_desktop.moc"
