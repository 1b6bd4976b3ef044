#include "view/grid_geometry.h"

#include <QtTest>

class TestGridGeometry : public QObject {
    Q_OBJECT

private slots:
    void gridSize_data();
    void gridSize();
    void scrollNeeds_data();
    void scrollNeeds();
    void fittingGridIsCentred();
    void shrinkingRangePullsPositionBack();
    void tapOutsideGridHitsNothing_data();
    void tapOutsideGridHitsNothing();
    void scrollToShow_data();
    void scrollToShow();
};

namespace {
GridGeometry Make(int cellSize, int columns, int rows, bool show = false)
{
    GridGeometry geometry;
    geometry.SetGrid(columns, rows, true);
    geometry.SetCellSide(GridGeometry::CellSide(cellSize));
    geometry.SetShowBars(show);
    geometry.SetBarThickness(13);
    return geometry;
}
} // namespace

void TestGridGeometry::gridSize_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("15x15 small") << 0 << 15 << 15 << QSize(226, 226);
    QTest::newRow("15x15 large") << 2 << 15 << 15 << QSize(586, 586);
    QTest::newRow("21x15 medium") << 1 << 21 << 15 << QSize(505, 361);
    QTest::newRow("255x255 small") << 0 << 255 << 255 << QSize(3826, 3826);
}

void TestGridGeometry::gridSize()
{
    QFETCH(int, cellSize);
    QFETCH(int, columns);
    QFETCH(int, rows);
    QFETCH(QSize, expected);
    QCOMPARE(Make(cellSize, columns, rows).GetGridSize(), expected);

    GridGeometry closed = Make(cellSize, columns, rows);
    closed.SetGrid(columns, rows, false);
    QCOMPARE(closed.GetGridSize(), QSize(0, 0));
}

void TestGridGeometry::scrollNeeds_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<QSize>("grid");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("show");
    QTest::addColumn<bool>("hScroll");
    QTest::addColumn<bool>("vScroll");
    QTest::newRow("small fits") << 0 << QSize(15, 15) << QSize(240, 320) << true << false << false;
    QTest::newRow("large scrolls both") << 2 << QSize(15, 15) << QSize(240, 320) << false << true << true;
    QTest::newRow("exact fit") << 0 << QSize(15, 15) << QSize(229, 229) << true << false << false;
    QTest::newRow("one pixel short") << 0 << QSize(15, 15) << QSize(228, 229) << false << true << false;
    // A grid that fits the width only without a vertical bar beside it.
    QTest::newRow("shown bar takes the width") << 0 << QSize(15, 30) << QSize(235, 240) << true << true << true;
    QTest::newRow("hidden bar leaves the width") << 0 << QSize(15, 30) << QSize(235, 240) << false << false << true;
}

void TestGridGeometry::scrollNeeds()
{
    QFETCH(int, cellSize);
    QFETCH(QSize, grid);
    QFETCH(QSize, client);
    QFETCH(bool, show);
    QFETCH(bool, hScroll);
    QFETCH(bool, vScroll);
    GridGeometry geometry = Make(cellSize, grid.width(), grid.height(), show);
    geometry.RecalcScrollNeeds(client);
    QCOMPARE(geometry.HScrollable(), hScroll);
    QCOMPARE(geometry.VScrollable(), vScroll);

    geometry.SetGrid(grid.width(), grid.height(), false);
    geometry.RecalcScrollNeeds(client);
    QVERIFY(!geometry.HScrollable() && !geometry.VScrollable());
}

void TestGridGeometry::fittingGridIsCentred()
{
    GridGeometry geometry = Make(0, 15, 15);
    const QSize client(240, 320);
    geometry.RecalcScrollNeeds(client);
    GridRect content = GridRect::FromSize(client).Inset(2);
    const GridRect grid = geometry.GridOnScreen(content, geometry.GetGridOrigin(content, false, 0, 0));
    QCOMPARE(grid.Width(), 226);
    QCOMPARE(grid.Height(), 226);
    QVERIFY(qAbs((grid.left - content.left) - (content.right - grid.right)) <= 2);
    QVERIFY(qAbs((grid.top - content.top) - (content.bottom - grid.bottom)) <= 2);
}

void TestGridGeometry::shrinkingRangePullsPositionBack()
{
    GridGeometry geometry = Make(2, 15, 15);
    const QSize client(240, 320);
    geometry.RecalcScrollNeeds(client);
    const ScrollBarPlan wide = geometry.HorizontalBar(client, 100);
    QCOMPARE(wide.pos, 100);
    QVERIFY(wide.pos + wide.page - 1 <= wide.max);

    // Switching to medium cells shrinks the range below the old position.
    geometry.SetCellSide(GridGeometry::CellSide(1));
    geometry.RecalcScrollNeeds(client);
    const ScrollBarPlan narrow = geometry.HorizontalBar(client, 400);
    QCOMPARE(narrow.pos, narrow.max - narrow.page + 1);
    QVERIFY(narrow.line >= 1);
}

void TestGridGeometry::tapOutsideGridHitsNothing_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("cell");
    // 15 x 15 small cells centred in 240 x 320: the grid spans x 8..233, y 48..273.
    QTest::newRow("first cell") << QPoint(12, 52) << 0;
    QTest::newRow("last cell") << QPoint(230, 270) << 224;
    QTest::newRow("second row") << QPoint(12, 66) << 15;
    QTest::newRow("left of grid") << QPoint(5, 100) << -1;
    QTest::newRow("above grid") << QPoint(100, 20) << -1;
    QTest::newRow("below grid") << QPoint(100, 300) << -1;
}

void TestGridGeometry::tapOutsideGridHitsNothing()
{
    QFETCH(QPoint, point);
    QFETCH(int, cell);
    GridGeometry geometry = Make(0, 15, 15);
    geometry.RecalcScrollNeeds(QSize(240, 320));
    QCOMPARE(geometry.CellAt(QSize(240, 320), point, 0, 0), cell);
}

void TestGridGeometry::scrollToShow_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("end");
    QTest::addColumn<bool>("alignStart");
    QTest::addColumn<int>("expected");
    // A 100-pixel visible span shows grid coordinates pos - 1 .. pos + 98.
    QTest::newRow("already visible") << 10 << 20 << 60 << false << 10;
    QTest::newRow("past the end") << 0 << 117 << 157 << false << 58;
    QTest::newRow("before the start") << 200 << 39 << 79 << false << 39;
    QTest::newRow("long word aligned") << 0 << 78 << 390 << true << 78;
}

void TestGridGeometry::scrollToShow()
{
    QFETCH(int, pos);
    QFETCH(int, start);
    QFETCH(int, end);
    QFETCH(bool, alignStart);
    QFETCH(int, expected);
    const int result = GridGeometry::ScrollToShow(pos, 100, start, end, alignStart);
    QCOMPARE(result, expected);
    if (!alignStart) {
        QVERIFY(start >= result - 1);
        QVERIFY(end <= result - 1 + 100);
    }
}

QTEST_APPLESS_MAIN(TestGridGeometry)
#include "tst_grid_geometry.moc"
