#include "core/puzzle_file.h"

#include "document_builder.h"
#include "fixture_files.h"
#include "recording_prompt.h"
#include "write_protection.h"
#include "test_main.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {

const QString kDecompressText =
    "Error while decompressing the puzzle. The puzzle is either corrupted or unknown format";

QByteArray Repeated(qsizetype length)
{
    QByteArray text;
    while (text.size() < length)
        text += "<clue text=\"a line of filler\" />\n";
    return text.left(length);
}

} // namespace

class TestPuzzleFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void packedContainerSizes_data();
    void packedContainerSizes();
    void shortFilesArePlain_data();
    void shortFilesArePlain();
    void missingFileShowsItsReason();
    void folderIsRefused();
    void fileWithoutSizeIsReadToItsEnd();
    void largeFileIsReadWhole();
    void plainFileIsWrittenBackOnlyWhenChanged();
    void packedFileIsPackedAgain();
    void writeBackKeepsPermissions();
    void failedWriteKeepsTheOldFile();
    void writeProtectedFileIsNeverWritten();
    void fileInUnwritableFolderIsRewrittenInPlace_data();
    void fileInUnwritableFolderIsRewrittenInPlace();

private:
    QString Path(const QString& name) const { return dir_->filePath(name); }

    std::unique_ptr<QTemporaryDir> dir_;
};

void TestPuzzleFile::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestPuzzleFile::packedContainerSizes_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<qsizetype>("unpackedLength");

    QTest::newRow("small") << DocumentBuilder::Pack(Repeated(100)) << true << qsizetype(100);
    QTest::newRow("30000 bytes, eighth try") << DocumentBuilder::Pack(Repeated(30000)) << true << qsizetype(30000);
    QTest::newRow("exactly 32768") << DocumentBuilder::Pack(Repeated(32768)) << true << qsizetype(32768);
    QTest::newRow("40000 bytes") << DocumentBuilder::Pack(Repeated(40000)) << false << qsizetype(0);
    QTest::newRow("magic only") << QByteArray(CPuzzleFile::kMagic) << false << qsizetype(0);
    QTest::newRow("stream cut short") << DocumentBuilder::Pack(Repeated(5000)).left(40) << false << qsizetype(0);
    QTest::newRow("damaged stream") << QByteArray(CPuzzleFile::kMagic) + "not a zlib stream" << false << qsizetype(0);
}

void TestPuzzleFile::packedContainerSizes()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, opens);
    QFETCH(qsizetype, unpackedLength);
    QVERIFY(FixtureFiles::Write(Path("doc.gmd"), file));

    RecordingPrompt prompt;
    CPuzzleFile image;
    QCOMPARE(image.Open(Path("doc.gmd")), opens);
    QVERIFY(image.IsCompressed());
    if (opens) {
        QVERIFY(prompt.texts.isEmpty());
        QCOMPARE(image.GetLength(), unpackedLength);
        QCOMPARE(image.Data(), Repeated(unpackedLength));
    } else {
        QCOMPARE(prompt.texts, QStringList {kDecompressText});
        QCOMPARE(prompt.captions, QStringList {"Decompression error"});
        QCOMPARE(prompt.icons.value(0), UserPrompt::Icon::Error);
    }
    image.Close();
    QCOMPARE(FixtureFiles::Read(Path("doc.gmd")), file);
}

void TestPuzzleFile::shortFilesArePlain_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("5 bytes") << QByteArray("kavli");
    QTest::newRow("8 bytes of the magic") << QByteArray("kavlith0");
}

void TestPuzzleFile::shortFilesArePlain()
{
    QFETCH(QByteArray, content);
    QVERIFY(FixtureFiles::Write(Path("short"), content));
    CPuzzleFile image;
    QVERIFY(image.Open(Path("short")));
    QVERIFY(!image.IsCompressed());
    QCOMPARE(image.Data(), content);
}

void TestPuzzleFile::missingFileShowsItsReason()
{
    RecordingPrompt prompt;
    CPuzzleFile image;
    QVERIFY(!image.Open(Path("absent.puz")));
    QCOMPARE(prompt.texts.size(), 1);
    QVERIFY(prompt.texts[0].startsWith("The file \"" + Path("absent.puz") + "\" could not be opened: "));
    QCOMPARE(prompt.icons.value(0), UserPrompt::Icon::Error);
    image.Close();
    QVERIFY(!QFile::exists(Path("absent.puz")));
}

void TestPuzzleFile::folderIsRefused()
{
    RecordingPrompt prompt;
    CPuzzleFile image;
    QVERIFY(!image.Open(dir_->path()));
    QCOMPARE(prompt.texts, QStringList {"The file \"" + dir_->path() + "\" could not be opened: Is a directory."});
    image.Close();
}

// Files of the kernel's information folder report the size 0 yet have content.
void TestPuzzleFile::fileWithoutSizeIsReadToItsEnd()
{
    const QString path = QStringLiteral("/proc/version");
    QFile expected(path);
    if (!expected.open(QIODevice::ReadOnly))
        QSKIP("/proc/version cannot be read here");
    CPuzzleFile image;
    QVERIFY(image.Open(path));
    QVERIFY(image.GetLength() > 0);
    QCOMPARE(image.Data(), expected.readAll());
    image.Close();
}

void TestPuzzleFile::largeFileIsReadWhole()
{
    QByteArray content(300000, Qt::Uninitialized);
    for (qsizetype i = 0; i < content.size(); ++i)
        content[i] = char(i * 7 % 251);
    QVERIFY(FixtureFiles::Write(Path("large"), content));
    CPuzzleFile image;
    QVERIFY(image.Open(Path("large")));
    QCOMPARE(image.Data(), content);
}

void TestPuzzleFile::plainFileIsWrittenBackOnlyWhenChanged()
{
    QVERIFY(FixtureFiles::Write(Path("f"), "abcdef"));
    const QDateTime written = QFileInfo(Path("f")).lastModified();
    CPuzzleFile image;
    QVERIFY(image.Open(Path("f")));
    image.Seek(1);
    image.Write("b", 1);
    image.Close();
    QCOMPARE(QFileInfo(Path("f")).lastModified(), written);

    QVERIFY(image.Open(Path("f")));
    image.Seek(1);
    image.Write("B", 1);
    image.Close();
    QCOMPARE(FixtureFiles::Read(Path("f")), QByteArray("aBcdef"));
    QCOMPARE(image.GetLength(), 0);
    QVERIFY(image.GetPath().isEmpty());
}

void TestPuzzleFile::packedFileIsPackedAgain()
{
    const QByteArray text = Repeated(6000);
    QVERIFY(FixtureFiles::Write(Path("doc.gmd"), DocumentBuilder::Pack(text)));
    CPuzzleFile image;
    QVERIFY(image.Open(Path("doc.gmd")));
    image.Seek(0);
    image.Write("<CLUE", 5);
    image.Close();
    const QByteArray stored = FixtureFiles::Read(Path("doc.gmd"));
    QVERIFY(stored.startsWith("kavlith01"));
    QCOMPARE(DocumentBuilder::Unpack(stored), "<CLUE" + text.mid(5));
}

void TestPuzzleFile::writeBackKeepsPermissions()
{
    QVERIFY(FixtureFiles::Write(Path("f"), "abc"));
    const auto permissions = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
    QVERIFY(QFile::setPermissions(Path("f"), permissions));
    CPuzzleFile image;
    QVERIFY(image.Open(Path("f")));
    image.Write("x", 1);
    image.Close();
    QCOMPARE(FixtureFiles::Read(Path("f")), QByteArray("xbc"));
    QCOMPARE(QFile::permissions(Path("f")) & ~(QFile::ReadUser | QFile::WriteUser | QFile::ExeUser), permissions);
}

void TestPuzzleFile::failedWriteKeepsTheOldFile()
{
    const QByteArray original = Repeated(4000);
    QVERIFY(FixtureFiles::Write(Path("f"), original));
    CPuzzleFile image;
    QVERIFY(image.Open(Path("f")));
    image.Write("changed", 7);
    RecordingPrompt prompt;
    {
        FileSizeLimit fullDisk(100);
        if (!fullDisk.IsActive())
            QSKIP("the file size limit cannot be set here");
        image.Close();
    }
    QCOMPARE(FixtureFiles::Read(Path("f")), original);
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), QStringList {"f"});
    QCOMPARE(prompt.texts.size(), 1);
    QVERIFY(prompt.texts[0].startsWith("The file \"" + Path("f") + "\" could not be saved: "));
    QCOMPARE(prompt.captions.value(0), QString("Gridmoor"));
}

void TestPuzzleFile::writeProtectedFileIsNeverWritten()
{
    const QByteArray packed = DocumentBuilder::Pack(Repeated(3000));
    QVERIFY(FixtureFiles::Write(Path("doc.gmd"), packed));
    CPuzzleFile image;
    {
        WriteProtection protection(Path("doc.gmd"));
        if (!protection.IsActive())
            QSKIP("this process can write to any file");
        QVERIFY(image.Open(Path("doc.gmd")));
        QVERIFY(image.IsReadOnly());
        QCOMPARE(image.Data(), Repeated(3000));
        image.Write("changed", 7);
        image.Close();
    }
    QCOMPARE(FixtureFiles::Read(Path("doc.gmd")), packed);
}

void TestPuzzleFile::fileInUnwritableFolderIsRewrittenInPlace_data()
{
    QTest::addColumn<rlim_t>("sizeLimit"); // 0: none
    QTest::addColumn<qsizetype>("growth");
    QTest::addColumn<QString>("stored"); // "new", "old" or "damaged"
    QTest::addColumn<QString>("message");

    QTest::newRow("same length") << rlim_t(0) << qsizetype(0) << "new" << "";
    QTest::newRow("grown") << rlim_t(0) << qsizetype(700) << "new" << "";
    QTest::newRow("disk full past the old length")
        << rlim_t(4000) << qsizetype(700) << "old" << "It was left as it was.";
    QTest::newRow("disk full within the old length")
        << rlim_t(100) << qsizetype(0) << "damaged" << "Its content may be incomplete.";
}

// The file keeps its identity: the other name of the file sees the new
// content, and the owner stays.
void TestPuzzleFile::fileInUnwritableFolderIsRewrittenInPlace()
{
    QFETCH(rlim_t, sizeLimit);
    QFETCH(qsizetype, growth);
    QFETCH(QString, stored);
    QFETCH(QString, message);
    const QByteArray original = Repeated(4000);
    QVERIFY(FixtureFiles::Write(Path("f"), original));
    QCOMPARE(::link(QFile::encodeName(Path("f")).constData(), QFile::encodeName(Path("g")).constData()), 0);
    struct stat before {};
    QCOMPARE(::stat(QFile::encodeName(Path("f")).constData(), &before), 0);

    RecordingPrompt prompt;
    CPuzzleFile image;
    {
        UnwritableFolder folder(Path("f"));
        if (!folder.IsActive())
            QSKIP("this process can write into any folder");
        QVERIFY(image.Open(Path("f")));
        QVERIFY(!image.IsReadOnly());
        image.Write("changed", 7);
        image.Seek(original.size());
        image.Write(Repeated(growth).constData(), growth);
        const QByteArray expected = image.Data();
        FileSizeLimit fullDisk(sizeLimit == 0 ? RLIM_INFINITY : sizeLimit);
        image.Close();
        // After a failed write-back the program cannot tell what reached
        // the disk, so a "damaged" file's content is not checked.
        const QByteArray now = FixtureFiles::Read(Path("f"));
        if (stored != "damaged") {
            QCOMPARE(now == expected, stored == "new");
            QCOMPARE(now == original, stored == "old");
        }
    }
    QCOMPARE(FixtureFiles::Read(Path("g")), FixtureFiles::Read(Path("f")));
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), (QStringList {"f", "g"}));
    struct stat after {};
    QCOMPARE(::stat(QFile::encodeName(Path("f")).constData(), &after), 0);
    QCOMPARE(after.st_ino, before.st_ino);
    QCOMPARE(after.st_uid, before.st_uid);
    if (message.isEmpty()) {
        QVERIFY(prompt.texts.isEmpty());
    } else {
        QCOMPARE(prompt.texts.size(), 1);
        QVERIFY(prompt.texts[0].startsWith("The file \"" + Path("f") + "\" could not be saved: "));
        QVERIFY2(prompt.texts[0].endsWith(". " + message), qPrintable(prompt.texts[0]));
    }
}

GRIDMOOR_TEST_GUILESS_MAIN(TestPuzzleFile)
#include "tst_puzzle_file.moc"
