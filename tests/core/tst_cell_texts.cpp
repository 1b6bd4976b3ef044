#include "core/cell_texts.h"
#include "test_main.h"

#include <QtTest>

class TestCellTexts : public QObject {
    Q_OBJECT

private slots:
    void setKeepsSquaresInOrder();
};

// Squares given in any order are found again and listed in square order; an
// empty text removes a square, and only real changes are reported.
void TestCellTexts::setKeepsSquaresInOrder()
{
    CellTexts texts;
    QVERIFY(texts.IsEmpty());
    QVERIFY(!texts.Set(4, QByteArray()));
    for (const qint32 cell : {40, 3, 17, 0, 99})
        QVERIFY(texts.Set(cell, "T" + QByteArray::number(cell)));
    QVERIFY(!texts.Set(17, "T17"));
    QVERIFY(texts.Set(17, "OAK"));
    QVERIFY(texts.Set(3, QByteArray()));
    QVERIFY(!texts.Set(3, QByteArray()));

    QList<qint32> cells;
    for (const auto& [cell, text] : texts) {
        cells << cell;
        QCOMPARE(texts.At(cell), text);
    }
    QCOMPARE(cells, (QList<qint32>{0, 17, 40, 99}));
    QCOMPARE(texts.At(17), QByteArray("OAK"));
    QVERIFY(texts.At(3).isNull());
    QVERIFY(texts.At(100).isNull());
    QVERIFY(texts.At(-1).isNull());
}

GRIDMOOR_TEST_GUILESS_MAIN(TestCellTexts)
#include "tst_cell_texts.moc"
