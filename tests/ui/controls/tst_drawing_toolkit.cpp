#include "ui/controls/color_ref.h"
#include "ui/controls/color_static.h"
#include "ui/controls/control_palette.h"
#include "ui/controls/dpi_scaling.h"
#include "ui/controls/draw_surface.h"
#include "ui/controls/grid_fonts.h"
#include "ui/controls/shape_drawing.h"
#include "ui/controls/soft_key_bar.h"
#include "test_main.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <cmath>

namespace {

// Paints itself red through a buffered surface and remembers what the
// surface looked like.
class BufferedWidget : public QWidget {
public:
    QImage cache;
    bool buffered = true;
    const uchar* lastBits = nullptr;
    QFont fontAtStart;
    QPen penAfterRestore;

protected:
    void paintEvent(QPaintEvent*) override
    {
        CDrawSurface surface(this, buffered, buffered ? &cache : nullptr);
        fontAtStart = surface.font();
        const QPen original = surface.pen();
        surface.SelectPen(surface.ToolPen(SurfacePen::Shadow));
        surface.SelectPen(surface.ToolPen(SurfacePen::Black));
        surface.fillRect(rect(), Qt::red);
        surface.RestoreObjects();
        penAfterRestore = surface.pen();
        QCOMPARE(penAfterRestore, original);
        lastBits = cache.constBits();
    }
};

QImage BlankImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

class TestDrawingToolkit : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void scaleByDpi_data();
    void scaleByDpi();
    void brighten_data();
    void brighten();
    void paletteFollowsTheSystemColours();
    void fontsKeepTheBaseButNormalWeight();
    void letterSizeIsTheLargestThatFits_data();
    void letterSizeIsTheLargestThatFits();

    void surfaceReusesItsImageUntilResized();
    void directSurfacePaintsWithoutCache();
    void linesLeaveOutTheirEndPixel_data();
    void linesLeaveOutTheirEndPixel();
    void bevelBox();

    void colorStatic();
    void softKeyBar();
};

void TestDrawingToolkit::initTestCase()
{
    QFont base = QApplication::font();
    base.setWeight(QFont::Bold);
    base.setPointSize(11);
    QApplication::setFont(base);
}

void TestDrawingToolkit::scaleByDpi_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("dpi");
    QTest::addColumn<int>("expected");

    QTest::newRow("design density") << 18 << 96 << 18;
    QTest::newRow("double density") << 18 << 192 << 36;
    QTest::newRow("truncated") << 25 << 131 << 34;
    QTest::newRow("negative truncates toward zero") << -18 << 131 << -24;
}

void TestDrawingToolkit::scaleByDpi()
{
    QFETCH(int, n);
    QFETCH(int, dpi);
    QTEST(ScaleByDpiAt(n, dpi), "expected");
}

void TestDrawingToolkit::brighten_data()
{
    QTest::addColumn<quint32>("color");
    QTest::addColumn<int>("delta");
    QTest::addColumn<quint32>("expected");

    QTest::newRow("light grey to white") << quint32{0x00F0F0F0} << 30 << quint32{0x00FFFFFF};
    QTest::newRow("dark grey to black") << quint32{0x00101010} << -50 << quint32{0x00000000};
    QTest::newRow("each channel on its own") << quint32{0x00FF00F0} << 20 << quint32{0x00FF14FF};
    QTest::newRow("no carry between channels") << quint32{0x00102030} << 10 << quint32{0x001A2A3A};
}

void TestDrawingToolkit::brighten()
{
    QFETCH(quint32, color);
    QFETCH(int, delta);
    QTEST(Brighten(color, delta), "expected");
}

void TestDrawingToolkit::paletteFollowsTheSystemColours()
{
    QPalette system = QApplication::palette();
    system.setColor(QPalette::Button, QColor(200, 200, 200));
    system.setColor(QPalette::Dark, QColor(100, 110, 120));
    system.setColor(QPalette::Light, QColor(250, 251, 252));
    QApplication::setPalette(system);
    BuildPalette();

    QCOMPARE(PaletteColor(kPaletteFace45), MakeColorRef(245, 245, 245));
    QCOMPARE(PaletteColor(kPaletteFace30), MakeColorRef(230, 230, 230));
    QCOMPARE(PaletteColor(kPaletteFace), MakeColorRef(200, 200, 200));
    QCOMPARE(PaletteColor(kPaletteShadow), MakeColorRef(100, 110, 120));
    QCOMPARE(PaletteColor(kPaletteHighlight), MakeColorRef(250, 251, 252));
    QCOMPARE(QColorFromRef(PaletteColor(kPaletteRed)), QColor(Qt::red));
    QCOMPARE(GetSystemColor(SystemColor::ButtonShadow), MakeColorRef(100, 110, 120));
}

void TestDrawingToolkit::fontsKeepTheBaseButNormalWeight()
{
    CreateFonts();
    QCOMPARE(DefaultFont(), QApplication::font());
    for (int height : {16, 25, 45}) {
        const QFont& letters = LetterFont(height);
        QVERIFY(QFontMetrics(letters).height() <= height);
        QCOMPARE(letters.weight(), QFont::Normal);
        QCOMPARE(letters.family(), QApplication::font().family());
    }
    QCOMPARE(LetterFont(40), LetterFont(25));
}

void TestDrawingToolkit::letterSizeIsTheLargestThatFits_data()
{
    QTest::addColumn<int>("lineHeight");
    QTest::addColumn<int>("glyphSide");
    QTest::newRow("small cells") << 16 << 16;
    QTest::newRow("medium cells") << 25 << 25;
    QTest::newRow("large cells") << 45 << 45;
    QTest::newRow("narrow square") << 45 << 14;
    QTest::newRow("nothing fits") << 2 << 2;
}

// The size is searched from an estimate; every size is tried here.
void TestDrawingToolkit::letterSizeIsTheLargestThatFits()
{
    QFETCH(int, lineHeight);
    QFETCH(int, glyphSide);
    QFont font = QApplication::font();
    int largest = 1;
    for (int size = 1; size <= 2 * lineHeight; ++size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).height() <= lineHeight && std::ceil(CapitalsInkBox(font).height()) <= glyphSide - 2
            && std::ceil(WidestCapitalInk(font)) <= glyphSide - 2)
            largest = size;
    }
    QCOMPARE(LetterPixelSize(QApplication::font(), lineHeight, glyphSide), largest);
}

void TestDrawingToolkit::surfaceReusesItsImageUntilResized()
{
    BufferedWidget widget;
    widget.resize(60, 40);
    QImage shown = widget.grab().toImage();
    QCOMPARE(widget.cache.size(), QSize(60, 40));
    QCOMPARE(shown.pixelColor(30, 20), QColor(Qt::red));
    QCOMPARE(widget.fontAtStart, DefaultFont());
    const uchar* first = widget.lastBits;

    widget.grab();
    QCOMPARE(widget.lastBits, first);

    widget.resize(80, 50);
    shown = widget.grab().toImage();
    QCOMPARE(widget.cache.size(), QSize(80, 50));
    QCOMPARE(shown.pixelColor(79, 49), QColor(Qt::red));
}

void TestDrawingToolkit::directSurfacePaintsWithoutCache()
{
    BufferedWidget widget;
    widget.buffered = false;
    widget.resize(30, 30);
    QCOMPARE(widget.grab().toImage().pixelColor(15, 15), QColor(Qt::red));
    QVERIFY(widget.cache.isNull());
}

void TestDrawingToolkit::linesLeaveOutTheirEndPixel_data()
{
    QTest::addColumn<QLine>("line");
    QTest::addColumn<QPoint>("lastDrawn");

    QTest::newRow("rightwards") << QLine(2, 5, 8, 5) << QPoint(7, 5);
    QTest::newRow("leftwards") << QLine(8, 5, 2, 5) << QPoint(3, 5);
    QTest::newRow("downwards") << QLine(4, 1, 4, 9) << QPoint(4, 8);
    QTest::newRow("diagonal") << QLine(0, 0, 4, 4) << QPoint(3, 3);
}

void TestDrawingToolkit::linesLeaveOutTheirEndPixel()
{
    QFETCH(QLine, line);
    QFETCH(QPoint, lastDrawn);
    QImage image = BlankImage(12, 12);
    {
        QPainter painter(&image);
        painter.setPen(QPen(Qt::black, 1));
        DrawLineExcludingEnd(painter, line.x1(), line.y1(), line.x2(), line.y2());
    }
    QCOMPARE(image.pixelColor(line.p1()), QColor(Qt::black));
    QCOMPARE(image.pixelColor(lastDrawn), QColor(Qt::black));
    QCOMPARE(image.pixelColor(line.p2()), QColor(Qt::white));
}

void TestDrawingToolkit::bevelBox()
{
    QImage image = BlankImage(12, 12);
    QRect inner;
    {
        QPainter painter(&image);
        inner = DrawBevelBox(painter, QRect(0, 0, 10, 10), Qt::green, Qt::black, Qt::yellow, Qt::blue);
    }
    QCOMPARE(inner, QRect(2, 2, 6, 6));
    const QList<std::pair<QPoint, QColor>> expected{
        {{0, 0}, Qt::black}, {{9, 9}, Qt::black},  {{9, 4}, Qt::black},  {{1, 1}, Qt::yellow},
        {{7, 1}, Qt::yellow}, {{1, 7}, Qt::yellow}, {{1, 8}, Qt::blue},  {{8, 1}, Qt::blue},
        {{8, 8}, Qt::blue},   {{5, 5}, Qt::green},  {{10, 10}, Qt::white},
    };
    for (const auto& [point, color] : expected)
        QVERIFY2(image.pixelColor(point) == color, qPrintable(QStringLiteral("at %1,%2").arg(point.x()).arg(point.y())));
}

void TestDrawingToolkit::colorStatic()
{
    CColorStatic label;
    label.resize(40, 20);
    QCOMPARE(label.grab().toImage().pixelColor(20, 10), QColor(Qt::black));
    label.SetBackColor(0x000000FF);
    QCOMPARE(label.grab().toImage().pixelColor(20, 10), QColor(Qt::red));
    QCOMPARE(label.TextColor(), quint32{0x00FFFFFF});

    label.SetFontStyle(true, true);
    QVERIFY(label.font().bold());
    QVERIFY(label.font().underline());
    label.SetFontStyle(false, false);
    QVERIFY(label.font().bold());
    QVERIFY(!label.font().underline());
}

void TestDrawingToolkit::softKeyBar()
{
    QDialog dialog;
    QDialogButtonBox* bar = CreateSoftKeyBar(&dialog, QStringLiteral("Done"), QStringLiteral("Cancel"));
    QCOMPARE(bar->buttons().size(), 2);
    QPushButton* accept = bar->buttons().at(0)->text() == QLatin1String("Done")
                              ? static_cast<QPushButton*>(bar->buttons().at(0))
                              : static_cast<QPushButton*>(bar->buttons().at(1));
    SetSoftKeyText(bar, kSoftKeyAccept, QStringLiteral("OK"));
    QCOMPARE(accept->text(), QStringLiteral("OK"));
    SetSoftKeyText(nullptr, kSoftKeyAccept, QStringLiteral("ignored"));

    dialog.open();
    accept->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    QDialog single;
    QCOMPARE(CreateSoftKeyBar(&single, QStringLiteral("Done"))->buttons().size(), 1);
}

GRIDMOOR_TEST_MAIN(TestDrawingToolkit)
#include "tst_drawing_toolkit.moc"
