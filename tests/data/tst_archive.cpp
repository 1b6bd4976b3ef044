#include "data/archive_reader.h"
#include "data/archive_writer.h"
#include "test_main.h"

#include <QtTest>

class TestArchive : public QObject {
    Q_OBJECT

private slots:
    void lengthPrefix_data();
    void lengthPrefix();
    void readString_data();
    void readString();
    void damagedString_data();
    void damagedString();
    void integersAreLittleEndian();
};

namespace {

QString TextOfLength(qsizetype length)
{
    QString text(length, Qt::Uninitialized);
    for (qsizetype i = 0; i < length; ++i)
        text[i] = i % 2 == 0 ? QChar(char16_t(u'a' + i % 26)) : QChar(u'\u20AC');
    return text;
}

} // namespace

void TestArchive::lengthPrefix_data()
{
    QTest::addColumn<qsizetype>("length");
    QTest::addColumn<QByteArray>("prefix");

    QTest::newRow("empty") << qsizetype(0) << QByteArray::fromHex("00");
    QTest::newRow("254 in one byte") << qsizetype(254) << QByteArray::fromHex("fe");
    QTest::newRow("255 in 16 bits") << qsizetype(255) << QByteArray::fromHex("ffff00");
    QTest::newRow("65533 in 16 bits") << qsizetype(65533) << QByteArray::fromHex("fffdff");
    QTest::newRow("65534 in 32 bits") << qsizetype(65534) << QByteArray::fromHex("fffffffeff0000");
    QTest::newRow("65535 in 32 bits") << qsizetype(65535) << QByteArray::fromHex("ffffffffff0000");
    QTest::newRow("70000 in 32 bits") << qsizetype(70000) << QByteArray::fromHex("ffffff70110100");
}

void TestArchive::lengthPrefix()
{
    QFETCH(qsizetype, length);
    QFETCH(QByteArray, prefix);

    const QString text = TextOfLength(length);
    CArchiveWriter writer;
    writer.WriteString(text);
    const QByteArray head = QByteArray::fromHex("fffeff") + prefix;
    QCOMPARE(writer.Data().left(head.size()).toHex(), head.toHex());
    QCOMPARE(writer.Data().size(), head.size() + 2 * length);
    if (length > 1)
        QCOMPARE(writer.Data().mid(head.size(), 4).toHex(), QByteArray("6100ac20"));

    CArchiveReader reader(writer.Data());
    QString read;
    QVERIFY(reader.ReadString(read));
    QCOMPARE(read, text);
    QCOMPARE(reader.Remaining(), 0);
}

void TestArchive::readString_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("8-bit, Windows-1252") << QByteArray::fromHex("0341" "80" "e9") << QString::fromUtf16(u"A\u20AC\u00E9");
    QTest::newRow("8-bit, 16-bit length") << QByteArray::fromHex("ff0400" "41424344") << QString("ABCD");
    QTest::newRow("8-bit, 32-bit length") << QByteArray::fromHex("ffffff02000000" "4142") << QString("AB");
    QTest::newRow("8-bit, empty") << QByteArray::fromHex("00") << QString();
    QTest::newRow("UTF-16") << QByteArray::fromHex("fffeff02" "4100ac20") << QString::fromUtf16(u"A\u20AC");
    QTest::newRow("UTF-16, surrogate pair") << QByteArray::fromHex("fffeff02" "3dd800de") << QString::fromUtf16(u"\U0001F600");
    QTest::newRow("UTF-16, 16-bit length") << QByteArray::fromHex("fffeffff0100" "4200") << QString("B");
}

void TestArchive::readString()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);

    CArchiveReader reader(bytes + "\x07");
    QString read = QStringLiteral("old");
    QVERIFY(reader.ReadString(read));
    QCOMPARE(read, text);
    quint8 next = 0;
    QVERIFY(reader.ReadByte(next));
    QCOMPARE(next, quint8(7));
}

void TestArchive::damagedString_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("8-bit text cut short") << QByteArray::fromHex("054142");
    QTest::newRow("UTF-16 text cut short") << QByteArray::fromHex("fffeff034100420043");
    QTest::newRow("odd byte of UTF-16") << QByteArray::fromHex("fffeff014100").left(5);
    QTest::newRow("marker cut short") << QByteArray::fromHex("fffe");
    QTest::newRow("32-bit length cut short") << QByteArray::fromHex("fffeffffffff0100");
    QTest::newRow("length 0xFFFFFFFF") << QByteArray::fromHex("ffffffffffffff41");
    QTest::newRow("2^31 code units") << QByteArray::fromHex("fffeffffffff00000080") + QByteArray(64, 'x');
    QTest::newRow("4 GB of 8-bit text") << QByteArray::fromHex("fffffffeffffff") + QByteArray(64, 'x');
}

// A damaged string leaves its target alone, and nothing after it is read.
void TestArchive::damagedString()
{
    QFETCH(QByteArray, bytes);

    QString read = QStringLiteral("kept");
    CArchiveReader cut(bytes);
    QVERIFY(!cut.ReadString(read));
    QCOMPARE(read, QStringLiteral("kept"));
    quint8 byte = 0;
    qint32 value = 0;
    QVERIFY(!cut.ReadByte(byte));
    QVERIFY(!cut.ReadInt32(value));
    QVERIFY(cut.Failed());
}

void TestArchive::integersAreLittleEndian()
{
    CArchiveWriter writer;
    writer.WriteByte(0x81);
    writer.WriteInt32(-2);
    writer.WriteUInt32(0x04030201);
    QCOMPARE(writer.Data().toHex(), QByteArray("81" "feffffff" "01020304"));

    CArchiveReader reader(writer.Data());
    quint8 byte = 0;
    qint32 negative = 0;
    qint32 first = 0;
    qint32 second = 0;
    QVERIFY(reader.ReadByte(byte));
    QVERIFY(reader.ReadInt32(negative));
    QCOMPARE(byte, quint8(0x81));
    QCOMPARE(negative, -2);
    QVERIFY(!reader.ReadInt32Pair(first, second));
    QCOMPARE(first, 0);
    QCOMPARE(second, 0);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestArchive)
#include "tst_archive.moc"
