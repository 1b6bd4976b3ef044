#include "core/puzzle.h"

#include "fixture_files.h"
#include "grid_words.h"
#include "puz_builder.h"
#include "recording_prompt.h"
#include "test_grids.h"

#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(QList<QByteArray>)

class TestBinaryPuzzleReader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void numbersAndBindsClues_data();
    void numbersAndBindsClues();
    void readsTextsAndEntries();
    void scrambledTag_data();
    void scrambledTag();
    void refusesBrokenFiles_data();
    void refusesBrokenFiles();
    void longestStringIsAccepted();
    void entryAtBlackSquareIsIgnored();

private:
    int OpenBytes(CPuzzle& puzzle, const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestBinaryPuzzleReader::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

int TestBinaryPuzzleReader::OpenBytes(CPuzzle& puzzle, const QByteArray& bytes)
{
    const QString path = dir_->filePath("test.puz");
    if (!FixtureFiles::Write(path, bytes))
        return -1;
    return puzzle.Open(path);
}

void TestBinaryPuzzleReader::numbersAndBindsClues_data()
{
    QTest::addColumn<QList<QByteArray>>("rows");
    QTest::addColumn<QByteArray>("leading");

    QTest::newRow("7x3") << TestGrids::Small() << QByteArray();
    QTest::newRow("15x15") << TestGrids::Square15() << QByteArray();
    QTest::newRow("21 columns, 15 rows") << TestGrids::Wide21x15() << QByteArray();
    QTest::newRow("marker at offset 9") << TestGrids::Square15() << QByteArray("junk\0ACRO", 9);
}

void TestBinaryPuzzleReader::numbersAndBindsClues()
{
    QFETCH(QList<QByteArray>, rows);
    QFETCH(QByteArray, leading);
    const QList<GridWord> words = FindGridWords(rows, '.');
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(rows).LeadingBytes(leading).Build()), 0);

    const int width = int(rows[0].size());
    QCOMPARE(int(puzzle.GetWidth()), width);
    QCOMPARE(int(puzzle.GetHeight()), int(rows.size()));
    QCOMPARE(int(puzzle.GetClueCount()), int(words.size()));
    QCOMPARE(puzzle.GetAcrossCount() + puzzle.GetDownCount(), int(words.size()));

    std::vector<int> across(size_t(width * rows.size()), -1);
    std::vector<int> down(across.size(), -1);
    for (int k = 0; k < words.size(); ++k) {
        const GridWord& word = words[k];
        const PuzzleClue* clue = puzzle.GetClue(k);
        QVERIFY(clue != nullptr);
        QCOMPARE(clue->number, word.number);
        QCOMPARE(bool(clue->isAcross), word.across);
        QCOMPARE(clue->text, QByteArray::number(word.number) + (word.across ? " Across" : " Down"));
        quint8 isAcross = 2;
        QCOMPARE(puzzle.FindWordStart(k, &isAcross), word.start);
        QCOMPARE(bool(isAcross), word.across);
        for (int i = 0; i < word.length; ++i) {
            const int cell = word.start + (word.across ? i : i * width);
            (word.across ? across : down)[size_t(cell)] = k;
        }
    }
    for (size_t i = 0; i < across.size(); ++i) {
        QCOMPARE(puzzle.GetCell(int(i)).acrossClue, across[i]);
        QCOMPARE(puzzle.GetCell(int(i)).downClue, down[i]);
    }
    QCOMPARE(puzzle.GetClue(int(words.size())), nullptr);
    QCOMPARE(puzzle.GetClue(-1), nullptr);
}

void TestBinaryPuzzleReader::readsTextsAndEntries()
{
    const QByteArray file = PuzBuilder({"abc.d", "e.fgh"})
                                .Entries({"a-C.x", "-.-G-"})
                                .Title("Caf\xe9 Puzzle")
                                .Author("")
                                .Copyright("(c) Nobody")
                                .Build();
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, file), 0);
    QByteArray title, author, copyright;
    puzzle.GetInfo(title, author, copyright);
    QCOMPARE(title, QByteArray("Caf\xe9 Puzzle"));
    QCOMPARE(CPuzzle::WidenText(title), QString("Caf\u00e9 Puzzle"));
    QVERIFY(author.isEmpty());
    QCOMPARE(copyright, QByteArray("(c) Nobody"));

    QByteArray solutions, entries;
    for (int i = 0; i < 10; ++i) {
        solutions += puzzle.GetCell(i).solution;
        entries += puzzle.GetCell(i).entry;
    }
    QCOMPARE(solutions, QByteArray("ABC DE FGH"));
    QCOMPARE(entries, QByteArray("A C X   G "));
    QCOMPARE(puzzle.GetLetterCount(), 8);
    QCOMPARE(puzzle.GetFilledCount(), 4);
    QCOMPARE(puzzle.GetFormat(), int(CPuzzle::FormatBinary));
}

void TestBinaryPuzzleReader::scrambledTag_data()
{
    QTest::addColumn<quint16>("tag");
    QTest::addColumn<bool>("scrambled");
    QTest::newRow("plain") << quint16(0) << false;
    QTest::newRow("0x0004") << quint16(0x0004) << true;
    QTest::newRow("other bits") << quint16(0x00FB) << false;
    QTest::newRow("high byte ignored") << quint16(0x0400) << false;
}

void TestBinaryPuzzleReader::scrambledTag()
{
    QFETCH(quint16, tag);
    QFETCH(bool, scrambled);
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(TestGrids::Small()).ScrambledTag(tag).Build()), 0);
    QCOMPARE(puzzle.IsScrambled(), scrambled);
    QVERIFY(puzzle.IsLoaded());
}

void TestBinaryPuzzleReader::refusesBrokenFiles_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("code");

    const QList<QByteArray> grid = TestGrids::Square15();
    const PuzBuilder builder(grid);
    const QByteArray good = builder.Build();
    const int words = builder.WordCount();
    const qint64 stringsAt = builder.EntryOffset() + 15 * 15;

    QTest::newRow("two clues too few") << PuzBuilder(grid).DeclaredClueCount(words - 2).Build() << 1;
    QTest::newRow("one clue too many") << PuzBuilder(grid).DeclaredClueCount(words + 1).Build() << 1;
    QTest::newRow("no marker") << QByteArray(good).replace("ACROSS&DOWN", "ACROSS&D0WN") << 1;
    QTest::newRow("ends in the header") << good.left(builder.MarkerOffset() + 0x2B) << 4;
    QTest::newRow("ends in the solution") << good.left(builder.SolutionOffset() + 100) << 1;
    QTest::newRow("ends in the entries") << good.left(builder.EntryOffset() + 224) << 1;
    QTest::newRow("ends in the title") << good.left(stringsAt + 3) << 1;
    QTest::newRow("ends before the last clue's NUL") << good.left(good.size() - 2) << 1;
    QTest::newRow("title without NUL in 100 bytes")
        << PuzBuilder(grid).Title(QByteArray(100, 'T')).Build() << 1;
    QTest::newRow("clue without NUL in 100 bytes")
        << PuzBuilder(grid).Clues(QList<QByteArray>(words, QByteArray(120, 'c'))).Build() << 1;
    QTest::newRow("zero width") << PuzBuilder(QList<QByteArray>(3, QByteArray())).Build() << 1;
    QTest::newRow("empty file") << QByteArray() << 1;
}

void TestBinaryPuzzleReader::refusesBrokenFiles()
{
    QFETCH(QByteArray, file);
    QFETCH(int, code);
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, file), code);
    QVERIFY(!puzzle.IsLoaded());
    QCOMPARE(puzzle.GetCurrentCell(), -1);
    QCOMPARE(int(puzzle.GetClueCount()), 0);
    QCOMPARE(FixtureFiles::Read(dir_->filePath("test.puz")), file);
}

void TestBinaryPuzzleReader::longestStringIsAccepted()
{
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(TestGrids::Small()).Title(QByteArray(99, 'T')).Build()), 0);
    QByteArray title, author, copyright;
    puzzle.GetInfo(title, author, copyright);
    QCOMPARE(title.size(), 99);
    QCOMPARE(author, QByteArray("Test Author"));
}

void TestBinaryPuzzleReader::entryAtBlackSquareIsIgnored()
{
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder({"AB.C", "DEFG"}).Entries({"--X-", "----"}).Build()), 0);
    QCOMPARE(puzzle.GetCell(2).entry, ' ');
    QCOMPARE(puzzle.GetFilledCount(), 0);
}

QTEST_GUILESS_MAIN(TestBinaryPuzzleReader)
#include "tst_binary_puzzle_reader.moc"
