#include "data/archive_reader.h"
#include "data/archive_writer.h"
#include "data/color_contrast.h"
#include "data/color_schemes.h"

#include "archive_bytes.h"
#include "test_main.h"

#include <QtTest>

class TestColorSchemes : public QObject {
    Q_OBJECT

private slots:
    void initCopiesDefaultIntoUserScheme();
    void outOfRangeRolesAndSchemes();
    void savesOnlyTheUserScheme();
    void loadsTheUserScheme();
    void contrastRatio_data();
    void contrastRatio();
    void voidCellDefaultStandsOut_data();
    void voidCellDefaultStandsOut();
    void readableBackground_data();
    void readableBackground();
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

void TestColorSchemes::contrastRatio_data()
{
    QTest::addColumn<ColorRef>("first");
    QTest::addColumn<ColorRef>("second");
    QTest::addColumn<double>("ratio");
    QTest::newRow("black on white") << ColorRef(0x00000000) << ColorRef(0x00FFFFFF) << 21.0;
    QTest::newRow("equal colours") << ColorRef(0x00336699) << ColorRef(0x00336699) << 1.0;
    QTest::newRow("mid grey on white") << ColorRef(0x00767676) << ColorRef(0x00FFFFFF) << 4.54;
}

void TestColorSchemes::contrastRatio()
{
    QFETCH(ColorRef, first);
    QFETCH(ColorRef, second);
    QFETCH(double, ratio);
    QVERIFY2(qAbs(ContrastRatio(first, second) - ratio) < 0.01, qPrintable(QString::number(ContrastRatio(first, second))));
}

void TestColorSchemes::voidCellDefaultStandsOut_data()
{
    QTest::addColumn<ColorRef>("buttonFace");
    QTest::addColumn<ColorRef>("buttonText");
    QTest::addColumn<ColorRef>("shadow");
    QTest::addColumn<ColorRef>("expected");
    // Button face, button text and shadow of common palettes, as 0x00BBGGRR.
    QTest::newRow("light, black text") << ColorRef(0x00EFEFEF) << ColorRef(0x00000000) << ColorRef(0x00767676)
                                       << ColorRef(0x00000000);
    QTest::newRow("light, slate text") << ColorRef(0x00F4F5F6) << ColorRef(0x0036342E) << ColorRef(0x00767676)
                                       << ColorRef(0x0036342E);
    QTest::newRow("handheld grey") << ColorRef(0x00C0C0C0) << ColorRef(0x00000000) << ColorRef(0x00404040)
                                   << ColorRef(0x00000000);
    QTest::newRow("dark, black shadow") << ColorRef(0x00353535) << ColorRef(0x00FFFFFF) << ColorRef(0x00000000)
                                        << ColorRef(0x00000000);
    QTest::newRow("dark, grey shadow") << ColorRef(0x003B3631) << ColorRef(0x00F1F0EF) << ColorRef(0x00505050)
                                       << ColorRef(0x003B3631);
    // None is dark enough: the darkest is darkened until it is.
    QTest::newRow("pale face, white text") << ColorRef(0x00A0A0A0) << ColorRef(0x00FFFFFF) << ColorRef(0x00B0B0B0)
                                           << ColorRef(0x00909090);
}

void TestColorSchemes::voidCellDefaultStandsOut()
{
    QFETCH(ColorRef, buttonFace);
    QFETCH(ColorRef, buttonText);
    QFETCH(ColorRef, shadow);
    QFETCH(ColorRef, expected);
    const ColorRef color = VoidCellDefaultColor(buttonFace, buttonText, shadow, kNormalCellBackgroundDefault);
    QCOMPARE(color, expected);
    CColorSchemes schemes(color);
    schemes.Init();
    QVERIFY(ContrastRatio(schemes.GetColor(kVoidCellBackground), schemes.GetColor(kNormalCellBackground))
            >= kMinVoidCellContrast);
}

void TestColorSchemes::readableBackground_data()
{
    QTest::addColumn<ColorRef>("wanted");
    QTest::addColumn<ColorRef>("text");
    QTest::addColumn<ColorRef>("expected");
    QTest::newRow("blue on white") << ColorRef(0x00FFFFFF) << ColorRef(0x00FF0000) << ColorRef(0x00FFFFFF);
    QTest::newRow("dark green on light grey") << ColorRef(0x00F0F0F0) << ColorRef(0x00007F00) << ColorRef(0x00F0F0F0);
    QTest::newRow("blue on dark grey") << ColorRef(0x002A2A2A) << ColorRef(0x00FF0000) << ColorRef(0x00FFFFFF);
    QTest::newRow("dark green on dark grey") << ColorRef(0x002A2A2A) << ColorRef(0x00007F00) << ColorRef(0x00FFFFFF);
}

void TestColorSchemes::readableBackground()
{
    QFETCH(ColorRef, wanted);
    QFETCH(ColorRef, text);
    QFETCH(ColorRef, expected);
    QCOMPARE(ReadableBackground(wanted, text), expected);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestColorSchemes)
#include "tst_color_schemes.moc"
