#include "data/link_dialog_layout.h"
#include "test_main.h"

#include <QTest>

// Where the link dialogs put their controls when their size changes.
class TestLinkDialogLayout : public QObject {
    Q_OBJECT

private slots:
    void dialogUnits();
    void urlListButtons_data();
    void urlListButtons();
    void linkEditorMovesTheBottomRows();
};

void TestLinkDialogLayout::dialogUnits()
{
    // 7-pixel characters and a 16-pixel font: 4 units across are 7 pixels, 8 down are 16.
    QCOMPARE(DialogUnitsToPixels(QRect(4, 8, 40, 12), 7, 16), QRect(7, 16, 70, 24));
}

void TestLinkDialogLayout::urlListButtons_data()
{
    QTest::addColumn<QRect>("client");
    QTest::addColumn<QRect>("list");
    QTest::addColumn<QRect>("download");
    QTest::addColumn<QRect>("newButton");
    QTest::addColumn<QRect>("edit");
    QTest::addColumn<QRect>("remove");
    // Buttons 60, 40, 37 and 48 wide (185 together), 20 high, Download at the left.
    // Tall: gap (240 - 185 - 0) / 3 = 18.
    QTest::newRow("tall") << QRect(0, 0, 240, 294) << QRect(0, 3, 240, 265) << QRect(0, 271, 60, 20)
                          << QRect(79, 271, 40, 20) << QRect(137, 271, 37, 20) << QRect(192, 271, 48, 20);
    // Wide: gap (400 - 185) / 3 / 2 = 35.
    QTest::newRow("wide halves the gap") << QRect(0, 0, 400, 200) << QRect(0, 3, 400, 171) << QRect(0, 177, 60, 20)
                                         << QRect(205, 177, 40, 20) << QRect(280, 177, 37, 20)
                                         << QRect(352, 177, 48, 20);
    // A client inside margins: the same picture, moved.
    QTest::newRow("offset client") << QRect(10, 10, 240, 294) << QRect(10, 13, 240, 265) << QRect(10, 281, 60, 20)
                                   << QRect(89, 281, 40, 20) << QRect(147, 281, 37, 20) << QRect(202, 281, 48, 20);
}

void TestLinkDialogLayout::urlListButtons()
{
    QFETCH(QRect, client);
    QFETCH(QRect, list);
    QFETCH(QRect, download);
    QFETCH(QRect, newButton);
    QFETCH(QRect, edit);
    QFETCH(QRect, remove);
    const UrlListLayout layout = LayoutUrlList(client, QRect(client.x(), 40, 60, 20), 40, 37, 48, 185);
    QCOMPARE(layout.list, list);
    QCOMPARE(layout.download, download);
    QCOMPARE(layout.newButton, newButton);
    QCOMPARE(layout.edit, edit);
    QCOMPARE(layout.remove, remove);
}

void TestLinkDialogLayout::linkEditorMovesTheBottomRows()
{
    LinkEditorLayout current;
    current.url = QRect(0, 50, 240, 40);
    current.loginLabel = QRect(0, 120, 100, 14);
    current.passwordLabel = QRect(150, 118, 90, 14);
    current.login = QRect(0, 134, 140, 20);
    current.password = QRect(150, 134, 90, 20);
    // The password field ends at 154; the client at 300: everything moves down 141.
    const LinkEditorLayout layout = LayoutLinkEditor(QRect(0, 0, 240, 300), current);
    QCOMPARE(layout.password, QRect(150, 275, 90, 20));
    QCOMPARE(layout.login, QRect(0, 275, 140, 20));
    QCOMPARE(layout.loginLabel, QRect(0, 261, 100, 14));
    QCOMPARE(layout.passwordLabel, QRect(150, 259, 90, 14));
    QCOMPARE(layout.url, QRect(0, 50, 240, 208));
}

GRIDMOOR_TEST_APPLESS_MAIN(TestLinkDialogLayout)
#include "tst_link_dialog_layout.moc"
