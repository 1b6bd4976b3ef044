#include "data/shipped_puzzles.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <unistd.h>

class TestShippedPuzzles : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void writableProgramFolderMovesDocuments();
    void readOnlyProgramFolderCopiesWritableDocuments();
    void unwritableProgramFolderIsDetected();
    void existingPuzzleIsNeverReplaced();
    void runsOncePerInstallation();

private:
    void Write(const QString& path, const QByteArray& content);
    QByteArray Read(const QString& path);
    ShippedPuzzles Shipped() const;

    QTemporaryDir root_;
    QString program_;
    QString programFile_;
    QString puzzles_;
    QString marker_;
};

void TestShippedPuzzles::init()
{
    QVERIFY(root_.isValid());
    program_ = root_.filePath("install");
    programFile_ = program_ + "/gridmoor";
    puzzles_ = root_.filePath("home/Documents/XWords");
    marker_ = root_.filePath("home/.local/share/gridmoor/installation");
    QVERIFY(QDir().mkpath(program_));
    Write(programFile_, "program");
    Write(program_ + "/NYTimes.gmd", "sample");
    Write(program_ + "/Extra.GMD", "extra");
    Write(program_ + "/readme.txt", "not a puzzle");
}

void TestShippedPuzzles::cleanup()
{
    QFile(program_).setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(root_.remove());
    QVERIFY(QDir().mkpath(root_.path()));
}

void TestShippedPuzzles::Write(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray TestShippedPuzzles::Read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

ShippedPuzzles TestShippedPuzzles::Shipped() const
{
    return ShippedPuzzles(programFile_, puzzles_, marker_);
}

void TestShippedPuzzles::writableProgramFolderMovesDocuments()
{
    ShippedPuzzles shipped = Shipped();
    QVERIFY(shipped.MigrateOnFirstStart(ShippedPuzzles::Transfer::Move));

    QCOMPARE(Read(puzzles_ + "/NYTimes.gmd"), QByteArray("sample"));
    QCOMPARE(Read(puzzles_ + "/Extra.GMD"), QByteArray("extra"));
    QVERIFY(!QFileInfo::exists(program_ + "/NYTimes.gmd"));
    QVERIFY(!QFileInfo::exists(program_ + "/Extra.GMD"));
    QVERIFY(QFileInfo::exists(program_ + "/readme.txt"));
    QVERIFY(!QFileInfo::exists(puzzles_ + "/readme.txt"));
}

void TestShippedPuzzles::readOnlyProgramFolderCopiesWritableDocuments()
{
    QFile(program_ + "/NYTimes.gmd").setPermissions(QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    ShippedPuzzles shipped = Shipped();
    QVERIFY(shipped.MigrateOnFirstStart(ShippedPuzzles::Transfer::Copy));

    QCOMPARE(Read(puzzles_ + "/NYTimes.gmd"), QByteArray("sample"));
    QCOMPARE(Read(program_ + "/NYTimes.gmd"), QByteArray("sample"));
    QVERIFY(QFile(puzzles_ + "/NYTimes.gmd").permissions() & QFile::WriteOwner);
}

void TestShippedPuzzles::unwritableProgramFolderIsDetected()
{
    if (::geteuid() == 0)
        QSKIP("every folder is writable for the superuser");
    QVERIFY(QFile(program_).setPermissions(QFile::ReadOwner | QFile::ExeOwner));
    ShippedPuzzles shipped = Shipped();
    QVERIFY(shipped.MigrateOnFirstStart());

    QCOMPARE(Read(puzzles_ + "/NYTimes.gmd"), QByteArray("sample"));
    QVERIFY(QFileInfo::exists(program_ + "/NYTimes.gmd"));
}

void TestShippedPuzzles::existingPuzzleIsNeverReplaced()
{
    Write(puzzles_ + "/NYTimes.gmd", "my progress");
    for (ShippedPuzzles::Transfer transfer : {ShippedPuzzles::Transfer::Move, ShippedPuzzles::Transfer::Copy}) {
        QFile::remove(marker_);
        ShippedPuzzles shipped = Shipped();
        QVERIFY(shipped.MigrateOnFirstStart(transfer));
        QCOMPARE(Read(puzzles_ + "/NYTimes.gmd"), QByteArray("my progress"));
        QCOMPARE(Read(program_ + "/NYTimes.gmd"), QByteArray("sample"));
    }
}

void TestShippedPuzzles::runsOncePerInstallation()
{
    ShippedPuzzles first = Shipped();
    QVERIFY(first.MigrateOnFirstStart(ShippedPuzzles::Transfer::Copy));
    QFile::remove(puzzles_ + "/NYTimes.gmd");

    ShippedPuzzles second = Shipped();
    QVERIFY(!second.IsFirstStart());
    QVERIFY(!second.MigrateOnFirstStart(ShippedPuzzles::Transfer::Copy));
    QVERIFY(!QFileInfo::exists(puzzles_ + "/NYTimes.gmd"));

    // Installing again replaces the program file, which starts a new round.
    QFile program(programFile_);
    QVERIFY(program.open(QIODevice::ReadWrite));
    QVERIFY(program.setFileTime(QDateTime::currentDateTime().addDays(1), QFileDevice::FileModificationTime));
    program.close();
    ShippedPuzzles reinstalled = Shipped();
    QVERIFY(reinstalled.MigrateOnFirstStart(ShippedPuzzles::Transfer::Copy));
    QVERIFY(QFileInfo::exists(puzzles_ + "/NYTimes.gmd"));
}

GRIDMOOR_TEST_GUILESS_MAIN(TestShippedPuzzles)
#include "tst_shipped_puzzles.moc"
