#include "core/puzzle.h"
#include "data/puzzle_info_text.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

// The text of the Puzzle Information dialog, compared byte for byte.
class TestPuzzleInfoText : public QObject {
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void labelledPartIsCutBeforeThePath();
    void utf8TextIsCutBetweenCharacters();
    void notesComeLast_data();
    void notesComeLast();
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

// A document's title and author can pass the limit.
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

// A title of two-byte characters cut at the limit loses the character the
// limit falls into, not the decoding of the whole text.
void TestPuzzleInfoText::utf8TextIsCutBetweenCharacters()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("long.puz"));
    QByteArray title;
    for (int i = 0; i < 600; ++i)
        title += "\xc3\xa9";
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"CAT"}).Version("2.0").Title(title).Build()));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    const int kept = (kMaxLabelledBytes - 9) / 2;
    QCOMPARE(PuzzleInfoText(puzzle, kPath), QStringLiteral("Title: \r\n") + QString(kept, QChar(0xE9)) + kPath);
}

void TestPuzzleInfoText::notesComeLast_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::addColumn<QByteArray>("notes");
    QTest::addColumn<QString>("shown");
    QTest::newRow("none") << QByteArray("1.3") << QByteArray() << QString();
    QTest::newRow("1.3") << QByteArray("1.3") << QByteArray("Theme:\nbirds") << QStringLiteral("Theme:\nbirds");
    QTest::newRow("2.0, UTF-8") << QByteArray("2.0") << QByteArray("\xce\xb8\xce\xad\xce\xbc\xce\xb1")
                                << QStringLiteral(u"\u03b8\u03ad\u03bc\u03b1");
    QTest::newRow("1.2 has no notes") << QByteArray("1.2") << QByteArray("Theme") << QString();
}

void TestPuzzleInfoText::notesComeLast()
{
    QFETCH(QByteArray, version);
    QFETCH(QByteArray, notes);
    QFETCH(QString, shown);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("p.puz"));
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"CAT"}).Version(version).Title("T").Author("A").Copyright("C")
                                          .Notes(notes).Build()));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    const QString labelled = QStringLiteral("Title: \r\nT\r\n\r\nAuthor:\r\nA\r\n\r\nCopyright:\r\n C\r\n\r\nFile:\r\n");
    const QString notesLines = shown.isEmpty() ? QString() : QStringLiteral("\r\n\r\nNotes:\r\n") + shown;
    QCOMPARE(PuzzleInfoText(puzzle, kPath), labelled + kPath + notesLines);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestPuzzleInfoText)
#include "tst_puzzle_info_text.moc"
