#include "core/puzzle.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

// Fills every letter cell with its solution.
void Solve(CPuzzle& puzzle)
{
    for (int i = 0; i < puzzle.GetWidth() * puzzle.GetHeight(); ++i) {
        if (puzzle.GetCell(i).solution != ' ') {
            puzzle.SetCurrentCell(i);
            puzzle.SetCurrentEntry(puzzle.GetCell(i).solution);
        }
    }
}

} // namespace

// The shipped sample puzzles, opened from copies so the originals stay as they are.
class TestSamples : public QObject {
    Q_OBJECT

private slots:
    void init();
    void samplesOpenAndKeepProgress_data();
    void samplesOpenAndKeepProgress();

private:
    QString Copy(const QString& name);

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestSamples::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

QString TestSamples::Copy(const QString& name)
{
    const QString copy = dir_->filePath(name);
    QFile::copy(QStringLiteral(GRIDMOOR_SOURCE_DIR "/resources/") + name, copy);
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    return copy;
}

void TestSamples::samplesOpenAndKeepProgress_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("format");
    QTest::addColumn<QByteArray>("title");
    QTest::newRow("document") << "NYTimes.gmd" << int(CPuzzle::FormatDocument) << QByteArray("Gridmoor Sampler");
    QTest::newRow("binary") << "sample.puz" << int(CPuzzle::FormatBinary) << QByteArray("Gridmoor Starter");
}

void TestSamples::samplesOpenAndKeepProgress()
{
    QFETCH(QString, name);
    QFETCH(int, format);
    QFETCH(QByteArray, title);
    const QString path = Copy(name);
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), 0);
    QCOMPARE(puzzle.GetFormat(), format);
    QCOMPARE(int(puzzle.GetWidth()), 9);
    QByteArray actualTitle, author, copyright;
    puzzle.GetInfo(actualTitle, author, copyright);
    QCOMPARE(actualTitle, title);
    QCOMPARE(author, QByteArray("Gridmoor Team"));
    QVERIFY(puzzle.GetClueCount() > 10);
    for (int k = 0; k < puzzle.GetClueCount(); ++k) {
        quint8 isAcross = 0;
        QVERIFY(puzzle.FindWordStart(k, &isAcross) >= 0);
        QVERIFY(!puzzle.GetClue(k)->text.isEmpty());
    }
    Solve(puzzle);
    QVERIFY(puzzle.IsSolved());
    puzzle.Close();
    if (format == CPuzzle::FormatBinary)
        QVERIFY(PuzBuilder::HasValidChecksums(FixtureFiles::Read(path), 2));

    QCOMPARE(puzzle.Open(path), 0);
    QVERIFY(puzzle.IsFilled());
    QVERIFY(puzzle.IsSolved());
}

GRIDMOOR_TEST_GUILESS_MAIN(TestSamples)
#include "tst_samples.moc"
