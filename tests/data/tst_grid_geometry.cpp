#include "data/grid_geometry.h"
#include "test_main.h"

#include <QtTest>

class TestGridGeometry : public QObject {
    Q_OBJECT

private slots:
    void scrollNeeds_data();
    void scrollNeeds();
    void shrinkingRangePullsPositionBack();
    void tapOutsideGridHitsNothing_data();
    void tapOutsideGridHitsNothing();
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

GRIDMOOR_TEST_APPLESS_MAIN(TestGridGeometry)
#include "tst_grid_geometry.moc"
