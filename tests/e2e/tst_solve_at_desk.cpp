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

QString Entries(const CPuzzle& puzzle, bool pencil)
{
    QString text;
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i)
        text += pencil ? QChar(puzzle.IsPencil(i) ? 'p' : '.') : QChar(puzzle.GetCell(i).entry);
    return text;
}

} // namespace

class TestSolveAtDesk : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void penPencilUndoAndReopen();

private:
    void Start(QProcess& program);
    void Close(QProcess& program);

    QTemporaryDir root_;
    QString programPath_;
    QString puzzlePath_;
    QProcessEnvironment environment_;
    QString windowId_;
};

void TestSolveAtDesk::initTestCase()
{
    QVERIFY(root_.isValid());
    QString error;
    const ProgramUnderTest prepared = PrepareProgram(root_.path(), QStringLiteral(GRIDMOOR_PROGRAM), {}, &error);
    if (prepared.program.isEmpty())
        QFAIL(qPrintable(error));
    programPath_ = prepared.program;
    environment_ = prepared.environment;
    puzzlePath_ = root_.filePath(QStringLiteral("desk.puz"));
    QVERIFY(FixtureFiles::Write(puzzlePath_, PuzBuilder({"ABCDE", "FGHIJ", "KLMNO", "PQRST", "UVWXY"}).Build()));
}

// The program opens the puzzle named on its command line with the cursor
// on the first square of 1 Across.
void TestSolveAtDesk::Start(QProcess& program)
{
    program.setProcessEnvironment(environment_);
    program.start(programPath_, {puzzlePath_});
    QVERIFY(program.waitForStarted());
    QByteArray ids;
    QVERIFY(Xdotool({QStringLiteral("search"), QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                     QStringLiteral("--name"), QStringLiteral("^Gridmoor( - .*)?$")},
                    &ids));
    windowId_ = QString::fromLatin1(ids.split('\n').value(0).trimmed());
    QVERIFY(!windowId_.isEmpty());
    QThread::msleep(kSettleMs);
    QVERIFY(Xdotool({QStringLiteral("windowfocus"), QStringLiteral("--sync"), windowId_}));
}

void TestSolveAtDesk::Close(QProcess& program)
{
    QThread::msleep(kSettleMs);
    program.terminate();
    QVERIFY(program.waitForFinished(kTimeoutMs));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
}

void TestSolveAtDesk::penPencilUndoAndReopen()
{
    QProcess program;
    Start(program);
    const auto type = [this](const QString& text) {
        QVERIFY(Xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("60"), text}));
    };
    const auto keys = [this](const QStringList& names) {
        QVERIFY(Xdotool(QStringList{QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("60")} + names));
    };
    // Pen "ab", pencil "cd", then "d" and "c" undone and "c" redone.
    type(QStringLiteral("ab"));
    keys({QStringLiteral("ctrl+shift+p")});
    type(QStringLiteral("cd"));
    keys({QStringLiteral("ctrl+z"), QStringLiteral("ctrl+z"), QStringLiteral("ctrl+y")});
    Close(program);

    QProcess again;
    Start(again);
    Close(again);

    CPuzzle reread;
    QCOMPARE(reread.Open(puzzlePath_), int(CPuzzle::Success));
    QCOMPARE(Entries(reread, false).left(5), QStringLiteral("ABC  "));
    QCOMPARE(Entries(reread, true).left(5), QStringLiteral("..p.."));
    reread.Close();
    QVERIFY(PuzBuilder::HasValidChecksums(FixtureFiles::Read(puzzlePath_), 2));
}

GRIDMOOR_TEST_MAIN(TestSolveAtDesk)
#include "tst_solve_at_desk.moc"
