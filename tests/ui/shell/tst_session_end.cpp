#include "core/puzzle.h"

#include "child_home.h"
#include "test_main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

// A termination signal (logout, shutdown, a task manager, Ctrl+C) ends the
// program promptly whatever waits for the user: the open menus, dialogs and
// message boxes are cancelled, the entries and settings are saved as when
// the window is closed, and the exit code is 0.
namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr qint64 kMostMsToEnd = 2000;

struct Session {
    QString puzzle;
    QMap<int, char> typed; // a cell typed twice keeps the later letter
};

} // namespace

class TestSessionEnd : public QObject {
    Q_OBJECT

private slots:
    void signalCancelsWhatIsOpenAndSaves_data();
    void signalCancelsWhatIsOpenAndSaves();
};

void TestSessionEnd::signalCancelsWhatIsOpenAndSaves_data()
{
    QTest::addColumn<QString>("scenario");
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("signalCount");
    QTest::newRow("start-up message box, SIGTERM") << QStringLiteral("start_box") << SIGTERM << 1;
    QTest::newRow("start-up message box, SIGINT twice") << QStringLiteral("start_box") << SIGINT << 2;
    QTest::newRow("Delete question, SIGTERM") << QStringLiteral("question") << SIGTERM << 1;
    QTest::newRow("Customize Layout dialog, SIGHUP") << QStringLiteral("dialog") << SIGHUP << 1;
    QTest::newRow("Customize Layout dialog, SIGTERM twice") << QStringLiteral("dialog") << SIGTERM << 2;
    QTest::newRow("Reveal menu, SIGINT") << QStringLiteral("menu") << SIGINT << 1;
    QTest::newRow("Download Puzzle dialog, SIGTERM") << QStringLiteral("download") << SIGTERM << 1;
    QTest::newRow("Customize Colors dialog, SIGHUP") << QStringLiteral("colors") << SIGHUP << 1;
    QTest::newRow("All Clues dialog, SIGINT") << QStringLiteral("all_clues") << SIGINT << 1;
    QTest::newRow("message box over a dialog, SIGTERM") << QStringLiteral("box_on_dialog") << SIGTERM << 1;
}

void TestSessionEnd::signalCancelsWhatIsOpenAndSaves()
{
    QFETCH(QString, scenario);
    QFETCH(int, signalNumber);
    QFETCH(int, signalCount);
    const bool withPuzzle = scenario != QLatin1String("start_box");
    QTemporaryDir dir;
    const ChildHome home(dir.filePath(QStringLiteral("home")));
    Session session;
    if (withPuzzle) {
        session.puzzle = dir.filePath(QStringLiteral("sample.puz"));
        QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/sample.puz"), session.puzzle));
        QFile::setPermissions(session.puzzle, QFile::ReadOwner | QFile::WriteOwner);
    }

    QProcess child;
    child.setProcessEnvironment(home.Environment());
    child.start(QStringLiteral(SESSION_END_HELPER), {session.puzzle, QStringLiteral("WORD"), scenario});
    QVERIFY(child.waitForStarted());
    QByteArray line;
    while (line != "open") {
        if (!child.canReadLine())
            QVERIFY2(child.waitForReadyRead(kStartTimeoutMs), "the modal state was not reached");
        line = child.readLine().trimmed();
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            session.typed.insert(fields.at(0).toInt(), fields.at(1).at(0));
    }

    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < signalCount; ++i)
        QCOMPARE(::kill(pid_t(child.processId()), signalNumber), 0);
    QVERIFY2(child.waitForFinished(kStartTimeoutMs), "the program kept running");
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QVERIFY2(elapsed < kMostMsToEnd, qPrintable(QStringLiteral("ended after %1 ms").arg(elapsed)));

    QVERIFY2(QFile::exists(home.DataFile()), "the settings were not saved");
    ChildSettings settings(home);
    QCOMPARE(settings.Settings().keyboardShown, false);
    if (!withPuzzle)
        return;
    QCOMPARE(settings.Settings().lastPuzzlePath, session.puzzle);
    QVERIFY(!session.typed.isEmpty());
    CPuzzle reread;
    QCOMPARE(reread.Open(session.puzzle), int(CPuzzle::Success));
    for (auto it = session.typed.cbegin(); it != session.typed.cend(); ++it)
        QCOMPARE(reread.GetCell(it.key()).entry, it.value());
}

GRIDMOOR_TEST_GUILESS_MAIN(TestSessionEnd)
#include "tst_session_end.moc"
