#include "core/puzzle.h"
#include "core/puzzle_words.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "test_grids.h"
#include "test_main.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Grid "ABC.DEF", "G.HIJ.K", "LMN.OPQ". Clues: 0 1A (cells 0-2), 1 1D (0 7 14),
// 2 2D (2 9 16), 3 3A (4-6), 4 3D (4 11 18), 5 4D (6 13 20), 6 5A (9-11),
// 7 6A (14-16), 8 7A (18-20).
constexpr int kCells = 21;

// Runs a script on the puzzle: "A0" pen letter A in square 0, "a0" pencil,
// "AXE0" a rebus entry, "-0" clears clue 0's word, "*" clears all, "@5" puts
// the cursor on square 5, "<" undoes and ">" redoes.
void Run(CPuzzle& puzzle, const QString& script)
{
    static const QRegularExpression entry(QStringLiteral("^([A-Za-z]+)(\\d+)$"));
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(step);
        if (match.hasMatch()) {
            const QString letters = match.captured(1);
            puzzle.SetCurrentCell(match.captured(2).toInt());
            puzzle.SetCurrentEntryText(letters.toUpper().toLatin1(), letters.at(0).isLower());
        } else if (step.startsWith('-')) {
            puzzle.ClearWord(step.mid(1).toInt());
        } else if (step == "*") {
            puzzle.ClearAllEntries();
        } else if (step.startsWith('@')) {
            puzzle.SetCurrentCell(step.mid(1).toInt());
        } else {
            step == "<" ? puzzle.Undo() : puzzle.Redo();
        }
    }
}

// Each square's entry ("." for a blank), a rebus square's first letter.
QString Entries(const CPuzzle& puzzle)
{
    QString entries;
    for (int i = 0; i < kCells; ++i)
        entries += puzzle.GetCell(i).entry == ' ' ? QChar('.') : QChar(puzzle.GetCell(i).entry);
    return entries;
}

QString PencilSquares(const CPuzzle& puzzle)
{
    QString squares;
    for (int i = 0; i < kCells; ++i)
        squares += puzzle.IsPencil(i) ? 'p' : '.';
    return squares;
}

int CountFilled(const CPuzzle& puzzle)
{
    int filled = 0;
    for (int i = 0; i < kCells; ++i)
        filled += puzzle.GetCell(i).entry != ' ';
    return filled;
}

} // namespace

class TestPuzzleSolving : public QObject {
    Q_OBJECT

private slots:
    void init();
    void undoAndRedo_data();
    void undoAndRedo();
    void pencilMarksSurviveReopening_data();
    void pencilMarksSurviveReopening();
    void squaresShowTheirWordsNumbers();
    void wordMoves_data();
    void wordMoves();

private:
    QString Write(const QByteArray& bytes, const QString& name);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPuzzleSolving::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestPuzzleSolving::Write(const QByteArray& bytes, const QString& name)
{
    const QString path = dir_->filePath(name);
    return FixtureFiles::Write(path, bytes) ? path : QString();
}

void TestPuzzleSolving::undoAndRedo_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("pencil");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("canRedo");
    const QString none(kCells, '.');
    QTest::newRow("newest letter first") << "A0 B1 <" << "A" + none.mid(1) << none << 1 << true;
    QTest::newRow("redone") << "A0 B1 < >" << "AB" + none.mid(2) << none << 1 << false;
    QTest::newRow("new change drops redo") << "A0 B1 < C5 >" << "A....C" + none.mid(6) << none << 5 << false;
    QTest::newRow("everything undone") << "A0 b1 < < <" << none << none << 0 << true;
    QTest::newRow("pen over pencil") << "a0 A0 <" << "A" + none.mid(1) << "p" + none.mid(1) << 0 << true;
    QTest::newRow("same letter again") << "A0 A0 <" << none << none << 0 << true;
    QTest::newRow("cursor on the change") << "A0 B20 @5 <" << "A" + none.mid(1) << none << 20 << true;
    QTest::newRow("rebus back to letter") << "B0 AXE0 <" << "B" + none.mid(1) << none << 0 << true;
    QTest::newRow("clear word in one step") << "A0 b1 C2 H9 -0 <" << "AbC......H" + none.mid(10) << ".p" + none.mid(2)
                                            << 0 << true;
    QTest::newRow("cleared word") << "A0 b1 C2 H9 -0" << ".........H" + none.mid(10) << none << 9 << false;
    QTest::newRow("clear all redone") << "A0 h9 * < >" << none << none << 9 << false;
    QTest::newRow("clear all undone") << "A0 h9 @3 * <" << "A........h" + none.mid(10) << ".........p" + none.mid(10)
                                      << 0 << true;
}

void TestPuzzleSolving::undoAndRedo()
{
    QFETCH(QString, script);
    QFETCH(QString, entries);
    QFETCH(QString, pencil);
    QFETCH(int, cursor);
    QFETCH(bool, canRedo);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(PuzBuilder(TestGrids::Small()).Build(), "p.puz")), int(CPuzzle::Success));
    Run(puzzle, script);
    QCOMPARE(Entries(puzzle), entries.toUpper());
    QCOMPARE(PencilSquares(puzzle), pencil);
    QCOMPARE(puzzle.GetCurrentCell(), cursor);
    QCOMPARE(puzzle.CanRedo(), canRedo);
    QCOMPARE(puzzle.GetFilledCount(), CountFilled(puzzle));
    puzzle.Close();
    QVERIFY(!puzzle.CanUndo() && !puzzle.CanRedo());
}

void TestPuzzleSolving::pencilMarksSurviveReopening_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("script");
    QTest::addColumn<bool>("marksKept"); // flags or the pencil attribute in the saved file
    const QByteArray puz = PuzBuilder(TestGrids::Small()).Build();
    const QByteArray circled = PuzBuilder(TestGrids::Small()).Circles({4}).Build();
    const QByteArray document = DocumentBuilder(TestGrids::Small()).Build();
    QTest::newRow("puz gets flags") << puz << "p.puz" << "a0 B1 h9" << true;
    QTest::newRow("puz without marks stays without") << puz << "p.puz" << "a0 A0 B1" << false;
    QTest::newRow("puz keeps its circles") << circled << "p.puz" << "a4 a0 A0" << true;
    QTest::newRow("puz with circles, no marks") << circled << "p.puz" << "B1" << true;
    QTest::newRow("document gets the attribute") << document << "d.gmd" << "a0 B1 h9" << true;
    QTest::newRow("packed document") << DocumentBuilder::Pack(document) << "d.gmd" << "a0 B1 h9" << true;
    QTest::newRow("document without marks") << document << "d.gmd" << "a0 < B1" << false;
}

// The marks are read back after a second session that changes them again,
// so both the first write and the rewrite in place are covered.
void TestPuzzleSolving::pencilMarksSurviveReopening()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(QString, script);
    QFETCH(bool, marksKept);
    const QString path = Write(file, name);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    Run(puzzle, script);
    const QString entries = Entries(puzzle);
    const QString pencil = PencilSquares(puzzle);
    puzzle.Close();
    const QByteArray saved = FixtureFiles::Read(path);
    if (name.endsWith(".puz")) {
        QVERIFY(PuzBuilder::HasValidChecksums(saved, 2));
        QCOMPARE(!PuzBuilder::SectionData(saved, "GEXT").isEmpty(), marksKept);
        for (const PuzSectionBytes& section : PuzBuilder::Sections(saved))
            QVERIFY(section.checksumValid);
    } else {
        const QByteArray text = file.startsWith("kavlith01") ? DocumentBuilder::Unpack(saved) : saved;
        QCOMPARE(text.contains("pencil=\""), marksKept);
        QVERIFY(text.contains("<AllDecision v=\"" + entries.toLatin1().replace('.', ' ')));
    }
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    QCOMPARE(Entries(puzzle), entries);
    QCOMPARE(PencilSquares(puzzle), pencil);
    QCOMPARE(puzzle.IsCircled(4), file.contains("GEXT"));
    Run(puzzle, "Q20 c2 A0");
    puzzle.Close();
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    QString changed = pencil;
    changed[0] = changed[20] = '.';
    changed[2] = 'p';
    QCOMPARE(PencilSquares(puzzle), changed);
}

void TestPuzzleSolving::squaresShowTheirWordsNumbers()
{
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(PuzBuilder(TestGrids::Small()).Build(), "p.puz")), int(CPuzzle::Success));
    QStringList labels;
    for (int i = 0; i < kCells; ++i)
        labels << puzzle.GetCellLabel(i);
    QCOMPARE(labels.join(','), QStringLiteral("1,,2,,3,,4,,,5,,,,,6,,,,7,,"));
}

void TestPuzzleSolving::wordMoves_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("clue");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<int>("nextClue");
    QTest::addColumn<int>("firstEmpty");
    QTest::addColumn<int>("emptyAfterCursor");
    // Across clues 0 3 6 7 8, then down clues 1 2 4 5.
    QTest::newRow("across to across") << "" << 0 << true << 3 << 0 << 1;
    QTest::newRow("last across to first down") << "@18" << 8 << true << 1 << 18 << 19;
    QTest::newRow("last down wraps") << "@6" << 5 << true << 0 << 6 << 13;
    QTest::newRow("backward wraps") << "" << 0 << false << 5 << 0 << 1;
    QTest::newRow("first down back to last across") << "A0 B7" << 1 << false << 8 << 14 << 14;
    QTest::newRow("full word starts at its start") << "A4 B5 C6 @4" << 3 << true << 6 << 4 << -1;
    QTest::newRow("filled squares passed over") << "A0 B1 @0" << 0 << true << 3 << 2 << 2;
    QTest::newRow("no clue") << "" << -1 << true << 0 << -1 << -1;
}

void TestPuzzleSolving::wordMoves()
{
    QFETCH(QString, script);
    QFETCH(int, clue);
    QFETCH(bool, forward);
    QFETCH(int, nextClue);
    QFETCH(int, firstEmpty);
    QFETCH(int, emptyAfterCursor);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(PuzBuilder(TestGrids::Small()).Build(), "p.puz")), int(CPuzzle::Success));
    Run(puzzle, script);
    QCOMPARE(NextClue(puzzle, clue, forward), nextClue);
    QCOMPARE(FirstEmptyOrStart(puzzle, clue), firstEmpty);
    QCOMPARE(NextEmptyAfter(puzzle, clue, puzzle.GetCurrentCell()), emptyAfterCursor);
}

GRIDMOOR_TEST_MAIN(TestPuzzleSolving)
#include "tst_puzzle_solving.moc"
