#include "core/puzzle.h"
#include "data/command_ids.h"
#include "data/settings.h"
#include "ui/controls/color_edit.h"
#include "ui/controls/control_palette.h"
#include "ui/dialogs/property_puzzl_dlg.h"
#include "ui/view/grid_view.h"

#include "fixture_files.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

// The Puzzle Information dialog and the grid view's Info command.
class TestPuzzleInfoDlg : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void showsTheTextReadOnlyWithNothingSelected();
    void viewOpensItOnlyForALoadedPuzzle();

private:
    void Open(const QByteArray& title);

    QTemporaryDir folder_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<CPuzzle> puzzle_;
};

void TestPuzzleInfoDlg::init()
{
    settings_ = std::make_unique<CSettings>(35, 0x00000000);
    settings_->colorSchemes.Init();
    puzzle_ = std::make_unique<CPuzzle>();
}

void TestPuzzleInfoDlg::cleanup()
{
    puzzle_.reset();
    settings_.reset();
}

void TestPuzzleInfoDlg::Open(const QByteArray& title)
{
    const QString path = folder_.filePath(QStringLiteral("info.puz"));
    QVERIFY(FixtureFiles::Write(path, PuzBuilder({"CAT"}).Title(title).Build()));
    QCOMPARE(puzzle_->Open(path), int(CPuzzle::Success));
    settings_->lastPuzzlePath = path;
}

void TestPuzzleInfoDlg::showsTheTextReadOnlyWithNothingSelected()
{
    Open("Caf\xE9 Crossword");
    CPropertyPuzzlDlg dialog(puzzle_.get());
    dialog.resize(480, 600);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    CColorEdit* pane = dialog.TextPane();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Puzzle Information"));
    QVERIFY(pane->isReadOnly());
    QVERIFY(!pane->textCursor().hasSelection());
    QCOMPARE(pane->BackgroundColor(), GetSystemColor(SystemColor::Window));
    const QStringList lines = pane->toPlainText().split(QLatin1Char('\n'));
    QCOMPARE(lines.mid(0, 2), QStringList({QStringLiteral("Title: "), QString::fromUtf8("Café Crossword")}));
    QCOMPARE(lines.last(), settings_->lastPuzzlePath);
    QTest::keyClicks(pane, QStringLiteral("xyz"));
    QVERIFY(!pane->toPlainText().contains(QStringLiteral("xyz")));
}

void TestPuzzleInfoDlg::viewOpensItOnlyForALoadedPuzzle()
{
    CGridView view(puzzle_.get(), nullptr);
    int opened = 0;
    const auto closeWhenShown = [this, &opened] {
        QTimer::singleShot(0, this, [&opened] {
            if (auto* dialog = qobject_cast<CPropertyPuzzlDlg*>(QApplication::activeModalWidget())) {
                ++opened;
                dialog->accept();
            }
        });
    };
    closeWhenShown();
    QVERIFY(view.OnCommand(ID_PUZZLE_INFO));
    QCoreApplication::processEvents();
    QCOMPARE(opened, 0);
    Open("Monday");
    closeWhenShown();
    QVERIFY(view.OnCommand(ID_PUZZLE_INFO));
    QCOMPARE(opened, 1);
}

GRIDMOOR_TEST_MAIN(TestPuzzleInfoDlg)
#include "tst_puzzle_info_dlg.moc"
