#include "data/archive_reader.h"
#include "data/archive_writer.h"
#include "data/color_schemes.h"

#include "archive_bytes.h"

#include <QtTest>

class TestColorSchemes : public QObject {
    Q_OBJECT

private slots:
    void initCopiesDefaultIntoUserScheme();
    void outOfRangeRolesAndSchemes();
    void savesOnlyTheUserScheme();
    void loadsTheUserScheme();
};

namespace {

constexpr ColorRef kButtonFace = 0x00A0B0C0;

QByteArray UserBlock()
{
    ArchiveBytes bytes;
    for (int role = 0; role < kColorRoleCount; ++role)
        bytes.I32(0x00102030 + role);
    return bytes.Bytes();
}

} // namespace

void TestColorSchemes::initCopiesDefaultIntoUserScheme()
{
    CColorSchemes schemes(kButtonFace);
    QCOMPARE(schemes.SchemeCount(), 1);
    QCOMPARE(schemes.GetColor(kVoidCellBackground, 0), kButtonFace);
    schemes.Init();
    QCOMPARE(schemes.SchemeCount(), 2);
    QCOMPARE(schemes.SchemeName(1), QStringLiteral("sch1"));
    QCOMPARE(schemes.ActiveScheme(), 1);
    for (int role = 0; role < kColorRoleCount; ++role)
        QCOMPARE(schemes.GetColor(role), schemes.GetColor(role, 0));

    schemes.SetColor(kWrongLettersText, 0x00123456);
    QCOMPARE(schemes.GetColor(kWrongLettersText, 1), ColorRef(0x00123456));
    QCOMPARE(schemes.GetColor(kWrongLettersText, 0), ColorRef(0x000000E6));
}

void TestColorSchemes::outOfRangeRolesAndSchemes()
{
    CColorSchemes schemes(kButtonFace);
    schemes.Init();
    schemes.SetColor(8, 0x00111111);
    schemes.SetColor(-2, 0x00111111);
    schemes.SetColor(0, 0x00111111, 2);
    QCOMPARE(schemes.GetColor(8), ColorRef(0));
    QCOMPARE(schemes.GetColor(-1), ColorRef(0));
    QCOMPARE(schemes.GetColor(0, 2), ColorRef(0));
    QCOMPARE(schemes.GetColor(0), ColorRef(0x00FFFFFF));
}

void TestColorSchemes::savesOnlyTheUserScheme()
{
    CColorSchemes schemes(kButtonFace);
    schemes.Init();
    for (int role = 0; role < kColorRoleCount; ++role)
        schemes.SetColor(role, 0x00102030 + role);
    CArchiveWriter writer;
    schemes.Serialize(writer);
    QCOMPARE(writer.Data().toHex(), UserBlock().toHex());
}

void TestColorSchemes::loadsTheUserScheme()
{
    CColorSchemes schemes(kButtonFace);
    CArchiveReader reader(UserBlock() + "\x02");
    schemes.Serialize(reader);
    schemes.Init();
    QCOMPARE(reader.Remaining(), 1);
    QCOMPARE(schemes.SchemeCount(), 2);
    QCOMPARE(schemes.GetColor(kSolvedClueText), ColorRef(0x00102037));
    QCOMPARE(schemes.GetColor(kVoidCellBackground, 0), kButtonFace);
}

QTEST_APPLESS_MAIN(TestColorSchemes)
#include "tst_color_schemes.moc"
