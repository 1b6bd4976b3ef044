#include "core/file_picker.h"
#include "core/puzzle.h"
#include "core/puzzle_folders.h"
#include "core/puzzle_store.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "scripted_prompt.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Answers the chooser with a fixed path and remembers what it was asked.
class FixedPicker : public FilePicker {
public:
    QString PickFile(const QString& filter, const QString& folder, const QString& current) override
    {
        asked = true;
        this->filter = filter;
        this->folder = folder;
        this->current = current;
        return answer;
    }

    QString answer;
    bool asked = false;
    QString filter;
    QString folder;
    QString current;
};

// Creates the file and its missing folders by their bytes, which need not be
// valid UTF-8.
bool WriteByBytes(const QByteArray& path, const QByteArray& content)
{
    for (qsizetype slash = path.indexOf('/', 1); slash > 0; slash = path.indexOf('/', slash + 1))
        ::mkdir(path.left(slash).constData(), 0700);
    FILE* out = std::fopen(path.constData(), "wb");
    if (out == nullptr)
        return false;
    const bool written = std::fwrite(content.constData(), 1, size_t(content.size()), out) == size_t(content.size());
    return std::fclose(out) == 0 && written;
}

// Removes such a file and its emptied folders up to stop, which the temporary
// folder's clean-up would not find.
void RemoveByBytes(const QByteArray& path, const QByteArray& stop)
{
    ::unlink(path.constData());
    for (qsizetype slash = path.lastIndexOf('/'); slash > stop.size(); slash = path.lastIndexOf('/', slash - 1))
        ::rmdir(path.left(slash).constData());
}

} // namespace

class TestPuzzleStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void removableRootsComeFromMediaFolders();
    void countsOnlyPuzzleNames();
    void searchReachesTwoLevels_data();
    void searchReachesTwoLevels();
    void removableVolumeSearchedAfterDocuments();
    void unreadableFilesAreSkippedSilently();
    void pipeNamedLikePuzzleIsNeverRead();
    void namesThatAreNotUtf8AreLeftOut_data();
    void namesThatAreNotUtf8AreLeftOut();
    void failedOpenBringsPreviousPuzzleBack();
    void missingFileChangesNothing();
    void failedOpenShowsOneMessage_data();
    void failedOpenShowsOneMessage();
    void openCommandUsesChooser();
    void deleteCommand_data();
    void deleteCommand();
    void failedDeleteReportsSystemText();

private:
    QString Documents(const QString& relative) const { return GetDocumentsFolder() + relative; }
    QString Card(const QString& relative) const { return root_->filePath("card/" + relative); }
    void WritePuzzle(const QString& path);
    void WriteGarbage(const QString& path);

    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<CPuzzle> puzzle_;
    std::unique_ptr<CPuzzleStore> store_;
};

void TestPuzzleStore::init()
{
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
    qputenv("HOME", root_->filePath("home").toUtf8());
    qputenv("XDG_CONFIG_HOME", root_->filePath("home/.config").toUtf8());
    QVERIFY(QDir().mkpath(Documents(QString())));
    QVERIFY(QDir().mkpath(Card(QString())));
    puzzle_ = std::make_unique<CPuzzle>();
    store_ = std::make_unique<CPuzzleStore>(*puzzle_);
    store_->SetCardRoots({root_->filePath("card")});
}

void TestPuzzleStore::cleanup()
{
    store_.reset();
    puzzle_.reset();
    QFile(root_->filePath("home/Documents/locked")).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    root_.reset();
}

void TestPuzzleStore::WritePuzzle(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"AB", "CD"}).Build()));
}

void TestPuzzleStore::WriteGarbage(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QVERIFY(FixtureFiles::Write(path, "neither marker is in here"));
}

void TestPuzzleStore::removableRootsComeFromMediaFolders()
{
    const QStringList mounted{"/",         "/run/media/ann/B", "/home",          "/media/ann/A",
                              "/mediadata", "/media/",          "/run/user/1000", "/media/CARD"};
    QCOMPARE(CPuzzleStore::RemovableRoots(mounted), (QStringList{"/media/ann/A", "/media/CARD", "/run/media/ann/B"}));
}

void TestPuzzleStore::countsOnlyPuzzleNames()
{
    for (const char* name : {"x.PUZ", "y.Gmd", "a.puzz", ".puz", ".GMD", "notes.txt", "puz"})
        WritePuzzle(Documents(name));
    QVERIFY(QDir().mkpath(Documents("folder.puz")));
    QCOMPARE(store_->FindAnyPuzzle(true), 2);

    QVERIFY(store_->OpenAnyPuzzle());
    const QString opened = QFileInfo(puzzle_->GetPath()).fileName();
    QVERIFY2(opened == "x.PUZ" || opened == "y.Gmd", qPrintable(opened));
}

void TestPuzzleStore::searchReachesTwoLevels_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<bool>("found");
    QTest::newRow("documents folder") << "p.puz" << true;
    QTest::newRow("puzzle folder") << "XWords/p.puz" << true;
    QTest::newRow("two levels down") << "a/b/p.gmd" << true;
    QTest::newRow("three levels down") << "a/b/c/p.puz" << false;
}

void TestPuzzleStore::searchReachesTwoLevels()
{
    QFETCH(QString, relative);
    QFETCH(bool, found);
    WritePuzzle(Documents(relative));

    QCOMPARE(store_->FindAnyPuzzle(true), found ? 1 : 0);
    QCOMPARE(store_->OpenAnyPuzzle(), found);
    QCOMPARE(puzzle_->IsLoaded(), found);
}

void TestPuzzleStore::removableVolumeSearchedAfterDocuments()
{
    WritePuzzle(Card("XWords/card.puz"));
    QCOMPARE(store_->FindAnyPuzzle(true), 1);
    QVERIFY(store_->OpenAnyPuzzle());
    QCOMPARE(puzzle_->GetPath(), Card("XWords/card.puz"));

    WritePuzzle(Documents("XWords/home.puz"));
    QCOMPARE(store_->FindAnyPuzzle(true), 2);
    QVERIFY(store_->OpenAnyPuzzle());
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/home.puz"));
}

void TestPuzzleStore::unreadableFilesAreSkippedSilently()
{
    ScriptedPrompt prompt;
    WriteGarbage(Documents("bad.puz"));
    WriteGarbage(Documents("XWords/bad.gmd"));
    WritePuzzle(Card("good.puz"));

    QVERIFY(store_->OpenAnyPuzzle());
    QCOMPARE(puzzle_->GetPath(), Card("good.puz"));
    QVERIFY(prompt.messages.isEmpty());
}

void TestPuzzleStore::pipeNamedLikePuzzleIsNeverRead()
{
    ScriptedPrompt prompt;
    QVERIFY(QDir().mkpath(Documents("XWords")));
    const QString pipe = Documents("XWords/pipe.puz");
    QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    WritePuzzle(Documents("XWords/real.puz"));

    QCOMPARE(store_->FindAnyPuzzle(true), 1);
    QVERIFY(store_->OpenAnyPuzzle());
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/real.puz"));
    QVERIFY(store_->OpenPuzzleFile(pipe, true));
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/real.puz"));
    QCOMPARE(prompt.Captions(), QStringList{"Invalid Puzzle"});
}

void TestPuzzleStore::namesThatAreNotUtf8AreLeftOut_data()
{
    // Names as bytes, relative to the documents folder. Such a name has no
    // faithful form in the program's paths, so the directory listing leaves
    // it out and it is neither counted nor opened.
    QTest::addColumn<QList<QByteArray>>("files");
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("opened"); // empty: none

    QTest::newRow("only such a file") << QList<QByteArray> {"XWords/bad\xff.puz"} << 0 << "";
    QTest::newRow("such a folder") << QList<QByteArray> {"bad\xfe/XWords/p.puz"} << 0 << "";
    QTest::newRow("beside a good file") << QList<QByteArray> {"XWords/a\xff.gmd", "XWords/b.puz"} << 1
                                        << "XWords/b.puz";
}

void TestPuzzleStore::namesThatAreNotUtf8AreLeftOut()
{
    QFETCH(QList<QByteArray>, files);
    QFETCH(int, count);
    QFETCH(QString, opened);
    const QByteArray documents = QFile::encodeName(Documents(QString()));
    for (const QByteArray& file : files)
        QVERIFY(WriteByBytes(documents + file, PuzBuilder({"AB", "CD"}).Build()));

    const int found = store_->FindAnyPuzzle(true);
    const bool anyOpened = store_->OpenAnyPuzzle();
    const QString openedPath = puzzle_->GetPath();
    puzzle_->Close();
    for (const QByteArray& file : files)
        RemoveByBytes(documents + file, documents);
    QCOMPARE(found, count);
    QCOMPARE(anyOpened, !opened.isEmpty());
    if (!opened.isEmpty())
        QCOMPARE(openedPath, Documents(opened));
}

void TestPuzzleStore::failedOpenBringsPreviousPuzzleBack()
{
    ScriptedPrompt prompt;
    WritePuzzle(Documents("XWords/good.puz"));
    WriteGarbage(Documents("XWords/bad.puz"));
    QVERIFY(store_->OpenPuzzleFile(Documents("XWords/good.puz"), true));

    QVERIFY(store_->OpenPuzzleFile(Documents("XWords/bad.puz"), true));
    QVERIFY(puzzle_->IsLoaded());
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/good.puz"));
    QCOMPARE(prompt.Captions(), QStringList{"Invalid Puzzle"});
    QCOMPARE(prompt.messages[0].text,
             "The puzzle can not be opened because it is either corrupted or has unknown format");
    QCOMPARE(prompt.messages[0].icon, UserPrompt::Icon::Error);

    puzzle_->Close();
    QVERIFY(!store_->OpenPuzzleFile(Documents("XWords/bad.puz"), false));
    QVERIFY(!puzzle_->IsLoaded());
    QCOMPARE(prompt.messages.size(), 1);
}

void TestPuzzleStore::failedOpenShowsOneMessage_data()
{
    QTest::addColumn<QByteArray>("content"); // empty: a puzzle nobody may read
    QTest::addColumn<QString>("caption");
    QTest::newRow("not a puzzle") << QByteArray("neither marker") << "Invalid Puzzle";
    QTest::newRow("damaged packed document") << QByteArray("kavlith01 no stream") << "Decompression error";
    QTest::newRow("no read permission") << QByteArray() << "Gridmoor";
}

// One message, with the file's own reason when it cannot be read. Root reads
// any file, so that open runs as "nobody", let through the folders.
void TestPuzzleStore::failedOpenShowsOneMessage()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, caption);
    const QString path = Documents("XWords/p.gmd");
    QVERIFY(QDir().mkpath(Documents("XWords")));
    QVERIFY(FixtureFiles::Write(path, content.isEmpty() ? PuzBuilder({"AB", "CD"}).Build() : content));
    ScriptedPrompt prompt;
    const bool asNobody = content.isEmpty() && geteuid() == 0;
    const auto passable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    for (QString folder = QFileInfo(path).path(); asNobody && folder.startsWith(root_->path());
         folder = QFileInfo(folder).path())
        QFile::setPermissions(folder, passable);
    QFile::setPermissions(path, content.isEmpty() ? QFile::WriteOwner : QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(!asNobody || setresuid(65534, 65534, 0) == 0);
    const bool opened = store_->OpenPuzzleFile(path, true);
    QVERIFY(!asNobody || setresuid(0, 0, 0) == 0);
    QVERIFY(!opened);
    QCOMPARE(prompt.Captions(), QStringList{caption});
}

void TestPuzzleStore::missingFileChangesNothing()
{
    ScriptedPrompt prompt;
    WritePuzzle(Documents("XWords/good.puz"));
    QVERIFY(store_->OpenPuzzleFile(Documents("XWords/good.puz"), true));
    QVERIFY(!store_->OpenPuzzleFile(Documents("XWords/gone.puz"), true));
    QVERIFY(!store_->OpenPuzzleFile(QString(), true));
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/good.puz"));
    QVERIFY(prompt.messages.isEmpty());
}

void TestPuzzleStore::openCommandUsesChooser()
{
    FixedPicker picker;
    QVERIFY(!store_->OnOpenPuzzle());
    store_->SetFilePicker(&picker);
    QVERIFY(!store_->OnOpenPuzzle());
    QCOMPARE(picker.folder, GetDocumentsFolder());

    WritePuzzle(Documents("XWords/first.puz"));
    WritePuzzle(Documents("other/second.gmd.puz"));
    picker.answer = Documents("XWords/first.puz");
    QVERIFY(store_->OnOpenPuzzle());
    QCOMPARE(picker.filter, "Puzzle (*.puz *.gmd *.ipuz *.jpz)");
    QCOMPARE(picker.folder, GetPuzzleFolder());
    QCOMPARE(picker.current, QString());
    QCOMPARE(puzzle_->GetPath(), Documents("XWords/first.puz"));

    picker.answer = Documents("other/second.gmd.puz");
    QVERIFY(store_->OnOpenPuzzle());
    QCOMPARE(picker.folder, Documents("XWords"));
    QCOMPARE(picker.current, Documents("XWords/first.puz"));
    QCOMPARE(puzzle_->GetPath(), Documents("other/second.gmd.puz"));
    QVERIFY(store_->OnOpenPuzzle());
    QCOMPARE(picker.folder, Documents("other"));

    picker.answer.clear();
    QVERIFY(!store_->OnOpenPuzzle());
    QCOMPARE(puzzle_->GetPath(), Documents("other/second.gmd.puz"));
}

void TestPuzzleStore::deleteCommand_data()
{
    QTest::addColumn<UserPrompt::Answer>("answer");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("otherPuzzle");
    QTest::addColumn<QStringList>("captions");

    const QStringList deletedLast{"Delete Puzzle", "No Puzzle"};
    QTest::newRow("only puzzle") << UserPrompt::Answer::Yes << false << false << deletedLast;
    QTest::newRow("read-only puzzle") << UserPrompt::Answer::Yes << true << false << deletedLast;
    QTest::newRow("another puzzle opens") << UserPrompt::Answer::Yes << false << true << QStringList{"Delete Puzzle"};
    QTest::newRow("answered No") << UserPrompt::Answer::No << false << false << QStringList{"Delete Puzzle"};
}

void TestPuzzleStore::deleteCommand()
{
    QFETCH(UserPrompt::Answer, answer);
    QFETCH(bool, readOnly);
    QFETCH(bool, otherPuzzle);
    QFETCH(QStringList, captions);

    ScriptedPrompt prompt(answer);
    const QString path = Documents("XWords/current.puz");
    WritePuzzle(path);
    if (readOnly)
        QVERIFY(QFile(path).setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    if (otherPuzzle)
        WritePuzzle(Card("other.puz"));
    QVERIFY(store_->OpenPuzzleFile(path, true));

    store_->OnDeletePuzzle();
    QCOMPARE(prompt.Captions(), captions);
    const QString note = otherPuzzle ? QString() : "NOTE: This puzzle is a latest one on the handheld";
    QCOMPARE(prompt.messages[0].text, "Delete currently opened puzzle " + path + "?\n" + note);
    QCOMPARE(prompt.messages[0].icon, UserPrompt::Icon::Question);
    QCOMPARE(prompt.messages[0].buttons, UserPrompt::Buttons::YesNo);
    if (captions.size() > 1) {
        QCOMPARE(prompt.messages[1].text, "No puzzle found. Please download or install at least one");
        QCOMPARE(prompt.messages[1].icon, UserPrompt::Icon::None);
    }

    const bool deleted = answer == UserPrompt::Answer::Yes;
    QCOMPARE(QFileInfo::exists(path), !deleted);
    const QString opened = !deleted ? path : otherPuzzle ? Card("other.puz") : QString();
    QCOMPARE(puzzle_->IsLoaded(), !opened.isEmpty());
    if (!opened.isEmpty())
        QCOMPARE(puzzle_->GetPath(), opened);
}

void TestPuzzleStore::failedDeleteReportsSystemText()
{
    if (::geteuid() == 0)
        QSKIP("the superuser may delete from any folder");
    ScriptedPrompt prompt(UserPrompt::Answer::Yes);
    const QString path = Documents("locked/p.puz");
    WritePuzzle(path);
    WritePuzzle(Card("other.puz"));
    QVERIFY(store_->OpenPuzzleFile(path, true));
    QVERIFY(QFile(Documents("locked")).setPermissions(QFile::ReadOwner | QFile::ExeOwner));

    store_->OnDeletePuzzle();
    QVERIFY(QFileInfo::exists(path));
    QVERIFY(!puzzle_->IsLoaded());
    QCOMPARE(prompt.Captions(), (QStringList{"Delete Puzzle", "Unexpected Error"}));
    QCOMPARE(prompt.messages[1].text, QString::fromLocal8Bit(strerror(EACCES)));
    QCOMPARE(prompt.messages[1].icon, UserPrompt::Icon::Error);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestPuzzleStore)
#include "tst_puzzle_store.moc"
