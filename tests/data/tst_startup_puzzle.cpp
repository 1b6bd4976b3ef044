#include "data/startup_puzzle.h"

#include "core/puzzle.h"
#include "core/puzzle_folders.h"
#include "core/puzzle_store.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "scripted_prompt.h"
#include "test_main.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestStartupPuzzle : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void choosesPuzzle_data();
    void choosesPuzzle();
    void nothingAnywhereShowsNoPuzzle();

private:
    QString Documents(const QString& relative) const { return GetDocumentsFolder() + relative; }
    void WritePuzzle(const QString& path);

    std::unique_ptr<QTemporaryDir> root_;
};

void TestStartupPuzzle::init()
{
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    qputenv("HOME", root_->filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", root_->filePath("home/.config").toUtf8());
    QVERIFY(QDir().mkpath(Documents(QString())));
}

void TestStartupPuzzle::cleanup()
{
    root_.reset();
}

void TestStartupPuzzle::WritePuzzle(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"AB", "CD"}).Build()));
}

// Paths are relative to the documents folder; the command line may carry
// blanks around its path.
void TestStartupPuzzle::choosesPuzzle_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QString>("commandLine");
    QTest::addColumn<bool>("considerCommandLine");
    QTest::addColumn<QString>("opened");

    const QStringList all{"XWords/last.puz", "XWords/passed.puz", "any/found.puz"};
    QTest::newRow("last puzzle") << all << "XWords/last.puz" << "" << true << "XWords/last.puz";
    QTest::newRow("command line") << all << "XWords/last.puz" << "XWords/passed.puz" << true
                                  << "XWords/passed.puz";
    QTest::newRow("command line with blanks is not trimmed")
        << all << "XWords/last.puz" << "  XWords/passed.puz " << true << "XWords/last.puz";
    QTest::newRow("command line not considered")
        << all << "XWords/last.puz" << "XWords/passed.puz" << false << "XWords/last.puz";
    QTest::newRow("missing command line file")
        << all << "XWords/last.puz" << "XWords/gone.puz" << true << "XWords/last.puz";
    QTest::newRow("command line without last puzzle")
        << all << "" << "XWords/passed.puz" << true << "XWords/passed.puz";
    QTest::newRow("missing last puzzle falls back")
        << QStringList{"any/found.puz"} << "XWords/last.puz" << "" << true << "any/found.puz";
    QTest::newRow("no last puzzle falls back") << QStringList{"any/found.puz"} << "" << "" << true
                                               << "any/found.puz";
}

void TestStartupPuzzle::choosesPuzzle()
{
    QFETCH(QStringList, present);
    QFETCH(QString, last);
    QFETCH(QString, commandLine);
    QFETCH(bool, considerCommandLine);
    QFETCH(QString, opened);

    ScriptedPrompt prompt;
    for (const QString& relative : present)
        WritePuzzle(Documents(relative));
    const QString lastPath = last.isEmpty() ? QString() : Documents(last);
    QString commandPath = commandLine;
    if (!commandLine.trimmed().isEmpty())
        commandPath.replace(commandLine.trimmed(), Documents(commandLine.trimmed()));

    CPuzzle puzzle;
    CPuzzleStore store(puzzle);
    store.SetCardRoots({});
    QVERIFY(OpenStartupPuzzle(store, lastPath, commandPath, considerCommandLine));
    QCOMPARE(puzzle.GetPath(), Documents(opened));
    QVERIFY(prompt.messages.isEmpty());
}

void TestStartupPuzzle::nothingAnywhereShowsNoPuzzle()
{
    ScriptedPrompt prompt;
    CPuzzle puzzle;
    CPuzzleStore store(puzzle);
    store.SetCardRoots({root_->filePath("card")});

    QVERIFY(!OpenStartupPuzzle(store, Documents("XWords/NYTimes.gmd"), QString(), true));
    QVERIFY(!puzzle.IsLoaded());
    QVERIFY(QFileInfo(GetPuzzleFolder()).isDir());
    QCOMPARE(prompt.Captions(), QStringList{"No Puzzle"});
    QCOMPARE(prompt.messages[0].text, "No puzzle found. Please download or install at least one");
    QCOMPARE(prompt.messages[0].buttons, UserPrompt::Buttons::Ok);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestStartupPuzzle)
#include "tst_startup_puzzle.moc"
