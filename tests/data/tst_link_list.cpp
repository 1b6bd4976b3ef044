#include "data/archive_reader.h"
#include "data/archive_writer.h"
#include "data/link_list.h"

#include "archive_bytes.h"
#include "test_main.h"

#include <QtTest>

class TestLinkList : public QObject {
    Q_OBJECT

private slots:
    void presetsInTableOrder();
    void presetsOnlyIntoAnEmptyList();
    void editing();
    void sectionRoundTripKeepsFieldsExactly();
    void eightBitStringsAreRewrittenAsUtf16();
    void damagedSection_data();
    void damagedSection();
    void countBelowOneLeavesListAlone_data();
    void countBelowOneLeavesListAlone();
};

namespace {

const URLEntry kFirst{"First", "example.org/a.puz", "", ""};
const URLEntry kSecond{"Second", "http://example.org/b.puz", " user", "  pass word  "};

// Two entries, written field by field from the section layout.
QByteArray TwoEntrySection()
{
    return ArchiveBytes()
        .I32(2)
        .Utf16(kFirst.name).Utf16(kFirst.url).Utf16(kFirst.login).Utf16(kFirst.password)
        .Utf16(kSecond.name).Utf16(kSecond.url).Utf16(kSecond.login).Utf16(kSecond.password)
        .Bytes();
}

CLinkList ListOf(std::initializer_list<URLEntry> entries)
{
    CLinkList list;
    for (const URLEntry& entry : entries)
        list.AppendLink(entry);
    return list;
}

} // namespace

void TestLinkList::presetsInTableOrder()
{
    const QStringList ids = {"thinks_daily", "nytimes", "chron", "wpost_daily", "wpost_sunday", "wpost_tv",
                             "tennessean", "usatoday", "latimes", "latimes_sun_cal", "latimes_sun_mag",
                             "jonesin", "tv", "familytime", "canadiana", "netword"};
    CLinkList list;
    list.AddPresetLinks();
    QCOMPARE(list.GetLinkCount(), 16);

    const QString url = list.GetLink(0).url;
    const QString prefix = url.left(url.indexOf(QStringLiteral("/download.php")));
    QVERIFY(prefix.startsWith(QStringLiteral("http://")));
    QVERIFY(prefix.size() > 7);
    for (int i = 0; i < ids.size(); ++i) {
        const URLEntry& entry = list.GetLink(i);
        QCOMPARE(entry.url, prefix + "/download.php?c=xword&id=" + ids[i]);
        QVERIFY(!entry.name.isEmpty());
        QVERIFY(entry.login.isEmpty());
        QVERIFY(entry.password.isEmpty());
    }
    QCOMPARE(list.GetLink(1).name, QStringLiteral("The New York Times (Daily)"));
    QCOMPARE(list.GetLink(12).name, QStringLiteral("T.V (Sunday)"));
    QCOMPARE(list.GetLink(15).name, QStringLiteral("Net Word (Sunday)"));
}

void TestLinkList::presetsOnlyIntoAnEmptyList()
{
    CLinkList list = ListOf({kFirst});
    list.AddPresetLinks();
    QCOMPARE(list.GetLinkCount(), 1);

    list.RemoveLink(0);
    list.AddPresetLinks();
    QCOMPARE(list.GetLinkCount(), 16);
}

void TestLinkList::editing()
{
    CLinkList list = ListOf({kFirst, kSecond, kFirst});
    QCOMPARE(list.GetLink(2), kFirst);

    list.ReplaceLink(1, "Renamed", "example.net/c.puz", "me", " secret ");
    QCOMPARE(list.GetLink(1), (URLEntry{"Renamed", "example.net/c.puz", "me", " secret "}));

    list.RemoveLink(0);
    QCOMPARE(list.GetLinkCount(), 2);
    QCOMPARE(list.GetLink(0).name, QStringLiteral("Renamed"));

    list.RemoveLink(2);
    list.RemoveLink(-1);
    list.ReplaceLink(5, "x", "y", "", "");
    QCOMPARE(list.GetLinkCount(), 2);
    QCOMPARE(list.GetLink(7), URLEntry());
}

void TestLinkList::sectionRoundTripKeepsFieldsExactly()
{
    CArchiveWriter writer;
    ListOf({kFirst, kSecond}).SerializeLinks(writer);
    QCOMPARE(writer.Data().toHex(), TwoEntrySection().toHex());

    CLinkList read;
    CArchiveReader reader(writer.Data());
    read.SerializeLinks(reader);
    QCOMPARE(read.GetLinkCount(), 2);
    QCOMPARE(read.GetLink(0), kFirst);
    QCOMPARE(read.GetLink(1), kSecond);
}

void TestLinkList::eightBitStringsAreRewrittenAsUtf16()
{
    const QByteArray eightBit =
        ArchiveBytes().I32(1).Ansi("Caf\xe9").Ansi("example.org/x").Ansi("").Ansi(" \x80 ").Bytes();
    CLinkList list;
    CArchiveReader reader(eightBit);
    list.SerializeLinks(reader);
    QCOMPARE(list.GetLink(0).name, QString::fromUtf16(u"Caf\u00E9"));
    QCOMPARE(list.GetLink(0).password, QString::fromUtf16(u" \u20AC "));

    CArchiveWriter writer;
    list.SerializeLinks(writer);
    const QByteArray utf16 = ArchiveBytes()
                                 .I32(1)
                                 .Utf16(QString::fromUtf16(u"Caf\u00E9"))
                                 .Utf16("example.org/x")
                                 .Utf16("")
                                 .Utf16(QString::fromUtf16(u" \u20AC "))
                                 .Bytes();
    QCOMPARE(writer.Data().toHex(), utf16.toHex());
}

void TestLinkList::damagedSection_data()
{
    QTest::addColumn<QByteArray>("bytes");

    const QByteArray section = TwoEntrySection();
    const qsizetype afterSecondUrl = ArchiveBytes()
                                         .I32(2)
                                         .Utf16(kFirst.name).Utf16(kFirst.url).Utf16(kFirst.login)
                                         .Utf16(kFirst.password).Utf16(kSecond.name).Utf16(kSecond.url)
                                         .Size();
    QByteArray threeClaimed = section.left(afterSecondUrl);
    threeClaimed[0] = 3;
    QByteArray hugeCount = section;
    hugeCount.replace(0, 4, QByteArray::fromHex("ffffff7f"));
    QByteArray longName = section;
    longName[7] = char(0xF0);

    QTest::newRow("count cut short") << section.left(3);
    QTest::newRow("count 3, ends after the second url") << threeClaimed;
    QTest::newRow("cut inside a string") << section.left(section.size() - 3);
    QTest::newRow("huge count") << hugeCount;
    QTest::newRow("name longer than the file") << longName;
}

// Whatever was read before the damage is dropped: the list ends up empty.
void TestLinkList::damagedSection()
{
    QFETCH(QByteArray, bytes);

    CLinkList list = ListOf({kFirst});
    CArchiveReader reader(bytes);
    list.SerializeLinks(reader);
    QCOMPARE(list.GetLinkCount(), 0);
}

void TestLinkList::countBelowOneLeavesListAlone_data()
{
    QTest::addColumn<qint32>("count");
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -5;
    QTest::newRow("most negative") << std::numeric_limits<qint32>::min();
}

void TestLinkList::countBelowOneLeavesListAlone()
{
    QFETCH(qint32, count);

    CLinkList list = ListOf({kSecond});
    CArchiveReader reader(ArchiveBytes().I32(count).U8(9).Bytes());
    list.SerializeLinks(reader);
    QCOMPARE(list.GetLinkCount(), 1);
    quint8 next = 0;
    QVERIFY(reader.ReadByte(next));
    QCOMPARE(next, quint8(9));
}

GRIDMOOR_TEST_APPLESS_MAIN(TestLinkList)
#include "tst_link_list.moc"
