#include "core/puzzle.h"
#include "core/puzzle_format.h"
#include "core/puzzle_store.h"

#include "fixture_files.h"
#include "jpz_builder.h"
#include "recording_prompt.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QList<QByteArray> kSmall = {"CAT", "A.O", "BOX"};
using Root = JpzBuilder::Root;

// A 3 x 3 grid without blocks: bars right of the top middle square and below
// the middle square split the words; the corner is void.
QByteArray BarredFile()
{
    return JpzBuilder({"ABC", "DEF", "GH_"})
        .Cell(1, "right-bar=\"true\" background-shape=\"circle\"")
        .Cell(4, "bottom-bar=\"true\" background-color=\"#A0C0FF\"")
        .Cell(6, "hint=\"true\"")
        .Clues("<word id=\"a\" x=\"1-2\" y=\"1\"/><clues><title>Across</title>"
               "<clue word=\"a\" number=\"1\">AB</clue></clues>"
               "<clues><title>Down</title><clue word=\"d\" number=\"2\">BE</clue></clues>"
               "<word id=\"d\"><cells x=\"2\" y=\"1\"/><cells x=\"2\" y=\"2\"/></word>")
        .Build();
}

} // namespace

class TestJpzReader : public QObject {
    Q_OBJECT

private slots:
    void init() { QVERIFY(dir_.isValid()); }
    void cleanup() { puzzle_.Close(); }
    void readsTheFormsFilesTake_data();
    void readsTheFormsFilesTake();
    void refusesWithItsReason_data();
    void refusesWithItsReason();
    void squaresBeyondLetters();
    void progressKeepsTheFileForm_data();
    void progressKeepsTheFileForm();

private:
    QString Write(const QByteArray& bytes)
    {
        const QString path = dir_.filePath("p.jpz");
        FixtureFiles::Write(path, bytes);
        return path;
    }

    QTemporaryDir dir_;
    CPuzzle puzzle_;
};

void TestJpzReader::readsTheFormsFilesTake_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("firstAcross");
    QTest::addColumn<QString>("firstDown");
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("hasSolution");
    QTest::addColumn<int>("acrossAt3");

    const JpzBuilder small(kSmall);
    QTest::newRow("applet, default namespaces") << small.Build() << "1. Clue 1a (3)" << "1. Clue 1d (3)"
                                                << "Test puzzle" << true << -1;
    QTest::newRow("prefixed names") << JpzBuilder(small).WithRoot(Root::Compiler).Build() << "1. Clue 1a (3)"
                                    << "1. Clue 1d (3)" << "Test puzzle" << true << -1;
    QTest::newRow("puzzle alone, zipped") << JpzBuilder::Zipped(JpzBuilder(small).WithRoot(Root::PuzzleOnly).Build())
                                          << "1. Clue 1a (3)" << "1. Clue 1d (3)" << "Test puzzle" << true << -1;
    QTest::newRow("markup and entities")
        << JpzBuilder(small)
               .Metadata("<title><b>Caf&#233;</b> &amp; <![CDATA[bar]]></title><creator>Tester</creator>")
               .Clues("<clues><title>Across</title><clue word=\"1\" number=\"1\"><i>Fish</i> &amp;\n  chips"
                      "</clue></clues><clues><title>Down</title><clue word=\"2\" number=\"1\">"
                      "&lt;b&gt;Big&lt;/b&gt; &amp;eacute;</clue></clues>")
               .Build()
        << "1. Fish & chips" << "1. Big \u00e9" << "Caf\u00e9 & bar" << true << -1;
    QTest::newRow("lists titled otherwise, bound by their words")
        << JpzBuilder(small)
               .Clues("<clues><title>Horizontal</title><clue word=\"2\" number=\"9\">h</clue></clues>"
                      "<clues><title>Vertical</title><clue word=\"1\" number=\"8\">v</clue></clues>")
               .Build()
        << "9. h" << "8. v" << "Test puzzle" << true << 0;
    QTest::newRow("no solution") << JpzBuilder(small).Build().replace(" solution=\"O\"", "") << "1. Clue 1a (3)"
                                 << "1. Clue 1d (3)" << "Test puzzle" << false << -1;
}

void TestJpzReader::readsTheFormsFilesTake()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, firstAcross);
    QFETCH(QString, firstDown);
    QFETCH(QString, title);
    QFETCH(bool, hasSolution);
    QFETCH(int, acrossAt3);

    QCOMPARE(DetectPuzzleFormat(bytes), PuzzleFormat::Jpz);
    QCOMPARE(puzzle_.Open(Write(bytes)), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetFormat(), int(CPuzzle::FormatJpz));
    QCOMPARE(puzzle_.GetLetterCount(), 8);
    QCOMPARE(puzzle_.FormatClue(0, nullptr, nullptr), firstAcross);
    const int down = puzzle_.GetAcrossCount();
    QCOMPARE(puzzle_.FormatClue(down, nullptr, nullptr), firstDown);
    QCOMPARE(puzzle_.GetCell(3).acrossClue, acrossAt3);
    QCOMPARE(puzzle_.HasSolution(), hasSolution);
    QCOMPARE(puzzle_.GetSolutionText(3), QString(hasSolution ? "A" : "?"));
    QCOMPARE(puzzle_.GetFileLabel(2), QString("2"));
    QString shownTitle, author, copyright;
    puzzle_.GetInfoText(shownTitle, author, copyright);
    QCOMPARE(shownTitle, title);
    QCOMPARE(author, QString("Tester"));
}

void TestJpzReader::refusesWithItsReason_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("reason");

    const QString invalid = "Invalid Puzzle";
    QTest::newRow("acrostic") << JpzBuilder(kSmall).Kind("acrostic").Build() << invalid
                              << "an acrostic (\"acrostic\")";
    QTest::newRow("clue squares") << JpzBuilder(kSmall).Build().replace("type=\"block\"", "type=\"clue\"")
                                  << invalid << "clues inside grid squares";
    QTest::newRow("too wide") << JpzBuilder(kSmall).Build().replace("width=\"3\"", "width=\"300\"") << invalid
                              << "300 × 3 squares";
    QTest::newRow("broken XML") << JpzBuilder(kSmall).Build().replace("</grid>", "") << invalid
                                << "no well-formed jpz";
    QTest::newRow("zip bomb") << JpzBuilder::Zipped(JpzBuilder(kSmall).Build() + QByteArray(9 << 20, ' '))
                              << "Gridmoor" << "more than 8 MiB";
    QTest::newRow("zip of another puzzle") << JpzBuilder::Zipped("<crossword/>") << invalid << "corrupted";
}

// One message with the reason; the file is left as it was.
void TestJpzReader::refusesWithItsReason()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, caption);
    QFETCH(QString, reason);

    const QString path = Write(bytes);
    RecordingPrompt prompt;
    CPuzzleStore store(puzzle_);
    QVERIFY(!store.OpenPuzzleFile(path, true));
    QCOMPARE(prompt.captions, QStringList{caption});
    QVERIFY2(prompt.texts.value(0).contains(reason), qPrintable(prompt.texts.value(0)));
    QCOMPARE(FixtureFiles::Read(path), bytes);
}

void TestJpzReader::squaresBeyondLetters()
{
    QCOMPARE(puzzle_.Open(Write(BarredFile())), int(CPuzzle::Success));
    QVERIFY(puzzle_.GetCellStyle(8).IsVoid());
    QCOMPARE(puzzle_.GetCell(8).solution, ' ');
    QVERIFY(puzzle_.IsCircled(1));
    QCOMPARE(puzzle_.GetCellStyle(4).shade, 0xFFA0C0FFu);
    QVERIFY(puzzle_.IsBarBetween(2, 1));
    QVERIFY(puzzle_.IsBarBetween(7, 4));
    QCOMPARE(puzzle_.FindWordEnd(0), 1);
    QCOMPARE(puzzle_.GetCell(4).downClue, 1);
    QCOMPARE(puzzle_.GetCell(7).downClue, -1);
    QVERIFY(puzzle_.IsGiven(6));
    puzzle_.SetCurrentCell(6);
    puzzle_.SetCurrentEntry('Z');
    QCOMPARE(puzzle_.GetEntryText(6), QString("G"));
}

void TestJpzReader::progressKeepsTheFileForm_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("timerBefore");

    const QByteArray timer = "<timer initial-value=\"0\" start-on-load=\"true\"/>";
    const JpzBuilder small = JpzBuilder(kSmall).Cell(0, "solve-state=\"C\" solve-status=\"pencil\"");
    QTest::newRow("plain") << small.Build() << timer;
    QTest::newRow("zipped") << JpzBuilder::Zipped(small.Build(), "inner.xml") << timer;
    QTest::newRow("empty settings") << JpzBuilder(small).Settings("<applet-settings a=\"/>\"/>").WithRoot(Root::Compiler).Build()
                                    << QByteArray();
    QTest::newRow("no settings") << JpzBuilder(small).WithRoot(Root::PuzzleOnly).Build() << QByteArray();
}

// Letters, a rebus, pencil marks and the time come back in the same form of
// file; only the progress attributes change, and an untouched puzzle is not
// written at all.
void TestJpzReader::progressKeepsTheFileForm()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, timerBefore);

    const QString path = Write(bytes);
    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetEntryText(0), QString("C"));
    QVERIFY(puzzle_.IsPencil(0));
    puzzle_.SaveProgress();
    puzzle_.Close();
    QCOMPARE(FixtureFiles::Read(path), bytes);

    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    puzzle_.SetCurrentCell(0);
    puzzle_.SetCurrentEntry('C');
    puzzle_.SetCurrentCell(3);
    puzzle_.SetCurrentEntry('a', true);
    puzzle_.SetCurrentCell(8);
    puzzle_.SetCurrentEntryText("x&y");
    puzzle_.SetSolvingSeconds(75);
    puzzle_.Close();

    const QByteArray written = FixtureFiles::Read(path);
    QByteArray name;
    const bool zipped = bytes.startsWith("PK");
    QCOMPARE(written.startsWith("PK"), zipped);
    QByteArray text = zipped ? JpzBuilder::Unzipped(written, &name) : written;
    QCOMPARE(name, QByteArray(zipped ? "inner.xml" : ""));
    QByteArray original = zipped ? JpzBuilder::Unzipped(bytes) : bytes;
    QVERIFY(text.contains("initial-value=\"75\""));
    // Taking the progress out again gives the original text.
    text.replace("<cell solve-state=\"A\" solve-status=\"pencil\" ", "<cell ")
        .replace("<cell solve-state=\"X&amp;Y\" ", "<cell ")
        .replace("solve-state=\"C\"></cell>", "solve-state=\"C\" solve-status=\"pencil\"></cell>");
    if (timerBefore.isEmpty())
        text.replace("<timer initial-value=\"75\"/>", "").replace("<applet-settings></applet-settings>", "");
    else
        text.replace("initial-value=\"75\"", "initial-value=\"0\"");
    QCOMPARE(text, timerBefore.isEmpty() ? original.replace("a=\"/>\"/>", "a=\"/>\"></applet-settings>") : original);

    QCOMPARE(puzzle_.Open(path), int(CPuzzle::Success));
    QCOMPARE(puzzle_.GetEntryText(0), QString("C"));
    QVERIFY(!puzzle_.IsPencil(0));
    QCOMPARE(puzzle_.GetEntryText(3), QString("A"));
    QVERIFY(puzzle_.IsPencil(3));
    QCOMPARE(puzzle_.GetEntryText(8), QString("X&Y"));
    QCOMPARE(puzzle_.GetSolvingSeconds(), 75);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestJpzReader)
#include "tst_jpz_reader.moc"
