#include "data/command_ids.h"
#include "data/command_table.h"
#include "test_main.h"

#include <QTest>

// The update rule of the cell-size items: enabled and checked only while a
// puzzle is loaded.
class TestCommandTable : public QObject {
    Q_OBJECT

private slots:
    void cellSizeItems_data();
    void cellSizeItems();
};

void TestCommandTable::cellSizeItems_data()
{
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<int>("checkedId"); // 0: no item checked
    QTest::newRow("no puzzle, small") << false << 0 << 0;
    QTest::newRow("no puzzle, medium") << false << 1 << 0;
    QTest::newRow("no puzzle, large") << false << 2 << 0;
    QTest::newRow("loaded, small") << true << 0 << int(ID_SMALL_CELLS);
    QTest::newRow("loaded, medium") << true << 1 << int(ID_MEDIUM_CELLS);
    QTest::newRow("loaded, large") << true << 2 << int(ID_LARGE_CELLS);
}

void TestCommandTable::cellSizeItems()
{
    QFETCH(bool, loaded);
    QFETCH(int, cellSize);
    QFETCH(int, checkedId);
    for (const int id : {ID_SMALL_CELLS, ID_MEDIUM_CELLS, ID_LARGE_CELLS}) {
        const CommandState state = CommandStateFor(id, loaded, cellSize);
        QCOMPARE(state.enabled, loaded);
        QVERIFY(state.checkable);
        QCOMPARE(state.checked, id == checkedId);
    }
}

GRIDMOOR_TEST_APPLESS_MAIN(TestCommandTable)
#include "tst_command_table.moc"
