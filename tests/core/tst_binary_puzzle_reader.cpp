#include "core/puzzle.h"

#include "fixture_files.h"
#include "grid_words.h"
#include "puz_builder.h"
#include "recording_prompt.h"
#include "test_grids.h"
#include "test_main.h"

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
    void longStringsAreRead_data();
    void longStringsAreRead();
    void textsAreDecodedByVersion_data();
    void textsAreDecodedByVersion();
    void notesByVersion_data();
    void notesByVersion();
    void diagramlessGridIsNumberedLikeAnyGrid();
    void sectionsAreReadOrIgnored_data();
    void sectionsAreReadOrIgnored();

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
    QCOMPARE(puzzle.WidenText(title), QString("Caf\u00e9 Puzzle"));
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
    QTest::newRow("long title running off the end")
        << PuzBuilder(grid).Title(QByteArray(300, 'T')).Build().left(stringsAt + 250) << 1;
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

void TestBinaryPuzzleReader::longStringsAreRead_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("clue");
    QTest::addColumn<QByteArray>("notes");
    QTest::newRow("title of 100 characters") << QByteArray(100, 'T') << QByteArray("c") << QByteArray();
    QTest::newRow("clue of 250 characters") << QByteArray("t") << QByteArray(250, 'c') << QByteArray();
    QTest::newRow("title of 180, notes of 5000")
        << QByteArray(180, 'T') << QByteArray(120, 'c') << QByteArray(5000, 'n');
}

void TestBinaryPuzzleReader::longStringsAreRead()
{
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, clue);
    QFETCH(QByteArray, notes);
    const QList<QByteArray> grid = TestGrids::Square15();
    const int words = PuzBuilder(grid).WordCount();
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(grid).Title(title).Clues(QList<QByteArray>(words, clue)).Notes(notes).Build()),
             0);
    QString shownTitle, author, copyright;
    puzzle.GetInfoText(shownTitle, author, copyright);
    QCOMPARE(shownTitle, QString::fromLatin1(title));
    QCOMPARE(author, QStringLiteral("Test Author"));
    QCOMPARE(puzzle.GetClue(words - 1)->text, clue);
    QCOMPARE(puzzle.GetNotes(), QString::fromLatin1(notes));
}

void TestBinaryPuzzleReader::textsAreDecodedByVersion_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    const QByteArray greekAndEmoji = "\xce\xb1\xce\xb2\xce\xb3 \xf0\x9f\xa7\xa9 caf\xc3\xa9";
    QTest::newRow("2.0 is UTF-8") << QByteArray("2.0") << greekAndEmoji
                                  << QStringLiteral(u"\u03b1\u03b2\u03b3 \U0001F9E9 caf\u00e9");
    QTest::newRow("2.1 is UTF-8") << QByteArray("2.1") << QByteArray("\xe2\x80\x94") << QStringLiteral(u"\u2014");
    QTest::newRow("1.3 is Windows-1252") << QByteArray("1.3") << QByteArray("caf\xc3\xa9 \x93q\x94")
                                         << QStringLiteral(u"caf\u00c3\u00a9 \u201cq\u201d");
    QTest::newRow("2.0 that is not UTF-8 after all") << QByteArray("2.0") << QByteArray("caf\xe9")
                                                     << QStringLiteral(u"caf\u00e9");
}

void TestBinaryPuzzleReader::textsAreDecodedByVersion()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    const int words = PuzBuilder(TestGrids::Small()).WordCount();
    QList<QByteArray> clues(words, QByteArray("plain"));
    clues[1] = bytes;
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(TestGrids::Small())
                                   .Version(version)
                                   .Title(bytes)
                                   .Author(bytes + " & co")
                                   .Copyright(bytes)
                                   .Clues(clues)
                                   .Notes(bytes)
                                   .Build()),
             0);
    QString title, author, copyright;
    puzzle.GetInfoText(title, author, copyright);
    QCOMPARE(title, shown);
    QCOMPARE(author, shown + QStringLiteral(" & co"));
    QCOMPARE(copyright, shown);
    QCOMPARE(puzzle.GetNotes(), shown);
    QCOMPARE(puzzle.FormatClue(1, nullptr, nullptr), QStringLiteral("1. ") + shown);
    QCOMPARE(puzzle.WidenText(bytes), shown);
}

void TestBinaryPuzzleReader::notesByVersion_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QString>("notes");
    QTest::newRow("1.2 has none") << QByteArray("1.2") << QString();
    QTest::newRow("1.3") << QByteArray("1.3") << QStringLiteral("Theme: birds");
    QTest::newRow("1.4") << QByteArray("1.4") << QStringLiteral("Theme: birds");
    QTest::newRow("2.0") << QByteArray("2.0") << QStringLiteral("Theme: birds");
}

void TestBinaryPuzzleReader::notesByVersion()
{
    QFETCH(QByteArray, version);
    QFETCH(QString, notes);
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(TestGrids::Small()).Version(version).Notes("Theme: birds").Build()), 0);
    QCOMPARE(puzzle.GetNotes(), notes);
}

// A diagramless grid marks its blocks with ":" in both grids; it numbers like
// the same grid with ".".
void TestBinaryPuzzleReader::diagramlessGridIsNumberedLikeAnyGrid()
{
    const QList<QByteArray> dots = TestGrids::Small();
    QList<QByteArray> colons = dots;
    for (QByteArray& row : colons)
        row.replace('.', ':');
    QList<QByteArray> entries = colons;
    for (QByteArray& row : entries) {
        for (char& c : row)
            c = c == ':' ? ':' : '-';
    }
    entries[0][0] = 'a';
    CPuzzle expected;
    QCOMPARE(OpenBytes(expected, PuzBuilder(dots).Build()), 0);
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, PuzBuilder(colons).Entries(entries).Build()), 0);
    QCOMPARE(puzzle.GetClueCount(), expected.GetClueCount());
    QCOMPARE(puzzle.GetLetterCount(), expected.GetLetterCount());
    QCOMPARE(puzzle.GetFilledCount(), 1);
    for (int i = 0; i < 21; ++i) {
        QCOMPARE(puzzle.GetCell(i).solution, expected.GetCell(i).solution);
        QCOMPARE(puzzle.GetCell(i).acrossClue, expected.GetCell(i).acrossClue);
        QCOMPARE(puzzle.GetCell(i).downClue, expected.GetCell(i).downClue);
    }
    for (int k = 0; k < expected.GetClueCount(); ++k)
        QCOMPARE(puzzle.GetClue(k)->number, expected.GetClue(k)->number);
}

void TestBinaryPuzzleReader::sectionsAreReadOrIgnored_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QList<int>>("circled");
    QTest::addColumn<QString>("rebusAnswer");  // of cell 0
    QTest::addColumn<QString>("rebusEntry");   // of cell 2
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("notes");

    const QList<QByteArray> grid = TestGrids::Small();
    const QByteArray timer = PuzBuilder::SectionBytes("LTIM", "75,0");
    const QMap<int, QByteArray> rebus = {{0, "AXE"}, {2, "CAB"}};
    auto notes = [](const PuzBuilder& builder) { return PuzBuilder(builder).Notes("n").Build(); };

    QTest::newRow("none") << notes(PuzBuilder(grid)) << QList<int>{} << "A" << "" << 0 << "n";
    QTest::newRow("circles") << notes(PuzBuilder(grid).Circles({0, 20})) << QList<int>{0, 20} << "A" << "" << 0 << "n";
    QTest::newRow("circle bit among others")
        << PuzBuilder(grid).Section("GEXT", QByteArray(4, '\xc1') + QByteArray(17, '\x41')).Build()
        << QList<int>{0, 1, 2} << "A" << "" << 0 << "";
    QTest::newRow("rebus and entries")
        << PuzBuilder(grid).Rebus(rebus).UserRebus({{2, "cab"}}).Section("LTIM", "75,1").Build() << QList<int>{}
        << "AXE" << "CAB" << 75 << "";
    QTest::newRow("timer after unknown section")
        << PuzBuilder(grid).Section("ABCD", "xyz").Section("LTIM", "75,0").Build() << QList<int>{} << "A" << "" << 75
        << "";
    QTest::newRow("no notes string, the clues end the file")
        << PuzBuilder(grid).Notes("ignored").WithoutNotesString().Build() << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("notes that look like a section")
        << PuzBuilder(grid).Notes("GEXT\x15").Tail(PuzBuilder::SectionBytes("LTIM", "75,0")).Build() << QList<int>{}
        << "A" << "" << 75 << "GEXT\x15";
    QTest::newRow("markup of the wrong size")
        << PuzBuilder(grid).Section("GEXT", QByteArray(20, '\x80')).Build() << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("rebus grid of the wrong size")
        << PuzBuilder(grid).Section("GRBS", QByteArray(22, '\x01')).Section("RTBL", " 0:AXE;").Build()
        << QList<int>{} << "A" << "" << 0 << "";
    // Cell 0 takes the rebus key given; the table is written as given.
    auto rebusTable = [&grid](const QByteArray& table, int key) {
        QByteArray keys(21, '\0');
        keys[0] = char(key + 1);
        return PuzBuilder(grid).Section("GRBS", keys).Section("RTBL", table).Build();
    };
    QTest::newRow("rebus key with blanks and a sign")
        << rebusTable(" +7 :axe;", 7) << QList<int>{} << "AXE" << "" << 0 << "";
    QTest::newRow("later rebus key wins") << rebusTable("3:AXE;03:OAK", 3) << QList<int>{} << "OAK" << "" << 0 << "";
    QTest::newRow("rebus key that is no number")
        << rebusTable("3x:AXE;:OAK;x:ELM;", 3) << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("rebus key beyond the keys a square can have")
        << rebusTable("258:AXE;", 2) << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("rebus entries of the wrong count")
        << PuzBuilder(grid).Section("RUSR", QByteArray(20, '\0')).Build() << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("timer that does not parse")
        << PuzBuilder(grid).Section("LTIM", "soon").Build() << QList<int>{} << "A" << "" << 0 << "";
    QTest::newRow("wrong checksum")
        << PuzBuilder(grid).Tail(QByteArray(timer).replace(6, 2, "\x01\x02")).Build() << QList<int>{} << "A" << ""
        << 0 << "";
    QTest::newRow("length running past the end")
        << PuzBuilder(grid).Circles({4}).Tail(timer.left(timer.size() - 2)).Build() << QList<int>{4} << "A" << ""
        << 0 << "";
    QTest::newRow("length beyond 64 KB claimed")
        << PuzBuilder(grid).Tail(QByteArray("LTIM\xff\xff\0\0", 8) + "75,0").Build() << QList<int>{} << "A" << ""
        << 0 << "";
    QTest::newRow("header cut short") << PuzBuilder(grid).Tail("GEXT\x15").Build() << QList<int>{} << "A" << "" << 0
                                      << "";
}

void TestBinaryPuzzleReader::sectionsAreReadOrIgnored()
{
    QFETCH(QByteArray, file);
    QFETCH(QList<int>, circled);
    QFETCH(QString, rebusAnswer);
    QFETCH(QString, rebusEntry);
    QFETCH(int, seconds);
    QFETCH(QString, notes);
    CPuzzle puzzle;
    QCOMPARE(OpenBytes(puzzle, file), 0);
    for (int i = 0; i < 21; ++i)
        QCOMPARE(puzzle.IsCircled(i), circled.contains(i));
    QCOMPARE(puzzle.GetSolutionText(0), rebusAnswer);
    QCOMPARE(puzzle.GetEntryText(2), rebusEntry);
    QCOMPARE(puzzle.GetCell(2).entry, rebusEntry.isEmpty() ? ' ' : 'C');
    QCOMPARE(puzzle.GetFilledCount(), rebusEntry.isEmpty() ? 0 : 1);
    QCOMPARE(puzzle.GetSolvingSeconds(), seconds);
    QCOMPARE(puzzle.GetNotes(), notes);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestBinaryPuzzleReader)
#include "tst_binary_puzzle_reader.moc"
