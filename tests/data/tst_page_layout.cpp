#include "data/page_layout.h"
#include "test_main.h"

#include <QTest>

#include <cmath>

// The printed page: every clue placed once, in order, inside the page and
// clear of the grid, never split; one page when the clues fit beside a large
// grid, more only when they do not.
class TestPageLayout : public QObject {
    Q_OBJECT

private slots:
    void laysOutPages_data();
    void laysOutPages();
};

namespace {

// Lines of 30 characters, 10 points each, 2 points between clues.
class LineMeasure : public PageTextMeasure {
public:
    qreal HeaderHeight(const PageContent&, qreal) const override { return 40; }
    qreal HeadingHeight(const QString&, qreal) const override { return 16; }
    qreal ClueHeight(const PageClue& clue, qreal) const override
    {
        return 10 * std::ceil(clue.text.size() / 30.0) + 2;
    }
};

PageContent Content(int side, int clues, int clueLength)
{
    PageContent content;
    content.columns = side;
    content.rows = side;
    content.lists = {{QStringLiteral("Across"), {}}, {QStringLiteral("Down"), {}}};
    for (int i = 0; i < clues; ++i)
        content.lists[std::size_t(i % 2)].clues.push_back({QString::number(i), QString(clueLength, u'x')});
    return content;
}

} // namespace

void TestPageLayout::laysOutPages_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("clues");
    QTest::addColumn<int>("clueLength");
    QTest::addColumn<int>("pages");
    QTest::addColumn<qreal>("minCell");
    QTest::newRow("15x15 daily, one page") << 15 << 78 << 40 << 1 << 20.0;
    QTest::newRow("21x21 Sunday, smaller grid") << 21 << 140 << 30 << 1 << 16.0;
    QTest::newRow("clues beyond one page") << 15 << 400 << 60 << 4 << 20.0;
    QTest::newRow("clues taller than a column") << 5 << 3 << 3000 << 1 << 20.0;
    QTest::newRow("no clues") << 9 << 0 << 0 << 1 << 40.0;
}

void TestPageLayout::laysOutPages()
{
    QFETCH(int, side);
    QFETCH(int, clues);
    QFETCH(int, clueLength);
    QFETCH(int, pages);
    QFETCH(qreal, minCell);
    const QRectF printable(36, 36, 523, 770);
    const PageContent content = Content(side, clues, clueLength);
    const std::vector<PrintedPage> laid = LayOutPages(content, printable, LineMeasure());
    QCOMPARE(int(laid.size()), pages);
    const QRectF grid = laid.front().grid;
    QVERIFY(printable.contains(grid));
    QVERIFY(grid.width() / side >= minCell);
    QCOMPARE(grid.width() / side, grid.height() / side);
    std::vector<std::pair<int, int>> order;
    for (const PrintedPage& page : laid) {
        for (std::size_t i = 0; i < page.texts.size(); ++i) {
            const PlacedText& text = page.texts[i];
            order.emplace_back(text.list, text.clue);
            QVERIFY(!text.rect.intersects(grid) || &page != &laid.front());
            const auto startsColumn = [&](std::size_t j) {
                return j == 0 || page.texts[j - 1].rect.left() != page.texts[j].rect.left();
            };
            const bool alone = startsColumn(i) || (page.texts[i - 1].clue < 0 && startsColumn(i - 1));
            QVERIFY2(text.rect.bottom() <= printable.bottom() + 0.01 || alone, "a clue runs off its column");
            if (text.clue < 0)
                QVERIFY2(i + 1 < page.texts.size() && page.texts[i + 1].rect.left() == text.rect.left(),
                         "a heading is parted from its first clue");
        }
    }
    std::vector<std::pair<int, int>> expected;
    for (int list = 0; list < 2; ++list) {
        const int count = int(content.lists[std::size_t(list)].clues.size());
        for (int clue = count > 0 ? -1 : 0; clue < count; ++clue)
            expected.emplace_back(list, clue);
    }
    QCOMPARE(order, expected);
}

GRIDMOOR_TEST_APPLESS_MAIN(TestPageLayout)
#include "tst_page_layout.moc"
