#include "data/download_rules.h"
#include "test_main.h"

#include <QTest>

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
    void openPuzzleIsNeverTheTarget();
    void recognisesPuzzleContent_data();
    void recognisesPuzzleContent();
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

void TestDownloadRules::openPuzzleIsNeverTheTarget()
{
    const QString target = "/home/u/Documents/XWords/Daily_Dec_06_2026.puz";
    QCOMPARE(AvoidOpenPuzzle(target, target), "/home/u/Documents/XWords/Daily_Dec_06_2026_.puz");
    QCOMPARE(AvoidOpenPuzzle(target, "/home/u/Documents/XWords/daily_dec_06_2026.PUZ"),
             "/home/u/Documents/XWords/Daily_Dec_06_2026_.puz");
    QCOMPARE(AvoidOpenPuzzle(target, "/home/u/Documents/XWords/Other.puz"), target);
    QCOMPARE(AvoidOpenPuzzle(target, QString()), target);
}

void TestDownloadRules::recognisesPuzzleContent_data()
{
    QTest::addColumn<QByteArray>("head");
    QTest::addColumn<bool>("puzzle");
    QTest::newRow("binary crossword") << QByteArray("\x12\x34" "ACROSS&DOWN\0rest", 18) << true;
    QTest::newRow("packed document") << QByteArray("kavlith01\x78\x9c") << true;
    QTest::newRow("plain document") << QByteArray("<?xml version=\"1.0\"?>\n<crossword><Title/>") << true;
    QTest::newRow("error page") << QByteArray("<!DOCTYPE html><html><body>Not today</body></html>") << false;
    QTest::newRow("magic not at the start") << QByteArray("xkavlith01") << false;
    QTest::newRow("empty") << QByteArray() << false;
}

void TestDownloadRules::recognisesPuzzleContent()
{
    QFETCH(QByteArray, head);
    QFETCH(bool, puzzle);
    QCOMPARE(IsPuzzleContent(head), puzzle);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestDownloadRules)
#include "tst_download_rules.moc"
