#include "data/pane_layout.h"
#include "test_main.h"

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
    void untouchedKeyboardPosition_data();
    void untouchedKeyboardPosition();
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

void TestPaneLayout::untouchedKeyboardPosition_data()
{
    QTest::addColumn<QSize>("keyboard");
    QTest::addColumn<QRect>("area");
    QTest::addColumn<QRect>("grid");
    QTest::addColumn<QRect>("cell");
    QTest::addColumn<QPoint>("expected");
    const QSize large(218, 70);
    const QRect area(2, 41, 476, 400); // right edge 478, bottom edge 441 (exclusive)
    const QRect noCell;
    // Beside the grid: centred in the first free strip of below, above, right, left.
    QTest::newRow("below") << large << area << QRect(130, 100, 217, 217) << noCell << QPoint(131, 346);
    QTest::newRow("above when no room below") << large << area << QRect(130, 200, 217, 217) << noCell
                                              << QPoint(131, 83);
    QTest::newRow("right when no room above or below") << large << area << QRect(2, 60, 200, 360) << noCell
                                                       << QPoint(233, 206);
    QTest::newRow("left when only there is room") << large << area << QRect(260, 45, 218, 390) << noCell
                                                   << QPoint(20, 206);
    QTest::newRow("small keyboard fits where the large does not")
        << QSize(109, 35) << area << QRect(130, 90, 217, 300) << noCell << QPoint(185, 400);
    // No room beside the grid: the corner farthest from the current cell.
    QTest::newRow("cell top-left: bottom-right corner") << large << area << area << QRect(10, 50, 24, 24)
                                                        << QPoint(260, 371);
    QTest::newRow("cell bottom-right: top-left corner") << large << area << area << QRect(450, 410, 24, 24)
                                                        << QPoint(2, 41);
    QTest::newRow("cell top-right: bottom-left corner") << large << area << area << QRect(450, 50, 24, 24)
                                                        << QPoint(2, 371);
    QTest::newRow("cell bottom-left: top-right corner") << large << area << area << QRect(10, 410, 24, 24)
                                                        << QPoint(260, 41);
    QTest::newRow("no cursor: bottom-right corner") << large << area << area << noCell << QPoint(260, 371);
    QTest::newRow("no puzzle: bottom centre") << large << area << QRect() << noCell << QPoint(131, 371);
    QTest::newRow("the bounds cut the area") << large << QRect(2, 41, 476, 460) << QRect() << noCell
                                             << QPoint(131, 410);
    QTest::newRow("keyboard larger than the area keeps its top-left inside")
        << large << QRect(2, 41, 150, 50) << QRect(2, 41, 150, 50) << QRect(10, 50, 24, 24) << QPoint(2, 41);
}

void TestPaneLayout::untouchedKeyboardPosition()
{
    QFETCH(QSize, keyboard);
    QFETCH(QRect, area);
    QFETCH(QRect, grid);
    QFETCH(QRect, cell);
    QFETCH(QPoint, expected);
    UntouchedKeyboardInput input;
    input.keyboard = keyboard;
    input.gridArea = area;
    input.bounds = QSize(480, 480);
    input.gridShown = grid;
    input.currentCell = cell;
    const QPoint place = UntouchedKeyboardPosition(input);
    QCOMPARE(place, expected);
    if (keyboard.width() <= area.width() && keyboard.height() <= area.height()) {
        const QRect placed(place, keyboard);
        QVERIFY(area.contains(placed));
        QVERIFY(!placed.intersects(cell));
    }
}

GRIDMOOR_TEST_APPLESS_MAIN(TestPaneLayout)
#include "tst_pane_layout.moc"
