#include "data/solving_clock.h"
#include "test_main.h"

#include <QtTest>

class TestSolvingClock : public QObject {
    Q_OBJECT

private slots:
    void countsOnlyWhileRunning();
    void format_data();
    void format();
};

void TestSolvingClock::countsOnlyWhileRunning()
{
    SolvingClock clock;
    clock.Reset(100);
    QCOMPARE(clock.Seconds(5000), 100);
    clock.Update(true, 1000);
    QCOMPARE(clock.Seconds(1999), 100);
    QCOMPARE(clock.Seconds(2000), 101);
    // Pauses keep the part of a second already counted.
    clock.Update(false, 2600);
    QCOMPARE(clock.Seconds(90000), 101);
    clock.Update(false, 95000);
    clock.Update(true, 100000);
    clock.Update(true, 100100);
    QCOMPARE(clock.Seconds(100400), 102);
    clock.Reset(-5);
    QCOMPARE(clock.Seconds(0), 0);
    QVERIFY(!clock.IsRunning());
}

void TestSolvingClock::format_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("zero") << 0 << "0:00";
    QTest::newRow("seconds") << 42 << "0:42";
    QTest::newRow("minutes") << 725 << "12:05";
    QTest::newRow("just under an hour") << 3599 << "59:59";
    QTest::newRow("hours") << 3723 << "1:02:03";
    QTest::newRow("many hours") << 360000 << "100:00:00";
}

void TestSolvingClock::format()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(FormatSolvingTime(seconds), text);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestSolvingClock)
#include "tst_solving_clock.moc"
