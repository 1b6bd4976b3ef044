#include "data/scroll_bar_layout.h"
#include "test_main.h"

#include <QTest>

namespace {

ScrollBarValues Values(int page, int min, int max, int pos, bool noThumb = false)
{
    ScrollBarValues values;
    values.page = page;
    values.line = 1;
    values.min = min;
    values.max = max;
    values.pos = pos;
    values.noThumb = noThumb;
    return values;
}

} // namespace

class TestScrollBarLayout : public QObject {
    Q_OBJECT

private slots:
    void clampPos_data();
    void clampPos();
    void layoutParts_data();
    void layoutParts();
    void minimumThumbStillReachesTheEnd();
    void partAt_data();
    void partAt();
    void dragAcrossTheWholeTrackReachesTheLastPosition();
    void dragWithoutRoomKeepsThePosition();
};

void TestScrollBarLayout::clampPos_data()
{
    QTest::addColumn<int>("pos");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("expected");

    QTest::newRow("inside") << 50 << 10 << 0 << 100 << 50;
    QTest::newRow("below min") << -5 << 10 << 0 << 100 << 0;
    QTest::newRow("below a raised min") << 3 << 10 << 7 << 100 << 7;
    QTest::newRow("span past max") << 95 << 10 << 0 << 100 << 91;
    QTest::newRow("far past max") << 5000 << 10 << 0 << 100 << 91;
    QTest::newRow("last position stays") << 91 << 10 << 0 << 100 << 91;
    QTest::newRow("page nearly as wide as the range") << 5 << 100 << 0 << 100 << 1;
    QTest::newRow("extreme values do not overflow") << INT32_MAX << 10 << 0 << INT32_MAX << INT32_MAX - 9;
}

void TestScrollBarLayout::clampPos()
{
    QFETCH(int, pos);
    QFETCH(int, page);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, expected);
    QCOMPARE(ScrollBarLayout::ClampPos(pos, page, min, max), expected);
}

void TestScrollBarLayout::layoutParts_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("pos");
    QTest::addColumn<bool>("noThumb");
    QTest::addColumn<QRect>("arrow1");
    QTest::addColumn<QRect>("arrow2");
    QTest::addColumn<QRect>("thumb");
    QTest::addColumn<QRect>("before");
    QTest::addColumn<QRect>("after");
    QTest::addColumn<int>("thumbLength");

    // Range 0..999 throughout; the track of a 200 x 20 bar is 160 pixels.
    QTest::newRow("thumb at the start") << QSize(200, 20) << true << 100 << 0 << false << QRect(0, 0, 20, 20)
                                        << QRect(180, 0, 20, 20) << QRect(20, 0, 17, 20) << QRect()
                                        << QRect(37, 0, 144, 20) << 16;
    QTest::newRow("thumb in the middle") << QSize(200, 20) << true << 100 << 400 << false << QRect(0, 0, 20, 20)
                                         << QRect(180, 0, 20, 20) << QRect(84, 0, 17, 20) << QRect(20, 0, 64, 20)
                                         << QRect(101, 0, 80, 20) << 16;
    QTest::newRow("vertical") << QSize(20, 200) << false << 100 << 400 << false << QRect(0, 0, 20, 20)
                              << QRect(0, 180, 20, 20) << QRect(0, 84, 20, 17) << QRect(0, 20, 20, 64)
                              << QRect(0, 101, 20, 80) << 16;
    QTest::newRow("short thumb drawn 10 long") << QSize(200, 20) << true << 10 << 0 << false << QRect(0, 0, 20, 20)
                                               << QRect(180, 0, 20, 20) << QRect(20, 0, 11, 20) << QRect()
                                               << QRect(31, 0, 150, 20) << 10;
    QTest::newRow("no thumb") << QSize(200, 20) << true << 999 << 0 << true << QRect(0, 0, 20, 20)
                              << QRect(180, 0, 20, 20) << QRect() << QRect() << QRect() << 0;
    QTest::newRow("position past the end") << QSize(200, 20) << true << 100 << 5000 << false << QRect(0, 0, 20, 20)
                                           << QRect(180, 0, 20, 20) << QRect() << QRect() << QRect() << 0;
    QTest::newRow("track too short for a thumb pages forward")
        << QSize(20, 45) << false << 10 << 0 << false << QRect(0, 0, 20, 20) << QRect(0, 25, 20, 20) << QRect()
        << QRect() << QRect(0, 1, 20, 25) << 0;
    QTest::newRow("short bar: half-length arrows") << QSize(30, 20) << true << 100 << 0 << false
                                                   << QRect(0, 0, 15, 20) << QRect(16, 0, 14, 20) << QRect()
                                                   << QRect() << QRect() << 0;
    QTest::newRow("short vertical bar") << QSize(20, 25) << false << 100 << 0 << false << QRect(0, 0, 20, 12)
                                        << QRect(0, 13, 20, 12) << QRect() << QRect() << QRect() << 0;
    QTest::newRow("two pixels: nothing") << QSize(2, 20) << true << 100 << 0 << false << QRect() << QRect()
                                         << QRect() << QRect() << QRect() << 0;
}

void TestScrollBarLayout::layoutParts()
{
    QFETCH(QSize, client);
    QFETCH(bool, horizontal);
    QFETCH(int, page);
    QFETCH(int, pos);
    QFETCH(bool, noThumb);

    const ScrollBarParts parts = ScrollBarLayout::LayoutParts(client, horizontal, Values(page, 0, 999, pos, noThumb));
    QTEST(parts[kPartArrow1], "arrow1");
    QTEST(parts[kPartArrow2], "arrow2");
    QTEST(parts[kPartThumb], "thumb");
    QTEST(parts[kPartTrackBefore], "before");
    QTEST(parts[kPartTrackAfter], "after");
    QTEST(parts.thumbLength, "thumbLength");
}

void TestScrollBarLayout::minimumThumbStillReachesTheEnd()
{
    // A 10-pixel share would be 1.6 pixels: the thumb is drawn 10 long and the
    // scale shrinks, so at the last position it still ends at the arrow.
    const ScrollBarParts parts = ScrollBarLayout::LayoutParts(QSize(200, 20), true, Values(10, 0, 999, 990));
    QCOMPARE(parts.thumbLength, 10);
    QVERIFY(parts[kPartThumb].right() >= 178);
    QVERIFY(parts[kPartThumb].right() <= 180);
}

void TestScrollBarLayout::partAt_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<int>("part");

    // 200 x 20 horizontal, page 100 at 400: thumb [84, 101), tracks [20, 84) and [101, 181).
    QTest::newRow("arrow 1") << QSize(200, 20) << QPoint(5, 10) << int(kPartArrow1);
    QTest::newRow("arrow 2") << QSize(200, 20) << QPoint(195, 10) << int(kPartArrow2);
    QTest::newRow("arrow 2 wins over the track's last pixel") << QSize(200, 20) << QPoint(180, 10)
                                                              << int(kPartArrow2);
    QTest::newRow("thumb") << QSize(200, 20) << QPoint(90, 10) << int(kPartThumb);
    QTest::newRow("thumb's last pixel") << QSize(200, 20) << QPoint(100, 10) << int(kPartThumb);
    QTest::newRow("track before") << QSize(200, 20) << QPoint(50, 10) << int(kPartTrackBefore);
    QTest::newRow("track after") << QSize(200, 20) << QPoint(101, 10) << int(kPartTrackAfter);
    QTest::newRow("outside") << QSize(200, 20) << QPoint(100, 25) << int(kPartNone);
    QTest::newRow("gap between half arrows") << QSize(30, 20) << QPoint(15, 10) << int(kPartNone);
}

void TestScrollBarLayout::partAt()
{
    QFETCH(QSize, client);
    QFETCH(QPoint, point);
    const ScrollBarParts parts = ScrollBarLayout::LayoutParts(client, true, Values(100, 0, 999, 400));
    QTEST(ScrollBarLayout::PartAt(parts, point), "part");
}

void TestScrollBarLayout::dragAcrossTheWholeTrackReachesTheLastPosition()
{
    const ScrollBarValues values = Values(100, 0, 999, 0);
    const ScrollBarParts parts = ScrollBarLayout::LayoutParts(QSize(200, 20), true, values);
    const int room = 160 - parts.thumbLength;
    QCOMPARE(ScrollBarLayout::DragPos(0, room, true, values, parts), 900);
    QCOMPARE(ScrollBarLayout::DragPos(0, 10, true, values, parts), 62);
    QCOMPARE(ScrollBarLayout::DragPos(500, -10, true, values, parts), 438);
}

void TestScrollBarLayout::dragWithoutRoomKeepsThePosition()
{
    // Arrows touching each other leave no track: the drag scale would divide by zero.
    const ScrollBarValues values = Values(100, 0, 999, 0);
    const ScrollBarParts parts = ScrollBarLayout::LayoutParts(QSize(20, 40), false, values);
    QCOMPARE(ScrollBarLayout::DragPos(7, 30, false, values, parts), 7);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestScrollBarLayout)
#include "tst_scroll_bar_layout.moc"
