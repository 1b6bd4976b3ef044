#include "data/settings.h"
#include "ui/controls/color_static.h"
#include "ui/controls/placement_picker.h"
#include "ui/dialogs/about_dlg.h"
#include "ui/dialogs/clue_position_dlg.h"
#include "ui/dialogs/help_toolbar_dlg.h"
#include "test_main.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QTest>

// Customize Layout's picture picker and its dialog, and the Help dialog.
class TestLayoutDialogs : public QObject {
    Q_OBJECT

private slots:
    void init() { settings_ = new CSettings(35, 0xC0C0C0); }
    void cleanup() { delete settings_; }
    void halvesSplitTheClientInsideItsBorder();
    void tapSelectsTheOtherPicture_data();
    void tapSelectsTheOtherPicture();
    void keysPickAPicture_data();
    void keysPickAPicture();
    void dialogStartsFromPlacementAndSettings();
    void helpListsTheSevenButtons();
    void aboutBoxIsWideEnoughForItsCaption_data();
    void aboutBoxIsWideEnoughForItsCaption();

private:
    CSettings* settings_ = nullptr;
};

void TestLayoutDialogs::halvesSplitTheClientInsideItsBorder()
{
    CPlacementPicker picker(1, false);
    picker.resize(201, 100);
    picker.ComputeHalves();
    // (l, t, r, b) = (0, 0, 201, 100): half = (200 - 1) / 2 = 99.
    QCOMPARE(picker.LeftRect(), QRect(QPoint(1, 1), QPoint(98, 98)));
    QCOMPARE(picker.RightRect(), QRect(QPoint(100, 1), QPoint(199, 98)));
}

void TestLayoutDialogs::tapSelectsTheOtherPicture_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<QPoint>("tap");
    QTest::addColumn<int>("expected");
    QTest::newRow("left picture while the right is chosen") << 1 << QPoint(40, 50) << 0;
    QTest::newRow("right picture while the left is chosen") << 0 << QPoint(150, 50) << 1;
    QTest::newRow("the chosen picture again") << 1 << QPoint(150, 50) << 1;
    QTest::newRow("the border between the halves") << 1 << QPoint(99, 50) << 0;
}

void TestLayoutDialogs::tapSelectsTheOtherPicture()
{
    QFETCH(int, selected);
    QFETCH(QPoint, tap);
    QFETCH(int, expected);
    CPlacementPicker picker(selected, false);
    picker.resize(201, 100);
    QTest::mouseClick(&picker, Qt::LeftButton, {}, tap);
    QCOMPARE(picker.Selected(), expected);
}

void TestLayoutDialogs::keysPickAPicture_data()
{
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("expected");
    QTest::newRow("Left picks the left picture") << 1 << int(Qt::Key_Left) << 0;
    QTest::newRow("Left on the left picture") << 0 << int(Qt::Key_Left) << 0;
    QTest::newRow("Right picks the right picture") << 0 << int(Qt::Key_Right) << 1;
    QTest::newRow("Space switches") << 1 << int(Qt::Key_Space) << 0;
}

void TestLayoutDialogs::keysPickAPicture()
{
    QFETCH(int, selected);
    QFETCH(int, key);
    QFETCH(int, expected);
    CPlacementPicker picker(selected, false);
    QTest::keyClick(&picker, Qt::Key(key));
    QCOMPARE(picker.Selected(), expected);
}

void TestLayoutDialogs::dialogStartsFromPlacementAndSettings()
{
    settings_->showScrollbars = true;
    CCluePositionDlg dialog(0, nullptr);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Customize Layout"));
    QCOMPARE(dialog.Placement(), 0);
    QVERIFY(dialog.ShowScrollbars());
    dialog.ScrollbarsBox()->setChecked(false);
    QVERIFY(!dialog.ShowScrollbars());
    QCOMPARE(PlacementPicture(true, 48).size(), QSize(48, 48));
}

void TestLayoutDialogs::helpListsTheSevenButtons()
{
    CHelpToolBarDlg dialog(16);
    QCOMPARE(dialog.Heading()->text(), QStringLiteral("Toolbar Commands"));
    QCOMPARE(dialog.Heading()->TextColor(), 0x000000FFu);
    int icons = 0;
    QStringList texts;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (!label->pixmap().isNull()) {
            QCOMPARE(label->pixmap().size(), QSize(16, 16));
            ++icons;
        } else if (label != dialog.Heading()) {
            texts << label->text();
        }
    }
    QCOMPARE(icons, 7);
    QVERIFY(texts.contains(QStringLiteral("Floating on-screen keyboard")));
    QVERIFY(texts.contains(QStringLiteral("Hint (letter/word/puzzle)")));
}

void TestLayoutDialogs::aboutBoxIsWideEnoughForItsCaption_data()
{
    QTest::addColumn<int>("pointSize");
    QTest::newRow("8 pt") << 8;
    QTest::newRow("11 pt") << 11;
    QTest::newRow("16 pt") << 16;
}

// A title bar shows the caption in a bold font beside the window icon and
// three buttons; the box leaves room for them at every font size.
void TestLayoutDialogs::aboutBoxIsWideEnoughForItsCaption()
{
    QFETCH(int, pointSize);
    const QFont original = QApplication::font();
    QFont bold = original;
    bold.setPointSize(pointSize);
    QApplication::setFont(bold);
    CAboutDlg dialog;
    dialog.show();
    QApplication::setFont(original);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("About Crossword"));
    bold.setBold(true);
    const QFontMetrics title(bold);
    QVERIFY(dialog.width() >= title.horizontalAdvance(dialog.windowTitle()) + 4 * title.height());
}

GRIDMOOR_TEST_MAIN(TestLayoutDialogs)
#include "tst_layout_dialogs.moc"
