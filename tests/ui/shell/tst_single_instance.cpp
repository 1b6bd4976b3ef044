#include "ui/shell/single_instance.h"
#include "test_main.h"

#include <QCoreApplication>
#include <QLocalSocket>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

#include <array>

namespace {

// Synchronised double starts: enough pairs that a window of a few hundred
// microseconds between the first copy's test and its taking of the name is hit.
constexpr int kRacePairs = 60;

} // namespace

// The tests are the first copy; handover_helper, a separate process, plays
// the copy started later (or a copy that crashes).
class TestSingleInstance : public QObject {
    Q_OBJECT

private slots:
    void init();
    void secondCopyHandsOverTrimmedPath_data();
    void secondCopyHandsOverTrimmedPath();
    void withoutRunningCopyHelperBecomesFirst();
    void nameLeftByCrashedCopyIsTakenOver();
    void quittingCopyTakesNoHandOver();
    void encodedRecordHasKindCountAndUtf16();
    void malformedRequestIsCutOff();
    void requestsOfCopyGoneBeforeAnswersAreTaken();
    void simultaneousStartsLeaveOneCopy();

private:
    int RunHelper(const QStringList& arguments);
    QString title_;
};

void TestSingleInstance::init()
{
    static int run = 0;
    title_ = QStringLiteral("GridmoorTest-%1-%2").arg(QCoreApplication::applicationPid()).arg(++run);
}

// The events of this process run meanwhile, so a copy here answers the helper.
int TestSingleInstance::RunHelper(const QStringList& arguments)
{
    QProcess helper;
    helper.start(QStringLiteral(HANDOVER_HELPER), arguments);
    if (!QTest::qWaitFor([&helper] { return helper.state() == QProcess::NotRunning; }, 30000))
        return -1;
    return helper.exitStatus() == QProcess::NormalExit ? helper.exitCode() : -1;
}

void TestSingleInstance::secondCopyHandsOverTrimmedPath_data()
{
    QTest::addColumn<QStringList>("commandLine");
    QTest::addColumn<QStringList>("received");

    QTest::newRow("plain path") << QStringList{"/home/u/XWords/x.puz"} << QStringList{"/home/u/XWords/x.puz"};
    QTest::newRow("surrounding blanks") << QStringList{"  /tmp/a b.gmd\t "} << QStringList{"/tmp/a b.gmd"};
    QTest::newRow("arguments joined by spaces") << QStringList{"/tmp/my", "puzzle.puz"}
                                                << QStringList{"/tmp/my puzzle.puz"};
    QTest::newRow("beyond Latin-1") << QStringList{QString::fromUtf8("/tmp/Kreuzworträtsel ✓.puz")}
                                    << QStringList{QString::fromUtf8("/tmp/Kreuzworträtsel ✓.puz")};
    QTest::newRow("empty only activates") << QStringList{} << QStringList{};
    QTest::newRow("blanks only activate") << QStringList{"   "} << QStringList{};
}

void TestSingleInstance::secondCopyHandsOverTrimmedPath()
{
    QFETCH(QStringList, commandLine);
    QFETCH(QStringList, received);

    SingleInstance first(title_);
    QCOMPARE(first.Start(QString()), SingleInstance::Role::First);
    QVERIFY(first.IsListening());
    QSignalSpy paths(&first, &SingleInstance::PathHandedOver);
    QSignalSpy activations(&first, &SingleInstance::ActivationRequested);

    QCOMPARE(RunHelper(QStringList{"hand-over", title_} + commandLine), 0);

    QTRY_COMPARE(activations.count(), 1);
    QStringList got;
    for (const QList<QVariant>& signal : paths)
        got << signal.at(0).toString();
    QCOMPARE(got, received);
}

void TestSingleInstance::withoutRunningCopyHelperBecomesFirst()
{
    QCOMPARE(RunHelper({"hand-over", title_, "/tmp/x.puz"}), 3);
}

void TestSingleInstance::nameLeftByCrashedCopyIsTakenOver()
{
    QProcess crashed;
    crashed.start(QStringLiteral(HANDOVER_HELPER), {"serve", title_});
    QVERIFY(crashed.waitForReadyRead(30000));
    QCOMPARE(crashed.readLine().trimmed(), QByteArray("listening"));
    crashed.kill();
    QVERIFY(crashed.waitForFinished(30000));
    QVERIFY(QFile::exists(SingleInstance::LockPath(SingleInstance::ServerName(title_))));

    SingleInstance first(title_);
    QCOMPARE(first.Start(QString()), SingleInstance::Role::First);
    QVERIFY(first.IsListening());
    QSignalSpy paths(&first, &SingleInstance::PathHandedOver);
    QCOMPARE(RunHelper({"hand-over", title_, "/tmp/y.gmd"}), 0);
    QTRY_COMPARE(paths.count(), 1);
    QCOMPARE(paths.at(0).at(0).toString(), QStringLiteral("/tmp/y.gmd"));
}

// A copy that began to quit leaves the next start to be the first copy.
void TestSingleInstance::quittingCopyTakesNoHandOver()
{
    SingleInstance first(title_);
    QCOMPARE(first.Start(QString()), SingleInstance::Role::First);
    QSignalSpy paths(&first, &SingleInstance::PathHandedOver);
    first.Stop();
    QCOMPARE(RunHelper({"hand-over", title_, "/tmp/y.gmd"}), 3);
    QCOMPARE(paths.count(), 0);
}

void TestSingleInstance::encodedRecordHasKindCountAndUtf16()
{
    const QByteArray expected = QByteArray::fromHex("4a000000" "00000000" "06000000" "41002f00e900"
                                                    "01000000");
    QCOMPARE(SingleInstance::EncodeHandOver(QString::fromUtf8("A/é")), expected);
    QCOMPARE(SingleInstance::EncodeHandOver(QString()), QByteArray::fromHex("01000000"));
}

void TestSingleInstance::malformedRequestIsCutOff()
{
    SingleInstance first(title_);
    QCOMPARE(first.Start(QString()), SingleInstance::Role::First);
    QSignalSpy paths(&first, &SingleInstance::PathHandedOver);
    QSignalSpy activations(&first, &SingleInstance::ActivationRequested);

    QLocalSocket hostile;
    hostile.connectToServer(SingleInstance::ServerName(title_));
    QVERIFY(hostile.waitForConnected(5000));
    // A byte count far beyond any path: the receiver must not wait for or
    // allocate it, and must ignore what follows on that connection.
    hostile.write(QByteArray::fromHex("4a000000" "00000000" "ffffff7f" "01000000"));
    QTRY_COMPARE(hostile.state(), QLocalSocket::UnconnectedState);
    QCOMPARE(paths.count(), 0);
    QCOMPARE(activations.count(), 0);

    QCOMPARE(RunHelper({"hand-over", title_, "/tmp/z.puz"}), 0);
    QTRY_COMPARE(paths.count(), 1);
}

// A later copy ends as soon as its first request is answered, so the answer
// to its second finds it gone; both requests were whole and are taken.
void TestSingleInstance::requestsOfCopyGoneBeforeAnswersAreTaken()
{
    SingleInstance first(title_);
    QCOMPARE(first.Start(QString()), SingleInstance::Role::First);
    QSignalSpy paths(&first, &SingleInstance::PathHandedOver);
    QSignalSpy activations(&first, &SingleInstance::ActivationRequested);

    QLocalSocket leaving;
    leaving.connectToServer(SingleInstance::ServerName(title_));
    QVERIFY(leaving.waitForConnected(5000));
    leaving.write(SingleInstance::EncodeHandOver(QStringLiteral("/tmp/gone.puz")));
    QVERIFY(leaving.waitForBytesWritten(5000));
    leaving.abort();

    QTRY_COMPARE(activations.count(), 1);
    QCOMPARE(paths.count(), 1);
    QCOMPARE(paths.at(0).at(0).toString(), QStringLiteral("/tmp/gone.puz"));
}

// Two copies started at the same moment: one runs on, the other hands its
// path over to it and ends.
void TestSingleInstance::simultaneousStartsLeaveOneCopy()
{
    for (int pair = 0; pair < kRacePairs; ++pair) {
        std::array<QProcess, 2> copies;
        for (int i = 0; i < 2; ++i) {
            const QString path = QStringLiteral("/tmp/copy%1.puz").arg(i);
            copies[i].start(QStringLiteral(HANDOVER_HELPER), {"race", title_, path});
        }
        for (QProcess& copy : copies) {
            QVERIFY(copy.canReadLine() || copy.waitForReadyRead(30000));
            QCOMPARE(copy.readLine().trimmed(), QByteArray("ready"));
        }
        for (QProcess& copy : copies) {
            copy.write("go\n");
            QVERIFY(copy.waitForBytesWritten(30000));
        }
        for (QProcess& copy : copies)
            QVERIFY(copy.waitForFinished(30000));
        const int first = copies[0].exitCode() == 3 ? 0 : 1;
        const int second = 1 - first;
        QVERIFY2(copies[second].exitCode() == 0,
                 qPrintable(QStringLiteral("both copies stayed running in pair %1").arg(pair)));
        QCOMPARE(copies[first].exitCode(), 3);
        QCOMPARE(copies[first].readAll().trimmed(), QStringLiteral("received /tmp/copy%1.puz").arg(second).toUtf8());
    }
}

GRIDMOOR_TEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
