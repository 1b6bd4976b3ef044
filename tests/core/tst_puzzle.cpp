#include "core/last_puzzle_recorder.h"
#include "core/puzzle.h"
#include "core/puzzle_observer.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "recording_prompt.h"
#include "test_grids.h"
#include "write_protection.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

class RecordingObserver : public PuzzleObserver, public LastPuzzleRecorder {
public:
    void PuzzleOpened() override { events.append("opened"); }
    void PuzzleClosed() override { events.append("closed"); }
    void SetLastPuzzlePath(const QString& path) override { events.append("recorded " + path); }

    QStringList events;
};

// Types a word's letters into the model, one cell at a time.
void Enter(CPuzzle& puzzle, int cell, char letter)
{
    puzzle.SetCurrentCell(cell);
    puzzle.SetCurrentEntry(letter);
}

// What a solver may do with a puzzle without changing it.
enum Handling { JustClose, SaveThenClose, MoveThenClose, SameTimeThenClose };

// Entries in lower case, and a rebus entry whose first letter the entry grid
// lacks: writing the entries back would change both, so a file that keeps
// them was not written back.
const QList<QByteArray> kLowerCaseEntries = {"ab-.---", "-.---.-", "---.---"};

} // namespace

class TestPuzzle : public QObject {
    Q_OBJECT

private slots:
    void init();
    void opensOnFirstLetterCell();
    void tellsObserverAndRecorder();
    void solvedAndFilled();
    void findNeighbour_data();
    void findNeighbour();
    void clueFilledAndFormatted();
    void roundTripChangesOnlyEntriesAndChecksums();
    void untouchedPuzzleIsNotRewritten();
    void untouchedCloseWritesNothing_data();
    void untouchedCloseWritesNothing();
    void wrongChecksumsAreLeftAlone();
    void writeProtectedPuzzleIsNeverWritten();
    void failedCloseShowsOneMessage();
    void saveThatWouldChangeTheFormatIsRefused();

private:
    QString WriteSmall(const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPuzzle::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestPuzzle::WriteSmall(const QByteArray& bytes)
{
    const QString path = dir_->filePath("small.puz");
    return FixtureFiles::Write(path, bytes) ? path : QString();
}

void TestPuzzle::opensOnFirstLetterCell()
{
    CPuzzle puzzle;
    QCOMPARE(puzzle.GetCurrentCell(), -1);
    QVERIFY(!puzzle.IsLoaded());
    // The first letter cell has only a down word.
    QCOMPARE(puzzle.Open(WriteSmall(PuzBuilder({"..A.", "BCDE", "..F."}).Build())), 0);
    QCOMPARE(puzzle.GetCurrentCell(), 2);
    QVERIFY(!puzzle.IsAcross());
    QCOMPARE(puzzle.GetCurrentClue(), 0);

    QCOMPARE(puzzle.Open(WriteSmall(PuzBuilder(TestGrids::Small()).Build())), 0);
    QCOMPARE(puzzle.GetCurrentCell(), 0);
    QVERIFY(puzzle.IsAcross());
    QCOMPARE(puzzle.GetFilledCount(), 0);
    QCOMPARE(puzzle.GetLetterCount(), 17);
    QCOMPARE(puzzle.GetPath(), dir_->filePath("small.puz"));
}

void TestPuzzle::tellsObserverAndRecorder()
{
    RecordingObserver observer;
    RecordingPrompt prompt;
    CPuzzle puzzle;
    puzzle.SetObserver(&observer);
    puzzle.SetRecorder(&observer);
    const QString path = WriteSmall(PuzBuilder(TestGrids::Small()).Build());
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.Open(dir_->filePath("absent.puz")), int(CPuzzle::ReadFailed));
    QVERIFY(!puzzle.IsLoaded());
    QCOMPARE(observer.events, (QStringList {"closed", "recorded " + path, "opened", "closed"}));
    QCOMPARE(prompt.texts.size(), 1);
}

void TestPuzzle::solvedAndFilled()
{
    const QByteArray solution = TestGrids::Joined(TestGrids::Small());
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(WriteSmall(PuzBuilder(TestGrids::Small()).Build())), 0);
    QVERIFY(!puzzle.IsFilled());
    QVERIFY(!puzzle.IsSolved());
    for (int i = 0; i < solution.size(); ++i) {
        if (solution[i] != '.')
            Enter(puzzle, i, solution[i]);
    }
    QVERIFY(puzzle.IsFilled());
    QVERIFY(puzzle.IsSolved());
    Enter(puzzle, 20, 'X');
    QVERIFY(puzzle.IsFilled());
    QVERIFY(!puzzle.IsSolved());
    Enter(puzzle, 20, ' ');
    QVERIFY(!puzzle.IsFilled());
    QCOMPARE(puzzle.GetFilledCount(), 16);
    Enter(puzzle, 20, ' ');
    QCOMPARE(puzzle.GetFilledCount(), 16);
    Enter(puzzle, 0, 'B');
    QCOMPARE(puzzle.GetFilledCount(), 16);
}

void TestPuzzle::findNeighbour_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("across");
    QTest::addColumn<int>("move");
    QTest::addColumn<int>("expected"); // -1: no neighbour

    // "ABC.DEF" / "G.HIJ.K" / "LMN.OPQ"
    QTest::newRow("right jumps a black square") << 2 << true << int(CPuzzle::MoveRight) << 4;
    QTest::newRow("next stops at a black square") << 2 << true << int(CPuzzle::MoveNext) << -1;
    QTest::newRow("next across") << 0 << true << int(CPuzzle::MoveNext) << 1;
    QTest::newRow("next down") << 0 << false << int(CPuzzle::MoveNext) << 7;
    QTest::newRow("previous down") << 9 << false << int(CPuzzle::MovePrevious) << 2;
    QTest::newRow("previous across at the edge") << 7 << true << int(CPuzzle::MovePrevious) << -1;
    QTest::newRow("down jumps a black square") << 1 << true << int(CPuzzle::MoveDown) << 15;
    QTest::newRow("up jumps a black square") << 15 << true << int(CPuzzle::MoveUp) << 1;
    QTest::newRow("right from row end stays in the row") << 6 << true << int(CPuzzle::MoveRight) << -1;
    QTest::newRow("left at the edge") << 7 << true << int(CPuzzle::MoveLeft) << -1;
    QTest::newRow("down at the last row") << 20 << true << int(CPuzzle::MoveDown) << -1;
    QTest::newRow("down in the last column") << 6 << true << int(CPuzzle::MoveDown) << 13;
    QTest::newRow("only black squares above") << 10 << true << int(CPuzzle::MoveUp) << -1;
}

void TestPuzzle::findNeighbour()
{
    QFETCH(int, start);
    QFETCH(bool, across);
    QFETCH(int, move);
    QFETCH(int, expected);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(WriteSmall(PuzBuilder(TestGrids::Small()).Build())), 0);
    puzzle.SetCurrentCell(start);
    puzzle.SetAcross(across);
    int found = -1;
    QCOMPARE(puzzle.FindNeighbour(move, &found), expected >= 0);
    QCOMPARE(found, expected);
}

void TestPuzzle::clueFilledAndFormatted()
{
    CPuzzle puzzle;
    const QByteArray file = PuzBuilder(TestGrids::Small())
                                .Clues({"Caf\xe9 owner", "b", "c", "d", "e", "f", "g", "h", "%s and %d"})
                                .Build();
    QCOMPARE(puzzle.Open(WriteSmall(file)), 0);
    bool filled = true;
    quint8 isAcross = 0;
    QCOMPARE(puzzle.FormatClue(0, &filled, &isAcross), QString("1. Caf\u00e9 owner"));
    QVERIFY(!filled);
    QCOMPARE(isAcross, quint8(1));
    QCOMPARE(puzzle.FormatClue(8, &filled, &isAcross), QString("7. %s and %d"));

    // 1 Down runs down column 0 through all three rows of the 7-wide grid.
    Enter(puzzle, 0, 'A');
    Enter(puzzle, 7, 'G');
    QVERIFY(!puzzle.IsClueFilled(1));
    Enter(puzzle, 14, 'L');
    QVERIFY(puzzle.IsClueFilled(1));
    QVERIFY(!puzzle.IsClueFilled(0));
    QCOMPARE(puzzle.FormatClue(1, &filled, &isAcross), QString("1. b"));
    QVERIFY(filled);
    QCOMPARE(isAcross, quint8(0));
    QVERIFY(!puzzle.IsClueFilled(9));
    QCOMPARE(puzzle.FindWordStart(9, &isAcross), -1);
}

void TestPuzzle::roundTripChangesOnlyEntriesAndChecksums()
{
    const PuzBuilder builder = PuzBuilder(TestGrids::Square15()).Entries(QList<QByteArray>(15, QByteArray(15, '-')));
    const QByteArray before = builder.Build();
    const QString path = WriteSmall(before);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    Enter(puzzle, 0, 'Q');
    Enter(puzzle, 1, 'R');
    Enter(puzzle, 1, ' ');
    Enter(puzzle, 224, 'Z');
    puzzle.SaveProgress();
    puzzle.Close();

    const QByteArray after = FixtureFiles::Read(path);
    QCOMPARE(after.size(), before.size());
    const qint64 entries = builder.EntryOffset();
    QList<qint64> changed;
    for (qint64 i = 0; i < after.size(); ++i) {
        if (after[i] != before[i])
            changed.append(i);
    }
    for (const qint64 i : changed) {
        const bool checksum = i < 2 || (i >= 0x0E && i < 0x18);
        QVERIFY2(checksum || i == entries || i == entries + 224, qPrintable(QString::number(i)));
    }
    QCOMPARE(after[entries], 'Q');
    QCOMPARE(after[entries + 1], '-');
    QCOMPARE(after[entries + 224], 'Z');
    QVERIFY(PuzBuilder::HasValidChecksums(after, 2));

    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetFilledCount(), 2);
    QCOMPARE(puzzle.GetCell(224).entry, 'Z');
}

void TestPuzzle::untouchedPuzzleIsNotRewritten()
{
    const QByteArray before = PuzBuilder(TestGrids::Small()).Build();
    const QString path = WriteSmall(before);
    const QDateTime written = QFileInfo(path).lastModified();
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    Enter(puzzle, 0, 'A');
    Enter(puzzle, 0, ' ');
    puzzle.Close();
    QCOMPARE(FixtureFiles::Read(path), before);
    QCOMPARE(QFileInfo(path).lastModified(), written);
}

void TestPuzzle::untouchedCloseWritesNothing_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("handling");

    const QByteArray document = DocumentBuilder(TestGrids::Small()).Decision("ab" + QByteArray(19, ' ')).Build();
    const QMap<QByteArray, QByteArray> files = {
        {".puz", PuzBuilder(TestGrids::Small()).Entries(kLowerCaseEntries).Build()},
        {".puz with sections", PuzBuilder(TestGrids::Small())
                                   .Version("2.0")
                                   .Entries(kLowerCaseEntries)
                                   .Rebus({{2, "CAB"}})
                                   .UserRebus({{2, "CAB"}})
                                   .Section("LTIM", "75,0")
                                   .Build()},
        {"plain .gmd", document},
        {"packed .gmd", DocumentBuilder::Pack(document)},
    };
    const QMap<int, QByteArray> handlings = {{JustClose, "closed"},
                                             {SaveThenClose, "saved and closed"},
                                             {MoveThenClose, "cursor moved"},
                                             {SameTimeThenClose, "same time set"}};
    for (auto file = files.cbegin(); file != files.cend(); ++file) {
        for (auto handling = handlings.cbegin(); handling != handlings.cend(); ++handling)
            QTest::addRow("%s, %s", file.key().constData(), handling.value().constData()) << *file << handling.key();
    }
}

void TestPuzzle::untouchedCloseWritesNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(int, handling);
    const QString path = WriteSmall(file);
    const QDateTime written = QFileInfo(path).lastModified();
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QCOMPARE(puzzle.GetCell(0).entry, 'A');
        if (handling == SaveThenClose)
            puzzle.SaveProgress();
        if (handling == MoveThenClose) {
            puzzle.SetCurrentCell(4);
            puzzle.SetAcross(false);
        }
        if (handling == SameTimeThenClose)
            puzzle.SetSolvingSeconds(puzzle.GetSolvingSeconds());
        puzzle.Close();
    }
    QCOMPARE(FixtureFiles::Read(path), file);
    QCOMPARE(QFileInfo(path).lastModified(), written);
}

void TestPuzzle::wrongChecksumsAreLeftAlone()
{
    const PuzBuilder builder(TestGrids::Small());
    QByteArray before = builder.Build();
    before[0] = char(before[0] ^ 0x55);
    const QString path = WriteSmall(before);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    Enter(puzzle, 4, 'D');
    puzzle.Close();
    QByteArray expected = before;
    expected[builder.EntryOffset() + 4] = 'D';
    QCOMPARE(FixtureFiles::Read(path), expected);
}

void TestPuzzle::writeProtectedPuzzleIsNeverWritten()
{
    const QByteArray before = PuzBuilder(TestGrids::Small()).Build();
    const QString path = WriteSmall(before);
    {
        WriteProtection protection(path);
        if (!protection.IsActive())
            QSKIP("this process can write to any file");
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QVERIFY(puzzle.IsReadOnly());
        Enter(puzzle, 0, 'A');
        puzzle.SaveProgress();
        puzzle.Close();
    }
    QCOMPARE(FixtureFiles::Read(path), before);
}

// Closing saves the progress and then writes the file back; when the disk
// refuses both, the user is told once.
void TestPuzzle::failedCloseShowsOneMessage()
{
    const QByteArray before = PuzBuilder(TestGrids::Small()).Build();
    const QString path = WriteSmall(before);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    Enter(puzzle, 0, 'A');
    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(10);
        if (!fullDisk.IsActive())
            QSKIP("the file size limit cannot be set here");
        puzzle.Close();
    }
    QCOMPARE(prompt.texts.size(), 1);
    QVERIFY(prompt.texts[0].endsWith(". It was left as it was."));
    QCOMPARE(FixtureFiles::Read(path), before);
}

// A binary puzzle behind the start of an XML document type whose brackets its
// entries close: typing there would make the file read as a document, which
// would not open. The file keeps its bytes and the user hears of it once.
void TestPuzzle::saveThatWouldChangeTheFormatIsRefused()
{
    const QByteArray before = PuzBuilder({"ABC", "DEF"})
                                  .LeadingBytes("<!DOCTYPE x [")
                                  .Entries({"[--", "---"})
                                  .Tail("]><crossword >")
                                  .Build();
    const QString path = WriteSmall(before);
    RecordingPrompt prompt;
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QCOMPARE(puzzle.GetFormat(), int(CPuzzle::FormatBinary));
        Enter(puzzle, 0, 'A');
        Enter(puzzle, 1, 'B');
        puzzle.SaveProgress();
        QVERIFY(puzzle.IsReadOnly());
    }
    QCOMPARE(prompt.texts.size(), 1);
    QVERIFY(prompt.texts[0].endsWith(". It was left as it was."));
    QCOMPARE(FixtureFiles::Read(path), before);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestPuzzle)
#include "tst_puzzle.moc"
