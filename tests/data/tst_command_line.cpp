#include "data/command_line.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void pathIsMadeAbsolute_data();
    void pathIsMadeAbsolute();
};

void TestCommandLine::pathIsMadeAbsolute_data()
{
    QTest::addColumn<QStringList>("arguments"); // after the program name
    QTest::addColumn<QString>("workingFolder");
    QTest::addColumn<QString>("commandLine");

    const QString home = QStringLiteral("/home/ann/Downloads");
    QTest::newRow("file name") << QStringList {"mini.puz"} << home << "/home/ann/Downloads/mini.puz";
    QTest::newRow("absolute path kept") << QStringList {"/tmp/x.gmd"} << home << "/tmp/x.gmd";
    QTest::newRow("arguments joined first") << QStringList {"my", "puzzle.puz"} << home
                                            << "/home/ann/Downloads/my puzzle.puz";
    QTest::newRow("dot folders of missing folders kept") << QStringList {"./a/../../x.puz"} << home
                                                         << "/home/ann/Downloads/./a/../../x.puz";
    // ".." after the link "lnk" leads out of the folder it points to.
    static const QTemporaryDir dir;
    const QString root = QFileInfo(dir.path()).canonicalFilePath();
    QDir().mkpath(root + "/start");
    QDir().mkpath(root + "/other/inner");
    QFile::link(root + "/other/inner", root + "/start/lnk");
    QTest::newRow("dot folders resolved by the file system") << QStringList {"lnk/../s.puz"} << root + "/start"
                                                             << root + "/other/s.puz";
    QTest::newRow("blanks stay around it") << QStringList {"  cmd.puz\t"} << home
                                           << "  /home/ann/Downloads/cmd.puz\t";
    QTest::newRow("blanks inside kept") << QStringList {"a  b.puz "} << home << "/home/ann/Downloads/a  b.puz ";
    QTest::newRow("root folder") << QStringList {"x.puz"} << "/" << "/x.puz";
    QTest::newRow("no arguments") << QStringList {} << home << "";
    QTest::newRow("blanks only") << QStringList {"", " "} << home << "  ";
    QTest::newRow("working folder unknown") << QStringList {"mini.puz"} << "" << "mini.puz";
}

void TestCommandLine::pathIsMadeAbsolute()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, workingFolder);
    QFETCH(QString, commandLine);
    QCOMPARE(CommandLineFromArguments(QStringList {"gridmoor"} + arguments, workingFolder), commandLine);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestCommandLine)
#include "tst_command_line.moc"
