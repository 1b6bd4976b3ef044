#include "core/markup_text.h"
#include "core/puzzle.h"
#include "core/puzzle_store.h"

#include "fixture_files.h"
#include "ipuz_builder.h"
#include "recording_prompt.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QList<QByteArray> kSmall = {"CAT", "A.O", "BOX"};
// A barred 3 x 3 grid without blocks: the bar right of the top middle square
// and below the middle square split the words.
const QList<QByteArray> kBarred = {"ABC", "DEF", "GHI"};

QByteArray BarredFile()
{
    return IpuzBuilder(kBarred)
        .Member("puzzle", "[[1, {\"cell\": 2, \"style\": {\"barred\": \"R\"}}, 3], [4, {\"cell\": 0, \"style\": "
                          "\"b\"}, 0], [5, 0, 0]]")
        .Member("styles", "{\"b\": {\"barred\": \"B\", \"color\": \"#A0C0FF\"}}")
        .Member("clues", "{\"Across\": [[1, \"AB\"], [4, \"DEF\"], [5, \"GHI\"]], \"Down\": [[1, \"ADG\"], [2, "
                         "\"BE\"], [3, \"CFI\"]]}")
        .Build();
}

} // namespace

class TestIpuzReader : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { puzzle_.Close(); }
    void readsTheFormsFilesTake_data();
    void readsTheFormsFilesTake();
    void refusesWithItsReason_data();
    void refusesWithItsReason();
    void barsEndWords();
    void squaresBeyondLetters();
    void progressIsSplicedIn_data();
    void progressIsSplicedIn();
    void untouchedFileIsNotWritten();
    void pencilMarksComeBack();
    void wordOfNamedSquaresIsFilledWhole();
    void shownAnswerIsTheCheckedOne();
    void markupBecomesText_data();
    void markupBecomesText();
    void labelsKeepTheirText_data();
    void labelsKeepTheirText();

private:
    QString Write(const QByteArray& text);

    QTemporaryDir dir_;
    CPuzzle puzzle_;
};

void TestIpuzReader::init()
{
    QVERIFY(dir_.isValid());
}

QString TestIpuzReader::Write(const QByteArray& text)
{
    const QString path = dir_.filePath("p.ipuz");
    FixtureFiles::Write(path, text);
    return path;
}

void TestIpuzReader::readsTheFormsFilesTake_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("firstAcross");
    QTest::addColumn<QString>("firstDown");
    QTest::addColumn<int>("downStart");
    QTest::addColumn<bool>("hasSolution");

    QTest::newRow("numbered pairs") << IpuzBuilder(kSmall).Build() << "1. Clue 1a" << "1. Clue 1d" << 0 << true;
    QTest::newRow("JSONP with a byte-order mark")
        << "\xEF\xBB\xBF" + IpuzBuilder(kSmall).Wrapped().Build() << "1. Clue 1a" << "1. Clue 1d" << 0 << true;
    QTest::newRow("trailing commas")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [[1, \"x\"], [4, \"y\"],], \"Down\": [[2, \"z\"],],}").Build()
        << "1. x" << "2. z" << 2 << true;
    QTest::newRow("numbers as text, clue objects, shown enumerations")
        << IpuzBuilder(kSmall)
               .Member("puzzle", "[[\"1\", \"0\", \"2\"], [\"0\", \"#\", \"0\"], [\"3\", \"0\", \"0\"]]")
               .Member("showenumerations", "true")
               .Member("clues", "{\"Across:Horizontal\": [{\"number\": \"3\", \"clue\": \"<b>Box</b> &amp; co\", "
                                "\"enumeration\": \"3\"}], \"Down\": [{\"number\": [2, 3], \"clue\": \"Tao\"}]}")
               .Build()
        << "3. Box & co (3)" << "2. Tao" << 2 << true;
    QTest::newRow("clues without numbers take the words in order")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [\"One\", \"Two\"], \"Down\": [\"Three\", \"Four\"]}").Build()
        << "1. One" << "1. Three" << 0 << true;
    QTest::newRow("no numbers in the grid")
        << IpuzBuilder(kSmall).Member("puzzle", "[[0, 0, 0], [0, \"#\", 0], [0, 0, 0]]").Build() << "1. Clue 1a"
        << "1. Clue 1d" << 0 << true;
    QTest::newRow("clue that names its cells")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [[1, \"a\"]], \"Down\": [{\"number\": 9, \"clue\": "
                                               "\"c\", \"cells\": [[3, 1], [3, 2], [3, 3]]}]}").Build()
        << "1. a" << "9. c" << 2 << true;
    QTest::newRow("cells counted from 0, as some tools write them")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [[1, \"a\"]], \"Down\": [{\"number\": 9, \"clue\": "
                                               "\"c\", \"cells\": [[2, 0], [2, 1], [2, 2]]}]}").Build()
        << "1. a" << "9. c" << 2 << true;
    QTest::newRow("a clue that runs on in other words")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [[1, \"a\"]], \"Down\": [[\"2/3\", \"d\"]]}").Build()
        << "1. a" << "2. d" << 2 << true;
    QTest::newRow("custom block and empty") << IpuzBuilder(kSmall).Member("block", "\"*\"").Member("empty", "\"-\"")
        .Member("puzzle", "[[1, \"-\", 2], [\"-\", \"*\", \"-\"], [3, \"-\", \"-\"]]")
        .Member("solution", "[[\"C\", \"A\", \"T\"], [\"A\", \"*\", \"O\"], [\"B\", \"O\", \"X\"]]").Build()
        << "1. Clue 1a" << "1. Clue 1d" << 0 << true;
    QTest::newRow("without a solution") << IpuzBuilder(kSmall).Without("solution").Build() << "1. Clue 1a"
                                        << "1. Clue 1d" << 0 << false;
    QTest::newRow("a solution with holes")
        << IpuzBuilder(kSmall).Member("solution", "[[\"C\", null, \"T\"], [\"A\", \"#\", \"O\"], [\"B\", \"O\", \"\"]]").Build()
        << "1. Clue 1a" << "1. Clue 1d" << 0 << false;
    QTest::newRow("a solution of another size")
        << IpuzBuilder(kSmall).Member("solution", "[[\"C\", \"A\", \"T\"]]").Build() << "1. Clue 1a" << "1. Clue 1d"
        << 0 << false;
    QTest::newRow("a clue number nowhere in the grid")
        << IpuzBuilder(kSmall).Member("clues", "{\"Across\": [[7, \"nowhere\"]], \"Down\": [[2, \"d\"]]}").Build()
        << "7. nowhere" << "2. d" << 2 << true;
}

void TestIpuzReader::readsTheFormsFilesTake()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, firstAcross);
    QFETCH(QString, firstDown);
    QFETCH(int, downStart);
    QFETCH(bool, hasSolution);

    QCOMPARE(puzzle_.Open(Write(text)), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetFormat(), int(CPuzzle::FormatIpuz));
    QCOMPARE(puzzle_.GetLetterCount(), 8);
    QCOMPARE(puzzle_.FormatClue(0, nullptr, nullptr), firstAcross);
    const int down = puzzle_.GetAcrossCount();
    QCOMPARE(puzzle_.FormatClue(down, nullptr, nullptr), firstDown);
    QCOMPARE(puzzle_.FindWordStart(down, nullptr), downStart);
    QCOMPARE(puzzle_.HasSolution(), hasSolution);
    QCOMPARE(puzzle_.GetSolutionText(3), QString(hasSolution ? "A" : "?"));
    QString title, author, copyright;
    puzzle_.GetInfoText(title, author, copyright);
    QCOMPARE(title, QString("Test puzzle"));
}

void TestIpuzReader::refusesWithItsReason_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");

    QTest::newRow("word search") << IpuzBuilder(kSmall).Member("kind", "[\"http://ipuz.org/wordsearch#1\"]").Build()
                                 << "a word search (http://ipuz.org/wordsearch#1)";
    QTest::newRow("too wide") << IpuzBuilder(kSmall).Member("dimensions", "{\"width\": 256, \"height\": 3}").Build()
                              << "256 × 3 squares";
    QTest::newRow("rows shorter than the width")
        << IpuzBuilder(kSmall).Member("puzzle", "[[1, 0, 2], [0, \"#\"], [3, 0, 0]]").Build() << "fewer squares";
    QTest::newRow("broken JSON") << IpuzBuilder(kSmall).Build().replace("\"Down\"", "Down") << "no valid ipuz";
}

void TestIpuzReader::refusesWithItsReason()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);

    const QString path = Write(text);
    RecordingPrompt prompt;
    CPuzzleStore store(puzzle_);
    QVERIFY(!store.OpenPuzzleFile(path, true));
    QCOMPARE(prompt.captions, QStringList{"Invalid Puzzle"});
    QVERIFY2(prompt.texts.value(0).contains(reason), qPrintable(prompt.texts.value(0)));
    QCOMPARE(FixtureFiles::Read(path), text);
}

void TestIpuzReader::barsEndWords()
{
    QCOMPARE(puzzle_.Open(Write(BarredFile())), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetCell(1).acrossClue, 0);
    QCOMPARE(puzzle_.GetCell(2).acrossClue, -1);
    QCOMPARE(puzzle_.FindWordEnd(0), 1);
    QCOMPARE(puzzle_.FindWordEnd(4), 4);
    QCOMPARE(puzzle_.GetCell(7).downClue, -1);
    int next = -1;
    puzzle_.SetCurrentCell(1);
    puzzle_.SetAcross(true);
    QVERIFY(!puzzle_.FindNeighbour(CPuzzle::MoveNext, &next));
    QVERIFY(puzzle_.FindNeighbour(CPuzzle::MoveRight, &next));
    QCOMPARE(next, 2);
    puzzle_.SetCurrentCell(2);
    QVERIFY(!puzzle_.FindNeighbour(CPuzzle::MovePrevious, &next));
    puzzle_.SetCurrentCell(0);
    puzzle_.SetCurrentEntry('A');
    puzzle_.SetCurrentCell(1);
    puzzle_.SetCurrentEntry('B');
    QVERIFY(puzzle_.IsClueFilled(0));
    QCOMPARE(puzzle_.GetCellStyle(4).shade, 0xFFA0C0FFu);
    QCOMPARE(puzzle_.IsBarBetween(4, 7), true);
    QCOMPARE(puzzle_.IsBarBetween(7, 4), true);
}

void TestIpuzReader::squaresBeyondLetters()
{
    const QByteArray text = IpuzBuilder({"CA_", "A.O", "BOX"})
                                .Square(0, "{\"cell\": \"A\", \"value\": \"C\", \"style\": {\"shapebg\": \"circle\"}}")
                                .Build();
    QCOMPARE(puzzle_.Open(Write(text)), int(CPuzzle::Success));
    QVERIFY(puzzle_.GetCellStyle(2).IsVoid());
    QCOMPARE(puzzle_.GetCell(2).solution, ' ');
    QVERIFY(!puzzle_.GetCellStyle(4).IsVoid());
    QVERIFY(puzzle_.IsGiven(0));
    QVERIFY(puzzle_.IsCircled(0));
    QCOMPARE(puzzle_.GetFileLabel(0), QString("A"));
    QCOMPARE(puzzle_.GetFileLabel(1), QString());
    QCOMPARE(puzzle_.GetCellLabel(0), QString("A"));
    puzzle_.SetCurrentCell(0);
    puzzle_.SetCurrentEntry('Z');
    QCOMPARE(puzzle_.GetEntryText(0), QString("C"));
    QCOMPARE(puzzle_.GetFilledCount(), 1);
}

void TestIpuzReader::progressIsSplicedIn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("savedBefore");

    const QByteArray saved = "[[\"C\", \"\", \"T\"], [\"\", \"#\", \"\"], [\"\", \"\", \"\"]]";
    QTest::newRow("no saved member") << IpuzBuilder(kSmall).Build() << QByteArray();
    QTest::newRow("saved member and trailing comma")
        << IpuzBuilder(kSmall).Member("saved", saved).Build().replace("\n}", ",\n}") << saved;
    QTest::newRow("JSONP") << IpuzBuilder(kSmall).Member("saved", saved).Wrapped().Build() << saved;
    // The saved letters the program replaces held the only mention of the
    // format: the file must still open as ipuz.
    const QByteArray namingSaved = "[[\"C\", \"\", \"T\"], [\"\", \"#\", \"\"], [\"\", \"\", \"ipuz.org\"]]";
    QTest::newRow("format named in saved only")
        << IpuzBuilder(kSmall).Without("version").Without("kind").Member("saved", namingSaved).Build() << namingSaved;
}

// The letters, a rebus entry and the time come back after closing, and every
// byte outside the two members the program writes is kept.
void TestIpuzReader::progressIsSplicedIn()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, savedBefore);

    const QString path = Write(text);
    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetEntryText(0), QString(savedBefore.isEmpty() ? "" : "C"));
    puzzle_.SetCurrentCell(3);
    puzzle_.SetCurrentEntry('a');
    puzzle_.SetCurrentCell(8);
    puzzle_.SetCurrentEntryText("xy");
    puzzle_.SetSolvingSeconds(75);
    puzzle_.Close();

    const QByteArray written = FixtureFiles::Read(path);
    QVERIFY(written.contains("\"saved\": [\n  [\""));
    QVERIFY(written.contains("\"http://gridmoor.org/ipuz/progress\": {\"seconds\": 75}"));
    QByteArray kept = written;
    const qsizetype savedAt = kept.indexOf("\"saved\": [");
    kept.remove(savedAt, kept.indexOf("\n]", savedAt) + 2 - savedAt);
    kept.remove(kept.indexOf("\"http://gridmoor.org"), QByteArray("\"http://gridmoor.org/ipuz/progress\": {\"seconds\": 75}").size());
    QByteArray original = text;
    if (!savedBefore.isEmpty())
        original.replace("\"saved\": " + savedBefore, "");
    QCOMPARE(kept.simplified().replace(" ", "").replace(",,", ",").replace(",}", "}"),
             original.simplified().replace(" ", "").replace(",,", ",").replace(",}", "}"));

    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetEntryText(3), QString("A"));
    QCOMPARE(puzzle_.GetEntryText(8), QString("XY"));
    QCOMPARE(puzzle_.GetEntryText(0), QString(savedBefore.isEmpty() ? "" : "C"));
    QCOMPARE(puzzle_.GetSolvingSeconds(), 75);
}

void TestIpuzReader::untouchedFileIsNotWritten()
{
    const QByteArray text = IpuzBuilder(kSmall).Build();
    const QString path = Write(text);
    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    puzzle_.SetCurrentCell(0);
    puzzle_.SetCurrentEntry(' ');
    puzzle_.SaveProgress();
    puzzle_.Close();
    QCOMPARE(FixtureFiles::Read(path), text);
}

// Pencil marks go into the program's progress member as [row, column] pairs,
// and leave it when the letter is written in pen.
void TestIpuzReader::pencilMarksComeBack()
{
    const QString path = Write(IpuzBuilder(kSmall).Build());
    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    puzzle_.SetCurrentCell(3);
    puzzle_.SetCurrentEntry('a', true);
    puzzle_.Close();
    QVERIFY(FixtureFiles::Read(path).contains("{\"seconds\": 0, \"pencil\": [[1, 0]]}"));

    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    QVERIFY(puzzle_.IsPencil(3) && !puzzle_.IsPencil(0));
    puzzle_.SetCurrentCell(3);
    puzzle_.SetCurrentEntry('a');
    puzzle_.Close();
    QVERIFY(!FixtureFiles::Read(path).contains("pencil"));
}

// A word need not be one straight run: it is filled once every square its
// clue names is.
void TestIpuzReader::wordOfNamedSquaresIsFilledWhole()
{
    const QByteArray clues = "{\"Across\": [{\"number\": 1, \"clue\": \"a\", \"cells\": [[1, 1], [3, 1]]}]}";
    QCOMPARE(puzzle_.Open(Write(IpuzBuilder(kSmall).Member("clues", clues).Build())), int(CPuzzle::Success));
    puzzle_.SetCurrentCell(0);
    puzzle_.SetCurrentEntry('C');
    QVERIFY(!puzzle_.IsClueFilled(0));
    puzzle_.SetCurrentCell(2);
    puzzle_.SetCurrentEntry('T');
    QVERIFY(puzzle_.IsClueFilled(0));
}

// An answer that begins with a zero-width no-break space (the character of a
// byte-order mark) is shown with it, as it is checked: the letter alone is
// neither shown as the answer nor counted as right.
void TestIpuzReader::shownAnswerIsTheCheckedOne()
{
    const QByteArray solution = "[[\"C\", \"A\", \"T\"], [\"\\uFEFFA\", \"#\", \"O\"], [\"B\", \"O\", \"X\"]]";
    QCOMPARE(puzzle_.Open(Write(IpuzBuilder(kSmall).Member("solution", solution).Build())), int(CPuzzle::Success));
    puzzle_.SetCurrentCell(3);
    puzzle_.SetCurrentEntry('A');
    QVERIFY(!puzzle_.IsEntryCorrect(3));
    QCOMPARE(puzzle_.GetSolutionText(3), QStringLiteral("\uFEFFA"));
}

void TestIpuzReader::markupBecomesText_data()
{
    QTest::addColumn<QByteArray>("markup");
    QTest::addColumn<bool>("oneLine");
    QTest::addColumn<QByteArray>("text");

    QTest::newRow("tags and entities") << QByteArray("<i>Caf&eacute;</i> &amp; <b>bar</b>") << true
                                       << QByteArray("Caf\xc3\xa9 & bar");
    QTest::newRow("breaks in notes") << QByteArray("one<br/>two<p>three</p>") << false
                                     << QByteArray("one\ntwo\nthree");
    QTest::newRow("breaks on one line") << QByteArray("one<BR>two") << true << QByteArray("one two");
    QTest::newRow("a lone angle and numbers") << QByteArray("a < b &#x41;&#66; &bogus; &") << true
                                              << QByteArray("a < b AB &bogus; &");
}

void TestIpuzReader::markupBecomesText()
{
    QFETCH(QByteArray, markup);
    QFETCH(bool, oneLine);
    QFETCH(QByteArray, text);
    QCOMPARE(MarkupText::Plain(markup, oneLine), text);
}

void TestIpuzReader::labelsKeepTheirText_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("small number") << QByteArray("7") << "7";
    QTest::newRow("largest shared number") << QByteArray("\"999\"") << "999";
    QTest::newRow("past the shared numbers") << QByteArray("1000") << "1000";
    QTest::newRow("leading zero") << QByteArray("\"07\"") << "07";
    QTest::newRow("negative") << QByteArray("-3") << "-3";
    QTest::newRow("label") << QByteArray("\"1a\"") << "1a";
}

// The square's label and a clue's enumeration are the file's text, whether
// the puzzle comes from disk or from memory.
void TestIpuzReader::labelsKeepTheirText()
{
    QFETCH(QByteArray, value);
    QFETCH(QString, text);

    const QByteArray file = IpuzBuilder(kSmall)
                                .Member("puzzle", "[[" + value + ", 0, 2], [0, \"#\", 0], [3, 0, 0]]")
                                .Member("showenumerations", "true")
                                .Member("clues", "{\"Across\": [{\"number\": " + value + ", \"clue\": \"c\", "
                                                 "\"enumeration\": " + value + "}]}")
                                .Build();
    for (const bool fromDisk : {true, false}) {
        QCOMPARE(fromDisk ? puzzle_.Open(Write(file)) : puzzle_.OpenContent(file), int(CPuzzle::Success));
        QCOMPARE(puzzle_.GetFileLabel(0), text);
        QCOMPARE(puzzle_.GetClue(0)->text, "c (" + text.toUtf8() + ")");
        QCOMPARE(puzzle_.GetCell(1).acrossClue, 0);
    }
}

GRIDMOOR_TEST_GUILESS_MAIN(TestIpuzReader)
#include "tst_ipuz_reader.moc"
