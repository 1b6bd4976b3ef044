#include "core/puzzle.h"
#include "data/screen_reader_text.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

// What a screen reader is told about squares, words and the painted controls.
class TestScreenReaderText : public QObject {
    Q_OBJECT

private slots:
    void squareName_data();
    void squareName();
    void wordDescription_data();
    void wordDescription();
    void labelsBecomeNames_data();
    void labelsBecomeNames();
    void colorPartsInOrder();

private:
    bool Open(CPuzzle& puzzle, const PuzBuilder& builder);

    QTemporaryDir folder_;
    int files_ = 0;
};

namespace {

// 1 Across CAT, 3 Across SO, 4 Across WAREST; 1 Down COW, 2 Down TOR, 3 Down SES.
const QList<QByteArray> kGrid{"CAT.SO", "O.O.E.", "WAREST"};

} // namespace

bool TestScreenReaderText::Open(CPuzzle& puzzle, const PuzBuilder& builder)
{
    const QString path = folder_.filePath(QStringLiteral("p%1.puz").arg(++files_));
    return FixtureFiles::Write(path, builder.Build()) && puzzle.Open(path) == CPuzzle::Success;
}

void TestScreenReaderText::squareName_data()
{
    QTest::addColumn<QList<QByteArray>>("entries");
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("pencil");
    QTest::addColumn<bool>("showWrong");
    QTest::addColumn<QString>("name");
    const QList<QByteArray> empty{"---.--", "-.-.-.", "------"};
    const QList<QByteArray> some{"CXT.--", "-.-.-.", "------"};
    QTest::newRow("block") << empty << 3 << false << false << "black square";
    QTest::newRow("empty numbered") << empty << 0 << false << false << "blank, 1";
    QTest::newRow("empty plain") << empty << 1 << false << false << "blank";
    QTest::newRow("letter numbered") << some << 0 << false << false << "C, 1";
    QTest::newRow("wrong hidden") << some << 1 << false << false << "X";
    QTest::newRow("wrong shown") << some << 1 << false << true << "X, wrong";
    QTest::newRow("right shown") << some << 2 << false << true << "T, 2";
    QTest::newRow("pencil") << empty << 6 << true << false << "Q, pencil";
    QTest::newRow("circled") << empty << 12 << false << false << "blank, 4, circled";
}

void TestScreenReaderText::squareName()
{
    QFETCH(QList<QByteArray>, entries);
    QFETCH(int, cell);
    QFETCH(bool, pencil);
    QFETCH(bool, showWrong);
    QFETCH(QString, name);
    CPuzzle puzzle;
    QVERIFY(Open(puzzle, PuzBuilder(kGrid).Entries(entries).Circles({12})));
    if (pencil) {
        puzzle.SetCurrentCell(cell);
        puzzle.SetCurrentEntry('Q', true);
    }
    QCOMPARE(ScreenReaderText::SquareName(puzzle, cell, showWrong), name);
}

void TestScreenReaderText::wordDescription_data()
{
    QTest::addColumn<int>("cell");
    QTest::addColumn<bool>("across");
    QTest::addColumn<QString>("description");
    QTest::newRow("across word") << 0 << true << "1 Across, Feline, 3 letters: C, blank, T";
    QTest::newRow("down word") << 0 << false << "1 Down, Bovine, 3 letters: C, O, blank";
    QTest::newRow("square only down") << 6 << true << "1 Down, Bovine, 3 letters: C, O, blank";
    QTest::newRow("two letters") << 5 << true << "3 Across, Thus, 2 letters: blank, blank";
}

void TestScreenReaderText::wordDescription()
{
    QFETCH(int, cell);
    QFETCH(bool, across);
    QFETCH(QString, description);
    CPuzzle puzzle;
    const QList<QByteArray> clues{"Feline", "Bovine", "Hill", "Thus", "Sees", "Most worn"};
    QVERIFY(Open(puzzle, PuzBuilder(kGrid).Entries({"C-T.--", "O.-.-.", "------"}).Clues(clues)));
    puzzle.SetAcross(across);
    const int clue = ScreenReaderText::WordOfSquare(puzzle, cell);
    QCOMPARE(ScreenReaderText::WordDescription(puzzle, clue), description);
}

void TestScreenReaderText::labelsBecomeNames_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("name");
    QTest::newRow("colon") << "Normal text:" << "Normal text";
    QTest::newRow("mnemonic") << "&Wrong letters :" << "Wrong letters";
    QTest::newRow("ampersand") << "Black && white" << "Black & white";
}

void TestScreenReaderText::labelsBecomeNames()
{
    QFETCH(QString, label);
    QFETCH(QString, name);
    QCOMPARE(ScreenReaderText::NameFromLabel(label), name);
}

// Colours are kept with red in the low byte.
void TestScreenReaderText::colorPartsInOrder()
{
    QCOMPARE(ScreenReaderText::ColorText(0x00FF8001), QStringLiteral("red 1, green 128, blue 255"));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestScreenReaderText)
#include "tst_screen_reader_text.moc"
