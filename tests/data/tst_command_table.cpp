#include "data/command_ids.h"
#include "data/command_table.h"

#include <QTest>

// The update rule of the cell-size items and the desktop shortcuts bound to
// the command ids.
class TestCommandTable : public QObject {
    Q_OBJECT

private slots:
    void cellSizeItems_data();
    void cellSizeItems();
    void shortcuts_data();
    void shortcuts();
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

void TestCommandTable::shortcuts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("shortcut");
    QTest::newRow("Open") << int(ID_OPEN_PUZZLE) << "Ctrl+O";
    QTest::newRow("Quit") << int(ID_APP_EXIT) << "Ctrl+Q";
    QTest::newRow("Help") << int(ID_HELP) << "F1";
    QTest::newRow("Download") << int(ID_DOWNLOAD) << "Ctrl+Shift+D";
    QTest::newRow("Info") << int(ID_PUZZLE_INFO) << "Ctrl+I";
    QTest::newRow("All Clues") << int(ID_ALL_CLUES) << "Ctrl+L";
    QTest::newRow("Check has none") << int(ID_CHECK) << "";
    QTest::newRow("About has none") << int(ID_APP_ABOUT) << "";
}

void TestCommandTable::shortcuts()
{
    QFETCH(int, id);
    QFETCH(QString, shortcut);
    QCOMPARE(CommandShortcut(id), shortcut);
    QCOMPARE(CommandStateFor(id, false, 1).enabled, id != ID_PUZZLE_INFO && id != ID_ALL_CLUES && id != ID_CHECK);
}

QTEST_APPLESS_MAIN(TestCommandTable)
#include "tst_command_table.moc"
