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
    QTest::addColumn<QString>("fileName");

    QTest::newRow("wildcards") << "Daily*Puzzle?" << false << "Daily_Puzzle__Dec_06_2026.puz";
    QTest::newRow("server name kept") << "Mar05.puz" << true << "Mar05.puz";
    QTest::newRow("slash stays in the folder") << "../evil/x" << true << ".._evil_x";
    QTest::newRow("nul replaced") << QString("a") + QChar(0) + "b" << true << "a_b";
}

void TestPuzzleFolders::downloadPath()
{
    QFETCH(QString, name);
    QFETCH(bool, keepName);
    QFETCH(QString, fileName);

    const QString path = MakeDownloadPath(name, keepName, QDate(2026, 12, 6));
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
