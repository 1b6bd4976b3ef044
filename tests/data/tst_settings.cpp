#include "core/puzzle_folders.h"
#include "data/settings.h"

#include "archive_bytes.h"
#include "test_main.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

class TestSettings : public QObject {
    Q_OBJECT

private slots:
    void init();
    void firstStartGivesDefaultsAndPresets();
    void writtenFileMatchesLayout();
    void saveAndLoadGiveBackEveryField();
    void dataFileIsOwnerOnly();
    void cellSizeAndLastPuzzleAreSavedAtOnce();
    void unchangedSettingsAreNotRewritten();
    void presetsReturnAfterAllLinksWereDeleted();
    void damagedFile_data();
    void damagedFile();
    void recordValuesAreNormalised();
    void failedSaveIsSilent();
    void keyboardSizeRule_data();
    void keyboardSizeRule();

private:
    QTemporaryDir home_;
};

namespace {

constexpr int kDefaultClueViewHeight = 44;
constexpr ColorRef kButtonFace = 0x00C8D0D4;
const URLEntry kLink{"Daily", "example.org/d.puz", "me", " pw "};
const QString kPath = QString::fromUtf16(u"/home/u/Caf\u00E9.puz");

// The general record's fields in file order; a test that cuts the file names
// how many of them were read in full.
enum GeneralField {
    kCellSize, kClueAtTop, kLastPuzzlePath, kShowScrollbars, kKeyboardSize, kKeyboardShown,
    kKeyboardPosition, kClueViewHeight, kSplitterShown, kGeneralFieldCount
};

struct Fixture {
    QByteArray bytes;
    qsizetype linksAt = 0;
    qsizetype recordAt = 0;
    qsizetype fieldAt[kGeneralFieldCount] = {};
};

// A data file written straight from the layout: colour block, link list,
// general record; none of the values are defaults.
Fixture MakeFixture(qint32 linkCount = 1, quint8 version = 2)
{
    Fixture fixture;
    ArchiveBytes bytes;
    for (int role = 0; role < kColorRoleCount; ++role)
        bytes.I32(0x00102030 + role);
    fixture.linksAt = bytes.Size();
    bytes.I32(linkCount);
    if (linkCount > 0)
        bytes.Utf16(kLink.name).Utf16(kLink.url).Utf16(kLink.login).Utf16(kLink.password);
    fixture.recordAt = bytes.Size();
    bytes.U8(version);
    const auto mark = [&](GeneralField field) { fixture.fieldAt[field] = bytes.Size(); };
    mark(kCellSize), bytes.U8(2);
    mark(kClueAtTop), bytes.U8(0);
    mark(kLastPuzzlePath), bytes.Utf16(kPath);
    mark(kShowScrollbars), bytes.U8(1);
    mark(kKeyboardSize), bytes.I32(0);
    mark(kKeyboardShown), bytes.U8(0);
    mark(kKeyboardPosition), bytes.I32(7).I32(-9);
    if (version >= 2) {
        mark(kClueViewHeight), bytes.I32(77);
        mark(kSplitterShown), bytes.U8(0);
    }
    fixture.bytes = bytes.Bytes();
    return fixture;
}

void WriteDataFile(const QByteArray& bytes)
{
    QDir().mkpath(GetDocumentsFolder());
    QFile file(CSettings::DataFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadDataFile()
{
    QFile file(CSettings::DataFilePath());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void VerifyPresets(const CSettings& settings)
{
    QCOMPARE(settings.links.GetLinkCount(), 16);
    QVERIFY(settings.links.GetLink(1).url.endsWith(QStringLiteral("id=nytimes")));
}

void VerifyColors(const CSettings& settings, bool fromFile)
{
    QCOMPARE(settings.colorSchemes.SchemeCount(), 2);
    QCOMPARE(settings.colorSchemes.ActiveScheme(), 1);
    for (int role = 0; role < kColorRoleCount; ++role) {
        const ColorRef expected = fromFile ? 0x00102030 + role : settings.colorSchemes.GetColor(role, 0);
        QCOMPARE(settings.colorSchemes.GetColor(role), expected);
    }
    QCOMPARE(settings.colorSchemes.GetColor(kVoidCellBackground, 0), kButtonFace);
}

// The first `read` fields of the general record hold the fixture's values,
// the others their defaults.
void VerifyGeneralRecord(const CSettings& settings, int read)
{
    QCOMPARE(settings.cellSize, read > kCellSize ? 2 : 1);
    QCOMPARE(settings.clueAtTop, read <= kClueAtTop);
    QCOMPARE(settings.lastPuzzlePath, read > kLastPuzzlePath ? kPath : QString());
    QCOMPARE(settings.showScrollbars, read > kShowScrollbars);
    QCOMPARE(settings.keyboardSize, read > kKeyboardSize ? 0 : -1);
    QCOMPARE(settings.keyboardShown, read <= kKeyboardShown);
    QCOMPARE(settings.keyboardX, read > kKeyboardPosition ? 7 : 50);
    QCOMPARE(settings.keyboardY, read > kKeyboardPosition ? -9 : 180);
    QCOMPARE(settings.clueViewHeight, read > kClueViewHeight ? 77 : kDefaultClueViewHeight);
    QCOMPARE(settings.splitterShown, read <= kSplitterShown);
}

} // namespace

void TestSettings::init()
{
    QVERIFY(home_.isValid());
    QDir(home_.path()).removeRecursively();
    QDir().mkpath(home_.path());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8());
    QVERIFY(CSettings::DataFilePath().startsWith(home_.path()));
}

void TestSettings::firstStartGivesDefaultsAndPresets()
{
    {
        CSettings settings(kDefaultClueViewHeight, kButtonFace);
        QCOMPARE(g_settings, &settings);
        settings.LoadSettings();
        VerifyColors(settings, false);
        VerifyPresets(settings);
        QCOMPARE(settings.cellSize, 1);
        QVERIFY(settings.clueAtTop);
        QVERIFY(settings.splitterShown);
        QCOMPARE(settings.clueViewHeight, kDefaultClueViewHeight);
        QVERIFY(!settings.showScrollbars);
        QVERIFY(!settings.lowRes);
        QCOMPARE(settings.keyboardSize, -1);
        QCOMPARE(settings.keyboardX, 50);
        QCOMPARE(settings.keyboardY, 180);
        QVERIFY(settings.keyboardShown);
        QCOMPARE(settings.lastPuzzlePath, GetDocumentsFolder() + "XWords/NYTimes.gmd");
        QVERIFY(!QFileInfo::exists(CSettings::DataFilePath()));
    }
    QCOMPARE(g_settings, nullptr);
}

void TestSettings::writtenFileMatchesLayout()
{
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.colorSchemes.Init();
    for (int role = 0; role < kColorRoleCount; ++role)
        settings.colorSchemes.SetColor(role, 0x00102030 + role);
    settings.links.AppendLink(kLink);
    settings.cellSize = 2;
    settings.clueAtTop = false;
    settings.lastPuzzlePath = kPath;
    settings.showScrollbars = true;
    settings.keyboardSize = 0;
    settings.keyboardShown = false;
    settings.keyboardX = 7;
    settings.keyboardY = -9;
    settings.clueViewHeight = 77;
    settings.splitterShown = false;
    settings.lowRes = true;
    QVERIFY(settings.SaveSettings());
    QCOMPARE(ReadDataFile().toHex(), MakeFixture().bytes.toHex());
}

void TestSettings::saveAndLoadGiveBackEveryField()
{
    const QString longPath = "/media/card/" + QString(300, u'\u00FC') + ".puz";
    {
        CSettings settings(kDefaultClueViewHeight, kButtonFace);
        settings.LoadSettings();
        settings.colorSchemes.SetColor(kHintLettersText, 0x00ABCDEF);
        settings.links.RemoveLink(0);
        settings.links.AppendLink(kLink);
        settings.cellSize = 0;
        settings.clueAtTop = false;
        settings.splitterShown = false;
        settings.clueViewHeight = 123;
        settings.lastPuzzlePath = longPath;
        settings.showScrollbars = true;
        settings.keyboardSize = 3;
        settings.keyboardX = -20;
        settings.keyboardY = 400;
        settings.keyboardShown = false;
        QVERIFY(settings.SaveSettings());
    }
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    QCOMPARE(settings.colorSchemes.GetColor(kHintLettersText), ColorRef(0x00ABCDEF));
    QCOMPARE(settings.colorSchemes.GetColor(kHintLettersText, 0), ColorRef(0x00FF0000));
    QCOMPARE(settings.links.GetLinkCount(), 16);
    QCOMPARE(settings.links.GetLink(0).name, QStringLiteral("The New York Times (Daily)"));
    QCOMPARE(settings.links.GetLink(15), kLink);
    QCOMPARE(settings.cellSize, 0);
    QVERIFY(!settings.clueAtTop);
    QVERIFY(!settings.splitterShown);
    QCOMPARE(settings.clueViewHeight, 123);
    QCOMPARE(settings.lastPuzzlePath, longPath);
    QVERIFY(settings.showScrollbars);
    QCOMPARE(settings.keyboardSize, 3);
    QCOMPARE(settings.keyboardX, -20);
    QCOMPARE(settings.keyboardY, 400);
    QVERIFY(!settings.keyboardShown);
}

// The file holds link passwords: no one but its owner may read it, also
// after it has been replaced by later saves.
void TestSettings::dataFileIsOwnerOnly()
{
    const QFileDevice::Permissions others = QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther;
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    for (int save = 0; save < 2; ++save) {
        QVERIFY(settings.SaveSettings());
        const QFileDevice::Permissions permissions = QFileInfo(CSettings::DataFilePath()).permissions();
        QVERIFY(permissions & QFileDevice::ReadOwner);
        QVERIFY(permissions & QFileDevice::WriteOwner);
        QCOMPARE(permissions & others, QFileDevice::Permissions());
    }
    QCOMPARE(QDir(GetDocumentsFolder()).entryList(QDir::Files | QDir::Hidden), QStringList{"GridmoorData"});
}

void TestSettings::cellSizeAndLastPuzzleAreSavedAtOnce()
{
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    settings.showScrollbars = true;
    settings.SetCellSize(2);
    settings.showScrollbars = false;
    {
        CSettings reread(kDefaultClueViewHeight, kButtonFace);
        reread.LoadSettings();
        QCOMPARE(reread.cellSize, 2);
        QVERIFY(reread.showScrollbars);
    }
    settings.SetLastPuzzlePath("/tmp/other.puz");
    CSettings reread(kDefaultClueViewHeight, kButtonFace);
    reread.LoadSettings();
    QCOMPARE(reread.lastPuzzlePath, QStringLiteral("/tmp/other.puz"));
    QVERIFY(!reread.showScrollbars);
}

// A start reopens the last puzzle and a close saves what was loaded; with
// nothing changed the file stays as it is, so neither waits for the disk.
void TestSettings::unchangedSettingsAreNotRewritten()
{
    const QDateTime yesterday = QDateTime::currentDateTime().addDays(-1);
    const auto writtenToday = [&] {
        return QFileInfo(CSettings::DataFilePath()).lastModified() > yesterday.addSecs(3600);
    };
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    QVERIFY(settings.SaveSettings());
    {
        QFile file(CSettings::DataFilePath());
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(yesterday, QFileDevice::FileModificationTime));
    }
    settings.SetLastPuzzlePath(settings.lastPuzzlePath);
    QVERIFY(settings.SaveSettings());
    QVERIFY(!writtenToday());
    settings.SetCellSize(settings.cellSize == 0 ? 2 : 0);
    QVERIFY(writtenToday());
}

void TestSettings::presetsReturnAfterAllLinksWereDeleted()
{
    {
        CSettings settings(kDefaultClueViewHeight, kButtonFace);
        settings.LoadSettings();
        while (settings.links.GetLinkCount() > 0)
            settings.links.RemoveLink(0);
        QVERIFY(settings.SaveSettings());
    }
    QCOMPARE(ReadDataFile().mid(32, 4).toHex(), QByteArray("00000000"));
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    VerifyPresets(settings);
}

void TestSettings::damagedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("colorsRead");
    QTest::addColumn<bool>("linksRead");
    QTest::addColumn<int>("fieldsRead");

    const Fixture f = MakeFixture();
    const auto cut = [&](qsizetype at) { return f.bytes.left(at); };
    QByteArray longPath = f.bytes;
    longPath[f.fieldAt[kLastPuzzlePath] + 3] = char(0xFE);
    QByteArray hugeLinkCount = f.bytes;
    hugeLinkCount.replace(f.linksAt, 4, QByteArray::fromHex("ffffff7f"));

    QTest::newRow("empty file") << QByteArray() << false << false << 0;
    QTest::newRow("inside the colour block") << cut(10) << false << false << 0;
    QTest::newRow("inside the link count") << cut(f.linksAt + 2) << true << false << 0;
    QTest::newRow("inside a link string") << cut(f.linksAt + 12) << true << false << 0;
    QTest::newRow("before the record") << cut(f.recordAt) << true << true << 0;
    QTest::newRow("inside the last puzzle path") << cut(f.fieldAt[kLastPuzzlePath] + 5) << true << true << 2;
    QTest::newRow("inside the keyboard block") << cut(f.fieldAt[kKeyboardPosition] + 4) << true << true << 6;
    QTest::newRow("before the clue view height") << cut(f.fieldAt[kClueViewHeight]) << true << true << 7;
    QTest::newRow("before the splitter flag") << cut(f.fieldAt[kSplitterShown]) << true << true << 8;
    QTest::newRow("whole file") << f.bytes << true << true << 9;
    QTest::newRow("path longer than the file") << longPath << true << true << 2;
    QTest::newRow("huge link count") << hugeLinkCount << true << false << 0;
    QTest::newRow("negative link count") << MakeFixture(-1).bytes << true << false << 9;
    QTest::newRow("version 1 record") << MakeFixture(1, 1).bytes << true << true << 7;
    QTest::newRow("version 0 record") << MakeFixture(1, 0).bytes << true << true << 0;
    QTest::newRow("later version read as 2") << MakeFixture(1, 3).bytes << true << true << 9;
}

// A damaged file never stops the start: what was read in full before the
// damage is kept, the rest has its defaults, and the presets fill an empty list.
void TestSettings::damagedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, colorsRead);
    QFETCH(bool, linksRead);
    QFETCH(int, fieldsRead);

    WriteDataFile(bytes);
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    VerifyColors(settings, colorsRead);
    if (linksRead) {
        QCOMPARE(settings.links.GetLinkCount(), 1);
        QCOMPARE(settings.links.GetLink(0), kLink);
    } else {
        VerifyPresets(settings);
    }
    VerifyGeneralRecord(settings, fieldsRead);
}

void TestSettings::recordValuesAreNormalised()
{
    const Fixture f = MakeFixture();
    QByteArray bytes = f.bytes;
    bytes[f.fieldAt[kCellSize]] = char(7);
    bytes[f.fieldAt[kClueAtTop]] = char(0x80);
    bytes[f.fieldAt[kSplitterShown]] = char(2);
    WriteDataFile(bytes);

    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    QCOMPARE(settings.cellSize, 1);
    QVERIFY(settings.clueAtTop);
    QVERIFY(settings.splitterShown);
    QVERIFY(settings.SaveSettings());
    const QByteArray saved = ReadDataFile();
    QCOMPARE(saved.at(f.fieldAt[kCellSize]), char(1));
    QCOMPARE(saved.at(f.fieldAt[kClueAtTop]), char(1));
    QCOMPARE(saved.at(f.fieldAt[kSplitterShown]), char(1));
}

// A documents "folder" that is a file cannot hold the data file: the save
// fails quietly and the settings stay as they were.
void TestSettings::failedSaveIsSilent()
{
    QFile blocker(home_.path() + "/Documents");
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    settings.SetCellSize(0);
    QVERIFY(!settings.SaveSettings());
    QCOMPARE(settings.cellSize, 0);
    QCOMPARE(settings.links.GetLinkCount(), 16);
}

void TestSettings::keyboardSizeRule_data()
{
    QTest::addColumn<int>("keyboardSize");
    QTest::addColumn<bool>("lowRes");
    QTest::addColumn<bool>("small");

    QTest::newRow("automatic, low resolution") << -1 << true << true;
    QTest::newRow("automatic, high resolution") << -1 << false << false;
    QTest::newRow("any negative is automatic") << -7 << true << true;
    QTest::newRow("small on any screen") << 0 << false << true;
    QTest::newRow("large on a low-res screen") << 1 << true << false;
    QTest::newRow("above 1 is large") << 5 << true << false;
}

void TestSettings::keyboardSizeRule()
{
    QFETCH(int, keyboardSize);
    QFETCH(bool, lowRes);
    QFETCH(bool, small);

    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.keyboardSize = keyboardSize;
    settings.lowRes = lowRes;
    QCOMPARE(settings.IsKeyboardSmall(), small);
}

GRIDMOOR_TEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
