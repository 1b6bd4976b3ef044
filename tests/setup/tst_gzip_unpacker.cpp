// The setup hook as an installation runs it: the built library is loaded and
// its Install_Exit called on installation folders made by the test.
#include "setup/install_exit.h"

#include "required_tools.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

namespace {

// A damage or a setup that makes the hook fail.
enum class Fault {
    NoZlib,
    NoGzopen,
    NoGzclose,
    NoGzread,
    DamagedData,
    CutOffStream,
    WrongChecksum,
    HeaderOnly,
    FolderPathTooLong,
    FileNameTooLong,
};

constexpr char kDocument[] = "doc.gmd";

QByteArray Gzip(const QByteArray& content)
{
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    QByteArray packed(int(deflateBound(&stream, uLong(content.size()))) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.constData()));
    stream.avail_in = uInt(content.size());
    stream.next_out = reinterpret_cast<Bytef*>(packed.data());
    stream.avail_out = uInt(packed.size());
    deflate(&stream, Z_FINISH);
    packed.resize(int(stream.total_out));
    deflateEnd(&stream);
    return packed;
}

QByteArray RandomBytes(int size)
{
    QByteArray bytes(size, '\0');
    for (char& byte : bytes)
        byte = char(QRandomGenerator::global()->bounded(256));
    return bytes;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// The names in the folder, sorted by their bytes.
QStringList Entries(const QString& folder)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    names.sort();
    return names;
}

QStringList Sorted(QStringList names)
{
    names.sort();
    return names;
}

// Old, distinct access and modification times, to the nanosecond.
void SetTimes(const QString& path)
{
    const timespec times[2] = {{1'000'000'000, 123'456'789}, {1'100'000'000, 987'654'321}};
    utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW);
}

struct stat Status(const QString& path)
{
    struct stat status {};
    lstat(QFile::encodeName(path).constData(), &status);
    return status;
}

} // namespace

Q_DECLARE_METATYPE(Fault)

class TestGzipUnpacker : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void filesAreUnpackedOrLeftAlone_data();
    void filesAreUnpackedOrLeftAlone();
    void entriesThatAreNoFilesAreSkipped();
    void failureLeavesTheFolderAsItWas_data();
    void failureLeavesTheFolderAsItWas();
    void onlyInstallExitIsExported();

private:
    // A new installation folder holding the platform's zlib.
    QString NewInstallation(const QString& below = QString());
    int RunHook(const QString& folder) const;

    void* hook_ = nullptr;
    InstallExitFunction installExit_ = nullptr;
    std::unique_ptr<QTemporaryDir> root_;
};

void TestGzipUnpacker::initTestCase()
{
    hook_ = dlopen(GRIDMOOR_SETUP_HOOK, RTLD_NOW | RTLD_LOCAL);
    QVERIFY2(hook_ != nullptr, dlerror());
    installExit_ = reinterpret_cast<InstallExitFunction>(dlsym(hook_, "Install_Exit"));
    QVERIFY(installExit_ != nullptr);
}

void TestGzipUnpacker::cleanupTestCase()
{
    if (hook_ != nullptr)
        dlclose(hook_);
}

void TestGzipUnpacker::init()
{
    root_ = std::make_unique<QTemporaryDir>();
    QVERIFY(root_->isValid());
}

QString TestGzipUnpacker::NewInstallation(const QString& below)
{
    const QString folder = root_->filePath(below.isEmpty() ? QStringLiteral("app") : below);
    QDir().mkpath(folder);
    QFile::copy(QStringLiteral(GRIDMOOR_PLATFORM_ZLIB), folder + QStringLiteral("/libz.so.1"));
    return folder;
}

int TestGzipUnpacker::RunHook(const QString& folder) const
{
    return installExit_(nullptr, QFile::encodeName(folder).constData(), 0, 0, 0, 0, 0);
}

void TestGzipUnpacker::filesAreUnpackedOrLeftAlone_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("installed");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray block = RandomBytes(1024);
    const QByteArray blockAndOne = RandomBytes(1025);
    const QByteArray large = RandomBytes(100'000);
    const QByteArray text("<crossword/>\n");
    QTest::newRow("exactly one block") << "a.gmd" << Gzip(block) << block;
    QTest::newRow("one block and a byte") << "b.gmd" << Gzip(blockAndOne) << blockAndOne;
    QTest::newRow("many blocks") << "data" << Gzip(large) << large;
    QTest::newRow("empty content") << "empty.gmd" << Gzip({}) << QByteArray();
    QTest::newRow("name without extension") << "README" << Gzip(text) << text;
    QTest::newRow("name ending in .gz stays packed") << "c.gz" << Gzip(text) << Gzip(text);
    QTest::newRow("upper-case .GZ is unpacked") << "C.GZ" << Gzip(text) << text;
    QTest::newRow("plain file") << "d.gmd" << text << text;
    QTest::newRow("one byte") << "e" << QByteArray("\x1f") << QByteArray("\x1f");
    QTest::newRow("gzip magic, shorter than a header")
        << "f" << QByteArray("\x1f\x8b\x08\x00\x00", 5) << QByteArray("\x1f\x8b\x08\x00\x00", 5);
    QTest::newRow("empty file") << "g" << QByteArray() << QByteArray();
}

void TestGzipUnpacker::filesAreUnpackedOrLeftAlone()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, installed);
    QFETCH(QByteArray, expected);

    const QString folder = NewInstallation();
    const QByteArray zlib = ReadAll(folder + "/libz.so.1");
    const QString path = folder + u'/' + name;
    QVERIFY(Write(path, installed));
    // Other than the private temporary file the content is written into.
    chmod(QFile::encodeName(path).constData(), 0644);
    SetTimes(path);
    const struct stat before = Status(path);

    QCOMPARE(RunHook(folder), int(kInstallDone));
    const struct stat after = Status(path);
    QCOMPARE(ReadAll(path), expected);
    QCOMPARE(after.st_mode, before.st_mode);
    QCOMPARE(after.st_mtim.tv_sec, before.st_mtim.tv_sec);
    QCOMPARE(after.st_mtim.tv_nsec, before.st_mtim.tv_nsec);
    // Reading a file may move its access time; an unpacked one gets it back.
    if (expected != installed) {
        QCOMPARE(after.st_atim.tv_sec, before.st_atim.tv_sec);
        QCOMPARE(after.st_atim.tv_nsec, before.st_atim.tv_nsec);
    }
    QCOMPARE(ReadAll(folder + "/libz.so.1"), zlib);
    // The temporary file is gone, whether it was used or not.
    QCOMPARE(Entries(folder), Sorted({"libz.so.1", name}));
}

// A folder (even one named like a document) is no file to unpack, and the
// walk does not go into it; a link is left as a link.
void TestGzipUnpacker::entriesThatAreNoFilesAreSkipped()
{
    const QString folder = NewInstallation();
    QVERIFY(QDir().mkpath(folder + "/sub.gmd"));
    QVERIFY(Write(folder + "/sub.gmd/inner.gmd", Gzip("inner")));
    QVERIFY(Write(root_->filePath("outside.gmd"), Gzip("outside")));
    QVERIFY(QFile::link(root_->filePath("outside.gmd"), folder + "/link.gmd"));
    QVERIFY(Write(folder + u'/' + kDocument, Gzip("document")));

    QCOMPARE(RunHook(folder), int(kInstallDone));
    QCOMPARE(ReadAll(folder + u'/' + kDocument), QByteArray("document"));
    QCOMPARE(ReadAll(folder + "/sub.gmd/inner.gmd"), Gzip("inner"));
    QVERIFY(QFileInfo(folder + "/link.gmd").isSymLink());
    QCOMPARE(ReadAll(root_->filePath("outside.gmd")), Gzip("outside"));
    QCOMPARE(Entries(folder), QStringList({kDocument, "libz.so.1", "link.gmd", "sub.gmd"}));
}

void TestGzipUnpacker::failureLeavesTheFolderAsItWas_data()
{
    QTest::addColumn<Fault>("fault");

    QTest::newRow("zlib missing") << Fault::NoZlib;
    QTest::newRow("zlib without gzopen") << Fault::NoGzopen;
    QTest::newRow("zlib without gzclose") << Fault::NoGzclose;
    QTest::newRow("zlib without gzread") << Fault::NoGzread;
    QTest::newRow("damaged compressed data") << Fault::DamagedData;
    QTest::newRow("stream cut off before its end") << Fault::CutOffStream;
    QTest::newRow("wrong checksum") << Fault::WrongChecksum;
    QTest::newRow("header and nothing else") << Fault::HeaderOnly;
    QTest::newRow("installation folder path too long") << Fault::FolderPathTooLong;
    QTest::newRow("file name too long") << Fault::FileNameTooLong;
}

void TestGzipUnpacker::failureLeavesTheFolderAsItWas()
{
    QFETCH(Fault, fault);

    const QString longFolder = QString(100, 'a') + u'/' + QString(100, 'b') + u'/' + QString(80, 'c');
    const QString folder = NewInstallation(fault == Fault::FolderPathTooLong ? longFolder : QString());
    const QString standIn = fault == Fault::NoGzopen ? ZLIB_WITHOUT_GZOPEN
        : fault == Fault::NoGzclose                   ? ZLIB_WITHOUT_GZCLOSE
                                                      : ZLIB_WITHOUT_GZREAD;
    if (fault == Fault::NoZlib || fault == Fault::NoGzopen || fault == Fault::NoGzclose || fault == Fault::NoGzread)
        QVERIFY(QFile::remove(folder + "/libz.so.1"));
    if (fault == Fault::NoGzopen || fault == Fault::NoGzclose || fault == Fault::NoGzread)
        QVERIFY(QFile::copy(standIn, folder + "/libz.so.1"));

    QByteArray document = Gzip(RandomBytes(5000));
    if (fault == Fault::DamagedData)
        document[document.size() / 2] = char(~document.at(document.size() / 2));
    if (fault == Fault::CutOffStream)
        document.chop(8);
    if (fault == Fault::WrongChecksum)
        document[document.size() - 6] = char(~document.at(document.size() - 6));
    if (fault == Fault::HeaderOnly)
        document = document.left(10);
    // Sorted before the other file, so the walk comes to it first.
    const QByteArray first = Gzip("first");
    QVERIFY(Write(folder + "/a.gmd", first));
    const QString name = fault == Fault::FileNameTooLong ? QString(250, 'z') : QString(kDocument);
    QVERIFY(Write(folder + u'/' + name, document));
    const QStringList before = Entries(folder);

    QCOMPARE(RunHook(folder), int(kInstallUninstall));
    QCOMPARE(ReadAll(folder + u'/' + name), document);
    QCOMPARE(Entries(folder), before);
    const bool damage = fault == Fault::DamagedData || fault == Fault::CutOffStream
        || fault == Fault::WrongChecksum || fault == Fault::HeaderOnly;
    if (!damage)
        QCOMPARE(ReadAll(folder + "/a.gmd"), first);
}

// A test of the built library: its dynamic symbol table defines Install_Exit
// and nothing else of its own.
void TestGzipUnpacker::onlyInstallExitIsExported()
{
    const QString missing = RequiredTools::Missing({{"nm", "binutils"}});
    if (!missing.isEmpty())
        QFAIL(qPrintable(missing));
    QProcess nm;
    nm.start(QStandardPaths::findExecutable("nm"), {"-D", "--defined-only", GRIDMOOR_SETUP_HOOK});
    QVERIFY(nm.waitForFinished(60000));
    QCOMPARE(nm.exitCode(), 0);
    QStringList defined;
    for (const QByteArray& line : nm.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() == 3)
            defined << QString::fromLatin1(fields.at(2));
    }
    QCOMPARE(defined, QStringList({"Install_Exit"}));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestGzipUnpacker)
#include "tst_gzip_unpacker.moc"
