#include "core/puzzle.h"
#include "data/puzzle_info_text.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"

#include <QTemporaryDir>
#include <QtTest>

// The text of the Puzzle Information dialog, compared byte for byte.
class TestPuzzleInfoText : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void labelledPartIsCutBeforeThePath();
};

namespace {

const QString kPath = QStringLiteral("/home/u/Documents/XWords/today.puz");

QString LongPath()
{
    return QStringLiteral("/media/card/") + QString(250, QLatin1Char('p')) + QStringLiteral(".puz");
}

bool OpenPuzzle(CPuzzle& puzzle, const QString& path, const QByteArray& title, const QByteArray& author,
                const QByteArray& copyright)
{
    PuzBuilder builder({"CAT"});
    builder.Title(title).Author(author).Copyright(copyright);
    return FixtureFiles::Write(path, builder.Build()) && puzzle.Open(path) == CPuzzle::Success;
}

} // namespace

void TestPuzzleInfoText::text_data()
{
    QTest::addColumn<QByteArray>("title");
    QTest::addColumn<QByteArray>("author");
    QTest::addColumn<QByteArray>("copyright");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");
    QTest::newRow("all three") << QByteArray("Monday") << QByteArray("A. Setter") << QByteArray("(c) 2024 Paper")
                               << kPath
                               << QStringLiteral("Title: \r\nMonday\r\n\r\nAuthor:\r\nA. Setter\r\n\r\n"
                                                 "Copyright:\r\n (c) 2024 Paper\r\n\r\nFile:\r\n")
                                      + kPath;
    QTest::newRow("no copyright") << QByteArray("Monday") << QByteArray("A. Setter") << QByteArray() << kPath
                                  << QStringLiteral("Title: \r\nMonday\r\n\r\nAuthor:\r\nA. Setter\r\n\r\n"
                                                    "Copyright:\r\n  \r\n\r\nFile:\r\n")
                                         + kPath;
    QTest::newRow("nothing but the path") << QByteArray() << QByteArray() << QByteArray() << kPath
                                          << QStringLiteral("Title: \r\n \r\n\r\nAuthor:\r\n \r\n\r\n"
                                                            "Copyright:\r\n  \r\n\r\nFile:\r\n")
                                                 + kPath;
    QTest::newRow("long path kept whole") << QByteArray("T") << QByteArray("A") << QByteArray("C") << LongPath()
                                          << QStringLiteral("Title: \r\nT\r\n\r\nAuthor:\r\nA\r\n\r\n"
                                                            "Copyright:\r\n C\r\n\r\nFile:\r\n")
                                                 + LongPath();
    QTest::newRow("Windows-1252 text") << QByteArray("Caf\xE9 \x93Noir\x94") << QByteArray("Ren\xE9\x65")
                                       << QByteArray("\xA9 2024") << kPath
                                       << QString::fromUtf8("Title: \r\nCafé “Noir”\r\n\r\nAuthor:\r\nRenée\r\n\r\n"
                                                            "Copyright:\r\n © 2024\r\n\r\nFile:\r\n")
                                              + kPath;
}

void TestPuzzleInfoText::text()
{
    QFETCH(QByteArray, title);
    QFETCH(QByteArray, author);
    QFETCH(QByteArray, copyright);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QTemporaryDir folder;
    CPuzzle puzzle;
    QVERIFY(OpenPuzzle(puzzle, folder.filePath(QStringLiteral("p.puz")), title, author, copyright));
    QCOMPARE(PuzzleInfoText(puzzle, path), expected);
}

// Binary puzzles keep their strings short; a document's title and author can
// pass the limit.
void TestPuzzleInfoText::labelledPartIsCutBeforeThePath()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.gmd"));
    const QByteArray title(499, 't');
    const QByteArray author(499, 'a');
    QVERIFY(FixtureFiles::Write(path, DocumentBuilder({"CAT"}).Title(title).Author(author).Build()));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    const QString labelled = QStringLiteral("Title: \r\n") + QString::fromLatin1(title)
                             + QStringLiteral("\r\n\r\nAuthor:\r\n") + QString::fromLatin1(author)
                             + QStringLiteral("\r\n\r\nCopyright:\r\n  \r\n\r\nFile:\r\n");
    QVERIFY(labelled.size() > kMaxLabelledBytes);
    QCOMPARE(PuzzleInfoText(puzzle, LongPath()), labelled.left(kMaxLabelledBytes) + LongPath());
}

QTEST_APPLESS_MAIN(TestPuzzleInfoText)
#include "tst_puzzle_info_text.moc"
