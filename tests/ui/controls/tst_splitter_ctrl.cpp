#include "core/message_event.h"
#include "data/splitter_geometry.h"
#include "ui/controls/splitter_ctrl.h"
#include "test_main.h"

#include <QtTest>

#include <vector>

namespace {

// A parent that records the splitter notifications it is sent.
class RecordingParent : public QWidget {
public:
    std::vector<qintptr> moves;
    std::vector<qintptr> lParams;
    std::vector<int> barTopsAtNotification;
    CSplitterCtrl* bar = nullptr;

protected:
    bool event(QEvent* event) override
    {
        if (MessageEvent::IdOf(event) == UM_SPLITTER_MOVED) {
            const auto* message = static_cast<MessageEvent*>(event);
            moves.push_back(message->WParam());
            lParams.push_back(message->LParam());
            barTopsAtNotification.push_back(bar->geometry().top());
            return true;
        }
        return QWidget::event(event);
    }
};

} // namespace

class TestSplitterCtrl : public QObject {
    Q_OBJECT

private slots:
    void clampNearEdge_data();
    void clampNearEdge();
    void draggedRectMovesOnlyAlongItsAxis();
    void dragFollowsPointerAndNotifiesParent();
    void dragStopsAtBothMinimums();
    void moveAtAnchorDoesNothing();
    void verticalBarMovesLeftAndRight();
    void releaseEndsDrag();
    void onlyTheLeftButtonDrags();
    void grooveOnlyOnThickEnoughBar_data();
    void grooveOnlyOnThickEnoughBar();

private:
    struct Fixture {
        RecordingParent parent;
        CSplitterCtrl bar{true};
    };
    static void SetUp(Fixture& f, const QRect& barRect, bool vertical = false)
    {
        f.parent.resize(200, 300);
        f.parent.bar = &f.bar;
        QVERIFY(f.bar.Create(&f.parent, barRect, vertical));
        f.parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.parent));
    }
};

void TestSplitterCtrl::clampNearEdge_data()
{
    QTest::addColumn<int>("candidate");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<int>("limit");
    QTest::addColumn<int>("minBefore");
    QTest::addColumn<int>("minAfter");
    QTest::addColumn<int>("expected");

    QTest::newRow("inside") << 100 << 4 << 300 << 20 << 20 << 100;
    QTest::newRow("exactly at minBefore") << 20 << 4 << 300 << 20 << 20 << 20;
    QTest::newRow("above minBefore") << 5 << 4 << 300 << 20 << 20 << 20;
    QTest::newRow("negative") << -50 << 4 << 300 << 20 << 20 << 20;
    QTest::newRow("exactly at minAfter") << 276 << 4 << 300 << 20 << 20 << 276;
    QTest::newRow("one past minAfter") << 277 << 4 << 300 << 20 << 20 << 276;
    QTest::newRow("far below") << 900 << 4 << 300 << 20 << 20 << 276;
    // Too short for both minimums: the far limit is tested first and wins.
    QTest::newRow("short parent, upper clamp wins") << 10 << 4 << 30 << 20 << 20 << 6;
    QTest::newRow("short parent, lower candidate") << -5 << 4 << 30 << 20 << 20 << 20;
    QTest::newRow("asymmetric minimums") << 0 << 6 << 100 << 7 << 30 << 7;
}

void TestSplitterCtrl::clampNearEdge()
{
    QFETCH(int, candidate);
    QFETCH(int, thickness);
    QFETCH(int, limit);
    QFETCH(int, minBefore);
    QFETCH(int, minAfter);
    QFETCH(int, expected);
    QCOMPARE(SplitterGeometry::ClampNearEdge(candidate, thickness, limit, minBefore, minAfter), expected);
}

void TestSplitterCtrl::draggedRectMovesOnlyAlongItsAxis()
{
    const QRect horizontal(0, 100, 200, 4);
    QCOMPARE(SplitterGeometry::DraggedRect(horizontal, QSize(200, 300), 30, false, 20, 20),
             QRect(0, 130, 200, 4));
    QCOMPARE(SplitterGeometry::DraggedRect(horizontal, QSize(200, 300), 500, false, 20, 20),
             QRect(0, 276, 200, 4));
    const QRect vertical(100, 0, 5, 300);
    QCOMPARE(SplitterGeometry::DraggedRect(vertical, QSize(200, 300), -90, true, 18, 18), QRect(18, 0, 5, 300));
    QCOMPARE(SplitterGeometry::DraggedRect(vertical, QSize(200, 300), 90, true, 18, 18), QRect(177, 0, 5, 300));
}

void TestSplitterCtrl::dragFollowsPointerAndNotifiesParent()
{
    CSplitterCtrl orphan(true);
    QVERIFY(!orphan.Create(nullptr, QRect(), false));

    Fixture f;
    SetUp(f, QRect(0, 100, 200, 4));
    QCOMPARE(f.bar.cursor().shape(), Qt::SizeVerCursor);
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(50, 2));
    QVERIFY(f.bar.IsDragging());
    QTest::mouseMove(&f.bar, QPoint(50, 12));
    QCOMPARE(f.bar.geometry(), QRect(0, 110, 200, 4));
    // The pointer keeps its place inside the bar, so the next step is relative to the moved bar.
    QTest::mouseMove(&f.bar, QPoint(50, -3));
    QCOMPARE(f.bar.geometry(), QRect(0, 105, 200, 4));
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, QPoint(50, 2));

    const auto self = reinterpret_cast<qintptr>(&f.bar);
    QCOMPARE(f.parent.moves, (std::vector<qintptr>{self, self}));
    QCOMPARE(f.parent.lParams, (std::vector<qintptr>{0, 0}));
    // Sent, not posted: the parent sees the bar already at its new place.
    QCOMPARE(f.parent.barTopsAtNotification, (std::vector<int>{110, 105}));
}

void TestSplitterCtrl::dragStopsAtBothMinimums()
{
    Fixture f;
    SetUp(f, QRect(0, 100, 200, 4));
    f.bar.SetMinimums(18, 25);
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(10, 1));
    QTest::mouseMove(&f.bar, QPoint(10, -200));
    QCOMPARE(f.bar.geometry().top(), 18);
    QTest::mouseMove(&f.bar, QPoint(10, 400));
    QCOMPARE(f.bar.geometry().top(), 300 - 25 - 4);
    const std::size_t notified = f.parent.moves.size();
    // Pushing further against the limit moves nothing and tells nobody.
    QTest::mouseMove(&f.bar, QPoint(10, 50));
    QCOMPARE(f.bar.geometry().top(), 271);
    QCOMPARE(f.parent.moves.size(), notified);
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, QPoint(10, 1));
}

void TestSplitterCtrl::moveAtAnchorDoesNothing()
{
    Fixture f;
    SetUp(f, QRect(0, 100, 200, 4));
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(30, 2));
    // Only the coordinate along the drag counts: a sideways move is no step.
    QTest::mouseMove(&f.bar, QPoint(90, 2));
    QCOMPARE(f.bar.geometry(), QRect(0, 100, 200, 4));
    QVERIFY(f.parent.moves.empty());
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, QPoint(90, 2));
}

void TestSplitterCtrl::verticalBarMovesLeftAndRight()
{
    Fixture f;
    SetUp(f, QRect(100, 0, 4, 300), true);
    QCOMPARE(f.bar.cursor().shape(), Qt::SizeHorCursor);
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(2, 150));
    QTest::mouseMove(&f.bar, QPoint(-28, 10));
    QCOMPARE(f.bar.geometry(), QRect(70, 0, 4, 300));
    QTest::mouseMove(&f.bar, QPoint(500, 10));
    QCOMPARE(f.bar.geometry(), QRect(176, 0, 4, 300));
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, QPoint(2, 10));
    QCOMPARE(f.parent.moves.size(), std::size_t{2});
}

void TestSplitterCtrl::releaseEndsDrag()
{
    Fixture f;
    SetUp(f, QRect(0, 100, 200, 4));
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(50, 2));
    QTest::mouseRelease(&f.bar, Qt::LeftButton, {}, QPoint(50, 2));
    QVERIFY(!f.bar.IsDragging());
    QTest::mouseMove(&f.bar, QPoint(50, 40));
    QCOMPARE(f.bar.geometry().top(), 100);
    QVERIFY(f.parent.moves.empty());

    // Hiding the bar in the middle of a drag ends it as well.
    QTest::mousePress(&f.bar, Qt::LeftButton, {}, QPoint(50, 2));
    QVERIFY(f.bar.IsDragging());
    f.bar.hide();
    QVERIFY(!f.bar.IsDragging());
}

void TestSplitterCtrl::onlyTheLeftButtonDrags()
{
    Fixture f;
    SetUp(f, QRect(0, 100, 200, 4));
    for (const Qt::MouseButton button : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(&f.bar, button, {}, QPoint(50, 2));
        QVERIFY(!f.bar.IsDragging());
        QTest::mouseMove(&f.bar, QPoint(50, 40));
        QTest::mouseRelease(&f.bar, button, {}, QPoint(50, 40));
    }
    QCOMPARE(f.bar.geometry().top(), 100);
    QVERIFY(f.parent.moves.empty());
}

void TestSplitterCtrl::grooveOnlyOnThickEnoughBar_data()
{
    QTest::addColumn<bool>("flat");
    QTest::addColumn<int>("thickness");
    QTest::addColumn<bool>("groove");

    QTest::newRow("flat, 3 pixels") << true << 3 << false;
    QTest::newRow("flat, 4 pixels") << true << 4 << true;
    // The border takes a pixel on each side from the room for the groove.
    QTest::newRow("bordered, 5 pixels") << false << 5 << false;
    QTest::newRow("bordered, 6 pixels") << false << 6 << true;
}

void TestSplitterCtrl::grooveOnlyOnThickEnoughBar()
{
    QFETCH(bool, flat);
    QFETCH(int, thickness);
    QFETCH(bool, groove);

    QWidget parent;
    parent.resize(200, 100);
    CSplitterCtrl bar(flat);
    QVERIFY(bar.Create(&parent, QRect(0, 40, 200, thickness), false));
    const QImage image = bar.grab().toImage();
    const QColor face = bar.palette().color(QPalette::Button);
    const int cy = thickness / 2;
    QCOMPARE(image.pixelColor(100, cy) != face, groove);
    QCOMPARE(image.pixelColor(10, cy), face);
    QCOMPARE(image.pixelColor(100, 0) == face, flat);
}

GRIDMOOR_TEST_MAIN(TestSplitterCtrl)
#include "tst_splitter_ctrl.moc"
