#include "core/puzzle.h"
#include "core/puzzle_document_reader.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "grid_words.h"
#include "recording_prompt.h"
#include "test_grids.h"
#include "write_protection.h"
#include "test_main.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Random bytes, which zlib cannot make smaller, that never end a comment.
QByteArray Incompressible(qsizetype length)
{
    QRandomGenerator random(12345);
    QByteArray bytes;
    while (bytes.size() < length) {
        const char c = char(random.bounded(1, 256));
        if (!(c == '>' && bytes.endsWith("--")))
            bytes.append(c);
    }
    return bytes;
}

QByteArray Entries(const CPuzzle& puzzle)
{
    QByteArray entries;
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i)
        entries += puzzle.GetCell(i).entry;
    return entries;
}

} // namespace

class TestPuzzleDocument : public QObject {
    Q_OBJECT

private slots:
    void init();
    void readsGridAndClues();
    void decodesPercent_data();
    void decodesPercent();
    void widthIsTakenModulo256();
    void readsStoredEntries();
    void refusesInvalidDocuments_data();
    void refusesInvalidDocuments();
    void insertsProgressElementAndRepacks();
    void writeProtectedDocumentIsNotChanged();
    void unpackableDocumentIsStoredPlain();
    void clueWithoutStartBindsNoCells();
    void grownDocumentStaysReadable_data();
    void grownDocumentStaysReadable();
    void insertsBeforeEndTagInAnyCase_data();
    void insertsBeforeEndTagInAnyCase();

private:
    QString Write(const QByteArray& bytes);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPuzzleDocument::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestPuzzleDocument::Write(const QByteArray& bytes)
{
    const QString path = dir_->filePath("doc.gmd");
    return FixtureFiles::Write(path, bytes) ? path : QString();
}

void TestPuzzleDocument::readsGridAndClues()
{
    const QList<QByteArray> rows = TestGrids::Wide21x15();
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(DocumentBuilder(rows).Title("Gr\xfcn").Build())), 0);
    QCOMPARE(puzzle.GetFormat(), int(CPuzzle::FormatDocument));
    QCOMPARE(int(puzzle.GetWidth()), 21);
    QCOMPARE(int(puzzle.GetHeight()), 15);
    QByteArray title, author, copyright;
    puzzle.GetInfo(title, author, copyright);
    QCOMPARE(puzzle.WidenText(title), QString("Gr\u00fcn"));
    QCOMPARE(author, QByteArray("Test Author"));
    QVERIFY(copyright.isNull());

    // Across clues come first, then the down clues, each in grid order.
    QList<GridWord> words;
    for (const bool across : {true, false}) {
        for (const GridWord& word : FindGridWords(rows, '.')) {
            if (word.across == across)
                words.append(word);
        }
    }
    QCOMPARE(int(puzzle.GetClueCount()), int(words.size()));
    int acrossCount = 0;
    for (int k = 0; k < words.size(); ++k) {
        const GridWord& word = words[k];
        acrossCount += word.across ? 1 : 0;
        const PuzzleClue* clue = puzzle.GetClue(k);
        QCOMPARE(clue->number, word.number);
        QCOMPARE(bool(clue->isAcross), word.across);
        QCOMPARE(clue->text, QByteArray::number(word.number) + (word.across ? " Across" : " Down"));
        for (int i = 0; i < word.length; ++i) {
            const PuzzleCell& cell = puzzle.GetCell(word.start + (word.across ? i : i * 21));
            QCOMPARE(word.across ? cell.acrossClue : cell.downClue, k);
        }
    }
    QCOMPARE(int(puzzle.GetAcrossCount()), acrossCount);
    QCOMPARE(puzzle.GetLetterCount(), int(21 * 15 - TestGrids::Joined(rows).count('.')));
}

void TestPuzzleDocument::decodesPercent_data()
{
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<QByteArray>("decoded");
    QTest::newRow("comma, space, quote") << QByteArray("a%2Cb%20c%22d") << QByteArray("a,b c\"d");
    QTest::newRow("lower-case pair") << QByteArray("x%2cy") << QByteArray("x,y");
    QTest::newRow("other pair is a space") << QByteArray("%41B") << QByteArray(" B");
    QTest::newRow("cut short") << QByteArray("ab%2") << QByteArray("ab%2");
    QTest::newRow("lone percent") << QByteArray("100%") << QByteArray("100%");
    QTest::newRow("percent after percent") << QByteArray("5%%20") << QByteArray("5 0");
}

void TestPuzzleDocument::decodesPercent()
{
    QFETCH(QByteArray, encoded);
    QFETCH(QByteArray, decoded);
    QCOMPARE(CPuzzleDocumentReader::DecodePercent(encoded), decoded);

    CPuzzle puzzle;
    const QByteArray document = DocumentBuilder(TestGrids::Small())
                                    .ClueAttributes("a1", "n=\"1\" c=\"" + encoded + "\" cn=\"1\"")
                                    .Build();
    QCOMPARE(puzzle.Open(Write(document)), 0);
    QCOMPARE(puzzle.GetClue(0)->text, decoded);
}

void TestPuzzleDocument::widthIsTakenModulo256()
{
    const QList<QByteArray> rows = FillLetters(QList<QByteArray>(2, QByteArray(15, 'x')));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(DocumentBuilder(rows).Line("Width", "<Width v=\"271\" />\n").Build())), 0);
    QCOMPARE(int(puzzle.GetWidth()), 15);
}

void TestPuzzleDocument::readsStoredEntries()
{
    // "ABC.DEF" / "G.HIJ.K" / "LMN.OPQ": the letter at black square 3 is ignored.
    QByteArray decision(21, ' ');
    decision[0] = 'a';
    decision[1] = 'b';
    decision[3] = 'Z';
    decision[7] = 'x';
    decision[13] = 'q';
    QByteArray expected(21, ' ');
    expected[0] = 'A';
    expected[1] = 'B';
    expected[7] = 'X';
    expected[13] = 'Q';
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(DocumentBuilder(TestGrids::Small()).Decision(decision).Build())), 0);
    QCOMPARE(Entries(puzzle), expected);
    QCOMPARE(puzzle.GetFilledCount(), 4);
}

void TestPuzzleDocument::refusesInvalidDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    const QList<QByteArray> rows = TestGrids::Small();
    auto with = [&](const QByteArray& element, const QByteArray& line) {
        return DocumentBuilder(rows).Line(element, line).Build();
    };
    const QByteArray answer = TestGrids::Joined(rows).replace('.', '-');

    QTest::newRow("no title") << with("Title", "");
    QTest::newRow("title without attribute") << with("Title", "<Title/>\n");
    QTest::newRow("author without attribute") << with("Author", "<Author></Author>\n");
    QTest::newRow("no height") << with("Height", "");
    QTest::newRow("width without attribute") << with("Width", "<Width/>\n");
    QTest::newRow("width 0") << with("Width", "<Width v=\"0\" />\n");
    QTest::newRow("width 256") << with("Width", "<Width v=\"256\" />\n");
    QTest::newRow("answer one short") << with("AllAnswer", "<AllAnswer v=\"" + answer.chopped(1) + "\" />\n");
    QTest::newRow("answer without attribute") << with("AllAnswer", "<AllAnswer/>\n");
    QTest::newRow("decision without attribute") << with("AllDecision", "<AllDecision/>\n");
    QTest::newRow("decision one short") << DocumentBuilder(rows).Decision(QByteArray(20, ' ')).Build();
    QTest::newRow("decision one long") << DocumentBuilder(rows).Decision(QByteArray(22, ' ')).Build();
    QTest::newRow("decision in single quotes") << with("AllDecision", "<AllDecision v='" + QByteArray(21, ' ') + "' />\n");
    QTest::newRow("value of 500 characters") << DocumentBuilder(rows).Title(QByteArray(500, 't')).Build();
    QTest::newRow("word start outside the grid")
        << DocumentBuilder(rows).ClueAttributes("a1", "c=\"x\" n=\"22\" cn=\"1\"").Build();
    QTest::newRow("root with attributes")
        << DocumentBuilder(rows).Build().replace("<crossword>", "<crossword id=\"1\">");
    QTest::newRow("declaration with attributes")
        << "<?xml version=\"1.0\"?>\n" + DocumentBuilder(rows).Build();
    QTest::newRow("does not parse") << DocumentBuilder(rows).Build().replace("<across>", "<><across>");
    QTest::newRow("end tag not closing crossword")
        << DocumentBuilder(rows).Build().replace("</crossword>", "</crosswords>");
    QTest::newRow("progress would land in an open element with attributes")
        << DocumentBuilder(rows).Trailer("<note kind=\"x\">\n").Build();
    QTest::newRow("progress would become a clue of an open list")
        << DocumentBuilder(rows).Build().replace("</down>", "");
}

void TestPuzzleDocument::refusesInvalidDocuments()
{
    QFETCH(QByteArray, document);
    CPuzzle puzzle;
    const QString path = Write(document);
    QCOMPARE(puzzle.Open(path), 1);
    QVERIFY(!puzzle.IsLoaded());
    QCOMPARE(FixtureFiles::Read(path), document);
}

void TestPuzzleDocument::insertsProgressElementAndRepacks()
{
    const QByteArray text = DocumentBuilder(TestGrids::Small()).Build();
    const QString path = Write(DocumentBuilder::Pack(text));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(Entries(puzzle), QByteArray(21, ' '));
    puzzle.SetCurrentCell(0);
    puzzle.SetCurrentEntry('A');
    puzzle.SetCurrentCell(20);
    puzzle.SetCurrentEntry('Z');
    puzzle.Close();

    const QByteArray stored = FixtureFiles::Read(path);
    QVERIFY(stored.startsWith("kavlith01"));
    QByteArray expected = text;
    QByteArray element = DocumentBuilder::ProgressElement(21);
    element[16] = 'A';
    element[16 + 20] = 'Z';
    expected.insert(expected.lastIndexOf("</crossword>"), element);
    QCOMPARE(DocumentBuilder::Unpack(stored), expected);

    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetCell(0).entry, 'A');
    QCOMPARE(puzzle.GetCell(20).entry, 'Z');
    QCOMPARE(puzzle.GetFilledCount(), 2);
}

void TestPuzzleDocument::writeProtectedDocumentIsNotChanged()
{
    const QByteArray packed = DocumentBuilder::Pack(DocumentBuilder(TestGrids::Small()).Build());
    const QString path = Write(packed);
    {
        WriteProtection protection(path);
        if (!protection.IsActive())
            QSKIP("this process can write to any file");
        CPuzzle puzzle;
        QCOMPARE(puzzle.Open(path), 0);
        QVERIFY(puzzle.IsReadOnly());
        QCOMPARE(Entries(puzzle), QByteArray(21, ' '));
        puzzle.SetCurrentEntry('A');
        puzzle.Close();
    }
    QCOMPARE(FixtureFiles::Read(path), packed);
}

void TestPuzzleDocument::unpackableDocumentIsStoredPlain()
{
    // A document of exactly 32768 bytes that zlib cannot shrink: it unpacks in
    // the last try, but with the progress element added its packed form no
    // longer fits in 32768 bytes.
    DocumentBuilder builder({"AB"});
    const qsizetype fillerLength = 32768 - builder.Build().size() - 8;
    builder.Trailer("<!--" + Incompressible(fillerLength) + "-->\n");
    const QByteArray text = builder.Build();
    QCOMPARE(text.size(), 32768);
    QVERIFY(DocumentBuilder::Pack(text + DocumentBuilder::ProgressElement(2)).size() > 9 + 32768);
    const QString path = Write(DocumentBuilder::Pack(text));

    RecordingPrompt prompt;
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    puzzle.SetCurrentEntry('A');
    puzzle.Close();
    QCOMPARE(prompt.texts, QStringList {"Error while compressing the puzzle. Please report technical support"});
    QCOMPARE(prompt.captions, QStringList {"Compression error"});

    const QByteArray stored = FixtureFiles::Read(path);
    QVERIFY(stored.startsWith("<crossword>"));
    QCOMPARE(stored.size(), 32768 + 2 + 21);
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetCell(0).entry, 'A');
}

void TestPuzzleDocument::clueWithoutStartBindsNoCells()
{
    const QByteArray document =
        DocumentBuilder(TestGrids::Small()).ClueAttributes("a1", "c=\"first\" cn=\"1\" extra=\"7\"").Build();
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(document)), 0);
    QCOMPARE(puzzle.GetClue(0)->text, QByteArray("first"));
    QCOMPARE(puzzle.GetCell(0).acrossClue, -1);
    quint8 isAcross = 0;
    QCOMPARE(puzzle.FindWordStart(0, &isAcross), -1);
    QVERIFY(!puzzle.IsClueFilled(0));
}

void TestPuzzleDocument::grownDocumentStaysReadable_data()
{
    QTest::addColumn<qsizetype>("grownSize");
    QTest::addColumn<bool>("packed");
    QTest::newRow("grows to 32768 bytes") << qsizetype(32768) << true;
    QTest::newRow("grows to 32769 bytes") << qsizetype(32769) << false;
    QTest::newRow("grows far past") << qsizetype(32768 + 20) << false;
}

// A packed document that the progress element makes larger than the reader
// can unpack is stored plain, so it opens again with its entries.
void TestPuzzleDocument::grownDocumentStaysReadable()
{
    QFETCH(qsizetype, grownSize);
    QFETCH(bool, packed);
    DocumentBuilder builder(TestGrids::Small());
    const qsizetype growth = DocumentBuilder::ProgressElement(21).size();
    const qsizetype fillerLength = grownSize - growth - builder.Build().size() - 8;
    builder.Trailer("<!--" + QByteArray(fillerLength, 'x') + "-->\n");
    const QByteArray text = builder.Build();
    QCOMPARE(text.size() + growth, grownSize);
    const QString path = Write(DocumentBuilder::Pack(text));

    RecordingPrompt prompt;
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    puzzle.SetCurrentCell(20);
    puzzle.SetCurrentEntry('Q');
    puzzle.Close();
    QVERIFY(prompt.texts.isEmpty());

    const QByteArray stored = FixtureFiles::Read(path);
    QCOMPARE(stored.startsWith("kavlith01"), packed);
    QCOMPARE(packed ? DocumentBuilder::Unpack(stored).size() : stored.size(), grownSize);
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetCell(20).entry, 'Q');
    QVERIFY(prompt.texts.isEmpty());
}

void TestPuzzleDocument::insertsBeforeEndTagInAnyCase_data()
{
    QTest::addColumn<QByteArray>("endTag");
    QTest::newRow("capital first letter") << QByteArray("</Crossword>");
    QTest::newRow("all capitals") << QByteArray("</CROSSWORD>");
    QTest::newRow("blank before >") << QByteArray("</crossword >");
    QTest::newRow("line break before >") << QByteArray("</crossWord\n>");
}

void TestPuzzleDocument::insertsBeforeEndTagInAnyCase()
{
    QFETCH(QByteArray, endTag);
    const QByteArray text = DocumentBuilder(TestGrids::Small()).Build().replace("</crossword>", endTag);
    const QString path = Write(text);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    puzzle.SetCurrentCell(0);
    puzzle.SetCurrentEntry('A');
    puzzle.Close();

    QByteArray expected = text;
    QByteArray element = DocumentBuilder::ProgressElement(21);
    element[16] = 'A';
    expected.insert(expected.lastIndexOf(endTag), element);
    QCOMPARE(FixtureFiles::Read(path), expected);
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetCell(0).entry, 'A');
}

GRIDMOOR_TEST_GUILESS_MAIN(TestPuzzleDocument)
#include "tst_puzzle_document.moc"
