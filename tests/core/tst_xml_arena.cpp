#include "core/xml_arena.h"
#include "test_main.h"

#include <QtTest>

#include <cstring>

class TestXmlArena : public QObject {
    Q_OBJECT

private slots:
    void allocationsAreAlignedAndApart_data();
    void allocationsAreAlignedAndApart();
};

void TestXmlArena::allocationsAreAlignedAndApart_data()
{
    QTest::addColumn<int>("firstBlock");
    QTest::addColumn<int>("size");
    QTest::addColumn<int>("alignment");
    QTest::newRow("bytes in one block") << 4096 << 7 << 1;
    QTest::newRow("pointers over many blocks") << 64 << 24 << 8;
    QTest::newRow("each larger than a block") << 16 << 1000 << 16;
    QTest::newRow("empty first block") << 0 << 3 << 4;
}

// Each allocation is aligned, fully writable (the sanitizers see a write past
// a block) and keeps its bytes while later ones are made.
void TestXmlArena::allocationsAreAlignedAndApart()
{
    QFETCH(int, firstBlock);
    QFETCH(int, size);
    QFETCH(int, alignment);
    XmlArena arena{std::size_t(firstBlock)};
    QList<char*> pieces;
    for (int i = 0; i < 200; ++i) {
        auto* piece = static_cast<char*>(arena.Allocate(std::size_t(size), std::size_t(alignment)));
        QCOMPARE(reinterpret_cast<std::uintptr_t>(piece) % std::uintptr_t(alignment), std::uintptr_t(0));
        std::memset(piece, i, std::size_t(size));
        pieces << piece;
    }
    for (int i = 0; i < pieces.size(); ++i) {
        QCOMPARE(pieces[i][0], char(i));
        QCOMPARE(pieces[i][size - 1], char(i));
    }
}

GRIDMOOR_TEST_GUILESS_MAIN(TestXmlArena)
#include "tst_xml_arena.moc"
