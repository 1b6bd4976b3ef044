#include "core/puzzle_folders.h"
#include "test_main.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestPuzzleFolders : public QObject {
    Q_OBJECT

private slots:
    void init();
    void documentsFolderEndsInSlash();
    void ensureFolderCreatesMissingParents();
    void downloadPath_data();
    void downloadPath();
    void longNameIsCutToThePathLimit();

private:
    QTemporaryDir home_;
};

void TestPuzzleFolders::init()
{
    QVERIFY(home_.isValid());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8());
}

void TestPuzzleFolders::documentsFolderEndsInSlash()
{
    const QString folder = GetDocumentsFolder();
    QVERIFY(folder.startsWith(home_.path()));
    QVERIFY(folder.endsWith(u'/'));
    QCOMPARE(GetPuzzleFolder(), folder + "XWords");
    QVERIFY(GetProgramFolder().endsWith(u'/'));
}

void TestPuzzleFolders::ensureFolderCreatesMissingParents()
{
    const QString deep = home_.path() + "/a/b/c/";
    EnsureFolder(deep);
    QVERIFY(QFileInfo(home_.path() + "/a/b/c").isDir());
    EnsureFolder(deep);
    QVERIFY(QFileInfo(home_.path() + "/a/b/c").isDir());
}

void TestPuzzleFolders::downloadPath_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("keepName");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<int>("copy");
    QTest::addColumn<QString>("fileName");
    const QString e = QString(u'\u00e9');

    QTest::newRow("wildcards") << "Daily*Puzzle?" << false << ".puz" << 1 << "Daily_Puzzle__Dec_06_2026.puz";
    QTest::newRow("server name kept") << "Mar05.PUZ" << true << ".puz" << 1 << "Mar05.PUZ";
    QTest::newRow("slash stays in the folder") << "../evil/x" << true << ".puz" << 1 << ".._evil_x.puz";
    QTest::newRow("nul replaced") << QString("a") + QChar(0) + "b" << true << ".puz" << 1 << "a_b.puz";
    QTest::newRow("ending of what arrived") << "Mar05.puz" << true << ".gmd" << 1 << "Mar05.gmd";
    QTest::newRow("script name gets one") << "get.php_id=5" << true << ".puz" << 1 << "get.php_id=5.puz";
    QTest::newRow("second copy") << "Daily" << false << ".puz" << 2 << "Daily_Dec_06_2026_2.puz";
    // 204 two-byte letters are cut to 124 of them: 254 bytes with "_3.puz".
    QTest::newRow("name cut in bytes") << e.repeated(204) + ".puz" << true << ".puz" << 3 << e.repeated(124) + "_3.puz";
}

void TestPuzzleFolders::downloadPath()
{
    QFETCH(QString, name);
    QFETCH(bool, keepName);
    QFETCH(QString, ending);
    QFETCH(int, copy);
    QFETCH(QString, fileName);

    const QString path = MakeDownloadPath(name, keepName, QDate(2026, 12, 6), ending, copy);
    QCOMPARE(path, GetPuzzleFolder() + "/" + fileName);
    QVERIFY(QFileInfo(GetPuzzleFolder()).isDir());
}

void TestPuzzleFolders::longNameIsCutToThePathLimit()
{
    const QString path = MakeDownloadPath(QString(300, u'x'), false, QDate(2026, 12, 6));
    QVERIFY(path.size() <= kMaxPathLength);
    QVERIFY(path.endsWith("x_Dec_06_2026.puz"));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestPuzzleFolders)
#include "tst_puzzle_folders.moc"
