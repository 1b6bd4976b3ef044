#include "core/puzzle.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program's session in a child process: entries typed before the window
// was minimised are in the puzzle file even when the process is then killed
// without any chance to close the puzzle.
class TestFrameSession : public QObject {
    Q_OBJECT

private slots:
    void killAfterMinimiseKeepsEntries_data();
    void killAfterMinimiseKeepsEntries();
};

void TestFrameSession::killAfterMinimiseKeepsEntries_data()
{
    QTest::addColumn<QString>("sample");
    QTest::newRow("binary puzzle") << QStringLiteral("sample.puz");
    QTest::newRow("packed document") << QStringLiteral("NYTimes.gmd");
}

void TestFrameSession::killAfterMinimiseKeepsEntries()
{
    QFETCH(QString, sample);
    QTemporaryDir dir;
    const QString path = dir.filePath(sample);
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/") + sample, path));
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);

    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.path());
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(FRAME_SESSION_HELPER), {path, QStringLiteral("WORD")});
    QVERIFY(child.waitForStarted());
    QMap<int, char> typed; // a cell typed twice keeps the later letter
    QByteArray line;
    while (line != "minimised") {
        if (!child.canReadLine())
            QVERIFY2(child.waitForReadyRead(30000), "the program did not minimise");
        line = child.readLine().trimmed();
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            typed.insert(fields.at(0).toInt(), fields.at(1).at(0));
    }
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(child.exitStatus(), QProcess::CrashExit);

    QVERIFY(!typed.isEmpty());
    CPuzzle reread;
    QCOMPARE(reread.Open(path), int(CPuzzle::Success));
    for (auto it = typed.cbegin(); it != typed.cend(); ++it)
        QCOMPARE(reread.GetCell(it.key()).entry, it.value());
}

QTEST_GUILESS_MAIN(TestFrameSession)
#include "tst_frame_session.moc"
