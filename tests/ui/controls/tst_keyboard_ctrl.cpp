#include "ui/controls/keyboard_ctrl.h"
#include "ui/controls/keyboard_sink.h"
#include "test_main.h"

#include <QtTest>

namespace {

// Writes what the keyboard types as text: letters as themselves, backspace as "<".
class RecordingSink : public KeyboardSink {
public:
    QString typed;

    void OnKeyboardChar(char letter) override { typed += QChar::fromLatin1(letter); }
    void OnKeyboardKeyDown(int keyCode) override
    {
        typed += keyCode == kBackspaceKeyCode ? QStringLiteral("<") : QStringLiteral("?");
    }
};

int IndexOf(char ch)
{
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        if (KeyboardLayout::KeyChar(i) == ch) {
            return i;
        }
    }
    return -1;
}

QPoint CentreOf(char ch, bool large)
{
    return KeyboardLayout::KeyRect(IndexOf(ch), large).center();
}

// A keyboard in a 240 x 300 parent whose whole area is the bounds.
struct Fixture {
    QWidget parent;
    CKeyboardCtrl keyboard;
    RecordingSink sink;

    explicit Fixture(bool large, const QPoint& position = QPoint(50, 180))
    {
        parent.resize(240, 300);
        keyboard.Create(&parent, position);
        keyboard.SetSink(&sink);
        keyboard.SetBounds(parent.size());
        keyboard.SetLarge(large);
        parent.show();
    }

    void Tap(char ch)
    {
        const QPoint centre = CentreOf(ch, keyboard.IsLarge());
        QTest::mousePress(&keyboard, Qt::LeftButton, {}, centre);
        QTest::mouseRelease(&keyboard, Qt::LeftButton, {}, centre);
    }
};

} // namespace

class TestKeyboardCtrl : public QObject {
    Q_OBJECT

private slots:
    void keyTableFitsTheKeyboard_data();
    void keyTableFitsTheKeyboard();
    void keyAtCentresAndEdges_data();
    void keyAtCentresAndEdges();
    void keyAtFreeSpace_data();
    void keyAtFreeSpace();
    void clampedToBounds_data();
    void clampedToBounds();
    void createPlacesSmallWindowAtSavedPosition();
    void pressSlideRelease_data();
    void pressSlideRelease();
    void doubleTapTypesTwice();
    void otherButtonsNeitherTypeNorDrag_data();
    void otherButtonsNeitherTypeNorDrag();
    void heldKeyShownInvertedOnlyWhilePointerOnIt();
    void dragFromFreeSpaceStaysInBounds();
    void switchSizeKeepsTopLeftAndClamps();
    void hideKey();
    void newBoundsClampOnRequest();
};

void TestKeyboardCtrl::keyTableFitsTheKeyboard_data()
{
    QTest::addColumn<bool>("large");
    QTest::newRow("small") << false;
    QTest::newRow("large") << true;
}

void TestKeyboardCtrl::keyTableFitsTheKeyboard()
{
    QFETCH(bool, large);
    QCOMPARE(KeyboardLayout::SizeFor(large), large ? QSize(218, 70) : QSize(109, 35));
    QString chars;
    const QRect whole(QPoint(0, 0), KeyboardLayout::SizeFor(large));
    for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
        chars += QChar::fromLatin1(KeyboardLayout::KeyChar(i));
        const QRect key = KeyboardLayout::KeyRect(i, large);
        QVERIFY2(whole.contains(key), qPrintable(QString::number(i)));
        for (int j = i + 1; j < KeyboardLayout::kKeyCount; ++j) {
            QVERIFY2(!key.intersects(KeyboardLayout::KeyRect(j, large)),
                     qPrintable(QStringLiteral("%1 overlaps %2").arg(i).arg(j)));
        }
    }
    QCOMPARE(chars, QStringLiteral("QWERTYUIOPASDFGHJKLZXCVBNM-^#"));
}

void TestKeyboardCtrl::keyAtCentresAndEdges_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<int>("index");
    for (const bool large : {false, true}) {
        for (int i = 0; i < KeyboardLayout::kKeyCount; ++i) {
            QTest::addRow("%s %c", large ? "large" : "small", KeyboardLayout::KeyChar(i)) << large << i;
        }
    }
}

void TestKeyboardCtrl::keyAtCentresAndEdges()
{
    QFETCH(bool, large);
    QFETCH(int, index);
    const QRect key = KeyboardLayout::KeyRect(index, large);
    const char ch = KeyboardLayout::KeyChar(index);
    const int right = key.left() + key.width();
    const int bottom = key.top() + key.height();

    for (const QPoint inside : {key.center(), key.topLeft(), QPoint(right - 1, bottom - 1)}) {
        const KeyboardLayout::KeyHit hit = KeyboardLayout::KeyAt(inside, large);
        QCOMPARE(hit.index, index);
        QCOMPARE(hit.ch, ch);
    }
    // The right and bottom edges belong to the next key or to the free space.
    QVERIFY(KeyboardLayout::KeyAt(QPoint(right, key.center().y()), large).index != index);
    QVERIFY(KeyboardLayout::KeyAt(QPoint(key.center().x(), bottom), large).index != index);
    QVERIFY(KeyboardLayout::KeyAt(QPoint(key.left() - 1, key.top()), large).index != index);

    // A shown keyboard answers the same from its own key rectangles.
    Fixture f(large);
    QCOMPARE(f.keyboard.KeyAt(key.center()).index, index);
    QCOMPARE(f.keyboard.KeyAt(key.center()).ch, ch);
}

void TestKeyboardCtrl::keyAtFreeSpace_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<QPoint>("point");
    QTest::newRow("small corner") << false << QPoint(0, 0);
    QTest::newRow("small gap Q-W") << false << QPoint(12, 5);
    QTest::newRow("small left of A") << false << QPoint(5, 15);
    QTest::newRow("small above ^") << false << QPoint(104, 5);
    QTest::newRow("small between - and ^") << false << QPoint(94, 28);
    QTest::newRow("small outside") << false << QPoint(200, 20);
    QTest::newRow("large gap Q-W") << true << QPoint(24, 10);
    QTest::newRow("large row gap") << true << QPoint(30, 24);
    QTest::newRow("large left of Z") << true << QPoint(20, 50);
    QTest::newRow("large negative") << true << QPoint(-1, -1);
}

void TestKeyboardCtrl::keyAtFreeSpace()
{
    QFETCH(bool, large);
    QFETCH(QPoint, point);
    const KeyboardLayout::KeyHit hit = KeyboardLayout::KeyAt(point, large);
    QCOMPARE(hit.index, -1);
    QCOMPARE(hit.ch, '\0');
}

void TestKeyboardCtrl::clampedToBounds_data()
{
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<QRect>("expected");
    const QSize small(109, 35);
    QTest::newRow("inside") << QRect(QPoint(50, 180), small) << QRect(QPoint(50, 180), small);
    QTest::newRow("exactly at bottom right") << QRect(QPoint(131, 265), small) << QRect(QPoint(131, 265), small);
    QTest::newRow("left of 0") << QRect(QPoint(-30, 10), small) << QRect(QPoint(0, 10), small);
    QTest::newRow("above 0") << QRect(QPoint(10, -5), small) << QRect(QPoint(10, 0), small);
    QTest::newRow("past right") << QRect(QPoint(200, 10), small) << QRect(QPoint(131, 10), small);
    QTest::newRow("past bottom right") << QRect(QPoint(500, 500), small) << QRect(QPoint(131, 265), small);
    // Wider than the bounds: the right edge is tested last and wins.
    QTest::newRow("wider than bounds") << QRect(QPoint(5, 5), QSize(300, 35)) << QRect(QPoint(-60, 5), QSize(300, 35));
    QTest::newRow("taller than bounds") << QRect(QPoint(5, 5), QSize(50, 400)) << QRect(QPoint(5, -100), QSize(50, 400));
}

void TestKeyboardCtrl::clampedToBounds()
{
    QFETCH(QRect, rect);
    QFETCH(QRect, expected);
    QCOMPARE(KeyboardLayout::ClampedToBounds(rect, QSize(240, 300)), expected);
}

void TestKeyboardCtrl::createPlacesSmallWindowAtSavedPosition()
{
    CKeyboardCtrl orphan;
    QVERIFY(!orphan.Create(nullptr));

    QWidget parent;
    parent.resize(240, 300);
    CKeyboardCtrl keyboard;
    QCOMPARE(keyboard.Bounds(), QGuiApplication::primaryScreen()->size());
    QVERIFY(keyboard.Create(&parent, QPoint(30, 40)));
    QCOMPARE(keyboard.geometry(), QRect(30, 40, 20, 20));
    QCOMPARE(keyboard.SavedPosition(), QPoint(30, 40));
    QVERIFY(!keyboard.IsInitialised());
    QCOMPARE(keyboard.KeyAt(QPoint(5, 5)).index, -1);

    QSignalSpy sizes(&keyboard, &CKeyboardCtrl::SizeApplied);
    keyboard.SetLarge(true);
    QVERIFY(keyboard.IsInitialised());
    QCOMPARE(keyboard.geometry(), QRect(30, 40, 218, 70));
    QCOMPARE(sizes.size(), 1);
    QCOMPARE(sizes.at(0).at(0).toBool(), true);
}

void TestKeyboardCtrl::pressSlideRelease_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<char>("pressed");
    QTest::addColumn<QList<QPoint>>("slide");
    QTest::addColumn<QPoint>("release");
    QTest::addColumn<QString>("typed");

    for (const bool large : {false, true}) {
        const char* size = large ? "large" : "small";
        const QPoint a = CentreOf('A', large);
        const QPoint s = CentreOf('S', large);
        const QPoint gap = large ? QPoint(24, 10) : QPoint(12, 5);
        QTest::addRow("%s tap", size) << large << 'A' << QList<QPoint>{} << a << QStringLiteral("A");
        QTest::addRow("%s release on other key", size) << large << 'A' << QList<QPoint>{s} << s << QString();
        QTest::addRow("%s release in free space", size) << large << 'A' << QList<QPoint>{gap} << gap << QString();
        QTest::addRow("%s slide off and back", size)
            << large << 'A' << QList<QPoint>{s, gap, a + QPoint(1, 1)} << a + QPoint(1, 1) << QStringLiteral("A");
        QTest::addRow("%s backspace", size) << large << '-' << QList<QPoint>{} << CentreOf('-', large)
                                            << QStringLiteral("<");
        QTest::addRow("%s last letter", size) << large << 'M' << QList<QPoint>{} << CentreOf('M', large)
                                              << QStringLiteral("M");
    }
}

void TestKeyboardCtrl::pressSlideRelease()
{
    QFETCH(bool, large);
    QFETCH(char, pressed);
    QFETCH(QList<QPoint>, slide);
    QFETCH(QPoint, release);
    QFETCH(QString, typed);

    Fixture f(large);
    const QPoint topLeft = f.keyboard.pos();
    QTest::mousePress(&f.keyboard, Qt::LeftButton, {}, CentreOf(pressed, large));
    for (const QPoint& point : slide) {
        QTest::mouseMove(&f.keyboard, point);
    }
    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, release);
    QCOMPARE(f.sink.typed, typed);
    // A press on a key never drags, wherever the pointer goes.
    QCOMPARE(f.keyboard.pos(), topLeft);
    QVERIFY(!f.keyboard.IsDragging());

    // A key acts once per press, never on a later release alone.
    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, release);
    QCOMPARE(f.sink.typed, typed);
}

void TestKeyboardCtrl::doubleTapTypesTwice()
{
    Fixture f(false);
    const QPoint e = CentreOf('E', false);
    QTest::mousePress(&f.keyboard, Qt::LeftButton, {}, e);
    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, e);
    QTest::mouseDClick(&f.keyboard, Qt::LeftButton, {}, e);
    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, e);
    QCOMPARE(f.sink.typed, QStringLiteral("EE"));
}

void TestKeyboardCtrl::heldKeyShownInvertedOnlyWhilePointerOnIt()
{
    Fixture f(true);
    const int q = IndexOf('Q');
    const QRect key = KeyboardLayout::KeyRect(q, true);
    // A point of the key's face away from its letter.
    const QPoint face = key.topLeft() + QPoint(2, 2);
    const QColor normal = f.keyboard.grab().toImage().pixelColor(face);

    QTest::mousePress(&f.keyboard, Qt::LeftButton, {}, key.center());
    QVERIFY(f.keyboard.IsKeyShownPressed(q));
    const QColor held = f.keyboard.grab().toImage().pixelColor(face);
    QCOMPARE(held, QColor(255 - normal.red(), 255 - normal.green(), 255 - normal.blue()));

    QTest::mouseMove(&f.keyboard, CentreOf('W', true));
    QVERIFY(!f.keyboard.IsKeyShownPressed(q));
    QVERIFY(!f.keyboard.IsKeyShownPressed(IndexOf('W')));
    QCOMPARE(f.keyboard.grab().toImage().pixelColor(face), normal);

    QTest::mouseMove(&f.keyboard, key.center());
    QCOMPARE(f.keyboard.grab().toImage().pixelColor(face), held);

    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, key.center());
    QVERIFY(!f.keyboard.IsKeyShownPressed(q));
    QCOMPARE(f.keyboard.grab().toImage().pixelColor(face), normal);
}

void TestKeyboardCtrl::otherButtonsNeitherTypeNorDrag_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<char>("where"); // a key, or 0 for the free space between keys
    QTest::newRow("right on R") << Qt::RightButton << 'R';
    QTest::newRow("middle on R") << Qt::MiddleButton << 'R';
    QTest::newRow("right on hide") << Qt::RightButton << '#';
    QTest::newRow("right on switch size") << Qt::RightButton << '^';
    QTest::newRow("right in free space") << Qt::RightButton << char(0);
    QTest::newRow("middle in free space") << Qt::MiddleButton << char(0);
}

void TestKeyboardCtrl::otherButtonsNeitherTypeNorDrag()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(char, where);
    Fixture f(true);
    const QPoint point = where != 0 ? CentreOf(where, true) : QPoint(2, 2);
    const QPoint before = f.keyboard.pos();
    QTest::mousePress(&f.keyboard, button, {}, point);
    QVERIFY(!f.keyboard.IsDragging());
    QTest::mouseMove(&f.keyboard, point + QPoint(30, 20));
    QTest::mouseRelease(&f.keyboard, button, {}, point);
    QCOMPARE(f.sink.typed, QString());
    QCOMPARE(f.keyboard.pos(), before);
    QVERIFY(f.keyboard.isVisible());
    QVERIFY(f.keyboard.IsLarge());
    // The left button still types.
    f.Tap('R');
    QCOMPARE(f.sink.typed, QStringLiteral("R"));
}

void TestKeyboardCtrl::dragFromFreeSpaceStaysInBounds()
{
    Fixture f(false, QPoint(50, 180));
    QSignalSpy saved(&f.keyboard, &CKeyboardCtrl::PositionSaved);
    const QPoint gap(12, 5);

    QTest::mousePress(&f.keyboard, Qt::LeftButton, {}, gap);
    QVERIFY(f.keyboard.IsDragging());
    QTest::mouseMove(&f.keyboard, gap + QPoint(30, -20));
    QCOMPARE(f.keyboard.pos(), QPoint(80, 160));
    QCOMPARE(f.keyboard.SavedPosition(), QPoint(80, 160));
    QCOMPARE(saved.size(), 1);
    QCOMPARE(saved.at(0).at(0).toPoint(), QPoint(80, 160));

    // The pointer keeps its place on the keyboard, so steps are relative to where it now stands.
    QTest::mouseMove(&f.keyboard, gap + QPoint(500, 500));
    QCOMPARE(f.keyboard.pos(), QPoint(240 - 109, 300 - 35));
    QTest::mouseMove(&f.keyboard, gap + QPoint(-500, -500));
    QCOMPARE(f.keyboard.pos(), QPoint(0, 0));
    QCOMPARE(f.keyboard.SavedPosition(), QPoint(0, 0));
    QCOMPARE(saved.last().at(0).toPoint(), QPoint(0, 0));

    // A step to the anchor itself is no step.
    const qsizetype signalsBefore = saved.size();
    QTest::mouseMove(&f.keyboard, gap);
    QCOMPARE(saved.size(), signalsBefore);

    // Dragging across keys types nothing, and the release ends the drag.
    QTest::mouseMove(&f.keyboard, CentreOf('A', false));
    QTest::mouseRelease(&f.keyboard, Qt::LeftButton, {}, CentreOf('A', false));
    QVERIFY(!f.keyboard.IsDragging());
    QVERIFY(f.sink.typed.isEmpty());
    const QPoint resting = f.keyboard.pos();
    QTest::mouseMove(&f.keyboard, gap + QPoint(40, 40));
    QCOMPARE(f.keyboard.pos(), resting);
}

void TestKeyboardCtrl::switchSizeKeepsTopLeftAndClamps()
{
    // Large near the right edge: shrinks at the same top-left.
    Fixture f(true, QPoint(22, 100));
    QSignalSpy sizes(&f.keyboard, &CKeyboardCtrl::SizeApplied);
    f.Tap('^');
    QVERIFY(!f.keyboard.IsLarge());
    QCOMPARE(f.keyboard.geometry(), QRect(22, 100, 109, 35));
    QCOMPARE(sizes.size(), 1);
    QCOMPARE(sizes.at(0).at(0).toBool(), false);
    QCOMPARE(f.keyboard.KeyAt(CentreOf('P', false)).ch, 'P');

    // Small near the bottom right: grows and is pushed back inside the bounds.
    f.keyboard.move(200, 280);
    f.keyboard.ClampToBounds();
    QCOMPARE(f.keyboard.pos(), QPoint(131, 265));
    f.Tap('^');
    QVERIFY(f.keyboard.IsLarge());
    QCOMPARE(f.keyboard.geometry(), QRect(240 - 218, 300 - 70, 218, 70));
    QCOMPARE(sizes.last().at(0).toBool(), true);
    QCOMPARE(f.keyboard.KeyAt(CentreOf('P', true)).ch, 'P');
    QVERIFY(f.sink.typed.isEmpty());
    QVERIFY(f.keyboard.isVisible());
}

void TestKeyboardCtrl::hideKey()
{
    Fixture f(false);
    QSignalSpy hidden(&f.keyboard, &CKeyboardCtrl::HiddenByKey);
    f.Tap('#');
    QVERIFY(!f.keyboard.isVisible());
    QCOMPARE(hidden.size(), 1);
    QVERIFY(f.sink.typed.isEmpty());

    f.keyboard.show();
    f.Tap('Z');
    QCOMPARE(f.sink.typed, QStringLiteral("Z"));
    QCOMPARE(hidden.size(), 1);
}

void TestKeyboardCtrl::newBoundsClampOnRequest()
{
    Fixture f(true, QPoint(20, 200));
    f.keyboard.SetBounds(QSize(200, 240));
    QCOMPARE(f.keyboard.pos(), QPoint(20, 200));
    f.keyboard.ClampToBounds();
    QCOMPARE(f.keyboard.pos(), QPoint(200 - 218, 240 - 70));
    // A layout clamp is no drag: the saved position stays where the user left it.
    QCOMPARE(f.keyboard.SavedPosition(), QPoint(20, 200));
}

GRIDMOOR_TEST_MAIN(TestKeyboardCtrl)
#include "tst_keyboard_ctrl.moc"
