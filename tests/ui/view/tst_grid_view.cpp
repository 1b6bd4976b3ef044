#include "core/message_event.h"
#include "core/puzzle.h"
#include "core/user_prompt.h"
#include "data/command_ids.h"
#include "data/command_table.h"
#include "data/settings.h"
#include "scripted_prompt.h"
#include "ui/controls/clue_view.h"
#include "ui/controls/color_ref.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/scroll_bar_ctrl.h"
#include "ui/view/grid_view.h"
#include "ui/view/rebus_edit.h"

#include "fixture_files.h"
#include "ipuz_builder.h"
#include "puz_builder.h"
#include "test_main.h"

#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <memory>
#include <optional>

namespace {

// The small grid most behaviour tests use. Clues: 0 "1 a" CAT, 1 "1 d" COW,
// 2 "2 d" TOR, 3 "3 a" SO, 4 "3 d" SES, 5 "4 a" WAREST.
const QList<QByteArray> kSmallGrid = {"CAT.SO", "O.O.E.", "WAREST"};

QList<QByteArray> OpenGrid(int columns, int rows)
{
    return QList<QByteArray>(rows, QByteArray(columns, 'A'));
}

} // namespace

class TestGridView : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void smallGridIsCentred();
    void largeGridScrollsAndKeepsCursorVisible();
    void dragScrollsTheGrid();
    void shownScrollBarsScrollTheGrid();
    void nonSquareGridDrawsEveryLine();
    void hintsShowOnlyTheirLetters_data();
    void hintsShowOnlyTheirLetters();
    void checkModeColoursOnlyWrongLetters();
    void lettersFitTheirCells_data();
    void lettersFitTheirCells();
    void typingStopsAtWordEnd();
    void clueViewAndKeyboardTypeIntoTheGrid();
    void backspace_data();
    void backspace();
    void arrows_data();
    void arrows();
    void tapAndEnterToggleDirection();
    void endOfPuzzleMessages();
    void encryptedPuzzleRefusesHintsAndChecks();
    void clueLineFollowsCursor();
    void closedPuzzleClearsTheView();
    void circlesAtEverySizeAndScheme_data();
    void circlesAtEverySizeAndScheme();
    void rebusSquaresShowCheckAndReveal();
    void rebusEditEntersSeveralLetters();
    void clueViewShowsUtf8Clue();
    void ipuzBarsShadingAndVoidSquares();
    void solvingKeys_data();
    void solvingKeys();
    void undoRedoAndClearing();
    void numbersSitAboveTheLetters_data();
    void numbersSitAboveTheLetters();
    void pencilAndCheckAsYouType();

private:
    void Open(const QList<QByteArray>& rows, int cellSize, QSize viewSize,
              const QList<QByteArray>& entries = {}, bool scrambled = false);
    void OpenFile(const QByteArray& file, int cellSize, QSize viewSize);
    // Pixels of the rectangle that are not of the colour.
    static QList<QPoint> Others(const QImage& image, const QRect& rect, const QColor& color);
    void Place(int cell, bool across);
    QImage Grab();
    QRect GridBox(const QImage& image) const;
    QRect CellInside(const QRect& grid, int cell) const;
    void Tap(int cell);
    static int Count(const QImage& image, const QRect& rect, const QColor& color);
    QColor Scheme(int role) const;
    QString Entries() const;
    void SetOption(int command, bool on);

    QTemporaryDir home_;
    std::optional<ScriptedPrompt> prompt_;
    std::unique_ptr<CSettings> settings_;
    std::unique_ptr<CPuzzle> puzzle_;
    std::unique_ptr<CClueView> clueView_;
    std::unique_ptr<CGridView> view_;
    int fileCount_ = 0;
};

void TestGridView::initTestCase()
{
    QVERIFY(home_.isValid());
    qputenv("HOME", home_.path().toUtf8());
    qputenv("XDG_CONFIG_HOME", (home_.path() + "/.config").toUtf8());
}

void TestGridView::init()
{
    prompt_.emplace(UserPrompt::Answer::No);
    settings_ = std::make_unique<CSettings>(35, GetSystemColor(SystemColor::ButtonFace));
    settings_->colorSchemes.Init();
    puzzle_ = std::make_unique<CPuzzle>();
    clueView_ = std::make_unique<CClueView>();
    view_ = std::make_unique<CGridView>(puzzle_.get(), clueView_.get());
}

void TestGridView::cleanup()
{
    view_.reset();
    clueView_.reset();
    puzzle_.reset();
    settings_.reset();
    prompt_.reset();
}

// Opens a binary puzzle whose clue k reads "Clue k".
void TestGridView::Open(const QList<QByteArray>& rows, int cellSize, QSize viewSize,
                        const QList<QByteArray>& entries, bool scrambled)
{
    PuzBuilder builder(rows);
    QList<QByteArray> clues;
    for (int k = 0; k < builder.WordCount(); ++k)
        clues.append("Clue " + QByteArray::number(k));
    builder.Clues(clues).ScrambledTag(scrambled ? 0x04 : 0);
    if (!entries.isEmpty())
        builder.Entries(entries);
    OpenFile(builder.Build(), cellSize, viewSize);
}

void TestGridView::OpenFile(const QByteArray& file, int cellSize, QSize viewSize)
{
    const QString path = home_.filePath(QStringLiteral("grid%1.puz").arg(++fileCount_));
    QVERIFY(FixtureFiles::Write(path, file));
    settings_->cellSize = cellSize;
    view_->resize(viewSize);
    view_->show();
    QVERIFY(QTest::qWaitForWindowExposed(view_.get()));
    QCOMPARE(puzzle_->Open(path), 0);
    view_->OnPuzzleOpened();
}

void TestGridView::Place(int cell, bool across)
{
    puzzle_->SetCurrentCell(cell);
    puzzle_->SetAcross(across);
}

QImage TestGridView::Grab()
{
    return view_->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QColor TestGridView::Scheme(int role) const
{
    return QColorFromRef(settings_->colorSchemes.GetColor(role));
}

int TestGridView::Count(const QImage& image, const QRect& rect, const QColor& color)
{
    int count = 0;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += image.pixelColor(x, y).rgb() == color.rgb() ? 1 : 0;
    return count;
}

// The bounding box of the grid's frame and lines: every button-shadow pixel
// inside the view's own two-pixel frame.
QRect TestGridView::GridBox(const QImage& image) const
{
    const QRgb shadow = QColorFromRef(GetSystemColor(SystemColor::ButtonShadow)).rgb();
    QRect box;
    for (int y = 2; y < image.height() - 2; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (image.pixel(x, y) == shadow)
                box |= QRect(x, y, 1, 1);
    return box;
}

QRect TestGridView::CellInside(const QRect& grid, int cell) const
{
    const int side = GridGeometry::CellSide(settings_->cellSize);
    const int columns = puzzle_->GetWidth();
    return QRect(grid.left() + (side - 1) * (cell % columns) + 1, grid.top() + (side - 1) * (cell / columns) + 1,
                 side - 2, side - 2);
}

void TestGridView::Tap(int cell)
{
    const QPoint centre = CellInside(GridBox(Grab()), cell).center();
    QTest::mouseClick(view_.get(), Qt::LeftButton, Qt::NoModifier, centre);
}

QString TestGridView::Entries() const
{
    QString entries;
    for (int i = 0; i < puzzle_->GetWidth() * puzzle_->GetHeight(); ++i)
        entries += QChar(puzzle_->GetCell(i).entry);
    return entries;
}

void TestGridView::SetOption(int command, bool on)
{
    const CommandState state = *SolvingCommandState(command, {true, false, false, view_->Options()});
    if (state.checked != on)
        QVERIFY(view_->OnCommand(command));
}

void TestGridView::smallGridIsCentred()
{
    Open(OpenGrid(15, 15), 0, QSize(240, 320));
    QVERIFY(!view_->HScrollable() && !view_->VScrollable());
    const QRect box = GridBox(Grab());
    QCOMPARE(box.size(), QSize(226, 226));
    const int left = box.left() - 2;
    const int right = 240 - 3 - box.right();
    const int top = box.top() - 2;
    const int bottom = 320 - 3 - box.bottom();
    QVERIFY2(qAbs(left - right) <= 2, qPrintable(QStringLiteral("%1 / %2").arg(left).arg(right)));
    QVERIFY2(qAbs(top - bottom) <= 2, qPrintable(QStringLiteral("%1 / %2").arg(top).arg(bottom)));
}

void TestGridView::largeGridScrollsAndKeepsCursorVisible()
{
    Open(OpenGrid(15, 15), 2, QSize(240, 320));
    QVERIFY(view_->HScrollable() && view_->VScrollable());
    const QColor cursor = Scheme(kSelectedCellHighlight);
    const int wholeCell = 38 * 38;
    QCOMPARE(Count(Grab(), view_->rect(), cursor), wholeCell);
    for (int step = 0; step < 14; ++step) {
        QTest::keyClick(view_.get(), Qt::Key_Right);
        QCOMPARE(Count(Grab(), view_->rect(), cursor), wholeCell);
    }
    for (int step = 0; step < 14; ++step) {
        QTest::keyClick(view_.get(), Qt::Key_Down);
        QCOMPARE(Count(Grab(), view_->rect(), cursor), wholeCell);
    }
    QCOMPARE(puzzle_->GetCurrentCell(), 224);
    QVERIFY(view_->ScrollPos().x() > 0 && view_->ScrollPos().y() > 0);
    for (int step = 0; step < 14; ++step) {
        QTest::keyClick(view_.get(), Qt::Key_Left);
        QCOMPARE(Count(Grab(), view_->rect(), cursor), wholeCell);
    }

    // The view getting shorter (the input panel opening) brings the word back.
    Place(14 * 15, false);
    view_->SelectCell(14 * 15, CGridView::SelectStep);
    view_->resize(240, 200);
    QCOMPARE(Count(Grab(), view_->rect(), cursor), wholeCell);
}

void TestGridView::dragScrollsTheGrid()
{
    Open(OpenGrid(15, 15), 2, QSize(240, 320));
    const QPoint start = view_->ScrollPos();
    QTest::mousePress(view_.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 250));
    QTest::mouseMove(view_.get(), QPoint(150, 200));
    QTest::mouseRelease(view_.get(), Qt::LeftButton, Qt::NoModifier, QPoint(150, 200));
    QCOMPARE(view_->ScrollPos(), start + QPoint(50, 50));

    // Dragging far beyond the end stops at the last page.
    QTest::mousePress(view_.get(), Qt::LeftButton, Qt::NoModifier, QPoint(230, 300));
    QTest::mouseMove(view_.get(), QPoint(-2000, -2000));
    QTest::mouseRelease(view_.get(), Qt::LeftButton, Qt::NoModifier, QPoint(-2000, -2000));
    const CScrollBarCtrl* bar = view_->HorizontalBar();
    QCOMPARE(view_->ScrollPos().x(), bar->Max() - bar->Page() + 1);
}

void TestGridView::shownScrollBarsScrollTheGrid()
{
    settings_->showScrollbars = true;
    Open(OpenGrid(15, 15), 2, QSize(240, 320));
    CScrollBarCtrl* horizontal = view_->HorizontalBar();
    CScrollBarCtrl* vertical = view_->VerticalBar();
    QVERIFY(horizontal->isVisible() && vertical->isVisible());
    QCOMPARE(horizontal->geometry().bottom(), 320 - 2);
    QCOMPARE(vertical->geometry().right(), 240 - 2);
    QVERIFY(!horizontal->geometry().intersects(vertical->geometry()));

    const QImage before = Grab();
    QTest::mouseClick(horizontal, Qt::LeftButton, Qt::NoModifier,
                      QPoint(horizontal->width() - 2, horizontal->height() / 2));
    QCOMPARE(view_->ScrollPos().x(), horizontal->Line());
    QVERIFY(Grab() != before);

    // With the bars hidden again the grid still scrolls to the cursor.
    settings_->showScrollbars = false;
    view_->RecalcScrollNeeds();
    QVERIFY(!horizontal->isVisible() && !vertical->isVisible());
    view_->SelectCell(224, CGridView::SelectTap);
    QCOMPARE(Count(Grab(), view_->rect(), Scheme(kSelectedCellHighlight)), 38 * 38);
}

void TestGridView::nonSquareGridDrawsEveryLine()
{
    Open(OpenGrid(21, 15), 1, QSize(600, 450));
    const QImage image = Grab();
    const QRect box = GridBox(image);
    QCOMPARE(box.size(), QSize(505, 361));
    const QRgb shadow = QColorFromRef(GetSystemColor(SystemColor::ButtonShadow)).rgb();
    const auto countRuns = [&](QPoint from, QPoint step, int length) {
        int runs = 0;
        bool inRun = false;
        for (int i = 0; i < length; ++i) {
            const QPoint p = from + step * i;
            const bool isShadow = image.pixel(p) == shadow;
            runs += isShadow && !inRun ? 1 : 0;
            inRun = isShadow;
        }
        return runs;
    };
    // Frame edges plus 20 column boundaries, and plus 14 row boundaries.
    QCOMPARE(countRuns(QPoint(box.left(), box.top() + 12), QPoint(1, 0), box.width()), 22);
    QCOMPARE(countRuns(QPoint(box.left() + 12, box.top()), QPoint(0, 1), box.height()), 16);
}

void TestGridView::hintsShowOnlyTheirLetters_data()
{
    QTest::addColumn<int>("command");
    QTest::addColumn<QList<int>>("shown");
    QTest::newRow("current letter") << int(ID_REVEAL_LETTER) << QList<int>{0};
    QTest::newRow("current word") << int(ID_REVEAL_WORD) << QList<int>{0, 1, 2};
    QTest::newRow("entire puzzle") << int(ID_REVEAL_PUZZLE)
                                   << QList<int>{0, 1, 2, 4, 5, 6, 8, 10, 12, 13, 14, 15, 16, 17};
}

void TestGridView::hintsShowOnlyTheirLetters()
{
    QFETCH(int, command);
    QFETCH(QList<int>, shown);
    Open(kSmallGrid, 2, QSize(400, 300), {"ZZZ.ZZ", "Z.Z.Z.", "ZZZZZZ"});
    QVERIFY(view_->OnCommand(command));
    QImage image = Grab();
    const QRect grid = GridBox(image);
    const QColor hint = Scheme(kHintLettersText);
    const QColor text = Scheme(kNormalCellText);
    for (int cell = 0; cell < 18; ++cell) {
        if (puzzle_->GetCell(cell).solution == ' ')
            continue;
        const QRect inside = CellInside(grid, cell);
        QCOMPARE(Count(image, inside, hint) > 0, shown.contains(cell));
        QCOMPARE(Count(image, inside, text), 0);
    }
    QCOMPARE(Entries(), QStringLiteral("ZZZ ZZZ Z Z ZZZZZZ"));

    // Any other key ends the hint and the entries show again.
    QTest::keyClick(view_.get(), Qt::Key_F5);
    QCOMPARE(view_->HintMode(), int(CGridView::HintNone));
    image = Grab();
    QCOMPARE(Count(image, grid, hint), 0);
    QVERIFY(Count(image, CellInside(grid, 17), text) > 0);
}

void TestGridView::lettersFitTheirCells_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::newRow("small") << 0;
    QTest::newRow("medium") << 1;
    QTest::newRow("large") << 2;
}

// The letter heights include the font's leading: a letter, the tail of "Q"
// and the descent of "J" included, keeps a pixel of background on every side
// of its cell, and still fills a good part of it.
void TestGridView::lettersFitTheirCells()
{
    QFETCH(int, cellSize);
    Open({"ABCD", "E..F", "QJWM"}, cellSize, QSize(400, 300), {"----", "-..-", "QJWM"});
    const QImage image = Grab();
    const QRect grid = GridBox(image);
    const QRgb back = Scheme(kNormalCellBackground).rgb();
    const int side = GridGeometry::CellSide(cellSize);
    for (int cell = 8; cell < 12; ++cell) {
        const QRect inside = CellInside(grid, cell);
        QRect ink;
        for (int y = inside.top(); y <= inside.bottom(); ++y)
            for (int x = inside.left(); x <= inside.right(); ++x)
                if (image.pixel(x, y) != back)
                    ink |= QRect(x, y, 1, 1);
        const QString where = QStringLiteral("cell %1 ink %2,%3 %4x%5 in %6,%7 %8x%8")
                                  .arg(cell).arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                                  .arg(inside.x()).arg(inside.y()).arg(inside.width());
        QVERIFY2(inside.adjusted(1, 1, -1, -1).contains(ink), qPrintable(where));
        QVERIFY2(ink.height() * 2 >= side - 2, qPrintable(where));
    }
}

void TestGridView::checkModeColoursOnlyWrongLetters()
{
    Open(kSmallGrid, 2, QSize(400, 300), {"CX-.SQ", "O.-.E.", "W-REST"});
    const QColor wrong = Scheme(kWrongLettersText);
    const QColor text = Scheme(kNormalCellText);
    const QList<int> wrongCells{1, 5};
    const QList<int> emptyCells{2, 8, 13};

    view_->SetCheckMode(true);
    QImage image = Grab();
    const QRect grid = GridBox(image);
    for (int cell = 0; cell < 18; ++cell) {
        if (puzzle_->GetCell(cell).solution == ' ')
            continue;
        const QRect inside = CellInside(grid, cell);
        const bool isWrong = wrongCells.contains(cell);
        const bool isEmpty = emptyCells.contains(cell);
        QCOMPARE(Count(image, inside, wrong) > 0, isWrong);
        QCOMPARE(Count(image, inside, text) > 0, !isWrong && !isEmpty);
    }

    // Check mode survives a letter typed meanwhile, and ends with the button.
    QTest::keyClick(view_.get(), 'k');
    QVERIFY(view_->CheckMode());
    view_->SetCheckMode(false);
    image = Grab();
    QCOMPARE(Count(image, grid, wrong), 0);
    QCOMPARE(Entries(), QStringLiteral("KX  SQO   E W REST"));
}

void TestGridView::typingStopsAtWordEnd()
{
    Open(kSmallGrid, 1, QSize(240, 320));
    QTest::keyClicks(view_.get(), QStringLiteral("cats"));
    QCOMPARE(puzzle_->GetCurrentCell(), 2);
    QCOMPARE(Entries().left(3), QStringLiteral("CAS"));
    QVERIFY(puzzle_->IsAcross());

    // Characters other than letters and the space are dropped.
    QTest::keyClicks(view_.get(), QStringLiteral("7-"));
    QCOMPARE(Entries().left(3), QStringLiteral("CAS"));
    QTest::keyClick(view_.get(), Qt::Key_Space);
    QCOMPARE(Entries().left(3), QStringLiteral("CA "));
    QCOMPARE(puzzle_->GetFilledCount(), 2);
}

void TestGridView::clueViewAndKeyboardTypeIntoTheGrid()
{
    Open(kSmallGrid, 1, QSize(240, 320));
    clueView_->SetKeyHandler(view_.get());
    QTest::keyClicks(clueView_.get(), QStringLiteral("co"));
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("1 a. Clue 0"));
    view_->OnKeyboardChar('W');
    QCOMPARE(Entries().left(3), QStringLiteral("COW"));
    view_->OnKeyboardKeyDown(KeyboardSink::kBackspaceKeyCode);
    QCOMPARE(Entries().left(3), QStringLiteral("CO "));
    QCOMPARE(puzzle_->GetCurrentCell(), 1);
}

void TestGridView::backspace_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("across");
    QTest::addColumn<int>("to");
    QTest::newRow("steps back within the word") << 2 << true << 1;
    QTest::newRow("stays after a black square") << 4 << true << 4;
    QTest::newRow("stays at the grid's top") << 4 << false << 4;
    QTest::newRow("steps up within the word") << 16 << false << 10;
}

void TestGridView::backspace()
{
    QFETCH(int, from);
    QFETCH(bool, across);
    QFETCH(int, to);
    Open(kSmallGrid, 1, QSize(240, 320), {"CAT.SO", "O.O.E.", "WAREST"});
    Place(from, across);
    QTest::keyClick(view_.get(), Qt::Key_Backspace);
    QCOMPARE(puzzle_->GetCurrentCell(), to);
    QCOMPARE(puzzle_->GetCell(from).entry, ' ');
    QCOMPARE(puzzle_->GetFilledCount(), 13);
    QCOMPARE(puzzle_->IsAcross(), across);
}

void TestGridView::arrows_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("across");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("acrossAfter");
    QTest::newRow("right jumps a black square") << 2 << true << int(Qt::Key_Right) << 4 << true;
    QTest::newRow("right stops at the row's end") << 5 << true << int(Qt::Key_Right) << 5 << true;
    QTest::newRow("left jumps a black square") << 4 << true << int(Qt::Key_Left) << 2 << true;
    QTest::newRow("left stops at the row's start") << 12 << true << int(Qt::Key_Left) << 12 << true;
    QTest::newRow("down jumps a black square") << 1 << true << int(Qt::Key_Down) << 13 << true;
    QTest::newRow("page down moves one cell") << 0 << false << int(Qt::Key_PageDown) << 6 << false;
    QTest::newRow("up stops at the top") << 4 << false << int(Qt::Key_Up) << 4 << false;
    QTest::newRow("onto a cell without an across word") << 0 << true << int(Qt::Key_Down) << 6 << false;
    QTest::newRow("onto a cell without a down word") << 0 << false << int(Qt::Key_Right) << 1 << true;
}

void TestGridView::arrows()
{
    QFETCH(int, from);
    QFETCH(bool, across);
    QFETCH(int, key);
    QFETCH(int, to);
    QFETCH(bool, acrossAfter);
    Open(kSmallGrid, 1, QSize(240, 320));
    Place(from, across);
    QTest::keyClick(view_.get(), Qt::Key(key));
    QCOMPARE(puzzle_->GetCurrentCell(), to);
    QCOMPARE(puzzle_->IsAcross(), acrossAfter);
    QCOMPARE(puzzle_->GetFilledCount(), 0);
}

void TestGridView::tapAndEnterToggleDirection()
{
    Open(kSmallGrid, 1, QSize(240, 320));
    Tap(4);
    QCOMPARE(puzzle_->GetCurrentCell(), 4);
    QVERIFY(puzzle_->IsAcross());
    Tap(4);
    QVERIFY(!puzzle_->IsAcross());
    Tap(4);
    QVERIFY(puzzle_->IsAcross());
    QTest::keyClick(view_.get(), Qt::Key_Return);
    QVERIFY(!puzzle_->IsAcross());
    QTest::keyClick(view_.get(), Qt::Key_Enter);
    QVERIFY(puzzle_->IsAcross());

    // A double tap counts as its first tap only: it selects without toggling.
    Place(0, true);
    const QPoint centre = CellInside(GridBox(Grab()), 4).center();
    QTest::mouseDClick(view_->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCOMPARE(puzzle_->GetCurrentCell(), 4);
    QVERIFY(puzzle_->IsAcross());

    // A cell in an across word only keeps across.
    Tap(5);
    Tap(5);
    QCOMPARE(puzzle_->GetCurrentCell(), 5);
    QVERIFY(puzzle_->IsAcross());
    QTest::keyClick(view_.get(), Qt::Key_Return);
    QVERIFY(puzzle_->IsAcross());

    // Taps on a black square or beside the grid leave the cursor alone.
    Tap(3);
    QTest::mouseClick(view_.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
    QCOMPARE(puzzle_->GetCurrentCell(), 5);
}

void TestGridView::endOfPuzzleMessages()
{
    Open(kSmallGrid, 1, QSize(240, 320), {"CAT.SO", "O.O.E.", "WARES-"});
    Place(17, true);
    QTest::keyClick(view_.get(), 'x');
    QCOMPARE(prompt_->messages.size(), 1);
    QCOMPARE(prompt_->messages[0].caption, QStringLiteral("Solved Incorrectly"));
    QCOMPARE(prompt_->messages[0].text,
             QStringLiteral("Sorry. The puzzle has been solved with mistake(s). Please revise your answers."));
    QCOMPARE(prompt_->messages[0].icon, UserPrompt::Icon::Warning);

    QCOMPARE(puzzle_->GetCurrentCell(), 17);
    QTest::keyClick(view_.get(), 't');
    QCOMPARE(prompt_->messages.size(), 2);
    QCOMPARE(prompt_->messages[1].caption, QStringLiteral("Congratulations!"));
    QCOMPARE(prompt_->messages[1].text, QStringLiteral("The puzzle has been solved correctly"));
    QCOMPARE(prompt_->messages[1].icon, UserPrompt::Icon::Information);

    // Clearing a cell leaves the grid unfilled: no message.
    QTest::keyClick(view_.get(), Qt::Key_Space);
    QCOMPARE(prompt_->messages.size(), 2);
}

void TestGridView::encryptedPuzzleRefusesHintsAndChecks()
{
    Open(kSmallGrid, 1, QSize(240, 320), {"CAT.SO", "O.O.E.", "WARES-"}, true);
    QVERIFY(view_->OnCommand(ID_REVEAL_WORD));
    QCOMPARE(view_->HintMode(), int(CGridView::HintNone));
    QCOMPARE(prompt_->messages.size(), 1);
    QCOMPARE(prompt_->messages[0].caption, QStringLiteral("Encrypted Puzzle"));
    QCOMPARE(prompt_->messages[0].text,
             QStringLiteral("The puzzle is encrypted.\nYou are able to neither check your answers nor use hints"));
    QCOMPARE(prompt_->messages[0].icon, UserPrompt::Icon::Information);

    // The scrambled solution can neither mark wrong letters nor judge a full grid.
    view_->SetCheckMode(true);
    QVERIFY(!view_->CheckMode());
    QCOMPARE(prompt_->messages.size(), 2);
    QCOMPARE(prompt_->messages[1].caption, QStringLiteral("Encrypted Puzzle"));
    Place(17, true);
    QTest::keyClick(view_.get(), 'q');
    QVERIFY(puzzle_->IsFilled());
    QCOMPARE(prompt_->messages.size(), 2);
}

void TestGridView::clueLineFollowsCursor()
{
    Open(kSmallGrid, 1, QSize(240, 320));
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("1 a. Clue 0"));
    QTest::keyClick(view_.get(), Qt::Key_Return);
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("1 d. Clue 1"));
    Tap(4);
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("3 d. Clue 4"));
    view_->ApplyAllCluesChoice(5, 0, 0);
    QCOMPARE(puzzle_->GetCurrentCell(), 12);
    QVERIFY(puzzle_->IsAcross());
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("4 a. Clue 5"));
}

void TestGridView::closedPuzzleClearsTheView()
{
    Open(OpenGrid(15, 15), 2, QSize(240, 320));
    QVERIFY(view_->HScrollable());
    puzzle_->Close();
    MessageEvent closed(UM_PUZZLE_CLOSED);
    QCoreApplication::sendEvent(view_.get(), &closed);
    QVERIFY(!view_->HScrollable() && !view_->VScrollable());
    QCOMPARE(view_->GetGridSize(), QSize(0, 0));
    QVERIFY(view_->GetCellRect(true).IsEmpty());
    const QImage image = Grab();
    QVERIFY(GridBox(image).isNull());
    QCOMPARE(clueView_->toPlainText(), QString());
    QTest::keyClick(view_.get(), 'a');
    QVERIFY(view_->OnCommand(ID_REVEAL_PUZZLE));
    QCOMPARE(view_->HintMode(), int(CGridView::HintNone));
    QVERIFY(prompt_->messages.isEmpty());
}

QList<QPoint> TestGridView::Others(const QImage& image, const QRect& rect, const QColor& color)
{
    QList<QPoint> others;
    const QRect area = rect.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y).rgb() != color.rgb())
                others.append(QPoint(x, y) - rect.topLeft());
    return others;
}

void TestGridView::circlesAtEverySizeAndScheme_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("onCursor");
    for (int size = 0; size < 3; ++size) {
        for (const bool dark : {false, true}) {
            const QByteArray name = QByteArray::number(size) + (dark ? " dark" : " default");
            QTest::newRow(name.constData()) << size << dark << false;
            QTest::newRow((name + " on the cursor").constData()) << size << dark << true;
        }
    }
}

// A circle touches all four sides of its square and leaves the middle free
// for the letter, on the normal and the cursor background.
void TestGridView::circlesAtEverySizeAndScheme()
{
    QFETCH(int, cellSize);
    QFETCH(bool, dark);
    QFETCH(bool, onCursor);
    if (dark) {
        settings_->colorSchemes.SetColor(kNormalCellBackground, 0x00202020);
        settings_->colorSchemes.SetColor(kNormalCellText, 0x00F0F0F0);
        settings_->colorSchemes.SetColor(kSelectedCellHighlight, 0x00804000);
    }
    OpenFile(PuzBuilder(OpenGrid(5, 5)).Circles({6, 12}).Build(), cellSize, QSize(300, 300));
    Place(onCursor ? 12 : 0, true);
    view_->update();
    const QImage image = Grab();
    const QRect grid = GridBox(image);
    for (const int cell : {6, 12, 18}) {
        const QRect inside = CellInside(grid, cell);
        const QColor back = Scheme(onCursor && cell == 12 ? kSelectedCellHighlight : kNormalCellBackground);
        const QList<QPoint> ring = Others(image, inside, back);
        if (cell == 18) {
            QVERIFY(ring.isEmpty());
            continue;
        }
        const int side = inside.width();
        const int mid = side / 2;
        auto touches = [&](int x0, int x1, int y0, int y1) {
            return std::any_of(ring.cbegin(), ring.cend(), [&](QPoint p) {
                return p.x() >= x0 && p.x() <= x1 && p.y() >= y0 && p.y() <= y1;
            });
        };
        QVERIFY(touches(0, 1, mid - 1, mid + 1));
        QVERIFY(touches(side - 2, side - 1, mid - 1, mid + 1));
        QVERIFY(touches(mid - 1, mid + 1, 0, 1));
        QVERIFY(touches(mid - 1, mid + 1, side - 2, side - 1));
        QVERIFY(!touches(side / 3, side - 1 - side / 3, side / 3, side - 1 - side / 3));
    }
}

// A rebus square is right only with its whole answer, and revealing it shows
// the whole answer just as entering it does.
void TestGridView::rebusSquaresShowCheckAndReveal()
{
    OpenFile(PuzBuilder(kSmallGrid).Rebus({{0, "CAT"}}).Build(), 2, QSize(400, 300));
    Place(0, true);
    puzzle_->SetCurrentEntryText("C");
    Place(17, true);
    view_->SetCheckMode(true);
    QImage image = Grab();
    const QRect inside = CellInside(GridBox(image), 0);
    QVERIFY(Count(image, inside, Scheme(kWrongLettersText)) > 0);
    const QList<QPoint> firstLetter = Others(image, inside, Scheme(kNormalCellBackground));

    Place(0, true);
    puzzle_->SetCurrentEntryText("cat");
    Place(17, true);
    view_->SetCheckMode(true);
    image = Grab();
    QCOMPARE(Count(image, inside, Scheme(kWrongLettersText)), 0);
    const QList<QPoint> wholeAnswer = Others(image, inside, Scheme(kNormalCellBackground));
    QVERIFY(!wholeAnswer.isEmpty());
    QVERIFY(wholeAnswer != firstLetter);
    const auto span = [](const QList<QPoint>& points) {
        const auto [left, right] = std::minmax_element(points.cbegin(), points.cend(),
                                                       [](QPoint a, QPoint b) { return a.x() < b.x(); });
        return right->x() - left->x();
    };
    QVERIFY(span(wholeAnswer) > span(firstLetter));

    view_->SetCheckMode(false);
    puzzle_->SetCurrentCell(0);
    puzzle_->SetCurrentEntry(' ');
    Place(17, true);
    QVERIFY(view_->OnCommand(ID_REVEAL_PUZZLE));
    image = Grab();
    QVERIFY(Count(image, inside, Scheme(kHintLettersText)) > 0);
    // The same text in another colour: the same place, give or take the
    // faintest edge pixels.
    const auto bounds = [](const QList<QPoint>& points) {
        QRect box;
        for (const QPoint& p : points)
            box |= QRect(p, QSize(1, 1));
        return box;
    };
    const QRect revealed = bounds(Others(image, inside, Scheme(kNormalCellBackground)));
    const QRect entered = bounds(wholeAnswer);
    QVERIFY(qAbs(revealed.left() - entered.left()) <= 1 && qAbs(revealed.right() - entered.right()) <= 1);
    QVERIFY(qAbs(revealed.top() - entered.top()) <= 1 && qAbs(revealed.bottom() - entered.bottom()) <= 1);
}

void TestGridView::rebusEditEntersSeveralLetters()
{
    OpenFile(PuzBuilder(kSmallGrid).Rebus({{1, "ATE"}}).Build(), 1, QSize(400, 300));
    view_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(view_.get()));
    view_->SelectCell(1, CGridView::SelectStep);
    CRebusEdit* edit = view_->RebusEdit();
    QTest::keyClick(view_.get(), Qt::Key_Insert);
    QVERIFY(edit->isVisible());
    QVERIFY(edit->hasFocus());
    QVERIFY(edit->geometry().contains(view_->CellOnScreen(1).center()));
    QTest::keyClicks(edit, "a t*e");
    QCOMPARE(edit->text(), QStringLiteral("AT*E"));
    edit->setText(QString());
    QTest::keyClicks(edit, "ate");
    QTest::keyClick(edit, Qt::Key_Return);
    QVERIFY(!edit->isVisible());
    QVERIFY(view_->hasFocus());
    QCOMPARE(puzzle_->GetEntryText(1), QStringLiteral("ATE"));
    QVERIFY(puzzle_->IsEntryCorrect(1));
    QCOMPARE(puzzle_->GetCurrentCell(), 2);

    // Escape drops what was typed; leaving the edit keeps it.
    QTest::keyClick(view_.get(), Qt::Key_Insert);
    QTest::keyClicks(edit, "xy");
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(puzzle_->GetEntryText(2), QString());
    QCOMPARE(puzzle_->GetCurrentCell(), 2);
    QTest::keyClick(view_.get(), Qt::Key_Insert);
    QTest::keyClicks(edit, "tq");
    view_->setFocus();
    QVERIFY(!edit->isVisible());
    QCOMPARE(puzzle_->GetEntryText(2), QStringLiteral("TQ"));

    // The edit opens on the current entry, whole.
    view_->SelectCell(1, CGridView::SelectStep);
    QTest::keyClick(view_.get(), Qt::Key_Insert);
    QCOMPARE(edit->text(), QStringLiteral("ATE"));
    QTest::keyClick(edit, Qt::Key_Escape);
}

void TestGridView::clueViewShowsUtf8Clue()
{
    PuzBuilder builder(kSmallGrid);
    QList<QByteArray> clues(builder.WordCount(), QByteArray("plain"));
    clues[0] = "\xce\xa9\xce\xbc\xce\xad\xce\xb3\xce\xb1 \xe2\x98\x95 \xf0\x9f\x8e\xb2";
    OpenFile(builder.Version("2.0").Clues(clues).Build(), 1, QSize(400, 300));
    QCOMPARE(clueView_->toPlainText(), QStringLiteral(u"1 a. \u03a9\u03bc\u03ad\u03b3\u03b1 \u2615 \U0001F3B2"));
}

// A bar ends the word the cursor types into, a void square takes the
// background around the grid, a shaded square keeps its shade, and a puzzle
// without its solution refuses to reveal.
void TestGridView::ipuzBarsShadingAndVoidSquares()
{
    OpenFile(IpuzBuilder({"ABC", "DEF", "GH_"})
                 .Without("solution")
                 .Square(1, "{\"cell\": 2, \"style\": {\"barred\": \"R\"}}")
                 .Square(3, "{\"cell\": 4, \"style\": {\"highlight\": true}}")
                 .Build(),
             1, QSize(240, 320));
    const QImage image = Grab();
    const QRect grid = GridBox(image);
    const QRect voidSquare = CellInside(grid, 8);
    const QColor background = QColorFromRef(GetSystemColor(SystemColor::ButtonHighlight));
    QCOMPARE(Count(image, voidSquare, background), voidSquare.width() * voidSquare.height());
    const QRect beforeBar = CellInside(grid, 1);
    QCOMPARE(Count(image, QRect(beforeBar.right() + 1, beforeBar.top() + 4, 2, 10), Scheme(1)), 20);
    QCOMPARE(Count(image, CellInside(grid, 3), Scheme(0)), 0);

    QTest::keyClicks(view_.get(), "abc");
    QCOMPARE(Entries().left(3), QStringLiteral("AC "));
    QVERIFY(view_->OnCommand(ID_REVEAL_WORD));
    QCOMPARE(view_->HintMode(), int(CGridView::HintNone));
    QCOMPARE(prompt_->Captions(), QStringList{"No Solution"});
    // Checking as you type, left on from another puzzle, marks nothing wrong.
    auto options = view_->Options();
    options.checkAsYouType = true;
    view_->SetOptions(options);
    QVERIFY(!view_->CheckingAsYouType());
}

void TestGridView::solvingKeys_data()
{
    QTest::addColumn<QList<QByteArray>>("entries");
    QTest::addColumn<int>("from");
    QTest::addColumn<bool>("skipFilled");
    QTest::addColumn<QString>("keys"); // > Tab, < Shift+Tab, d Delete, [ Home, ] End, others typed
    QTest::addColumn<int>("to");
    QTest::addColumn<bool>("across");
    QTest::addColumn<QString>("lastRow");
    // Clues in Tab order: 0 CAT (0-2), 3 SO (4-5), 5 WAREST (12-17), then
    // 1 COW (0 6 12), 2 TOR (2 8 14), 4 SES (4 10 16).
    const QList<QByteArray> none;
    const QList<QByteArray> some{"CAT.S-", "O.-.E.", "W-R-ST"};
    QTest::newRow("tab to the next across clue") << none << 1 << false << ">" << 4 << true << "      ";
    QTest::newRow("last across clue to first down") << none << 14 << false << ">" << 0 << false << "      ";
    QTest::newRow("shift tab wraps") << none << 0 << false << "<" << 4 << false << "      ";
    QTest::newRow("first empty square") << some << 0 << false << ">" << 5 << true << "W R ST";
    QTest::newRow("full word from its start") << some << 5 << false << "<" << 0 << true << "W R ST";
    QTest::newRow("delete stays") << some << 12 << false << "d" << 12 << true << "  R ST";
    QTest::newRow("end") << none << 14 << false << "]" << 17 << true << "      ";
    QTest::newRow("home") << none << 14 << false << "][" << 12 << true << "      ";
    QTest::newRow("next square by design") << some << 12 << false << "xy" << 14 << true << "XYR ST";
    QTest::newRow("skipping filled squares") << some << 12 << true << "xy" << 15 << true << "XYR ST";
    QTest::newRow("nothing empty after") << some << 15 << true << "z" << 16 << true << "W RZST";
}

void TestGridView::solvingKeys()
{
    QFETCH(QList<QByteArray>, entries);
    QFETCH(int, from);
    QFETCH(bool, skipFilled);
    QFETCH(QString, keys);
    QFETCH(int, to);
    QFETCH(bool, across);
    QFETCH(QString, lastRow);
    Open(kSmallGrid, 1, QSize(240, 320), entries);
    SetOption(ID_SKIP_FILLED_SQUARES, skipFilled);
    Place(from, true);
    view_->UpdateClueBar(false);
    const QMap<QChar, Qt::Key> special{{'>', Qt::Key_Tab}, {'<', Qt::Key_Backtab}, {'d', Qt::Key_Delete},
                                       {'[', Qt::Key_Home}, {']', Qt::Key_End}};
    for (const QChar key : keys)
        QTest::keyClick(view_.get(), special.value(key, Qt::Key(key.toUpper().unicode())));
    QCOMPARE(puzzle_->GetCurrentCell(), to);
    QCOMPARE(puzzle_->IsAcross(), across);
    QCOMPARE(Entries().right(6), lastRow);
    QVERIFY(clueView_->toPlainText().endsWith(QStringLiteral("Clue %1").arg(puzzle_->GetCurrentClue())));
}

// Undo puts the cursor back on the changed square and the clue line follows;
// "Clear All Entries..." asks first.
void TestGridView::undoRedoAndClearing()
{
    Open(kSmallGrid, 1, QSize(240, 320));
    QTest::keyClicks(view_.get(), QStringLiteral("ca"));
    Tap(16);
    QVERIFY(view_->OnCommand(ID_EDIT_UNDO));
    QCOMPARE(puzzle_->GetCurrentCell(), 1);
    QCOMPARE(clueView_->toPlainText(), QStringLiteral("1 a. Clue 0"));
    QCOMPARE(Entries().left(3), QStringLiteral("C  "));
    for (const int command : {ID_EDIT_REDO, ID_CLEAR_WORD, ID_EDIT_UNDO, ID_CLEAR_ALL_ENTRIES})
        QVERIFY(view_->OnCommand(command));
    QCOMPARE(Entries().left(3), QStringLiteral("CA "));
    QCOMPARE(prompt_->Captions(), QStringList{QStringLiteral("Clear All Entries")});
    prompt_.emplace(UserPrompt::Answer::Yes);
    QVERIFY(view_->OnCommand(ID_CLEAR_ALL_ENTRIES));
    QCOMPARE(puzzle_->GetFilledCount(), 0);
}

void TestGridView::numbersSitAboveTheLetters_data()
{
    QTest::addColumn<int>("cellSize");
    QTest::addColumn<bool>("dark");
    for (int size = 0; size < 3; ++size) {
        for (const bool dark : {false, true})
            QTest::newRow(QByteArray::number(size).append(dark ? " dark" : " default").constData()) << size << dark;
    }
}

// A number takes the top-left corner of its square, a third of it high; a
// letter in the square stays below it. Small cells have no room for numbers.
void TestGridView::numbersSitAboveTheLetters()
{
    QFETCH(int, cellSize);
    QFETCH(bool, dark);
    if (dark) {
        settings_->colorSchemes.SetColor(kNormalCellBackground, 0x00202020);
        settings_->colorSchemes.SetColor(kNormalCellText, 0x00F0F0F0);
    }
    Open(kSmallGrid, cellSize, QSize(400, 300));
    SetOption(ID_NUMBERS_IN_SQUARES, true);
    Place(13, true);
    const QImage numberOnly = Grab();
    const QRect inside = CellInside(GridBox(numberOnly), 4);
    puzzle_->SetCurrentCell(4);
    puzzle_->SetCurrentEntry('W');
    Place(13, true);
    const QImage withLetter = Grab();
    QRect number;
    QRect letter;
    for (int y = 0; y < inside.height(); ++y) {
        for (int x = 0; x < inside.width(); ++x) {
            const QPoint at = inside.topLeft() + QPoint(x, y);
            if (numberOnly.pixel(at) != Scheme(kNormalCellBackground).rgb())
                number |= QRect(x, y, 1, 1);
            if (withLetter.pixel(at) != numberOnly.pixel(at))
                letter |= QRect(x, y, 1, 1);
        }
    }
    QVERIFY(!letter.isNull());
    QCOMPARE(number.isNull(), cellSize == 0);
    if (cellSize > 0) {
        QVERIFY(number.top() <= 2 && number.left() <= 2 && number.height() <= inside.height() / 3 + 1);
        QVERIFY(letter.top() > number.bottom());
    }
}

// Pencil letters are lighter than pen letters; with "Check as I Type" wrong
// letters show without the Check button, and an encrypted puzzle refuses it
// with the message the button gets.
void TestGridView::pencilAndCheckAsYouType()
{
    Open(kSmallGrid, 2, QSize(400, 300));
    SetOption(ID_PENCIL, true);
    QTest::keyClicks(view_.get(), QStringLiteral("cx"));
    SetOption(ID_PENCIL, false);
    QTest::keyClick(view_.get(), 't');
    SetOption(ID_CHECK_AS_YOU_TYPE, true);
    Place(13, true);
    const QImage image = Grab();
    const QRect grid = GridBox(image);
    QCOMPARE(Count(image, CellInside(grid, 0), Scheme(kNormalCellText)), 0);
    QVERIFY(!Others(image, CellInside(grid, 0), Scheme(kNormalCellBackground)).isEmpty());
    QVERIFY(Count(image, CellInside(grid, 1), Scheme(kWrongLettersText)) > 0);
    QVERIFY(Count(image, CellInside(grid, 2), Scheme(kNormalCellText)) > 0);

    SetOption(ID_CHECK_AS_YOU_TYPE, false);
    Open(kSmallGrid, 2, QSize(400, 300), {}, true);
    QVERIFY(view_->OnCommand(ID_CHECK_AS_YOU_TYPE));
    QVERIFY(!view_->CheckingAsYouType() && !view_->Options().checkAsYouType);
    QCOMPARE(prompt_->Captions(), QStringList{QStringLiteral("Encrypted Puzzle")});
}

GRIDMOOR_TEST_MAIN(TestGridView)
#include "tst_grid_view.moc"
