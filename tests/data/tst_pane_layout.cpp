#include "data/pane_layout.h"

#include <QTest>

// The frame's pane arithmetic: where the clue view, the splitter bar and the
// grid go for both placements, how far the clue view may grow, and the
// inverse computation after a splitter drag.
class TestPaneLayout : public QObject {
    Q_OBJECT

private slots:
    void placesPanes_data();
    void placesPanes();
    void clampsClueHeight_data();
    void clampsClueHeight();
    void splitterDragGivesClueHeight_data();
    void splitterDragGivesClueHeight();
    void keyboardBoundsCoverGridAndClue();
    void keyboardMovesClearOfGrid_data();
    void keyboardMovesClearOfGrid();
};

namespace {

PaneLayoutInput Input(QRect client, int clueHeight, bool top, bool splitter)
{
    PaneLayoutInput input;
    input.client = client;
    input.clueHeight = clueHeight;
    input.clueAtTop = top;
    input.splitterShown = splitter;
    input.splitterThickness = 4;
    input.minimumGrid = 18;
    return input;
}

} // namespace

void TestPaneLayout::placesPanes_data()
{
    QTest::addColumn<bool>("top");
    QTest::addColumn<bool>("splitter");
    QTest::addColumn<QRect>("clue");
    QTest::addColumn<QRect>("bar");
    QTest::addColumn<QRect>("grid");
    const int w = 240;
    QTest::newRow("clue at top, splitter") << true << true << QRect(0, 0, w, 35) << QRect(0, 35, w, 4)
                                           << QRect(0, 39, w, 261);
    QTest::newRow("clue at top, no splitter") << true << false << QRect(0, 0, w, 35) << QRect()
                                              << QRect(0, 35, w, 265);
    QTest::newRow("clue at bottom, splitter") << false << true << QRect(0, 265, w, 35) << QRect(0, 261, w, 4)
                                              << QRect(0, 0, w, 261);
    QTest::newRow("clue at bottom, no splitter") << false << false << QRect(0, 265, w, 35) << QRect()
                                                 << QRect(0, 0, w, 265);
}

void TestPaneLayout::placesPanes()
{
    QFETCH(bool, top);
    QFETCH(bool, splitter);
    const PaneLayout layout = ComputePaneLayout(Input(QRect(0, 0, 240, 300), 35, top, splitter));
    QFETCH(QRect, clue);
    QFETCH(QRect, bar);
    QFETCH(QRect, grid);
    QCOMPARE(layout.clue, clue);
    QCOMPARE(layout.splitter, bar);
    QCOMPARE(layout.grid, grid);
    QCOMPARE(layout.clueHeight, 35);
}

void TestPaneLayout::clampsClueHeight_data()
{
    QTest::addColumn<int>("clientHeight");
    QTest::addColumn<int>("stored");
    QTest::addColumn<bool>("splitter");
    QTest::addColumn<int>("expected");
    // With the bar shown the clue view reaches at most height - 18 - 4; with it
    // hidden the bar's 4 pixels are kept free as well.
    QTest::newRow("fits") << 300 << 278 << true << 278;
    QTest::newRow("one too tall, splitter") << 300 << 279 << true << 278;
    QTest::newRow("one too tall, no splitter") << 300 << 275 << false << 274;
    QTest::newRow("far too tall") << 100 << 500 << true << 78;
    QTest::newRow("tiny window keeps zero, not a negative height") << 10 << 35 << true << 0;
}

void TestPaneLayout::clampsClueHeight()
{
    QFETCH(int, clientHeight);
    QFETCH(int, stored);
    QFETCH(bool, splitter);
    QFETCH(int, expected);
    for (const bool top : {true, false}) {
        const PaneLayout layout = ComputePaneLayout(Input(QRect(0, 0, 200, clientHeight), stored, top, splitter));
        QCOMPARE(layout.clueHeight, expected);
        QCOMPARE(layout.clue.height(), expected);
        QVERIFY(layout.grid.height() >= 0);
        QVERIFY(!layout.grid.intersects(layout.clue));
    }
}

void TestPaneLayout::splitterDragGivesClueHeight_data()
{
    QTest::addColumn<bool>("top");
    QTest::newRow("clue at top") << true;
    QTest::newRow("clue at bottom") << false;
}

void TestPaneLayout::splitterDragGivesClueHeight()
{
    QFETCH(bool, top);
    // A layout computed for a height, read back through the bar's position,
    // gives that height again; so a drag of the bar by d pixels changes it by d.
    for (const int height : {20, 35, 120}) {
        const PaneLayout layout = ComputePaneLayout(Input(QRect(0, 0, 240, 300), height, top, true));
        QCOMPARE(ClueHeightAfterSplitterMove(layout.clue, layout.splitter, top), height);
        const QRect dragged = layout.splitter.translated(0, top ? 10 : -10);
        QCOMPARE(ClueHeightAfterSplitterMove(layout.clue, dragged, top), height + 10);
    }
}

void TestPaneLayout::keyboardBoundsCoverGridAndClue()
{
    const PaneLayout layout = ComputePaneLayout(Input(QRect(0, 0, 240, 300), 35, true, true));
    QCOMPARE(KeyboardBounds(layout), QSize(240, 261 + 35));
}

void TestPaneLayout::keyboardMovesClearOfGrid_data()
{
    QTest::addColumn<QRect>("keyboard");
    QTest::addColumn<QRect>("grid");
    QTest::addColumn<QPoint>("expected");
    const QSize keyboard(218, 70);
    const QRect grid(130, 150, 217, 217);
    QTest::newRow("already clear") << QRect(QPoint(50, 20), keyboard) << grid << QPoint(50, 20);
    QTest::newRow("below the grid") << QRect(QPoint(50, 180), keyboard) << grid << QPoint(50, 371);
    QTest::newRow("above when no room below") << QRect(QPoint(50, 180), keyboard) << QRect(130, 200, 217, 217)
                                              << QPoint(50, 126);
    QTest::newRow("stays when no room at all") << QRect(QPoint(50, 180), keyboard) << QRect(130, 40, 217, 400)
                                               << QPoint(50, 180);
    QTest::newRow("no grid") << QRect(QPoint(50, 180), keyboard) << QRect() << QPoint(50, 180);
}

void TestPaneLayout::keyboardMovesClearOfGrid()
{
    QFETCH(QRect, keyboard);
    QFETCH(QRect, grid);
    QFETCH(QPoint, expected);
    QCOMPARE(KeyboardClearOfGrid(keyboard, grid, QSize(480, 450)), expected);
}

QTEST_APPLESS_MAIN(TestPaneLayout)
#include "tst_pane_layout.moc"
