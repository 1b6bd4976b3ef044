#include "core/puzzle.h"
#include "data/color_schemes.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/clue_list_accessible.h"
#include "ui/controls/clue_list_ctrl.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "ui/controls/toggle_button.h"
#include "ui/dialogs/question_lists_selector.h"
#include "ui/view/grid_view.h"

#include "fixture_files.h"
#include "ipuz_builder.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// The All Clues dialog, its tabs and clue list, and how the grid view runs it.
class TestAllClues : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensOnTheRememberedList_data();
    void opensOnTheRememberedList();
    void tapOnTheList_data();
    void tapOnTheList();
    void doneWithoutAChoice();
    void highlightSolvedColoursFilledClues();
    void longListScrolls();
    void layoutFollowsTheSize_data();
    void layoutFollowsTheSize();
    void viewKeepsTheChoicesOnlyWithAClue_data();
    void viewKeepsTheChoicesOnlyWithAClue();
    void keyboardChoosesAClue_data();
    void keyboardChoosesAClue();
    void longUnbrokenWordWrapsInItsRow();
    void furtherListHasItsOwnTab_data();
    void furtherListHasItsOwnTab();
    void viewFollowsAFurtherListsClue();

private:
    void Open(const QList<QByteArray>& rows, const QList<QByteArray>& entries = {});
    void OpenWithDiagonal();
    static void TapRow(CClueListCtrl* list, int row);
    static QPoint BelowLastRow(const CClueListCtrl* list);
    static int CountBluish(const QImage& image, const QRect& rect);

    QTemporaryDir folder_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<CPuzzle> puzzle_;
    int files_ = 0;
};

namespace {

// Clue table: 0 "1 Across" CAT, 1 "1 Down" COW, 2 "2 Down" TOR, 3 "3 Across" SO,
// 4 "3 Down" SES, 5 "4 Across" WAREST.
const QList<QByteArray> kSmallGrid = {"CAT.SO", "O.O.E.", "WAREST"};

// Runs action on the modal dialog of type T as soon as the event loop shows it.
template <typename T>
void OnModal(QObject* context, std::function<void(T*)> action)
{
    QTimer::singleShot(0, context, [action] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        action(dialog);
    });
}

} // namespace

void TestAllClues::init()
{
    settings_ = std::make_unique<CSettings>(35, 0x00000000);
    settings_->colorSchemes.Init();
    puzzle_ = std::make_unique<CPuzzle>();
}

void TestAllClues::cleanup()
{
    puzzle_.reset();
    settings_.reset();
}

void TestAllClues::Open(const QList<QByteArray>& rows, const QList<QByteArray>& entries)
{
    PuzBuilder builder(rows);
    if (!entries.isEmpty())
        builder.Entries(entries);
    const QString path = folder_.filePath(QStringLiteral("p%1.puz").arg(++files_));
    QVERIFY(FixtureFiles::Write(path, builder.Build()));
    QCOMPARE(puzzle_->Open(path), int(CPuzzle::Success));
}

// A 3 x 3 grid with a list "Diagonal" of one clue naming squares 0, 4 and 8.
void TestAllClues::OpenWithDiagonal()
{
    IpuzBuilder builder({"ABC", "DEF", "GHI"});
    const QByteArray diagonal = R"(, "Diagonal": [{"number": "D1", "clue": "Corner", "cells": [[1,1],[2,2],[3,3]]}]})";
    const QString path = folder_.filePath(QStringLiteral("p%1.ipuz").arg(++files_));
    QVERIFY(FixtureFiles::Write(path, builder.Member("clues", builder.Clues().chopped(1) + diagonal).Build()));
    QCOMPARE(puzzle_->Open(path), int(CPuzzle::Success));
}

void TestAllClues::TapRow(CClueListCtrl* list, int row)
{
    const int y = list->Rows().Top(row) - list->ScrollPos() + ClueListRows::kBorder + 1;
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(10, y));
    QCoreApplication::sendPostedEvents();
}

QPoint TestAllClues::BelowLastRow(const CClueListCtrl* list)
{
    return {10, list->Rows().ContentHeight() + ClueListRows::kBorder + 1};
}

// Pixels of text drawn in the solved-clue colour (blue), smoothed edges included.
int TestAllClues::CountBluish(const QImage& image, const QRect& rect)
{
    int count = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            count += pixel.blue() > pixel.red() + 80 && pixel.blue() > pixel.green() + 80 ? 1 : 0;
        }
    }
    return count;
}

void TestAllClues::opensOnTheRememberedList_data()
{
    QTest::addColumn<bool>("acrossFirst");
    QTest::newRow("across") << true;
    QTest::newRow("down") << false;
}

void TestAllClues::opensOnTheRememberedList()
{
    QFETCH(bool, acrossFirst);
    Open(kSmallGrid);
    CQuestionListsSelector dialog(puzzle_.get(), acrossFirst, false);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("All Clues"));
    QCOMPARE(dialog.ShowAcross(), acrossFirst);
    QCOMPARE(dialog.List()->IsShowingAcross(), acrossFirst);
    QCOMPARE(dialog.AcrossTab()->IsSelectedLook(), acrossFirst);
    QCOMPARE(dialog.DownTab()->IsSelectedLook(), !acrossFirst);
    QVERIFY(dialog.AcrossTab()->font().bold() == acrossFirst);
    QTest::mouseClick(acrossFirst ? dialog.DownTab() : dialog.AcrossTab(), Qt::LeftButton);
    QCOMPARE(dialog.ShowAcross(), !acrossFirst);
    QCOMPARE(dialog.DownTab()->IsSelectedLook(), acrossFirst);
    QCOMPARE(dialog.List()->Item(0).clueIndex, acrossFirst ? 1 : 0);
}

void TestAllClues::tapOnTheList_data()
{
    QTest::addColumn<bool>("across");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("clue");
    QTest::newRow("first across clue") << true << 0 << 0;
    QTest::newRow("last across clue") << true << 2 << 5;
    QTest::newRow("first down clue") << false << 0 << 1;
    QTest::newRow("last down clue") << false << 2 << 4;
    QTest::newRow("below the across clues") << true << -1 << -1;
    QTest::newRow("below the down clues") << false << -1 << -1;
}

void TestAllClues::tapOnTheList()
{
    QFETCH(bool, across);
    QFETCH(int, row);
    QFETCH(int, clue);
    Open(kSmallGrid);
    CQuestionListsSelector dialog(puzzle_.get(), across, false);
    dialog.resize(480, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    if (row >= 0) {
        TapRow(dialog.List(), row);
    } else {
        QTest::mouseClick(dialog.List(), Qt::LeftButton, {}, BelowLastRow(dialog.List()));
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(dialog.Result(), clue);
    QCOMPARE(dialog.isVisible(), row < 0);
    QCOMPARE(dialog.result(), row < 0 ? int(QDialog::Rejected) : int(QDialog::Accepted));
    QCOMPARE(dialog.List()->SelectedRow(), row);
}

void TestAllClues::doneWithoutAChoice()
{
    Open(kSmallGrid);
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.show();
    auto* done = dialog.findChild<QDialogButtonBox*>()->buttons().constFirst();
    QCOMPARE(done->text(), QStringLiteral("Done"));
    QTest::mouseClick(done, Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.Result(), -1);
}

void TestAllClues::highlightSolvedColoursFilledClues()
{
    Open(kSmallGrid, {"CAT.--", "O.-.-.", "W-----"});
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(480, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    CClueListCtrl* list = dialog.List();
    QCOMPARE(settings_->colorSchemes.GetColor(kSolvedClueText), ColorRef(0x00FF0000));
    const auto rowRect = [list](int row) {
        return QRect(2, list->Rows().Top(row) + 2, list->width() - 4, list->Rows().Height(row));
    };
    QCOMPARE(CountBluish(list->grab().toImage(), rowRect(0)), 0);
    QTest::mouseClick(dialog.CheckBox(), Qt::LeftButton);
    QVERIFY(dialog.HighlightSolved());
    const QImage highlighted = list->grab().toImage();
    QVERIFY(CountBluish(highlighted, rowRect(0)) > 20);
    QCOMPARE(CountBluish(highlighted, rowRect(1)), 0);
    QTest::mouseClick(dialog.CheckBox(), Qt::LeftButton);
    QVERIFY(!dialog.HighlightSolved());
    QCOMPARE(CountBluish(list->grab().toImage(), rowRect(0)), 0);
}

void TestAllClues::longListScrolls()
{
    // 15 across and 15 down clues in a list far too short for them.
    Open(QList<QByteArray>(15, QByteArray(15, 'A')));
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(300, 260);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    CClueListCtrl* list = dialog.List();
    CScrollBarCtrl* bar = list->ScrollBar();
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->Max(), list->Rows().ContentHeight() + 4);
    QCOMPARE(bar->Page(), list->height());
    QCOMPARE(bar->geometry().right(), list->width() - 3);
    const int last = bar->Max() - bar->Page() + 1;
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 2));
    for (int step = 0; step < 200 && bar->Pos() < last; ++step)
        QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, bar->height() - 2));
    QCOMPARE(bar->Pos(), last);
    QCOMPARE(list->ScrollPos(), last);
    QTest::mouseClick(dialog.DownTab(), Qt::LeftButton);
    QCOMPARE(list->ScrollPos(), 0);
    QTest::mouseClick(dialog.AcrossTab(), Qt::LeftButton);
    bar->SetPosition(last);
    TapRow(list, 14);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(puzzle_->GetClue(dialog.Result())->isAcross, quint8(1));
    QCOMPARE(dialog.Result(), dialog.Items().items.at(14).clueIndex);
}

void TestAllClues::layoutFollowsTheSize_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("default window") << QSize(480, 600);
    QTest::newRow("1024 x 768") << QSize(1024, 768);
    QTest::newRow("narrow") << QSize(241, 300);
}

void TestAllClues::layoutFollowsTheSize()
{
    QFETCH(QSize, size);
    Open(kSmallGrid);
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(size);
    dialog.show();
    const QRect across = dialog.AcrossTab()->geometry();
    const QRect down = dialog.DownTab()->geometry();
    const QRect list = dialog.List()->geometry();
    const QRect check = dialog.CheckBox()->geometry();
    const QRect keys = dialog.findChild<QDialogButtonBox*>()->geometry();
    QCOMPARE(across.right() + 1, size.width() / 2);
    QCOMPARE(down.left(), size.width() / 2 + 1);
    QCOMPARE(size.width() - 1 - down.right(), across.left());
    QCOMPARE(list.left(), across.left());
    QCOMPARE(list.right(), down.right());
    QCOMPARE(list.top(), across.bottom() + 2);
    QCOMPARE(list.bottom() + 2, check.top());
    QVERIFY(check.bottom() < keys.top());
    QVERIFY(keys.bottom() < size.height());
}

void TestAllClues::viewKeepsTheChoicesOnlyWithAClue_data()
{
    QTest::addColumn<bool>("chooseClue");
    QTest::newRow("a down clue chosen") << true;
    QTest::newRow("done without a clue") << false;
}

void TestAllClues::viewKeepsTheChoicesOnlyWithAClue()
{
    QFETCH(bool, chooseClue);
    Open(kSmallGrid);
    CGridView view(puzzle_.get(), nullptr);
    view.resize(480, 500);
    view.show();
    view.OnPuzzleOpened();
    QCOMPARE(puzzle_->GetCurrentCell(), 0);
    OnModal<CQuestionListsSelector>(this, [chooseClue](CQuestionListsSelector* dialog) {
        QVERIFY(dialog->ShowAcross());
        QTest::mouseClick(dialog->DownTab(), Qt::LeftButton);
        QTest::mouseClick(dialog->CheckBox(), Qt::LeftButton);
        if (chooseClue)
            TapRow(dialog->List(), 1);
        else
            dialog->accept();
    });
    QVERIFY(view.OnCommand(ID_ALL_CLUES));
    if (chooseClue) {
        QCOMPARE(puzzle_->GetCurrentCell(), 2);
        QVERIFY(!puzzle_->IsAcross());
        QCOMPARE(view.AllCluesTab(), 0);
        QCOMPARE(view.AllCluesHighlight(), 0);
    } else {
        QCOMPARE(puzzle_->GetCurrentCell(), 0);
        QVERIFY(puzzle_->IsAcross());
        QCOMPARE(view.AllCluesTab(), 1);
        QCOMPARE(view.AllCluesHighlight(), 1);
    }
}

void TestAllClues::keyboardChoosesAClue_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("clue"); // -1: the dialog stays open
    // Across rows: clues 0 3 5 (numbers 1 3 4); down rows: clues 1 2 4 (1 2 3).
    QTest::newRow("down twice") << QList<int>{Qt::Key_Down, Qt::Key_Down, Qt::Key_Return} << 3;
    QTest::newRow("end") << QList<int>{Qt::Key_End, Qt::Key_Return} << 5;
    QTest::newRow("up from none is the last") << QList<int>{Qt::Key_Up, Qt::Key_Up, Qt::Key_Return} << 3;
    QTest::newRow("number in this list") << QList<int>{Qt::Key_3, Qt::Key_Return} << 3;
    QTest::newRow("number in the other list") << QList<int>{Qt::Key_2, Qt::Key_Return} << 2;
    QTest::newRow("right for the down list") << QList<int>{Qt::Key_Right, Qt::Key_Down, Qt::Key_Return} << 1;
    QTest::newRow("return without a selection") << QList<int>{Qt::Key_Return} << -1;
}

void TestAllClues::keyboardChoosesAClue()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, clue);
    Open(kSmallGrid);
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(480, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.focusWidget(), dialog.List());
    for (const int key : keys) {
        QTest::keyClick(dialog.List(), Qt::Key(key));
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(dialog.Result(), clue);
    QCOMPARE(dialog.isVisible(), clue < 0);
}

void TestAllClues::longUnbrokenWordWrapsInItsRow()
{
    const QByteArray word(120, 'W');
    PuzBuilder builder(kSmallGrid);
    QVERIFY(FixtureFiles::Write(folder_.filePath("long.puz"), builder.Clues({word, "b", "c", "d", "e", "f"}).Build()));
    QCOMPARE(puzzle_->Open(folder_.filePath("long.puz")), int(CPuzzle::Success));
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(300, 400);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const CClueListCtrl* list = dialog.List();
    const int line = list->Rows().Height(1);
    QVERIFY(list->Rows().Height(0) >= 3 * line);
}

void TestAllClues::furtherListHasItsOwnTab_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<int>("section");
    QTest::addColumn<QList<int>>("squares"); // chosen; empty: the dialog stays open
    QTest::newRow("right stops at the last list")
        << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Right} << 2 << QList<int>{};
    QTest::newRow("choosing the diagonal clue")
        << QList<int>{Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Return} << 2 << QList<int>{0, 4, 8};
}

void TestAllClues::furtherListHasItsOwnTab()
{
    QFETCH(QList<int>, keys);
    QFETCH(int, section);
    QFETCH(QList<int>, squares);
    OpenWithDiagonal();
    CQuestionListsSelector dialog(puzzle_.get(), true, false);
    dialog.resize(480, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.Tab(2)->text(), QStringLiteral("Diagonal"));
    for (const int key : keys) {
        QTest::keyClick(dialog.List(), Qt::Key(key));
        QCoreApplication::sendPostedEvents();
    }
    QCOMPARE(dialog.ShownSection(), section);
    QVERIFY(dialog.Tab(section)->IsSelectedLook());
    QCOMPARE(dialog.ChosenSquares(), squares);
    QCOMPARE(dialog.isVisible(), squares.isEmpty());
    QCOMPARE(dialog.List()->Item(0).text, section == 2 ? QStringLiteral("D1. Corner") : QStringLiteral("1. Clue 1d"));
    QCOMPARE(CClueListAccessible(dialog.List()).text(QAccessible::Name), dialog.Tab(section)->text() + " clues");
}

void TestAllClues::viewFollowsAFurtherListsClue()
{
    OpenWithDiagonal();
    CGridView view(puzzle_.get(), nullptr);
    view.resize(480, 500);
    view.show();
    view.OnPuzzleOpened();
    puzzle_->SetCurrentCell(5);
    OnModal<CQuestionListsSelector>(this, [](CQuestionListsSelector* dialog) {
        QTest::mouseClick(dialog->Tab(2), Qt::LeftButton);
        TapRow(dialog->List(), 0);
    });
    QVERIFY(view.OnCommand(ID_ALL_CLUES));
    QCOMPARE(puzzle_->GetCurrentCell(), 0);
    QCOMPARE(view.ListedWord(), QList<int>({0, 4, 8}));
    view.OnChar(QLatin1Char('a'));
    QCOMPARE(puzzle_->GetCurrentCell(), 4);
    QVERIFY(view.OnCommand(ID_CLEAR_WORD));
    QCOMPARE(puzzle_->GetCell(0).entry, ' ');
    view.SelectCell(1, CGridView::SelectTap);
    QVERIFY(view.ListedWord().isEmpty());
}

GRIDMOOR_TEST_MAIN(TestAllClues)
#include "tst_all_clues.moc"
