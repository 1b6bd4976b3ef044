#include "core/puzzle.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "recording_prompt.h"
#include "test_grids.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Test grid "ABC.DEF", "G.HIJ.K", "LMN.OPQ"; the rebus squares are cell 0
// (answer AXE) and cell 2 (answer CAB).
const QMap<int, QByteArray> kRebus = {{0, "AXE"}, {2, "CAB"}};

enum Action { EnterLetter, EnterRebus, ClearRebus, SpendTime };

// Changes a solver makes, each of which the next close must write.
enum Change { TypeLetter, DeleteLetter, TypeRebus, LetterOverRebus, TimeGoesOn, LetterAfterSave, TimeAfterSave };

void Enter(CPuzzle& puzzle, int cell, const QByteArray& letters)
{
    puzzle.SetCurrentCell(cell);
    puzzle.SetCurrentEntryText(letters);
}

// Every section's checksum matches its data.
bool SectionChecksumsValid(const QByteArray& file)
{
    for (const PuzSectionBytes& section : PuzBuilder::Sections(file)) {
        if (!section.checksumValid)
            return false;
    }
    return true;
}

// Fills every letter cell with its answer, rebus squares with the whole one.
void Solve(CPuzzle& puzzle)
{
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i) {
        if (puzzle.GetCell(i).solution != ' ')
            Enter(puzzle, i, puzzle.GetSolutionText(i).toLatin1());
    }
}

} // namespace

class TestBinaryPuzzleWriter : public QObject {
    Q_OBJECT

private slots:
    void init();
    void savingKeepsEveryChecksumValid_data();
    void savingKeepsEveryChecksumValid();
    void untouchedPuzzleWithSectionsStaysAsItWas();
    void everyChangeIsSaved_data();
    void everyChangeIsSaved();
    void rebusIsRevealedCheckedAndEntered();
    void rebusEntriesRoundTrip();
    void timer_data();
    void timer();
    void documentKeepsItsFormat();
    void diagramlessBlocksAreKept();

private:
    QString Write(const QByteArray& bytes, const QString& name = QStringLiteral("test.puz"));

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestBinaryPuzzleWriter::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestBinaryPuzzleWriter::Write(const QByteArray& bytes, const QString& name)
{
    const QString path = dir_->filePath(name);
    return FixtureFiles::Write(path, bytes) ? path : QString();
}

void TestBinaryPuzzleWriter::savingKeepsEveryChecksumValid_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("action");
    QTest::addColumn<QByteArray>("kept");   // bytes that must survive unchanged
    QTest::addColumn<QByteArray>("added");  // title of the section the save adds or rewrites

    const QList<QByteArray> grid = TestGrids::Small();
    const QByteArray unknown = PuzBuilder::SectionBytes("ZZZZ", QByteArray("opaque\0data", 11));
    const QByteArray broken = PuzBuilder::SectionBytes("YYYY", "bad sum").replace(6, 2, "\x12\x34");
    const QByteArray circles = PuzBuilder::SectionBytes("GEXT", QByteArray(3, '\0') + '\x80' + QByteArray(17, '\x04'));

    QTest::newRow("circles, letter") << PuzBuilder(grid).Tail(circles).Build() << int(EnterLetter) << circles
                                     << QByteArray();
    QTest::newRow("unknown sections, letter")
        << PuzBuilder(grid).Tail(unknown + broken).Build() << int(EnterLetter) << unknown + broken << QByteArray();
    QTest::newRow("rebus entered") << PuzBuilder(grid).Rebus(kRebus).Tail(unknown).Build() << int(EnterRebus)
                                   << unknown << QByteArray("RUSR");
    QTest::newRow("rebus cleared")
        << PuzBuilder(grid).Rebus(kRebus).UserRebus({{0, "AXE"}}).Tail(unknown).Build() << int(ClearRebus) << unknown
        << QByteArray("RUSR");
    QTest::newRow("time kept") << PuzBuilder(grid).Tail(circles + unknown).Build() << int(SpendTime)
                               << circles + unknown << QByteArray("LTIM");
    QTest::newRow("time rewritten") << PuzBuilder(grid).Section("LTIM", "9,0").Tail(unknown).Build()
                                    << int(SpendTime) << unknown << QByteArray("LTIM");
    QTest::newRow("2.0 with notes, rebus")
        << PuzBuilder(grid).Version("2.0").Notes("\xce\xbd\xce\xbf\xcf\x84\xce\xb5\xcf\x82").Rebus(kRebus).Build()
        << int(EnterRebus) << QByteArray("\xce\xbd\xce\xbf\xcf\x84\xce\xb5\xcf\x82") << QByteArray("RUSR");
    QTest::newRow("no notes string, time") << PuzBuilder(grid).WithoutNotesString().Build() << int(SpendTime)
                                           << QByteArray("1 Across") << QByteArray("LTIM");
    QTest::newRow("1.2, rebus") << PuzBuilder(grid).Version("1.2").Notes("n").Rebus(kRebus).Build()
                                << int(EnterRebus) << QByteArray("RTBL") << QByteArray("RUSR");
    // The notes must still read as notes once sections follow them.
    QTest::newRow("notes that look like a section header, rebus")
        << PuzBuilder(grid).Notes("RTBL\x0f").Rebus(kRebus).Tail("\xca\xd7 0:CAT; 1:XRLTIMAY;").Build()
        << int(EnterRebus) << QByteArray("\xca\xd7 0:CAT; 1:XRLTIMAY;") << QByteArray("RUSR");
}

void TestBinaryPuzzleWriter::savingKeepsEveryChecksumValid()
{
    QFETCH(QByteArray, file);
    QFETCH(int, action);
    QFETCH(QByteArray, kept);
    QFETCH(QByteArray, added);
    QVERIFY(PuzBuilder::HasValidChecksums(file, 2));
    const QString path = Write(file);
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        Enter(puzzle, 7, "G");
        if (action == EnterRebus)
            Enter(puzzle, 0, "axe");
        else if (action == ClearRebus)
            Enter(puzzle, 0, "A");
        else if (action == SpendTime)
            puzzle.SetSolvingSeconds(95);
        puzzle.SaveProgress();
        // A second save on top of the first must keep the file as valid.
        Enter(puzzle, 9, "H");
    }
    const QByteArray after = FixtureFiles::Read(path);
    QVERIFY(PuzBuilder::HasValidChecksums(after, 2));
    QVERIFY(after.contains(kept));
    const QList<PuzSectionBytes> before = PuzBuilder::Sections(file);
    const QList<PuzSectionBytes> sections = PuzBuilder::Sections(after);
    for (const PuzSectionBytes& section : sections)
        QVERIFY2(section.checksumValid || section.title == "YYYY", section.title.constData());
    if (!added.isEmpty())
        QVERIFY(!PuzBuilder::SectionData(after, added).isEmpty());
    QCOMPARE(sections.size(), before.size() + (added.isEmpty() || PuzBuilder::SectionData(file, added).size() ? 0 : 1));

    CPuzzle reopened;
    QCOMPARE(reopened.Open(path), 0);
    QCOMPARE(reopened.GetEntryText(7), QStringLiteral("G"));
    QCOMPARE(reopened.GetEntryText(9), QStringLiteral("H"));
    QCOMPARE(reopened.GetEntryText(0), action == EnterRebus ? QStringLiteral("AXE")
                                       : action == ClearRebus ? QStringLiteral("A")
                                                              : QString());
    QCOMPARE(reopened.GetSolvingSeconds(), action == SpendTime ? 95 : 0);
}

void TestBinaryPuzzleWriter::untouchedPuzzleWithSectionsStaysAsItWas()
{
    const QByteArray file = PuzBuilder(TestGrids::Small())
                                .Version("2.0")
                                .Notes("notes")
                                .Entries({"A-C.---", "-.---.-", "---.---"})
                                .Circles({1})
                                .Rebus(kRebus)
                                .UserRebus({{2, "CAB"}})
                                .Section("LTIM", "0120,1")
                                .Section("ZZZZ", "z")
                                .Tail("trailing junk")
                                .Build();
    const QString path = Write(file);
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QCOMPARE(puzzle.GetSolvingSeconds(), 120);
        Enter(puzzle, 0, "Q");
        Enter(puzzle, 0, "A");
        puzzle.SaveProgress();
    }
    QCOMPARE(FixtureFiles::Read(path), file);
}

void TestBinaryPuzzleWriter::everyChangeIsSaved_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("change");
    QTest::addColumn<int>("cell");
    QTest::addColumn<QString>("entry"); // the cell's entry once reopened
    QTest::addColumn<int>("seconds");   // the time once reopened

    const QString puz = QStringLiteral("test.puz");
    QTest::newRow("typed letter") << puz << int(TypeLetter) << 4 << "D" << 75;
    QTest::newRow("deleted letter") << puz << int(DeleteLetter) << 0 << "" << 75;
    QTest::newRow("rebus entry") << puz << int(TypeRebus) << 0 << "AXE" << 75;
    QTest::newRow("letter over a rebus entry") << puz << int(LetterOverRebus) << 2 << "C" << 75;
    QTest::newRow("time goes on") << puz << int(TimeGoesOn) << 0 << "A" << 90;
    QTest::newRow("letter after a save") << puz << int(LetterAfterSave) << 6 << "F" << 75;
    QTest::newRow("time after a save") << puz << int(TimeAfterSave) << 0 << "A" << 100;
    const QString gmd = QStringLiteral("test.gmd");
    QTest::newRow("document, typed letter") << gmd << int(TypeLetter) << 4 << "D" << 0;
    QTest::newRow("document, deleted letter") << gmd << int(DeleteLetter) << 0 << "" << 0;
    QTest::newRow("document, letter after a save") << gmd << int(LetterAfterSave) << 6 << "F" << 0;
}

void TestBinaryPuzzleWriter::everyChangeIsSaved()
{
    QFETCH(QString, name);
    QFETCH(int, change);
    QFETCH(int, cell);
    QFETCH(QString, entry);
    QFETCH(int, seconds);
    const bool binary = name.endsWith(".puz");
    const QByteArray file = binary ? PuzBuilder(TestGrids::Small())
                                         .Version("2.0")
                                         .Entries({"A-C.---", "-.---.-", "---.---"})
                                         .Rebus(kRebus)
                                         .UserRebus({{2, "CAB"}})
                                         .Section("LTIM", "75,0")
                                         .Build()
                                   : DocumentBuilder::Pack(DocumentBuilder(TestGrids::Small())
                                                               .Decision("A C" + QByteArray(18, ' '))
                                                               .Build());
    const QString path = Write(file, name);
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        switch (change) {
        case TypeLetter:
            Enter(puzzle, 4, "D");
            break;
        case DeleteLetter:
            Enter(puzzle, 0, "");
            break;
        case TypeRebus:
            Enter(puzzle, 0, "AXE");
            break;
        case LetterOverRebus:
            Enter(puzzle, 2, "C");
            break;
        case TimeGoesOn:
            puzzle.SetSolvingSeconds(90);
            break;
        case LetterAfterSave:
            Enter(puzzle, 4, "D");
            puzzle.SaveProgress();
            Enter(puzzle, 6, "F");
            break;
        case TimeAfterSave:
            puzzle.SetSolvingSeconds(90);
            puzzle.SaveProgress();
            puzzle.SetSolvingSeconds(100);
            break;
        }
    }
    const QByteArray after = FixtureFiles::Read(path);
    QVERIFY(after != file);
    if (binary) {
        QVERIFY(PuzBuilder::HasValidChecksums(after, 2));
        QVERIFY(SectionChecksumsValid(after));
    }
    CPuzzle reopened;
    QCOMPARE(reopened.Open(path), 0);
    QCOMPARE(reopened.GetEntryText(cell), entry);
    QCOMPARE(reopened.GetSolvingSeconds(), seconds);
    if (change == LetterAfterSave)
        QCOMPARE(reopened.GetEntryText(4), QStringLiteral("D"));
}

void TestBinaryPuzzleWriter::rebusIsRevealedCheckedAndEntered()
{
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(PuzBuilder(TestGrids::Small()).Rebus(kRebus).Build())), 0);
    QCOMPARE(puzzle.GetCell(0).solution, 'A');
    QCOMPARE(puzzle.GetSolutionText(0), QStringLiteral("AXE"));
    QCOMPARE(puzzle.GetSolutionText(1), QStringLiteral("B"));
    QCOMPARE(puzzle.GetSolutionText(3), QString());

    Solve(puzzle);
    QVERIFY(puzzle.IsSolved());
    QVERIFY(puzzle.IsFilled());
    Enter(puzzle, 0, "A");
    QVERIFY(!puzzle.IsEntryCorrect(0));
    QVERIFY(!puzzle.IsSolved());
    QVERIFY(puzzle.IsFilled());
    Enter(puzzle, 0, "axes");
    QCOMPARE(puzzle.GetEntryText(0), QStringLiteral("AXES"));
    QCOMPARE(puzzle.GetCell(0).entry, 'A');
    QVERIFY(!puzzle.IsEntryCorrect(0));
    Enter(puzzle, 0, "Axe");
    QVERIFY(puzzle.IsEntryCorrect(0));
    QVERIFY(puzzle.IsSolved());
    // A rebus entry where the answer is one letter is wrong too.
    Enter(puzzle, 1, "BB");
    QVERIFY(!puzzle.IsEntryCorrect(1));
    Enter(puzzle, 1, "");
    QCOMPARE(puzzle.GetEntryText(1), QString());
    QVERIFY(!puzzle.IsFilled());
}

// Rebus entries are written where other solvers read them: the first letter
// in the entry grid and the whole entry in "RUSR".
void TestBinaryPuzzleWriter::rebusEntriesRoundTrip()
{
    const PuzBuilder builder = PuzBuilder(TestGrids::Small()).Rebus(kRebus);
    const QString path = Write(builder.Build());
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        Enter(puzzle, 0, "AXE");
        Enter(puzzle, 4, "DEW");
        Enter(puzzle, 2, "C");
    }
    const QByteArray after = FixtureFiles::Read(path);
    QCOMPARE(after.mid(builder.EntryOffset(), 7), QByteArray("A-C.D--"));
    QByteArray expected(21, '\0');
    expected.insert(4, "DEW").insert(0, "AXE");
    QCOMPARE(PuzBuilder::SectionData(after, "RUSR"), expected);

    CPuzzle reopened;
    QCOMPARE(reopened.Open(path), 0);
    QCOMPARE(reopened.GetEntryText(0), QStringLiteral("AXE"));
    QCOMPARE(reopened.GetEntryText(2), QStringLiteral("C"));
    QCOMPARE(reopened.GetEntryText(4), QStringLiteral("DEW"));
    QCOMPARE(reopened.GetFilledCount(), 3);
}

void TestBinaryPuzzleWriter::timer_data()
{
    QTest::addColumn<QByteArray>("stored");  // LTIM data in the file, none when empty
    QTest::addColumn<bool>("progress");
    QTest::addColumn<bool>("solve");
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QByteArray>("written");  // LTIM data after closing, none when empty

    QTest::newRow("fresh puzzle looked at") << QByteArray() << false << false << 30 << QByteArray();
    QTest::newRow("fresh puzzle with progress") << QByteArray() << true << false << 30 << QByteArray("30,0");
    QTest::newRow("fresh puzzle, no time yet") << QByteArray() << true << false << 0 << QByteArray();
    QTest::newRow("stored time unchanged") << QByteArray("075,1") << true << false << 75 << QByteArray("075,1");
    QTest::newRow("stored time goes on") << QByteArray("75,0") << false << false << 3725 << QByteArray("3725,0");
    QTest::newRow("solved stops the clock") << QByteArray("75,0") << true << true << 80 << QByteArray("80,1");
    QTest::newRow("solved within the second") << QByteArray("75,0") << true << true << 75 << QByteArray("75,1");
    QTest::newRow("stopped clock of an unsolved puzzle")
        << QByteArray("75,1") << false << false << 75 << QByteArray("75,1");
}

void TestBinaryPuzzleWriter::timer()
{
    QFETCH(QByteArray, stored);
    QFETCH(bool, progress);
    QFETCH(bool, solve);
    QFETCH(int, seconds);
    QFETCH(QByteArray, written);
    PuzBuilder builder(TestGrids::Small());
    if (!stored.isEmpty())
        builder.Section("LTIM", stored);
    const QByteArray file = builder.Build();
    const QString path = Write(file);
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        if (progress)
            Enter(puzzle, 1, "B");
        if (solve)
            Solve(puzzle);
        puzzle.SetSolvingSeconds(seconds);
    }
    const QByteArray after = FixtureFiles::Read(path);
    QCOMPARE(PuzBuilder::SectionData(after, "LTIM"), written);
    if (!progress && written == stored)
        QCOMPARE(after, file);
    QVERIFY(PuzBuilder::HasValidChecksums(after, 2));
    QVERIFY(SectionChecksumsValid(after));
    CPuzzle reopened;
    QCOMPARE(reopened.Open(path), 0);
    QCOMPARE(reopened.GetSolvingSeconds(), written.isEmpty() ? 0 : seconds);
}

// A puzzle document has no place for the time: it keeps it in memory only.
void TestBinaryPuzzleWriter::documentKeepsItsFormat()
{
    const QByteArray document = DocumentBuilder(TestGrids::Small()).Decision(QByteArray(21, ' ')).Build();
    const QString path = Write(document, QStringLiteral("test.gmd"));
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        puzzle.SetSolvingSeconds(42);
        QCOMPARE(puzzle.GetSolvingSeconds(), 42);
    }
    QCOMPARE(FixtureFiles::Read(path), document);
}

// Diagramless grids keep their ":" blocks in both grids, and an empty letter
// cell keeps whichever empty mark it had.
void TestBinaryPuzzleWriter::diagramlessBlocksAreKept()
{
    const PuzBuilder builder =
        PuzBuilder({"ABC:DEF", "G:HIJ:K", "LMN:OPQ"}).Entries({"-:-:---", "-:-.-:-", "---:---"});
    const QByteArray before = builder.Build();
    const QString path = Write(before);
    {
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QCOMPARE(puzzle.GetFilledCount(), 0);
        Enter(puzzle, 0, "X");
        Enter(puzzle, 2, "Y");
        Enter(puzzle, 2, "");
        Enter(puzzle, 4, "Z");
    }
    const QByteArray after = FixtureFiles::Read(path);
    QCOMPARE(after.mid(builder.SolutionOffset(), 21), QByteArray("ABC:DEFG:HIJ:KLMN:OPQ"));
    QCOMPARE(after.mid(builder.EntryOffset(), 21), QByteArray("X:-:Z---:-.-:----:---"));
    QVERIFY(PuzBuilder::HasValidChecksums(after, 2));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestBinaryPuzzleWriter)
#include "tst_binary_puzzle_writer.moc"
