#include "core/puzzle_folders.h"
#include "core/puzzle_format.h"
#include "core/puzzle_identity.h"
#include "data/date_fields.h"
#include "data/download_rules.h"

#include "document_builder.h"
#include "jpz_builder.h"
#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QDir>
#include <QTest>

Q_DECLARE_METATYPE(PuzzleFormat)

// The window-free rules of a download: which address a link is fetched from,
// which name the saved file gets, and what counts as a puzzle.
class TestDownloadRules : public QObject {
    Q_OBJECT

private slots:
    void schemeRule_data();
    void schemeRule();
    void contentDispositionWalk_data();
    void contentDispositionWalk();
    void plainFileName_data();
    void plainFileName();
    void chooseName_data();
    void chooseName();
    void downloadTarget_data();
    void downloadTarget();
    void detectsPuzzleFormat_data();
    void detectsPuzzleFormat();
    void datedAddress_data();
    void datedAddress();
    void credentialsStayWithTheLink_data();
    void credentialsStayWithTheLink();
};

void TestDownloadRules::schemeRule_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("url");   // empty when refused
    QTest::addColumn<QString>("error"); // a part of the message
    QTest::newRow("no scheme") << "example.com/x/p.puz" << "http://example.com/x/p.puz" << "";
    QTest::newRow("host and port only") << "localhost:8080/p.puz" << "http://localhost:8080/p.puz" << "";
    QTest::newRow("starts with //") << "//example.com/p.puz" << "http://example.com/p.puz" << "";
    QTest::newRow("http in capitals") << "HTTP://example.com/p.puz" << "http://example.com/p.puz" << "";
    QTest::newRow("https stays https") << "https://example.com/p.puz" << "https://example.com/p.puz" << "";
    QTest::newRow("blanks around") << "  http://example.com/p.puz \n" << "http://example.com/p.puz" << "";
    QTest::newRow("// later in the path") << "example.com/a//b.puz" << "http://example.com/a//b.puz" << "";
    QTest::newRow("ftp refused") << "ftp://example.com/p.puz" << "" << "\"ftp:\"";
    QTest::newRow("file refused") << "file:///etc/passwd" << "" << "\"file:\"";
    QTest::newRow("no host") << "http:///p.puz" << "" << "network or server problem";
}

void TestDownloadRules::schemeRule()
{
    QFETCH(QString, link);
    QFETCH(QString, url);
    QFETCH(QString, error);
    const DownloadAddress address = DownloadUrl(link);
    QCOMPARE(address.url.toString(), url);
    QCOMPARE(address.error.isEmpty(), error.isEmpty());
    QVERIFY2(address.error.contains(error), qPrintable(address.error));
}

void TestDownloadRules::contentDispositionWalk_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("name");
    QTest::newRow("quoted") << "attachment; filename=\"Mar05.puz\"" << "Mar05.puz";
    QTest::newRow("unquoted, key in capitals") << "attachment;FILENAME = Mar05.puz" << "Mar05.puz";
    QTest::newRow("blank name") << "attachment; filename=\" \"" << "";
    QTest::newRow("no filename key") << "inline" << "";
    QTest::newRow("key at the end of a part") << "attachment; filename=; other=x.puz" << "other";
    QTest::newRow("first filename wins") << "filename=\"a.puz\"; filename=\"b.puz\"" << "a.puz";
    QTest::newRow("tabs and quotes trimmed") << "attachment; filename=\t\"\"x.puz\"\t" << "x.puz";
}

void TestDownloadRules::contentDispositionWalk()
{
    QFETCH(QString, value);
    QFETCH(QString, name);
    QCOMPARE(ServerFileName(value), name);
}

void TestDownloadRules::plainFileName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("plain");
    QTest::newRow("plain already") << "Mar05.puz" << "Mar05.puz";
    QTest::newRow("climbs out of the folder") << "../../x.puz" << "x.puz";
    QTest::newRow("absolute path") << "/etc/cron.d/job" << "job";
    QTest::newRow("backslash folders") << "C:\\Puzzles\\Mar05.puz" << "Mar05.puz";
    QTest::newRow("dot dot") << ".." << "";
    QTest::newRow("dot") << "." << "";
    QTest::newRow("hidden") << ".profile" << "profile";
    QTest::newRow("control characters") << QString("Ma\x01r\n05\x7f.puz") << "Mar05.puz";
    QTest::newRow("ends in a slash") << "puzzles/" << "";
    QTest::newRow("blanks and dots") << " . .x.puz " << "x.puz";
}

void TestDownloadRules::plainFileName()
{
    QFETCH(QString, name);
    QFETCH(QString, plain);
    QCOMPARE(PlainFileName(name), plain);
}

void TestDownloadRules::chooseName_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("object");
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("fromServer");
    const QString preset = "/download.php?c=xword&id=nytimes";
    QTest::newRow("server name") << "Mar05.puz" << preset << "Mar05.puz" << true;
    QTest::newRow("preset script keeps the link's name") << "" << preset << "Link" << false;
    QTest::newRow("file in a folder") << "" << "/puzzles/Mar05.puz" << "Mar05.puz" << true;
    QTest::newRow("file at the top level") << "" << "/Mar05.puz" << "Link" << false;
    QTest::newRow("folder only") << "" << "/puzzles/" << "Link" << false;
    QTest::newRow("server name made plain") << "../../x.puz" << preset << "x.puz" << true;
    QTest::newRow("server name empty when plain") << ".." << "/a/b.puz" << "b.puz" << true;
    QTest::newRow("blank component") << "" << "/a/ " << "Link" << false;
}

void TestDownloadRules::chooseName()
{
    QFETCH(QString, server);
    QFETCH(QString, object);
    QFETCH(QString, base);
    QFETCH(bool, fromServer);
    const DownloadName name = ChooseDownloadName(server, object, "Link");
    QCOMPARE(name.base, base);
    QCOMPARE(name.fromServer, fromServer);
}

// What is in the folder under the download's name decides where it goes: a
// file is never replaced, the same puzzle (entries or not) is already there.
void TestDownloadRules::downloadTarget_data()
{
    QTest::addColumn<QByteArray>("existing"); // at Daily.puz; empty: none
    QTest::addColumn<bool>("open");           // Daily.puz is the open puzzle
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<bool>("alreadyThere");
    const PuzBuilder today({"CAT", "A.O", "TOP"});
    const QByteArray other = PuzBuilder({"DOG", "O.N", "GEE"}).Entries({"D--", "---", "---"}).Build();
    QTest::newRow("free") << QByteArray() << false << "Daily.puz" << false;
    QTest::newRow("other puzzle with entries") << other << false << "Daily_2.puz" << false;
    QTest::newRow("same puzzle with entries") << PuzBuilder(today).Entries({"C--", "---", "---"}).Build() << false
                                              << "Daily.puz" << true;
    QTest::newRow("same bytes") << today.Build() << false << "Daily.puz" << true;
    QTest::newRow("not a puzzle") << QByteArray("notes") << false << "Daily_2.puz" << false;
    QTest::newRow("open puzzle, missing on disk") << QByteArray() << true << "Daily_2.puz" << false;
}

void TestDownloadRules::downloadTarget()
{
    QFETCH(QByteArray, existing);
    QFETCH(bool, open);
    QFETCH(QString, fileName);
    QFETCH(bool, alreadyThere);
    const QString folder = GetPuzzleFolder();
    TestHome::RemoveFolder(folder);
    EnsureFolder(folder);
    if (!existing.isEmpty())
        QVERIFY(FixtureFiles::Write(folder + "/Daily.puz", existing));
    const DownloadTarget target = ChooseDownloadTarget({"Daily.puz", true}, PuzBuilder({"CAT", "A.O", "TOP"}).Build(),
                                                       open ? folder + "/Daily.puz" : QString());
    QCOMPARE(target.path, folder + u'/' + fileName);
    QCOMPARE(target.alreadyThere, alreadyThere);
}

void TestDownloadRules::detectsPuzzleFormat_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<PuzzleFormat>("format");
    const QByteArray puz = PuzBuilder({"CAT", "A.O", "TOP"}).Build();
    const QByteArray document = DocumentBuilder({"CAT", "A.O", "TOP"}).Build();
    QTest::newRow("binary crossword") << puz << PuzzleFormat::Binary;
    QTest::newRow("binary, grids cut off") << puz.left(2 + 50 + 9) << PuzzleFormat::None;
    QTest::newRow("binary, marker moved") << PuzBuilder({"CAT", "A.O", "TOP"}).LeadingBytes("xx").Build()
                                          << PuzzleFormat::None;
    QTest::newRow("page quoting the marker") << QByteArray("<html>ACROSS&DOWN\0...", 22) + QByteArray(200, ' ')
                                             << PuzzleFormat::None;
    QTest::newRow("packed document") << DocumentBuilder::Pack(document) << PuzzleFormat::PackedDocument;
    QTest::newRow("magic, then no zlib stream") << QByteArray("kavlith01<html>") << PuzzleFormat::None;
    QTest::newRow("plain document") << document << PuzzleFormat::Document;
    QTest::newRow("document with a prolog") << QByteArray("\xEF\xBB\xBF<?xml version=\"1.0\"?>\n<!-- x --><!DOCTYPE c [<!ENTITY a \">\">]>"
                                                          "\n<crossword v=\"1\">") << PuzzleFormat::Document;
    QTest::newRow("other root element") << QByteArray("<html><crossword>") << PuzzleFormat::None;
    QTest::newRow("longer root name") << QByteArray("<crosswords>") << PuzzleFormat::None;
    QTest::newRow("empty") << QByteArray() << PuzzleFormat::None;
    const QByteArray jpz = JpzBuilder({"CAT", "A.O", "TOP"}).WithRoot(JpzBuilder::Root::Compiler).Build();
    QTest::newRow("jpz, prefixed root") << jpz << PuzzleFormat::Jpz;
    QTest::newRow("zipped jpz") << JpzBuilder::Zipped(jpz) << PuzzleFormat::Jpz;
    QTest::newRow("zipped other XML") << JpzBuilder::Zipped(document) << PuzzleFormat::None;
    QTest::newRow("jpz root without its puzzle") << QByteArray("<crossword-compiler><timer/></crossword-compiler>")
                                                 << PuzzleFormat::None;
}

void TestDownloadRules::detectsPuzzleFormat()
{
    QFETCH(QByteArray, bytes);
    QFETCH(PuzzleFormat, format);
    QCOMPARE(DetectPuzzleFormat(bytes), format);
    // An archive that carries no jpz puzzle is not read as a puzzle either,
    // so a download is never taken for such a file already on disk.
    if (format == PuzzleFormat::None && bytes.startsWith("PK\x03\x04"))
        QVERIFY(!IdentifyPuzzle(bytes).readable);
}

void TestDownloadRules::datedAddress_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("address"); // empty when refused
    QTest::addColumn<QString>("error");   // a part of the message
    QTest::newRow("no fields") << "x.com/a.php?c=xword&id=1" << "x.com/a.php?c=xword&id=1" << "";
    QTest::newRow("numbers") << "x.com/{yyyy}/{yy}{MM}{dd}-{M}-{d}.puz" << "x.com/2026/260306-3-6.puz" << "";
    QTest::newRow("names") << "x.com/{ddd}{MMM}.puz" << "x.com/FriMar.puz" << "";
    QTest::newRow("unknown field") << "x.com/{mm}.puz" << "" << "{mm}";
    QTest::newRow("unclosed") << "x.com/{yyyy.puz" << "" << "\"{\"";
    QTest::newRow("stray close") << "x.com/}{yyyy}" << "" << "\"}\"";
}

void TestDownloadRules::datedAddress()
{
    QFETCH(QString, link);
    QFETCH(QString, address);
    QFETCH(QString, error);
    const DatedAddress dated = FillDateFields(link, QDate(2026, 3, 6));
    QCOMPARE(dated.address, address);
    QVERIFY2(error.isEmpty() ? dated.error.isEmpty() : dated.error.contains(error), qPrintable(dated.error));
}

void TestDownloadRules::credentialsStayWithTheLink_data()
{
    QTest::addColumn<QString>("asking");
    QTest::addColumn<bool>("given");
    QTest::newRow("the link's server") << "http://Example.com/other/path" << true;
    QTest::newRow("default port spelt out") << "http://example.com:80/p.puz" << true;
    QTest::newRow("other port") << "http://example.com:8080/p.puz" << false;
    QTest::newRow("other host") << "http://cdn.example.com/p.puz" << false;
    QTest::newRow("other scheme") << "https://example.com/p.puz" << false;
}

void TestDownloadRules::credentialsStayWithTheLink()
{
    QFETCH(QString, asking);
    QFETCH(bool, given);
    QCOMPARE(MayReceiveCredentials(QUrl("http://example.com/p.puz"), QUrl(asking)), given);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestDownloadRules)
#include "tst_download_rules.moc"
