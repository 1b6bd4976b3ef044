#include "core/puzzle.h"

#include "child_home.h"
#include "test_main.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <csignal>

// The program killed (SIGKILL) again and again at random moments while it
// types, minimises (which saves), changes a setting (which saves) and closes
// (which saves): after every kill the puzzle files and the settings file open
// without error and hold what the program had before or after one of its
// saves, never a cut-off or mixed file. Every fourth kill hits the program
// itself, sent a termination signal at a random moment from its start on (it
// saves as it closes, and must then end with code 0) and mostly killed soon
// after. GRIDMOOR_SOAK_KILLS sets the number of kills (default kShortCount); a
// round in which the program ended by itself before the kill is checked too
// but does not count as one.
namespace {

constexpr int kShortCount = 20;
constexpr int kStartTimeoutMs = 30000;
constexpr int kMostStepsBeforeClosing = 80;
// The wait before the kill is drawn from a window a little longer than the
// helper's run up to its close: its steps come every millisecond or so, and
// the close adds its save. So most kills hit the running program and some
// come after the close has finished.
constexpr int kStepWindowUs = 1500;
constexpr int kCloseWindowUs = 30000;
constexpr int kProgramRunMs = 1500;
constexpr int kLeastCloseWindowUs = 500;

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A puzzle file the helper works on, with what it held after the last kill.
struct Watched {
    QString path;
    QString pristine;
    QByteArray entries;
    int seconds = 0;
    QByteArray image;
};

// Opens a copy, so the check never writes to the file it checks.
bool ReadEntries(const QString& path, const QString& scratch, QByteArray* entries, int* seconds)
{
    QFile::remove(scratch);
    if (!QFile::copy(path, scratch))
        return false;
    QFile::setPermissions(scratch, QFile::ReadOwner | QFile::WriteOwner);
    CPuzzle puzzle;
    if (puzzle.Open(scratch) != CPuzzle::Success)
        return false;
    entries->clear();
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i)
        entries->append(puzzle.GetCell(i).entry);
    *seconds = puzzle.GetSolvingSeconds();
    return true;
}

// The file as the program writes it for these entries and solving time.
QByteArray ImageWithEntries(const QString& pristine, const QString& scratch, const QByteArray& entries, int seconds)
{
    QFile::remove(scratch);
    QFile::copy(pristine, scratch);
    QFile::setPermissions(scratch, QFile::ReadOwner | QFile::WriteOwner);
    CPuzzle puzzle;
    if (puzzle.Open(scratch) != CPuzzle::Success)
        return {};
    for (int i = 0; i < entries.size(); ++i) {
        if (puzzle.GetCell(i).entry != entries.at(i)) {
            puzzle.SetCurrentCell(i);
            puzzle.SetCurrentEntry(entries.at(i));
        }
    }
    puzzle.SetSolvingSeconds(seconds);
    puzzle.Close();
    return ReadAll(scratch);
}

// What the helper printed before it was killed.
struct Actions {
    QList<QPair<int, char>> typed;
    QList<int> cellSizes;
    char last = 0;
};

Actions ParseActions(const QByteArray& output)
{
    Actions actions;
    for (const QByteArray& line : output.split('\n')) {
        const QList<QByteArray> fields = line.trimmed().split(' ');
        if (fields.first() == "ready")
            actions.last = 'r';
        if (fields.first().size() != 1)
            continue;
        actions.last = fields.first().at(0);
        if (actions.last == 'T' && fields.size() == 3)
            actions.typed.append({fields.at(1).toInt(), fields.at(2) == "_" ? ' ' : fields.at(2).at(0)});
        else if (actions.last == 'S' && fields.size() == 2)
            actions.cellSizes.append(fields.at(1).toInt());
    }
    return actions;
}

// The entries after some of the letters typed since the last check, from all
// of them back to none: the states one of the saves may have written.
bool IsSavedState(QByteArray entries, const QList<QPair<int, char>>& typed, const QByteArray& found)
{
    if (entries == found)
        return true;
    for (const auto& [cell, letter] : typed) {
        entries[cell] = letter;
        if (entries == found)
            return true;
    }
    return false;
}

} // namespace

class TestKillSoak : public QObject {
    Q_OBJECT

private slots:
    void killedAtRandomMomentsKeepsFilesWhole();

private:
    void CheckPuzzle(Watched& puzzle, const Actions& actions);
    void CheckSettings(const Actions& actions, const QString& openedPath);
    void TerminateProgram(QProcess& child, const QString& path, QRandomGenerator& random);

    QTemporaryDir dir_;
    QString scratch_;
    QString program_;
    bool settingsSaved_ = false;
    int cellSize_ = 1;
    QString lastPuzzlePath_;
    int shortestCloseUs_ = kCloseWindowUs;
};

void TestKillSoak::CheckPuzzle(Watched& puzzle, const Actions& actions)
{
    const QByteArray image = ReadAll(puzzle.path);
    QByteArray entries;
    int seconds = 0;
    QVERIFY2(ReadEntries(puzzle.path, scratch_, &entries, &seconds), "the puzzle does not open");
    QVERIFY2(IsSavedState(puzzle.entries, actions.typed, entries), "the entries are not a saved state");
    if (image != puzzle.image)
        QVERIFY2(image == ImageWithEntries(puzzle.pristine, scratch_, entries, seconds), "the puzzle file is damaged");
    puzzle.entries = entries;
    puzzle.image = image;
}

void TestKillSoak::CheckSettings(const Actions& actions, const QString& openedPath)
{
    const ChildHome home(dir_.filePath(QStringLiteral("home")));
    if (!QFile::exists(home.DataFile())) {
        QVERIFY2(!settingsSaved_, "the settings file is gone");
        return;
    }
    settingsSaved_ = true;
    const QByteArray saved = ReadAll(home.DataFile());
    ChildSettings settings(home);
    QVERIFY2(settings.Settings().SaveSettings(), "the settings cannot be written back");
    QVERIFY2(ReadAll(home.DataFile()) == saved, "the settings file is cut off or damaged");
    const int cellSize = settings.Settings().cellSize;
    QVERIFY2(cellSize == cellSize_ || actions.cellSizes.contains(cellSize), "the cell size was never saved");
    const QString path = settings.Settings().lastPuzzlePath;
    QVERIFY2(path == lastPuzzlePath_ || path == openedPath, "the last puzzle was never saved");
    cellSize_ = cellSize;
    lastPuzzlePath_ = path;
}

// Starts the program, sends it a termination signal at a random moment and
// mostly kills it during the close that follows, at a moment drawn from a
// window half again as long as the shortest close seen so far: the close of a
// program that has nothing to save takes a few milliseconds or less, so a
// fixed window would mostly come too late. A program that ended by itself
// closed within the time up to the kill, or the measured time when none was
// sent. Returns when the program has ended.
void TestKillSoak::TerminateProgram(QProcess& child, const QString& path, QRandomGenerator& random)
{
    child.start(program_, {path});
    QVERIFY(child.waitForStarted());
    QThread::msleep(random.bounded(kProgramRunMs));
    ::kill(pid_t(child.processId()), SIGTERM);
    QElapsedTimer sinceTermination;
    sinceTermination.start();
    const bool killAfter = random.bounded(4) != 0;
    const int killDelayUs = killAfter ? int(random.bounded(qMax(kLeastCloseWindowUs, shortestCloseUs_ * 3 / 2))) : 0;
    if (killAfter) {
        QThread::usleep(killDelayUs);
        child.kill();
    }
    QVERIFY(child.waitForFinished(kStartTimeoutMs));
    const int closeUs = killAfter ? killDelayUs : int(sinceTermination.nsecsElapsed() / 1000);
    if (child.exitStatus() == QProcess::NormalExit)
        shortestCloseUs_ = qMin(shortestCloseUs_, closeUs);
}

void TestKillSoak::killedAtRandomMomentsKeepsFilesWhole()
{
    const int count = qEnvironmentVariableIsSet("GRIDMOOR_SOAK_KILLS")
        ? qEnvironmentVariableIntValue("GRIDMOOR_SOAK_KILLS") : kShortCount;
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    qInfo("%d kills, seed %u", count, seed);

    const ChildHome home(dir_.filePath(QStringLiteral("home")));
    scratch_ = dir_.filePath(QStringLiteral("scratch"));
    // A folder of its own, so the program moves no shipped puzzle on its first start.
    program_ = dir_.filePath(QStringLiteral("app/gridmoor"));
    QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("app"))) && QFile::copy(GRIDMOOR_PROGRAM, program_));
    QVERIFY(QDir().mkpath(dir_.filePath(QStringLiteral("pristine"))));
    Watched puzzles[2];
    const QString names[2] = {QStringLiteral("sample.puz"), QStringLiteral("NYTimes.gmd")};
    for (int i = 0; i < 2; ++i) {
        puzzles[i].path = dir_.filePath(names[i]);
        puzzles[i].pristine = dir_.filePath(QStringLiteral("pristine/") + names[i]);
        QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/") + names[i], puzzles[i].path));
        QVERIFY(QFile::copy(QStringLiteral(GRIDMOOR_RESOURCES "/") + names[i], puzzles[i].pristine));
        QFile::setPermissions(puzzles[i].path, QFile::ReadOwner | QFile::WriteOwner);
        puzzles[i].image = ReadAll(puzzles[i].path);
        QVERIFY(ReadEntries(puzzles[i].path, scratch_, &puzzles[i].entries, &puzzles[i].seconds));
    }

    QMap<char, int> killedAfter;
    int kills = 0;
    for (int round = 0; kills < count; ++round) {
        QVERIFY2(round < 4 * count, "too few kills hit a running program");
        Watched& puzzle = puzzles[round % 2];
        const int steps = random.bounded(1, kMostStepsBeforeClosing);
        QProcess child;
        child.setProcessEnvironment(home.Environment());
        if (kills % 4 == 3) {
            TerminateProgram(child, puzzle.path, random);
            if (QTest::currentTestFailed())
                return;
        } else {
            child.start(QStringLiteral(KILL_SOAK_HELPER),
                        {puzzle.path, QString::number(random.generate()), QString::number(steps)});
            QVERIFY(child.waitForStarted());
            QVERIFY2(child.waitForReadyRead(kStartTimeoutMs), "the helper did not open the puzzle");
            QThread::usleep(random.bounded(steps * kStepWindowUs + kCloseWindowUs));
            child.kill();
            QVERIFY(child.waitForFinished(kStartTimeoutMs));
        }
        const Actions actions = ParseActions(child.readAllStandardOutput());
        const bool killed = child.exitStatus() != QProcess::NormalExit;
        QVERIFY2(killed || child.exitCode() == 0, "the program did not end with code 0");
        kills += killed ? 1 : 0;
        ++killedAfter[killed ? actions.last : 'E'];

        const QByteArray where = QByteArray("round ") + QByteArray::number(round);
        CheckPuzzle(puzzle, actions);
        if (QTest::currentTestFailed())
            QFAIL(where.constData());
        CheckPuzzle(puzzles[1 - round % 2], Actions());
        CheckSettings(actions, puzzle.path);
        if (QTest::currentTestFailed())
            QFAIL(where.constData());
    }
    qInfo("killed while typing %d, after minimising %d, after a cell-size change %d, while closing %d, "
          "after the puzzle opened %d, the program itself %d; ended by itself %d",
          killedAfter.value('T'), killedAfter.value('M'), killedAfter.value('S'), killedAfter.value('C'),
          killedAfter.value('r'), killedAfter.value(0), killedAfter.value('E'));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestKillSoak)
#include "tst_kill_soak.moc"
