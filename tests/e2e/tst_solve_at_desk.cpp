// Solving at a desk with the real program on an X display (xvfb-run), driven
// with xdotool: letters in pen and in pencil, undo and redo from the
// keyboard, then closing and starting again on the same puzzle, whose file
// must hold the same entries and pencil marks.
#include "core/puzzle.h"

#include "fixture_files.h"
#include "program_under_test.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int kTimeoutMs = 30000;
// Time for the program to take in the X events sent before it is closed.
constexpr unsigned long kSettleMs = 700;

bool Xdotool(const QStringList& arguments, QByteArray* output = nullptr)
{
    QProcess process;
    process.start(QStringLiteral("xdotool"), arguments);
    const bool ran = process.waitForFinished(kTimeoutMs) && process.exitCode() == 0;
    if (output != nullptr)
        *output = process.readAllStandardOutput();
    return ran;
}

} // namespace

class TestSolveAtDesk : public QObject {
    Q_OBJECT

private slots:
    void penPencilUndoAndReopen();

private:
    void RunSession(const QStringList& input);

    QTemporaryDir root_;
    ProgramUnderTest program_;
    QString puzzlePath_;
};

// The program opens the puzzle named on its command line with the cursor on
// the first square of 1 Across, takes the input (text to type, or keys
// marked with a leading "+") and is closed.
void TestSolveAtDesk::RunSession(const QStringList& input)
{
    QProcess program;
    program.setProcessEnvironment(program_.environment);
    program.start(program_.program, {puzzlePath_});
    QVERIFY(program.waitForStarted());
    QByteArray ids;
    QVERIFY(Xdotool({"search", "--sync", "--onlyvisible", "--name", "^Gridmoor( - .*)?$"}, &ids));
    QThread::msleep(kSettleMs);
    QVERIFY(Xdotool({"windowfocus", "--sync", QString::fromLatin1(ids.split('\n').value(0).trimmed())}));
    for (const QString& step : input) {
        const bool key = step.startsWith('+');
        QVERIFY(Xdotool({key ? "key" : "type", "--delay", "60", key ? step.mid(1) : step}));
    }
    QThread::msleep(kSettleMs);
    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
}

void TestSolveAtDesk::penPencilUndoAndReopen()
{
    QString error;
    program_ = PrepareProgram(root_.path(), QStringLiteral(GRIDMOOR_PROGRAM), {}, &error);
    if (program_.program.isEmpty())
        QFAIL(qPrintable(error));
    puzzlePath_ = root_.filePath(QStringLiteral("desk.puz"));
    QVERIFY(FixtureFiles::Write(puzzlePath_, PuzBuilder({"ABCDE", "FGHIJ", "KLMNO", "PQRST", "UVWXY"}).Build()));

    // Pen "ab", pencil "cd", then "d" and "c" undone and "c" redone.
    RunSession({"ab", "+ctrl+shift+p", "cd", "+ctrl+z", "+ctrl+z", "+ctrl+y"});
    RunSession({});
    CPuzzle reread;
    QCOMPARE(reread.Open(puzzlePath_), int(CPuzzle::Success));
    QString state;
    for (int i = 0; i < 5; ++i)
        state += reread.IsPencil(i) ? QChar(reread.GetCell(i).entry).toLower() : QChar(reread.GetCell(i).entry);
    QCOMPARE(state, QStringLiteral("ABc  "));
    reread.Close();
    QVERIFY(PuzBuilder::HasValidChecksums(FixtureFiles::Read(puzzlePath_), 2));
}

GRIDMOOR_TEST_MAIN(TestSolveAtDesk)
#include "tst_solve_at_desk.moc"
