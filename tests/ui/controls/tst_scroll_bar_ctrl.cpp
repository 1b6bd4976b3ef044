#include "core/message_event.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "test_main.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

namespace {

constexpr int kBarId = 50201;

// Records the bar's notifications in the order they arrive.
class Owner : public QWidget {
public:
    QList<int> messages;
    QList<qintptr> ids;

protected:
    bool event(QEvent* event) override
    {
        const int id = MessageEvent::IdOf(event);
        if (id == UM_SCROLL_CHANGED || id == UM_SCROLL_DONE) {
            messages << id;
            ids << static_cast<const MessageEvent*>(event)->WParam();
            return true;
        }
        return QWidget::event(event);
    }
};

// A bar whose repeat timer the test fires by hand.
class FakeTimerBar : public CScrollBarCtrl {
public:
    using CScrollBarCtrl::CScrollBarCtrl;
    QList<int> timerStarts;
    int timerStops = 0;

    void Tick() { OnRepeatTimer(); }

protected:
    void StartRepeatTimer(int intervalMs) override { timerStarts << intervalMs; }
    void StopRepeatTimer() override { ++timerStops; }
};

const QList<int> kChanged{UM_SCROLL_CHANGED};
const QList<int> kChangedDone{UM_SCROLL_CHANGED, UM_SCROLL_DONE};

void DragTo(QWidget* widget, QPoint point)
{
    QMouseEvent move(QEvent::MouseMove, point, widget->mapToGlobal(point), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &move);
}

QColor Palette(int index)
{
    return QColorFromRef(PaletteColor(index));
}

} // namespace

class TestScrollBarCtrl : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void heldArrowRepeatsAfterTheDelayThenSteadily();
    void releaseNotifiesEvenWithoutChange();
    void trackPagesAndStopsAtTheEnd();
    void barWithoutThumbIgnoresTaps();
    void thumbDragMovesAndClamps();
    void hidingWhilePressedEndsThePress();
    void realTimerRepeats();
    void gripOnlyOnLongThumbs();
    void heldTrackIsLightened();
    void arrowsGreyWithoutThumb();

private:
    FakeTimerBar* MakeBar(int page, int line, int pos);

    Owner* owner_ = nullptr;
};

void TestScrollBarCtrl::init()
{
    owner_ = new Owner;
    owner_->resize(300, 100);
}

void TestScrollBarCtrl::cleanup()
{
    delete owner_;
}

FakeTimerBar* TestScrollBarCtrl::MakeBar(int page, int line, int pos)
{
    auto* bar = new FakeTimerBar(true);
    bar->Create(QRect(0, 0, 200, 20), owner_, kBarId, true);
    bar->SetScrollValues(page, line, 0, 999, pos, true);
    owner_->show();
    return bar;
}

void TestScrollBarCtrl::heldArrowRepeatsAfterTheDelayThenSteadily()
{
    FakeTimerBar* bar = MakeBar(100, 5, 500);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(190, 10));
    QCOMPARE(bar->Pos(), 505);
    QCOMPARE(bar->timerStarts, QList<int>{CScrollBarCtrl::kInitialRepeatDelayMs});
    QCOMPARE(owner_->messages, kChanged);

    bar->Tick();
    bar->Tick();
    QCOMPARE(bar->Pos(), 515);
    QCOMPARE(bar->timerStarts, (QList<int>{350, 80, 80}));
    QCOMPARE(owner_->messages, (QList<int>{UM_SCROLL_CHANGED, UM_SCROLL_CHANGED, UM_SCROLL_CHANGED}));

    owner_->messages.clear();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(190, 10));
    QCOMPARE(owner_->messages, kChangedDone);
    QCOMPARE(owner_->ids, QList<qintptr>(5, kBarId));
    QCOMPARE(bar->timerStops, 3);
    QVERIFY(!bar->IsPressed());

    bar->Tick();
    QCOMPARE(bar->Pos(), 515);
}

void TestScrollBarCtrl::releaseNotifiesEvenWithoutChange()
{
    FakeTimerBar* bar = MakeBar(100, 5, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 10));
    QCOMPARE(bar->Pos(), 0);
    QVERIFY(owner_->messages.isEmpty());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 10));
    QCOMPARE(owner_->messages, kChangedDone);
}

void TestScrollBarCtrl::trackPagesAndStopsAtTheEnd()
{
    FakeTimerBar* bar = MakeBar(100, 5, 850);
    const QPoint beforeThumb(25, 10);
    QTest::mousePress(bar, Qt::LeftButton, {}, beforeThumb);
    QCOMPARE(bar->Pos(), 750);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, beforeThumb);

    bar->SetPosition(850);
    owner_->messages.clear();
    const QPoint afterThumb(175, 10);
    QTest::mousePress(bar, Qt::LeftButton, {}, afterThumb);
    QCOMPARE(bar->Pos(), 900);
    bar->Tick();
    QCOMPARE(bar->Pos(), 900);
    QCOMPARE(owner_->messages, kChanged);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, afterThumb);
}

void TestScrollBarCtrl::barWithoutThumbIgnoresTaps()
{
    FakeTimerBar* bar = MakeBar(2000, 5, 0);
    QVERIFY(!bar->HasThumb());
    QCOMPARE(bar->Page(), 999);
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(190, 10));
    QCOMPARE(bar->Pos(), 0);
    QVERIFY(bar->timerStarts.isEmpty());
    QVERIFY(owner_->messages.isEmpty());
}

void TestScrollBarCtrl::thumbDragMovesAndClamps()
{
    // Page 100 of 0..999 on a 160-pixel track: a 16-pixel thumb at [20, 37)
    // and 6.25 units per pixel.
    FakeTimerBar* bar = MakeBar(100, 5, 0);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(28, 10));
    QCOMPARE(bar->PressedPart(), int(kPartThumb));
    QVERIFY(bar->timerStarts.isEmpty());

    DragTo(bar, QPoint(38, 10));
    QCOMPARE(bar->Pos(), 62);
    DragTo(bar, QPoint(38, 15));
    QCOMPARE(owner_->messages, kChanged);

    DragTo(bar, QPoint(400, 10));
    QCOMPARE(bar->Pos(), 900);
    DragTo(bar, QPoint(-100, 10));
    QCOMPARE(bar->Pos(), 0);
    QCOMPARE(owner_->messages, (QList<int>{UM_SCROLL_CHANGED, UM_SCROLL_CHANGED, UM_SCROLL_CHANGED}));

    owner_->messages.clear();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(-100, 10));
    QCOMPARE(owner_->messages, kChangedDone);
    DragTo(bar, QPoint(100, 10));
    QCOMPARE(bar->Pos(), 0);
}

void TestScrollBarCtrl::hidingWhilePressedEndsThePress()
{
    FakeTimerBar* bar = MakeBar(100, 5, 500);
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(190, 10));
    owner_->messages.clear();
    bar->hide();
    QVERIFY(!bar->IsPressed());
    QCOMPARE(bar->PressedPart(), int(kPartNone));
    QCOMPARE(owner_->messages, kChangedDone);
    QCOMPARE(bar->timerStops, 1);
}

void TestScrollBarCtrl::realTimerRepeats()
{
    auto* bar = new CScrollBarCtrl(false);
    bar->Create(QRect(0, 0, 20, 200), owner_, 50202, true);
    bar->SetScrollValues(100, 5, 0, 999, 0, true);
    owner_->show();
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(10, 190));
    QCOMPARE(bar->Pos(), 5);
    QTRY_VERIFY(bar->Pos() >= 15);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(10, 190));
    const int released = bar->Pos();
    QTest::qWait(200);
    QCOMPARE(bar->Pos(), released);
}

void TestScrollBarCtrl::gripOnlyOnLongThumbs()
{
    // Page 300: a 48-pixel thumb [20, 69) whose inside centre is x = 44; the
    // grip lines lie at 38, 41, 44 and 47.
    FakeTimerBar* bar = MakeBar(300, 5, 0);
    QImage image = bar->grab().toImage();
    QCOMPARE(image.pixelColor(44, 10), Palette(kPaletteShadow));
    QCOMPARE(image.pixelColor(38, 10), Palette(kPaletteShadow));
    QCOMPARE(image.pixelColor(45, 10), Palette(kPaletteFace));
    QCOMPARE(image.pixelColor(44, 5), Palette(kPaletteFace));

    bar->SetScrollValues(100, 5, 0, 999, 0, true);
    image = bar->grab().toImage();
    QCOMPARE(image.pixelColor(28, 10), Palette(kPaletteFace));
    QCOMPARE(image.pixelColor(20, 10), Palette(kPaletteShadow));
}

void TestScrollBarCtrl::heldTrackIsLightened()
{
    FakeTimerBar* bar = MakeBar(100, 5, 0);
    QCOMPARE(bar->grab().toImage().pixelColor(100, 10), Palette(kPaletteFace30));
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(170, 10));
    QCOMPARE(bar->grab().toImage().pixelColor(170, 10), Palette(kPaletteFace45));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(170, 10));
    QCOMPARE(bar->grab().toImage().pixelColor(170, 10), Palette(kPaletteFace30));
}

void TestScrollBarCtrl::arrowsGreyWithoutThumb()
{
    // The left arrow's triangle covers its centre (10, 10).
    FakeTimerBar* bar = MakeBar(100, 5, 0);
    QCOMPARE(bar->grab().toImage().pixelColor(10, 10), Palette(kPaletteBlack));
    QCOMPARE(bar->grab().toImage().pixelColor(3, 10), Palette(kPaletteFace));
    bar->SetScrollValues(2000, 5, 0, 999, 0, true);
    QCOMPARE(bar->grab().toImage().pixelColor(10, 10), Palette(kPaletteShadow));
}

GRIDMOOR_TEST_MAIN(TestScrollBarCtrl)
#include "tst_scroll_bar_ctrl.moc"
