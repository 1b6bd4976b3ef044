#include "core/puzzle.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// The program's session in a child process: entries typed before the window
// was minimised are in the puzzle file even when the process is then killed
// without any chance to close the puzzle.
namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// How the settings file stores a path: UTF-16, little-endian.
QByteArray Utf16(const QString& text)
{
    return QByteArray(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
}

} // namespace

class TestFrameSession : public QObject {
    Q_OBJECT

private slots:
    void killAfterMinimiseKeepsEntries_data();
    void killAfterMinimiseKeepsEntries();
    void secondCopyHandsItsFileToTheFirst_data();
    void secondCopyHandsItsFileToTheFirst();
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

void TestFrameSession::secondCopyHandsItsFileToTheFirst_data()
{
    QTest::addColumn<bool>("relative");
    QTest::newRow("absolute paths") << false;
    // Each copy starts in its own folder, and a file of the handed-over name
    // lies in the running copy's folder too: the path names the file of the
    // folder the copy was started in.
    QTest::newRow("paths relative to each copy's folder") << true;
}

// Two real copies of the program: the second hands its file over and ends
// without a window; the first opens the file, which the settings then name
// as the last puzzle.
void TestFrameSession::secondCopyHandsItsFileToTheFirst()
{
    QFETCH(bool, relative);
    QTemporaryDir dir;
    const QString home = dir.filePath(QStringLiteral("home"));
    QVERIFY(QDir().mkpath(home + QStringLiteral("/run")));
    QFile::setPermissions(home + QStringLiteral("/run"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("a"))));
    QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("b"))));
    const QString folderA = QDir(dir.filePath(QStringLiteral("a"))).canonicalPath();
    const QString folderB = QDir(dir.filePath(QStringLiteral("b"))).canonicalPath();
    const QString first = folderA + QStringLiteral("/first.puz");
    const QString handed = folderB + QStringLiteral("/handed over.puz");
    for (const QString& path : {first, handed, folderA + QStringLiteral("/handed over.puz")})
        QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/sample.puz"), path));

    // A copy of its own, so the build folder's shipped sample stays where it is.
    const QString program = dir.filePath(QStringLiteral("gridmoor"));
    QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_PROGRAM), program));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/run"));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const QString dataFile = home + QStringLiteral("/Documents/GridmoorData");

    QProcess running;
    running.setProcessEnvironment(environment);
    running.setWorkingDirectory(folderA);
    running.start(program, {relative ? QStringLiteral("first.puz") : first});
    QVERIFY(running.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile(dataFile).size() > 0 && ReadAll(dataFile).contains(Utf16(first)), 30000);

    QProcess second;
    second.setProcessEnvironment(environment);
    second.setWorkingDirectory(folderB);
    second.start(program, (relative ? QStringLiteral("handed over.puz") : handed).split(QLatin1Char(' ')));
    QVERIFY(second.waitForFinished(30000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QTRY_VERIFY_WITH_TIMEOUT(ReadAll(dataFile).contains(Utf16(handed)), 30000);
    QCOMPARE(running.state(), QProcess::Running);
    running.terminate();
    QVERIFY(running.waitForFinished(30000));
    QCOMPARE(running.exitCode(), 0);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestFrameSession)
#include "tst_frame_session.moc"
