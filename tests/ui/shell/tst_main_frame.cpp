#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "scripted_prompt.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/keyboard_ctrl.h"
#include "ui/controls/placement_picker.h"
#include "ui/controls/splitter_ctrl.h"
#include "ui/dialogs/clue_position_dlg.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/puzzle_sender.h"
#include "ui/shell/solving_time_label.h"
#include "ui/view/grid_view.h"

#include "../../core/write_protection.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <limits>
#include <memory>
#include <optional>

namespace {

// The menu as lines "Sub menu/Item text=id", separators as "-", in order.
void FlattenMenu(const QMenu* menu, const QString& prefix, QStringList& lines)
{
    for (const QAction* action : menu->actions()) {
        if (action->isSeparator())
            lines << prefix + QLatin1Char('-');
        else if (action->menu() != nullptr)
            FlattenMenu(action->menu(), prefix + action->text() + QLatin1Char('/'), lines);
        else
            lines << prefix + action->text() + QLatin1Char('=') + QString::number(action->data().toInt());
    }
}

} // namespace

// The main frame with its real panes: menu and toolbar, command states,
// the Check button, the pane layout, the keyboard toggle and minimising.
class TestMainFrame : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void menuHoldsEveryItemInOrder();
    void toolbarHoldsSevenButtonsInOrder();
    void updatePassEnablesCommands_data();
    void updatePassEnablesCommands();
    void cellSizeCheckMarkOnExactlyOneItem();
    void checkButtonShowsWrongLettersWhileHeld();
    void tallClueViewIsLoweredAndStored();
    void panesFollowPlacementAndSplitterDrag();
    void keyboardCommandTogglesAndStoresVisibility();
    void unmovedKeyboardLeavesCurrentCellVisible();
    void draggedKeyboardKeepsItsPlace();
    void revealPopUpOpensAboveItsButton();
    void clueViewAndDirectionCommands();
    void layoutDialogMovesClueViewKeepingItsHeight();
    void sendingWithoutHelperProgramsTellsSo_data();
    void sendingWithoutHelperProgramsTellsSo();
    void minimiseWritesProgressIntoPuzzleFile();
    void noPuzzleAnywhereShowsNoPuzzle();
    void titleAndMailSubjectShowUtf8Title();
    void timeRunsWhileActiveAndStopsWhenSolved();
    void solvingOptionsAreKeptAndUndoIsAtHand();
    void unsavedProgressIsToldOnce_data();
    void unsavedProgressIsToldOnce();
    void damagedLayoutValuesComeBackOnScreen();

private:
    // A frame whose start-up opens a copy of the sample puzzle (or nothing).
    void StartFrame(bool withPuzzle);

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<CMainFrame> frame_;
    std::optional<ScriptedPrompt> prompt_;
    QString puzzlePath_;
};

void TestMainFrame::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    settings_ = std::make_unique<CSettings>(35, 0xC0C0C0);
    prompt_.emplace(UserPrompt::Answer::No);
    puzzlePath_ = dir_->filePath(QStringLiteral("sample.puz"));
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/sample.puz"), puzzlePath_));
    QFile::setPermissions(puzzlePath_, QFile::ReadOwner | QFile::WriteOwner);
}

void TestMainFrame::cleanup()
{
    frame_.reset();
    settings_.reset();
    prompt_.reset();
    dir_.reset();
}

void TestMainFrame::StartFrame(bool withPuzzle)
{
    settings_->lastPuzzlePath = withPuzzle ? puzzlePath_ : QString();
    frame_ = std::make_unique<CMainFrame>();
    frame_->resize(300, 420);
    frame_->show();
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    QCOMPARE(frame_->Puzzle().IsLoaded(), withPuzzle);
}

void TestMainFrame::menuHoldsEveryItemInOrder()
{
    StartFrame(false);
    const QList<QAction*> top = frame_->menuBar()->actions();
    QCOMPARE(top.size(), 1);
    QCOMPARE(top.first()->text(), QStringLiteral("Menu"));
    QStringList lines;
    FlattenMenu(top.first()->menu(), QString(), lines);
    const QStringList expected{
        "Help/Help...=32804", "Help/-", "Help/About...=57664",
        "Customize/Small Cells=32777", "Customize/Medium Cells=32778", "Customize/Large Cells=32779",
        "Customize/-", "Customize/Colors...=32782", "Customize/Layout...=32780",
        "Customize/-", "Customize/Numbers in Squares=32850", "Customize/Check as I Type=32852",
        "Customize/Skip Filled Squares=32853",
        "-",
        "Edit/Undo=57643", "Edit/Redo=57644", "Edit/-", "Edit/Clear Word=32854",
        "Edit/Clear All Entries...=32855", "Edit/-", "Edit/Pencil=32851",
        "Reveal/Current Letter=32775", "Reveal/Current Word=32772", "Reveal/Entire Puzzle=32774",
        "Clue View/Copy=32825", "Clue View/Select All=32826",
        "Across/Down=32800",
        "-",
        "Current Puzzle/Info...=32783", "Current Puzzle/All Clues...=32781", "Current Puzzle/-",
        "Current Puzzle/Delete=32823", "Current Puzzle/-", "Current Puzzle/Beam=32819",
        "Current Puzzle/Send via E-mail...=32828", "Current Puzzle/-", "Current Puzzle/Print...=32860",
        "Current Puzzle/Export PDF...=32861",
        "-",
        "Open...=32786", "Download...=32785",
        "-",
        "Quit=57665",
    };
    QCOMPARE(lines, expected);
    QStringList reveal;
    FlattenMenu(frame_->RevealMenu(), QString(), reveal);
    QCOMPARE(reveal, QStringList({"Current Letter=32775", "Current Word=32772", "Entire Puzzle=32774"}));
}

void TestMainFrame::toolbarHoldsSevenButtonsInOrder()
{
    StartFrame(false);
    QList<int> ids;
    for (const QAction* action : frame_->CommandBar()->actions()) {
        ids << action->data().toInt();
        QVERIFY(!action->icon().isNull());
        QVERIFY2(!action->toolTip().isEmpty(), qPrintable(action->text()));
    }
    QCOMPARE(ids, QList<int>({32786, 32783, 32798, 32797, 32781, 32800, 32831}));
    QCOMPARE(frame_->CommandBar()->iconSize(), QSize(32, 32));
    QCOMPARE(frame_->Action(ID_OPEN_PUZZLE)->statusTip(), QStringLiteral("Open a puzzle"));
    QCOMPARE(frame_->Action(ID_CHECK)->toolTip(), QStringLiteral("Check of entered words/letters"));
}

void TestMainFrame::updatePassEnablesCommands_data()
{
    QTest::addColumn<bool>("withPuzzle");
    QTest::newRow("no puzzle") << false;
    QTest::newRow("puzzle loaded") << true;
}

void TestMainFrame::updatePassEnablesCommands()
{
    QFETCH(bool, withPuzzle);
    StartFrame(withPuzzle);
    frame_->UpdateCommands();
    const QList<int> puzzleCommands{ID_REVEAL,      ID_ACROSS_DOWN, ID_CLUE_SELECT_ALL, ID_CLUE_COPY,
                                    ID_DELETE_PUZZLE, ID_BEAM,      ID_SEND_EMAIL,      ID_ALL_CLUES,
                                    ID_PUZZLE_INFO, ID_REVEAL_LETTER, ID_REVEAL_WORD,  ID_REVEAL_PUZZLE,
                                    ID_CHECK,       ID_SMALL_CELLS, ID_MEDIUM_CELLS,    ID_LARGE_CELLS};
    const QList<int> alwaysCommands{ID_OPEN_PUZZLE, ID_DOWNLOAD, ID_HELP, ID_KEYBOARD,
                                    ID_CUSTOMIZE_COLORS, ID_CUSTOMIZE_LAYOUT, ID_APP_ABOUT};
    for (const int id : puzzleCommands)
        QVERIFY2(frame_->Action(id)->isEnabled() == withPuzzle, qPrintable(QString::number(id)));
    for (const int id : alwaysCommands)
        QVERIFY2(frame_->Action(id)->isEnabled(), qPrintable(QString::number(id)));
    QCOMPARE(frame_->ToolButton(ID_CHECK)->isEnabled(), withPuzzle);
}

void TestMainFrame::cellSizeCheckMarkOnExactlyOneItem()
{
    StartFrame(true);
    for (const int size : {0, 2, 1}) {
        frame_->OnCommand(ID_SMALL_CELLS + size);
        QCOMPARE(settings_->cellSize, size);
        QList<int> checked;
        for (const int id : {ID_SMALL_CELLS, ID_MEDIUM_CELLS, ID_LARGE_CELLS}) {
            if (frame_->Action(id)->isChecked())
                checked << id;
        }
        QCOMPARE(checked, QList<int>({ID_SMALL_CELLS + size}));
    }
}

void TestMainFrame::checkButtonShowsWrongLettersWhileHeld()
{
    StartFrame(true);
    QToolButton* check = frame_->ToolButton(ID_CHECK);
    QVERIFY(check != nullptr);
    QVERIFY(!frame_->GridView()->CheckMode());
    QTest::mousePress(check, Qt::LeftButton);
    QVERIFY(frame_->CheckShown());
    QVERIFY(frame_->GridView()->CheckMode());
    frame_->UpdateCommands();
    QVERIFY(frame_->GridView()->CheckMode());
    QTest::mouseRelease(check, Qt::LeftButton);
    QVERIFY(!frame_->CheckShown());
    QVERIFY(!frame_->GridView()->CheckMode());
}

void TestMainFrame::tallClueViewIsLoweredAndStored()
{
    settings_->clueViewHeight = 5000;
    StartFrame(true);
    const int client = frame_->Client()->height();
    QCOMPARE(settings_->clueViewHeight, client - 18 - 4);
    QCOMPARE(frame_->ClueView()->height(), settings_->clueViewHeight);
    QCOMPARE(frame_->GridView()->height(), 18);
}

void TestMainFrame::panesFollowPlacementAndSplitterDrag()
{
    StartFrame(true);
    const int clueHeight = settings_->clueViewHeight;
    QCOMPARE(frame_->ClueView()->y(), 0);
    QCOMPARE(frame_->Splitter()->y(), clueHeight);
    QCOMPARE(frame_->GridView()->y(), clueHeight + 4);

    settings_->clueAtTop = false;
    frame_->RecalcPanes();
    const int bottom = frame_->Client()->height();
    QCOMPARE(frame_->ClueView()->geometry().bottom() + 1, bottom);
    QCOMPARE(frame_->ClueView()->height(), clueHeight);
    QCOMPARE(frame_->Splitter()->geometry().bottom() + 1, frame_->ClueView()->y());
    QCOMPARE(frame_->GridView()->y(), 0);

    // Dragging the bar up by 20 pixels makes the clue view 20 pixels taller.
    CSplitterCtrl* bar = frame_->Splitter();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 2));
    QTest::mouseMove(bar, QPoint(5, -18));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, -18));
    QCOMPARE(settings_->clueViewHeight, clueHeight + 20);
    QCOMPARE(frame_->ClueView()->height(), clueHeight + 20);
    QCOMPARE(frame_->Splitter()->geometry().bottom() + 1, frame_->ClueView()->y());
}

void TestMainFrame::keyboardCommandTogglesAndStoresVisibility()
{
    StartFrame(true);
    CKeyboardCtrl* keyboard = frame_->Keyboard();
    QVERIFY(keyboard->isVisible());
    QVERIFY(keyboard->IsLarge());
    frame_->OnCommand(ID_KEYBOARD);
    QVERIFY(!keyboard->isVisible());
    QVERIFY(!settings_->keyboardShown);
    frame_->OnCommand(ID_KEYBOARD);
    QVERIFY(keyboard->isVisible());
    QVERIFY(settings_->keyboardShown);
}

void TestMainFrame::unmovedKeyboardLeavesCurrentCellVisible()
{
    StartFrame(true);
    const QRect cell = frame_->GridView()->GetCellRect(false).ToQRect().translated(frame_->GridView()->pos());
    QVERIFY(frame_->Keyboard()->isVisible());
    QVERIFY(!frame_->Keyboard()->geometry().intersects(cell));
}

void TestMainFrame::draggedKeyboardKeepsItsPlace()
{
    settings_->keyboardX = 40;
    settings_->keyboardY = 90;
    StartFrame(true);
    QCOMPARE(frame_->Keyboard()->pos(), QPoint(40, 90));
}

void TestMainFrame::revealPopUpOpensAboveItsButton()
{
    StartFrame(true);
    frame_->OnCommand(ID_REVEAL);
    QMenu* menu = frame_->RevealMenu();
    QTRY_VERIFY(menu->isVisible());
    const QPoint button = frame_->ToolButton(ID_REVEAL)->mapToGlobal(QPoint(0, 0));
    QCOMPARE(menu->geometry().left(), button.x());
    QCOMPARE(menu->geometry().bottom() + 1, frame_->CommandBar()->mapToGlobal(QPoint(0, -1)).y());
    menu->hide();
}

void TestMainFrame::clueViewAndDirectionCommands()
{
    StartFrame(true);
    const QString clue = frame_->ClueView()->toPlainText();
    QVERIFY(!clue.isEmpty());
    QGuiApplication::clipboard()->clear();
    frame_->OnCommand(ID_CLUE_COPY);
    QCOMPARE(QGuiApplication::clipboard()->text(), clue);
    frame_->OnCommand(ID_CLUE_SELECT_ALL);
    QCOMPARE(frame_->ClueView()->textCursor().selectedText(), clue);

    const bool across = frame_->Puzzle().IsAcross();
    frame_->OnCommand(ID_ACROSS_DOWN);
    QCOMPARE(frame_->Puzzle().IsAcross(), !across);
    QVERIFY(frame_->ClueView()->toPlainText() != clue);
}

void TestMainFrame::layoutDialogMovesClueViewKeepingItsHeight()
{
    StartFrame(true);
    const int height = frame_->ClueView()->height();
    QTimer::singleShot(0, this, [] {
        auto* dialog = qobject_cast<CCluePositionDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        CPlacementPicker* picker = dialog->Picker();
        QTest::mouseClick(picker, Qt::LeftButton, {}, QPoint(picker->width() / 4, picker->height() / 2));
        dialog->accept();
    });
    frame_->OnCommand(ID_CUSTOMIZE_LAYOUT);
    QVERIFY(!settings_->clueAtTop);
    QCOMPARE(frame_->ClueView()->height(), height);
    QCOMPARE(frame_->ClueView()->geometry().bottom() + 1, frame_->Client()->height());
    QCOMPARE(frame_->Splitter()->geometry().bottom() + 1, frame_->ClueView()->y());
    CSettings saved(35, 0xC0C0C0);
    saved.LoadSettings();
    QVERIFY(!saved.clueAtTop);
}

void TestMainFrame::sendingWithoutHelperProgramsTellsSo_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("caption");
    QTest::newRow("beam") << int(ID_BEAM) << QStringLiteral("Beam");
    QTest::newRow("e-mail") << int(ID_SEND_EMAIL) << QStringLiteral("Send via E-mail");
}

void TestMainFrame::sendingWithoutHelperProgramsTellsSo()
{
    QFETCH(int, command);
    QFETCH(QString, caption);
    StartFrame(true);
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", dir_->path().toLocal8Bit());
    frame_->OnCommand(command);
    qputenv("PATH", path);
    QCOMPARE(prompt_->Captions(), QStringList{caption});
}

void TestMainFrame::minimiseWritesProgressIntoPuzzleFile()
{
    StartFrame(true);
    CPuzzle& puzzle = frame_->Puzzle();
    const int first = puzzle.GetCurrentCell();
    frame_->GridView()->OnChar(QLatin1Char('q'));
    const int second = puzzle.GetCurrentCell();
    frame_->OnKeyboardChar('Z');
    QVERIFY(second != first);

    frame_->showMinimized();
    QCoreApplication::processEvents();

    CPuzzle reread;
    QCOMPARE(reread.Open(puzzlePath_), int(CPuzzle::Success));
    QCOMPARE(reread.GetCell(first).entry, 'Q');
    QCOMPARE(reread.GetCell(second).entry, 'Z');
    QCOMPARE(QFile(CSettings::DataFilePath()).exists(), true);
}

void TestMainFrame::noPuzzleAnywhereShowsNoPuzzle()
{
    StartFrame(false);
    QCOMPARE(prompt_->Captions(), QStringList{QStringLiteral("No Puzzle")});
}

void TestMainFrame::titleAndMailSubjectShowUtf8Title()
{
    QVERIFY(FixtureFiles::Write(
        puzzlePath_, PuzBuilder({"AB", "CD"}).Version("2.0").Title("\xce\x94\xce\xad\xce\xbb\xcf\x84\xce\xb1  \xe2\x98\x85").Build()));
    StartFrame(true);
    const QString title = QStringLiteral(u"\u0394\u03ad\u03bb\u03c4\u03b1 \u2605");
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Gridmoor - ") + title);
    const SendCommand mail = SendCommandFor(SendMethod::Email, puzzlePath_, title);
    QCOMPARE(mail.arguments, QStringList({QStringLiteral("--subject"), title, QStringLiteral("--attach"), puzzlePath_}));
    QCOMPARE(SendCommandFor(SendMethod::Email, puzzlePath_).arguments,
             QStringList({QStringLiteral("--attach"), puzzlePath_}));
    frame_->Puzzle().Close();
    QCOMPARE(frame_->windowTitle(), QStringLiteral("Gridmoor"));
}

void TestMainFrame::timeRunsWhileActiveAndStopsWhenSolved()
{
    QVERIFY(FixtureFiles::Write(puzzlePath_, PuzBuilder({"AB", "CD"}).Section("LTIM", "3599,0").Build()));
    StartFrame(true);
    CSolvingTimeLabel* label = frame_->TimeLabel();
    QVERIFY(label != nullptr);
    label->Update(false);
    QVERIFY(!label->IsRunning());
    QCOMPARE(label->text(), QStringLiteral("Time: 59:59"));
    label->Update(true);
    QVERIFY(label->IsRunning());
    CPuzzle& puzzle = frame_->Puzzle();
    for (const char letter : {'A', 'B', 'C', 'D'}) {
        puzzle.SetCurrentCell(letter - 'A');
        puzzle.SetCurrentEntry(letter);
    }
    label->Update(true);
    QVERIFY(!label->IsRunning());
    QVERIFY(label->text().startsWith(QStringLiteral("Solved in ")));
    QVERIFY(puzzle.GetSolvingSeconds() >= 3599);
    puzzle.Close();
    label->Update(true);
    QVERIFY(!label->IsRunning());
    QVERIFY(label->text().isEmpty());
    QCOMPARE(PuzBuilder::SectionData(FixtureFiles::Read(puzzlePath_), "LTIM").right(2), QByteArray(",1"));
}

// The options come back in the next frame, and Ctrl+Z and Ctrl+Y reach the
// entries from the clue view too.
void TestMainFrame::solvingOptionsAreKeptAndUndoIsAtHand()
{
    StartFrame(true);
    QVERIFY(frame_->GridView()->Options().numbersInSquares && frame_->PencilLabel()->isHidden());
    frame_->OnCommand(ID_PENCIL);
    QVERIFY(frame_->Action(ID_PENCIL)->isChecked() && !frame_->PencilLabel()->isHidden());
    const int cell = frame_->Puzzle().GetCurrentCell();
    frame_->GridView()->OnChar('q');
    frame_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(frame_.get()));
    frame_->ClueView()->setFocus();
    QTest::keyClick(frame_->ClueView(), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(frame_->Puzzle().GetCell(cell).entry, ' ');
    QTest::keyClick(frame_->ClueView(), Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(frame_->Puzzle().GetCell(cell).entry, 'Q');
    frame_.reset();
    StartFrame(true);
    QVERIFY(!frame_->PencilLabel()->isHidden() && frame_->Puzzle().IsPencil(cell));
    frame_->OnCommand(ID_PENCIL);
}

void TestMainFrame::unsavedProgressIsToldOnce_data()
{
    QTest::addColumn<bool>("readOnlyAtOpen");
    QTest::addColumn<QString>("caption");
    QTest::newRow("read-only when opened") << true << "Read-Only Puzzle";
    QTest::newRow("made read-only while open: failed saves") << false << "Gridmoor";
}

// Twice a letter, a tick of the clock and a save (minimise), then quitting:
// one message in all, and the letters stay.
void TestMainFrame::unsavedProgressIsToldOnce()
{
    QFETCH(bool, readOnlyAtOpen);
    QFETCH(QString, caption);
    std::optional<WriteProtection> protection;
    if (readOnlyAtOpen)
        protection.emplace(puzzlePath_);
    StartFrame(true);
    QCOMPARE(frame_->windowTitle().endsWith(QStringLiteral(" (read-only)")), readOnlyAtOpen);
    protection.reset();
    protection.emplace(puzzlePath_);
    for (const char letter : {'A', 'B'}) {
        frame_->OnKeyboardChar(letter);
        frame_->Puzzle().SetSolvingSeconds(frame_->Puzzle().GetSolvingSeconds() + 1);
        frame_->showMinimized();
        QCoreApplication::processEvents();
        frame_->showNormal();
    }
    QCOMPARE(frame_->Puzzle().GetFilledCount(), 2);
    frame_.reset();
    QCOMPARE(prompt_->Captions(), protection->IsActive() ? QStringList{caption} : QStringList());
}

void TestMainFrame::damagedLayoutValuesComeBackOnScreen()
{
    settings_->keyboardX = std::numeric_limits<int>::max();
    settings_->keyboardY = std::numeric_limits<int>::min();
    settings_->clueViewHeight = -100;
    StartFrame(true);
    QVERIFY(frame_->Client()->rect().contains(frame_->Keyboard()->geometry()));
    QCOMPARE(frame_->ClueView()->height(), 18);
}

GRIDMOOR_TEST_MAIN(TestMainFrame)
#include "tst_main_frame.moc"
