#include "core/puzzle.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "test_grids.h"
#include "test_main.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// Grid "ABC.DEF", "G.HIJ.K", "LMN.OPQ": clue 0 is 1 Across (squares 0-2).
constexpr int kCells = 21;

// Runs a script: "A0" pen letter A in square 0, "a0" pencil, "AXE0" a rebus
// entry, "-0" clears clue 0's word, "*" clears all, "@5" puts the cursor on
// square 5, "<" undoes and ">" redoes.
void Run(CPuzzle& puzzle, const QString& script)
{
    static const QRegularExpression entry(QStringLiteral("^([A-Za-z]+)(\\d+)$"));
    for (const QString& step : script.split(' ', Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = entry.match(step);
        if (match.hasMatch()) {
            puzzle.SetCurrentCell(match.captured(2).toInt());
            puzzle.SetCurrentEntryText(match.captured(1).toUpper().toLatin1(), match.captured(1).at(0).isLower());
        } else if (step.startsWith('-')) {
            puzzle.ClearWord(step.mid(1).toInt());
        } else if (step.startsWith('@')) {
            puzzle.SetCurrentCell(step.mid(1).toInt());
        } else {
            step == "*" ? puzzle.ClearAllEntries() : step == "<" ? puzzle.Undo() : puzzle.Redo();
        }
    }
}

// Each square: "." when empty, its letter in upper case, in lower case when pencilled.
QString State(const CPuzzle& puzzle)
{
    QString state;
    for (int i = 0; i < kCells; ++i) {
        const QChar letter = QChar(puzzle.GetCell(i).entry);
        state += letter == ' ' ? QChar('.') : puzzle.IsPencil(i) ? letter.toLower() : letter;
    }
    return state;
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
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("cursor");
    QTest::addColumn<bool>("canRedo");
    const QString none(kCells, '.');
    QTest::newRow("newest letter first") << "A0 B1 <" << "A" + none.mid(1) << 1 << true;
    QTest::newRow("new change drops redo") << "A0 B1 < C5 >" << "A....C" + none.mid(6) << 5 << false;
    QTest::newRow("everything undone") << "A0 b1 < < <" << none << 0 << true;
    QTest::newRow("pen over pencil") << "a0 A0 <" << "a" + none.mid(1) << 0 << true;
    QTest::newRow("same letter again") << "A0 A0 <" << none << 0 << true;
    QTest::newRow("cursor on the change") << "A0 B20 @5 <" << "A" + none.mid(1) << 20 << true;
    QTest::newRow("rebus back to letter") << "B0 AXE0 <" << "B" + none.mid(1) << 0 << true;
    QTest::newRow("clear word in one step") << "A0 b1 C2 H9 -0 <" << "AbC......H" + none.mid(10) << 0 << true;
    QTest::newRow("clear all redone") << "A0 h9 * < >" << none << 9 << false;
    QTest::newRow("clear all undone") << "A0 h9 @3 * <" << "A........h" + none.mid(10) << 0 << true;
}

void TestPuzzleSolving::undoAndRedo()
{
    QFETCH(QString, script);
    QFETCH(QString, state);
    QFETCH(int, cursor);
    QFETCH(bool, canRedo);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(Write(PuzBuilder(TestGrids::Small()).Build(), "p.puz")), int(CPuzzle::Success));
    Run(puzzle, script);
    QCOMPARE(State(puzzle), state);
    QCOMPARE(puzzle.GetCurrentCell(), cursor);
    QCOMPARE(puzzle.CanRedo(), canRedo);
    QCOMPARE(puzzle.GetFilledCount(), int(state.count(QRegularExpression(QStringLiteral("[A-Za-z]")))));
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
    QTest::newRow("document gets the attribute") << document << "d.gmd" << "a0 B1 h9" << true;
    QTest::newRow("packed document") << DocumentBuilder::Pack(document) << "d.gmd" << "a0 B1 h9" << true;
    QTest::newRow("document without marks") << document << "d.gmd" << "a0 < B1" << false;
}

// A second session changes the marks again, so both the first write and the
// rewrite in place are read back.
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
    QString state = State(puzzle);
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
        QVERIFY(text.contains("<AllDecision v=\"" + state.toUpper().toLatin1().replace('.', ' ')));
    }
    for (const QString& next : {QStringLiteral("Q20 c2 A0"), QString()}) {
        QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
        QCOMPARE(State(puzzle), state);
        QCOMPARE(puzzle.IsCircled(4), file.contains("GEXT"));
        Run(puzzle, next);
        state = State(puzzle);
        puzzle.Close();
    }
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

GRIDMOOR_TEST_MAIN(TestPuzzleSolving)
#include "tst_puzzle_solving.moc"
