#include "core/puzzle.h"
#include "data/color_contrast.h"
#include "data/color_schemes.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/color_static.h"
#include "ui/controls/color_swatch.h"
#include "ui/controls/control_palette.h"
#include "ui/dialogs/a_color_dlg.h"
#include "ui/dialogs/color_pref_dlg.h"
#include "ui/view/grid_view.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

// Customize Colors with its swatches, the Color Selector, and the factory
// colour of void cells under light and dark palettes.
class TestColorDialogs : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void resetToDefault_data();
    void resetToDefault();
    void okWritesTheColoursIntoTheSettingsFile();
    void slidersMakeTheColour_data();
    void slidersMakeTheColour();
    void swatchRunsTheSelector_data();
    void swatchRunsTheSelector();
    void layoutKeepsTheSwatchesInsideTheGroup_data();
    void layoutKeepsTheSwatchesInsideTheGroup();
    void viewRepaintsInTheNewColours();
    void voidCellDefaultStandsOut_data();
    void voidCellDefaultStandsOut();

private:
    std::unique_ptr<CSettings> settings_;
};

namespace {

constexpr ColorRef kFactoryVoid = 0x00202020;

void OnSelector(QObject* context, std::function<void(AColorDlg*)> action)
{
    QTimer::singleShot(0, context, [action] {
        auto* dialog = qobject_cast<AColorDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        action(dialog);
    });
}

QPalette DarkPalette()
{
    QPalette dark;
    const QColor window(53, 53, 53);
    dark.setColor(QPalette::Window, window);
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Base, QColor(42, 42, 42));
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::Button, window);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, Qt::black);
    return dark;
}

} // namespace

void TestColorDialogs::init()
{
    settings_ = std::make_unique<CSettings>(35, kFactoryVoid);
    settings_->colorSchemes.Init();
    for (int role = 0; role < kColorRoleCount; ++role)
        settings_->colorSchemes.SetColor(role, 0x00010101 * static_cast<ColorRef>(role + 1));
    QFile::remove(CSettings::DataFilePath());
}

void TestColorDialogs::cleanup()
{
    settings_.reset();
}

void TestColorDialogs::resetToDefault_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("then Cancel") << false;
    QTest::newRow("then OK") << true;
}

void TestColorDialogs::resetToDefault()
{
    QFETCH(bool, ok);
    CColorPrefDlg dialog;
    QCOMPARE(dialog.RoleLabel(kSolvedClueText)->text(), QStringLiteral("Clue List: Solved clue text"));
    QCOMPARE(dialog.Swatch(kVoidCellBackground)->SwatchColor(), ColorRef(0x00030303));
    QTest::mouseClick(dialog.ResetButton(), Qt::LeftButton);
    QCOMPARE(dialog.Swatch(kVoidCellBackground)->SwatchColor(), kFactoryVoid);
    QCOMPARE(dialog.Swatch(kHintLettersText)->SwatchColor(), ColorRef(0x00FF0000));
    QCOMPARE(settings_->colorSchemes.GetColor(kVoidCellBackground), ColorRef(0x00030303));
    if (ok)
        dialog.accept();
    else
        dialog.reject();
    for (int role = 0; role < kColorRoleCount; ++role) {
        const ColorRef expected = ok ? settings_->colorSchemes.GetColor(role, CColorSchemes::kDefaultScheme)
                                     : 0x00010101 * static_cast<ColorRef>(role + 1);
        QCOMPARE(settings_->colorSchemes.GetColor(role), expected);
    }
    QCOMPARE(QFile::exists(CSettings::DataFilePath()), ok);
}

void TestColorDialogs::okWritesTheColoursIntoTheSettingsFile()
{
    CColorPrefDlg dialog;
    dialog.Swatch(kVoidCellBackground)->SetSwatchColor(0x00123456, false);
    dialog.Swatch(kSolvedClueText)->SetSwatchColor(0x00ABCDEF, false);
    dialog.accept();
    QFile file(CSettings::DataFilePath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray block = file.read(4 * kColorRoleCount);
    const QByteArray expected = QByteArray::fromHex("01010100" "02020200" "56341200" "04040400"
                                                    "05050500" "06060600" "07070700" "efcdab00");
    QCOMPARE(block.toHex(), expected.toHex());
}

void TestColorDialogs::slidersMakeTheColour_data()
{
    QTest::addColumn<int>("red");
    QTest::addColumn<int>("green");
    QTest::addColumn<int>("blue");
    QTest::addColumn<ColorRef>("color");
    QTest::newRow("black") << 0 << 0 << 0 << ColorRef(0x00000000);
    QTest::newRow("red only") << 255 << 0 << 0 << ColorRef(0x000000FF);
    QTest::newRow("green only") << 0 << 128 << 0 << ColorRef(0x00008000);
    QTest::newRow("blue only") << 0 << 0 << 1 << ColorRef(0x00010000);
    QTest::newRow("mixed") << 0x12 << 0x34 << 0x56 << ColorRef(0x00563412);
}

void TestColorDialogs::slidersMakeTheColour()
{
    QFETCH(int, red);
    QFETCH(int, green);
    QFETCH(int, blue);
    QFETCH(ColorRef, color);
    AColorDlg selector;
    selector.SetSelectorColor(0x00FFFFFF, false);
    selector.Slider(AColorDlg::Red)->setValue(red);
    selector.Slider(AColorDlg::Green)->setValue(green);
    selector.Slider(AColorDlg::Blue)->setValue(blue);
    QCOMPARE(selector.Color(), color);
    QCOMPARE(selector.Preview()->SwatchColor(), color);
    selector.SetSelectorColor(0x00030201, false);
    QCOMPARE(selector.Slider(AColorDlg::Red)->value(), 1);
    QCOMPARE(selector.Slider(AColorDlg::Blue)->value(), 3);
}

void TestColorDialogs::swatchRunsTheSelector_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("OK") << true;
    QTest::newRow("Cancel") << false;
}

void TestColorDialogs::swatchRunsTheSelector()
{
    QFETCH(bool, ok);
    CColorPrefDlg dialog;
    dialog.show();
    CColorSwatch* swatch = dialog.Swatch(kSelectedClueHighlight);
    const ColorRef before = swatch->SwatchColor();
    QString title;
    ColorRef shown = 0;
    QList<ColorRef> labelColors;
    OnSelector(this, [&](AColorDlg* selector) {
        title = selector->windowTitle();
        shown = selector->Color();
        for (const int channel : {AColorDlg::Red, AColorDlg::Green, AColorDlg::Blue})
            labelColors << selector->Label(channel)->TextColor();
        QTest::keyClick(selector->Slider(AColorDlg::Green), Qt::Key_End);
        if (ok)
            selector->accept();
        else
            selector->reject();
    });
    QTest::mousePress(swatch, Qt::LeftButton);
    QTest::mouseRelease(swatch, Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Selected clue highlight"));
    QCOMPARE(shown, before);
    QCOMPARE(labelColors, QList<ColorRef>({0x000000FF, 0x00007F00, 0x00FF0000}));
    QCOMPARE(swatch->SwatchColor(), ok ? (before | 0x0000FF00) : before);
    QCOMPARE(settings_->colorSchemes.GetColor(kSelectedClueHighlight), before);
}

void TestColorDialogs::layoutKeepsTheSwatchesInsideTheGroup_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("default window") << QSize(480, 600);
    QTest::newRow("1024 x 768") << QSize(1024, 768);
    QTest::newRow("smaller than it allows") << QSize(100, 100);
}

void TestColorDialogs::layoutKeepsTheSwatchesInsideTheGroup()
{
    QFETCH(QSize, size);
    CColorPrefDlg dialog;
    dialog.resize(size);
    dialog.show();
    const QRect group = dialog.Group()->geometry();
    QCOMPARE(dialog.width() - 1 - group.right(), group.left());
    for (int role = 0; role < kColorRoleCount; ++role) {
        const QRect swatch = dialog.Swatch(role)->geometry();
        const QRect label = dialog.RoleLabel(role)->geometry();
        QCOMPARE(group.right() + 1 - (swatch.right() + 1), CColorPrefDlg::kSwatchInset);
        QVERIFY(group.contains(swatch) && group.contains(label));
        QVERIFY(!label.intersects(swatch));
        QVERIFY(label.width() >= dialog.RoleLabel(role)->sizeHint().width());
    }
    QVERIFY(!dialog.ResetButton()->geometry().intersects(group));
}

void TestColorDialogs::viewRepaintsInTheNewColours()
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("grid.puz"));
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"CAT.SO", "O.O.E.", "WAREST"}).Build()));
    CPuzzle puzzle;
    QCOMPARE(puzzle.Open(path), int(CPuzzle::Success));
    CGridView view(&puzzle, nullptr);
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.OnPuzzleOpened();
    const QColor chosen(0x12, 0x80, 0x34);
    QTimer::singleShot(0, this, [chosen] {
        auto* dialog = qobject_cast<CColorPrefDlg*>(QApplication::activeModalWidget());
        QVERIFY(dialog != nullptr);
        dialog->Swatch(kVoidCellBackground)->SetSwatchColor(ColorRefFromQColor(chosen), false);
        dialog->accept();
    });
    QVERIFY(view.OnCommand(ID_CUSTOMIZE_COLORS));
    QCOMPARE(settings_->colorSchemes.GetColor(kVoidCellBackground), ColorRefFromQColor(chosen));
    const QImage image = view.grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).rgb() == chosen.rgb() ? 1 : 0;
    QVERIFY(count > 100);
}

void TestColorDialogs::voidCellDefaultStandsOut_data()
{
    QTest::addColumn<QPalette>("palette");
    QTest::newRow("the platform's own") << QApplication::palette();
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    QTest::newRow("Fusion light") << fusion->standardPalette();
    QTest::newRow("dark") << DarkPalette();
}

void TestColorDialogs::voidCellDefaultStandsOut()
{
    QFETCH(QPalette, palette);
    const QPalette previous = QApplication::palette();
    QApplication::setPalette(palette);
    CSettings firstStart(35, VoidCellColorFromPalette());
    firstStart.colorSchemes.Init();
    QApplication::setPalette(previous);
    const ColorRef voidCell = firstStart.colorSchemes.GetColor(kVoidCellBackground);
    const ColorRef normalCell = firstStart.colorSchemes.GetColor(kNormalCellBackground);
    QVERIFY2(ContrastRatio(voidCell, normalCell) >= kMinVoidCellContrast,
             qPrintable(QString::number(ContrastRatio(voidCell, normalCell))));
    QVERIFY(RelativeLuminance(voidCell) <= RelativeLuminance(ColorRefFromQColor(palette.color(QPalette::Button))));
}

GRIDMOOR_TEST_MAIN(TestColorDialogs)
#include "tst_color_dialogs.moc"
