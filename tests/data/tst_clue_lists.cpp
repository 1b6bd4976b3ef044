#include "core/puzzle.h"
#include "data/clue_list_items.h"
#include "data/clue_list_rows.h"

#include "fixture_files.h"
#include "ipuz_builder.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

// The window-free parts of the All Clues dialog: the items built from a
// puzzle, the row hit test and the scroll rule.
class TestClueLists : public QObject {
    Q_OBJECT

private slots:
    void itemsListAcrossCluesFirst();
    void puzzleWithoutDownClues();
    void furtherListsFollowAcrossAndDown_data();
    void furtherListsFollowAcrossAndDown();
    void tapRow_data();
    void tapRow();
    void scrollRule_data();
    void scrollRule();
    void lastScrollPositionShowsTheLastRowWhole();
    void keysMoveTheSelection_data();
    void keysMoveTheSelection();

private:
    bool Open(CPuzzle& puzzle, const QList<QByteArray>& rows, const QList<QByteArray>& entries = {});

    QTemporaryDir folder_;
    int files_ = 0;
};

bool TestClueLists::Open(CPuzzle& puzzle, const QList<QByteArray>& rows, const QList<QByteArray>& entries)
{
    PuzBuilder builder(rows);
    if (!entries.isEmpty())
        builder.Entries(entries);
    const QString path = folder_.filePath(QStringLiteral("p%1.puz").arg(++files_));
    return FixtureFiles::Write(path, builder.Build()) && puzzle.Open(path) == CPuzzle::Success;
}

void TestClueLists::itemsListAcrossCluesFirst()
{
    // Clue table: 0 "1 Across" CAT, 1 "1 Down" COW, 2 "2 Down" TOR, 3 "3 Across" SO,
    // 4 "3 Down" SES, 5 "4 Across" WAREST. CAT and COW are filled.
    CPuzzle puzzle;
    QVERIFY(Open(puzzle, {"CAT.SO", "O.O.E.", "WAREST"}, {"CAT.--", "O.-.-.", "W-----"}));
    const ClueListItems list = BuildClueListItems(puzzle);
    QCOMPARE(list.acrossCount, 3);
    QCOMPARE(list.DownCount(), 3);
    QStringList texts;
    QList<int> indexes;
    QList<bool> filled;
    for (const ClueListItem& item : list.items) {
        texts << item.text;
        indexes << item.clueIndex;
        filled << item.filled;
    }
    QCOMPARE(indexes, QList<int>({0, 3, 5, 1, 2, 4}));
    QCOMPARE(texts.first(), QStringLiteral("1. 1 Across"));
    QCOMPARE(texts.at(3), QStringLiteral("1. 1 Down"));
    QCOMPARE(filled, QList<bool>({true, false, false, true, false, false}));
}

void TestClueLists::puzzleWithoutDownClues()
{
    CPuzzle puzzle;
    QVERIFY(Open(puzzle, {"CAT"}));
    const ClueListItems list = BuildClueListItems(puzzle);
    QCOMPARE(list.acrossCount, 1);
    QCOMPARE(list.DownCount(), 0);
}

namespace {

// A 3 x 3 grid with a block in the middle: squares 0 1 2 / 3 . 5 / 6 7 8.
const QList<QByteArray> kRingGrid = {"ABC", "D.F", "GHI"};

QByteArray IpuzWithList(const QByteArray& list)
{
    IpuzBuilder builder(kRingGrid);
    QByteArray clues = builder.Clues();
    clues.chop(1);
    return builder.Member("clues", clues + ",\n  " + list + "}").Build();
}

} // namespace

void TestClueLists::furtherListsFollowAcrossAndDown_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("rows"); // the further lists' rows, in order
    QTest::addColumn<QList<QList<int>>>("squares");
    QTest::newRow("ipuz diagonal naming its cells")
        << IpuzWithList(R"("Diagonal": [{"number": "D1", "clue": "Corner to corner", "cells": [[1,1],[3,3]]}])")
        << 1 << QStringList{"Across", "Down", "Diagonal"} << QStringList{"D1. Corner to corner"}
        << QList<QList<int>>{{0, 8}};
    QTest::newRow("ipuz list naming no cells is only kept")
        << IpuzWithList(R"("Notes": ["Just a remark", [2, "Another"]])") << 1
        << QStringList{"Across", "Down"} << QStringList{} << QList<QList<int>>{};
    QTest::newRow("ipuz titled list: markup, block, outside squares, no label")
        << IpuzWithList(R"("Nina:<i>Hidden</i> &amp; found": [{"clue": "Ring", "cells": [[3,1],[2,2],[9,1],[1,3]]},)"
                        R"( {"number": 2, "clue": "Unplaced"}])")
        << 1 << QStringList{"Across", "Down", "Hidden & found"} << QStringList{"Ring", "2. Unplaced"}
        << QList<QList<int>>{{2, 6}, {}};
    QTest::newRow("ipuz two lists, one shown")
        << IpuzWithList(R"("Theme": ["Unplaced"], "Ring": [{"number": "R", "clue": "Round", "cells": [[1,1],[2,1]]}])")
        << 2 << QStringList{"Across", "Down", "Ring"} << QStringList{"R. Round"} << QList<QList<int>>{{0, 1}};
}

void TestClueLists::furtherListsFollowAcrossAndDown()
{
    QFETCH(QByteArray, file);
    QFETCH(int, kept);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, rows);
    QFETCH(QList<QList<int>>, squares);
    CPuzzle puzzle;
    const QString path = folder_.filePath(QStringLiteral("l%1.%2").arg(++files_).arg(file[0] == '{' ? "ipuz" : "jpz"));
    QVERIFY(FixtureFiles::Write(path, file));
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    QCOMPARE(int(puzzle.GetOtherLists().size()), kept);
    const ClueListItems list = BuildClueListItems(puzzle);
    QStringList shownTitles;
    for (const ClueListSection& section : list.sections)
        shownTitles << section.title;
    QStringList shownRows;
    QList<QList<int>> shownSquares;
    for (const ClueListItem& item : list.items.mid(list.acrossCount + list.DownCount())) {
        shownRows << item.text;
        shownSquares << item.squares;
    }
    QCOMPARE(shownTitles, titles);
    QCOMPARE(shownRows, rows);
    QCOMPARE(shownSquares, squares);
}

void TestClueLists::tapRow_data()
{
    QTest::addColumn<QPoint>("tap");
    QTest::addColumn<int>("scroll");
    QTest::addColumn<int>("row");
    // Rows 13, 26 and 13 pixels high in a 200 x 100 list: content 2..53 unscrolled.
    QTest::newRow("first pixel of the first row") << QPoint(10, 2) << 0 << 0;
    QTest::newRow("last pixel of the first row") << QPoint(10, 14) << 0 << 0;
    QTest::newRow("inside the two-line row") << QPoint(10, 30) << 0 << 1;
    QTest::newRow("last pixel of the last row") << QPoint(10, 53) << 0 << 2;
    QTest::newRow("first pixel below the last row") << QPoint(10, 54) << 0 << -1;
    QTest::newRow("far below the last row") << QPoint(10, 97) << 0 << -1;
    QTest::newRow("scrolled onto the last row") << QPoint(10, 5) << 45 << 2;
    QTest::newRow("scrolled, below the last row") << QPoint(10, 20) << 45 << -1;
    QTest::newRow("on the frame at the top") << QPoint(10, 1) << 0 << int(ClueListRows::kTapIgnored);
    QTest::newRow("on the frame at the left") << QPoint(1, 10) << 0 << int(ClueListRows::kTapIgnored);
    QTest::newRow("on the frame at the right") << QPoint(198, 10) << 0 << int(ClueListRows::kTapIgnored);
    QTest::newRow("on the frame at the bottom") << QPoint(10, 98) << 0 << int(ClueListRows::kTapIgnored);
}

void TestClueLists::tapRow()
{
    QFETCH(QPoint, tap);
    QFETCH(int, scroll);
    QFETCH(int, row);
    const ClueListRows rows({13, 26, 13});
    QCOMPARE(rows.TapRow(QSize(200, 100), tap, scroll), row);
}

void TestClueLists::scrollRule_data()
{
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<bool>("needsScroll");
    // 13-pixel rows in a list 134 pixels high: 130 pixels inside the border hold 10 rows.
    QTest::newRow("rows fill the list exactly") << 10 << false;
    QTest::newRow("one row more than fits") << 11 << true;
    QTest::newRow("no rows") << 0 << false;
}

void TestClueLists::scrollRule()
{
    QFETCH(int, rowCount);
    QFETCH(bool, needsScroll);
    const ClueListRows rows(QList<int>(rowCount, 13));
    QCOMPARE(rows.NeedsScroll(134), needsScroll);
}

void TestClueLists::lastScrollPositionShowsTheLastRowWhole()
{
    const ClueListRows rows(QList<int>(30, 13));
    const int client = 134;
    const int lastPos = rows.ScrollMax() - rows.ScrollPage(client) + 1;
    const int lastRowBottom = rows.Top(29) + rows.Height(29) - lastPos + ClueListRows::kBorder;
    QVERIFY(lastRowBottom <= client - ClueListRows::kBorder);
    QCOMPARE(rows.TapRow(QSize(200, client), QPoint(10, lastRowBottom - 1), lastPos), 29);
}

void TestClueLists::keysMoveTheSelection_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("scrollFrom");
    QTest::addColumn<int>("scroll");
    // Rows 10, 10, 30, 10 and 10 pixels high (tops 0 10 20 50 60) in a list
    // 34 pixels high: a page of 30 pixels inside the border.
    QTest::newRow("down from none") << int(Qt::Key_Down) << -1 << 0 << 0 << 0;
    QTest::newRow("up from none") << int(Qt::Key_Up) << -1 << 4 << 0 << 40;
    QTest::newRow("down at the end") << int(Qt::Key_Down) << 4 << 4 << 40 << 40;
    QTest::newRow("up at the top") << int(Qt::Key_Up) << 0 << 0 << 0 << 0;
    QTest::newRow("page down") << int(Qt::Key_PageDown) << 0 << 2 << 0 << 20;
    QTest::newRow("page down past the end") << int(Qt::Key_PageDown) << 3 << 4 << 30 << 40;
    QTest::newRow("page up") << int(Qt::Key_PageUp) << 4 << 2 << 40 << 20;
    QTest::newRow("page up past the top") << int(Qt::Key_PageUp) << 1 << 0 << 10 << 0;
    QTest::newRow("home") << int(Qt::Key_Home) << 3 << 0 << 40 << 0;
    QTest::newRow("end") << int(Qt::Key_End) << 0 << 4 << 0 << 40;
    QTest::newRow("row already shown") << int(Qt::Key_Down) << 0 << 1 << 0 << 0;
    QTest::newRow("other key") << int(Qt::Key_A) << 2 << -1 << 7 << 7;
}

void TestClueLists::keysMoveTheSelection()
{
    QFETCH(int, key);
    QFETCH(int, from);
    QFETCH(int, row);
    QFETCH(int, scrollFrom);
    QFETCH(int, scroll);
    const ClueListRows rows({10, 10, 30, 10, 10});
    QCOMPARE(rows.RowAfterKey(key, from, 34), row);
    QCOMPARE(rows.ScrollToShow(row, scrollFrom, 34), scroll);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestClueLists)
#include "tst_clue_lists.moc"
