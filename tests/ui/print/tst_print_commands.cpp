#include "data/file_type_registration.h"
#include "fixture_files.h"
#include "ipuz_builder.h"
#include "print_fixture.h"
#include "puz_builder.h"
#include "required_tools.h"
#include "test_home.h"
#include "test_main.h"

#include <QCryptographicHash>
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>
#include <QUrl>

// The program's picture command lines as scripts and file managers run them:
// the PDF read back with poppler's tools, the thumbnail made by the command
// of the installed thumbnailer entry, and every failure an exit code of 1
// with a reason and no output file, the puzzle untouched.
class TestPrintCommands : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void exportsReadablePdf_data();
    void exportsReadablePdf();
    void refusesBadInput_data();
    void refusesBadInput();
    void thumbnailerMakesPng_data();
    void thumbnailerMakesPng();
};

namespace {

constexpr int kTimeoutMs = 30000;

struct Run {
    int code = -2;
    QByteArray out;
    QByteArray err;
};

Run Start(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(kTimeoutMs))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, process.readAllStandardOutput(),
            process.readAllStandardError()};
}

Run Gridmoor(const QStringList& arguments)
{
    return Start(QStringLiteral(GRIDMOOR_PROGRAM), arguments);
}

QString Folder()
{
    return TestHome::Path() + QStringLiteral("/print");
}

// Words with single blanks between them, as read from any column layout.
QString PdfText(const QString& pdf)
{
    const Run run = Start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    return QString::fromUtf8(run.out).simplified();
}

int PdfPages(const QString& pdf)
{
    const Run run = Start(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const QRegularExpressionMatch match = pages.match(QString::fromUtf8(run.out));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

bool IsDark(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// The grid's outer frame: the rows crossed by a dark line longer than any
// line of text.
QRect FindGrid(const QImage& page, int longest)
{
    QRect grid;
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0, run = 0; x < page.width(); ++x) {
            run = IsDark(page, x, y) ? run + 1 : 0;
            if (run >= longest)
                grid |= QRect(QPoint(x - run + 1, y), QPoint(x, y));
        }
    }
    return grid;
}

// Whether each square of the picture is dark at its centre where the puzzle
// has a black square, and light elsewhere.
void CompareSquares(const QImage& image, const QRectF& grid, const QList<QByteArray>& rows)
{
    const qreal pitch = grid.width() / rows.size();
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            const QPointF centre = grid.topLeft() + QPointF((c + 0.5) * pitch, (r + 0.5) * pitch);
            QVERIFY2(IsDark(image, int(centre.x()), int(centre.y())) == (rows[r][c] == '.'),
                     qPrintable(QStringLiteral("square %1,%2").arg(r).arg(c)));
        }
    }
}

} // namespace

void TestPrintCommands::initTestCase()
{
    const QString missing = RequiredTools::Missing({{"pdftotext", "poppler-utils"}, {"pdftoppm", "poppler-utils"},
                                                    {"pdfinfo", "poppler-utils"}});
    QVERIFY2(missing.isEmpty(), qPrintable(missing));
    QVERIFY(QDir().mkpath(Folder()));
}

void TestPrintCommands::exportsReadablePdf_data()
{
    QTest::addColumn<int>("side");
    QTest::addColumn<int>("blockEvery");
    QTest::addColumn<bool>("onePage");
    QTest::newRow("15x15, 86 clues") << 15 << 6 << true;
    QTest::newRow("21x21, 144 clues") << 21 << 7 << false;
}

void TestPrintCommands::exportsReadablePdf()
{
    QFETCH(int, side);
    QFETCH(int, blockEvery);
    QFETCH(bool, onePage);
    const PrintFixture fixture = MakePrintFixture(side, blockEvery);
    const QString puzzle = Folder() + QStringLiteral("/daily%1.puz").arg(side);
    const QString pdf = Folder() + QStringLiteral("/daily%1.pdf").arg(side);
    QVERIFY(FixtureFiles::Write(puzzle, fixture.file));
    const Run run = Gridmoor({QStringLiteral("--export-pdf"), puzzle, pdf});
    QVERIFY2(run.code == 0, run.err.constData());
    QCOMPARE(FixtureFiles::Read(puzzle), fixture.file);
    const auto folder = [](QStandardPaths::StandardLocation location) {
        return QStandardPaths::writableLocation(location);
    };
    QVERIFY(!QFileInfo::exists(folder(QStandardPaths::GenericConfigLocation) + QStringLiteral("/gridmoor")));
    QVERIFY(!QFileInfo::exists(folder(QStandardPaths::DocumentsLocation) + QStringLiteral("/GridmoorData")));

    const QString text = PdfText(pdf);
    QVERIFY(text.contains(QString::fromLatin1(fixture.title)));
    for (const QString& clue : fixture.clues)
        QVERIFY2(text.contains(clue), qPrintable(clue));
    if (onePage)
        QCOMPARE(PdfPages(pdf), 1);

    const QString prefix = Folder() + QStringLiteral("/page%1").arg(side);
    QCOMPARE(Start(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("100"), QStringLiteral("-png"),
                                                QStringLiteral("-singlefile"), pdf, prefix}).code, 0);
    const QImage page(prefix + QStringLiteral(".png"));
    const QRect grid = FindGrid(page, page.width() / 4);
    QVERIFY(grid.width() > page.width() / 3);
    CompareSquares(page, QRectF(grid).adjusted(0.5, 0.5, -0.5, -0.5), fixture.rows);
}

void TestPrintCommands::refusesBadInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QStringList>("options");
    const QByteArray puz = PuzBuilder({"CAT", "A.O", "TOE"}).Build();
    const QStringList pdf{QStringLiteral("--export-pdf"), QStringLiteral("IN"), QStringLiteral("OUT")};
    const QStringList thumbnail{QStringLiteral("--thumbnail"), QStringLiteral("IN"), QStringLiteral("OUT"),
                                QStringLiteral("64")};
    QTest::newRow("damaged puzzle, PDF") << puz.left(puz.size() / 2) << pdf;
    QTest::newRow("damaged puzzle, thumbnail") << puz.left(60) << thumbnail;
    QTest::newRow("no puzzle, thumbnail") << QByteArray("<html>not a crossword</html>") << thumbnail;
    QTest::newRow("missing file") << QByteArray() << pdf;
    QTest::newRow("solution of an encrypted puzzle")
        << PuzBuilder({"CAT", "A.O", "TOE"}).ScrambledTag(0x04).Build()
        << (pdf + QStringList{QStringLiteral("--with-solution")});
    QTest::newRow("unknown option") << puz << (pdf + QStringList{QStringLiteral("--in-colour")});
    QTest::newRow("size no number") << puz << QStringList{QStringLiteral("--thumbnail"), QStringLiteral("IN"),
                                                          QStringLiteral("OUT"), QStringLiteral("big")};
}

void TestPrintCommands::refusesBadInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QStringList, options);
    const QString puzzle = Folder() + QStringLiteral("/bad.puz");
    const QString output = Folder() + QStringLiteral("/bad.out");
    QFile::remove(puzzle);
    QFile::remove(output);
    if (!content.isEmpty())
        QVERIFY(FixtureFiles::Write(puzzle, content));
    options.replaceInStrings(QStringLiteral("IN"), puzzle).replaceInStrings(QStringLiteral("OUT"), output);
    const Run run = Gridmoor(options);
    QCOMPARE(run.code, 1);
    QVERIFY(run.err.startsWith("gridmoor: "));
    QVERIFY(!QFile::exists(output));
    QCOMPARE(QDir(Folder()).entryList({QStringLiteral("bad.out*")}, QDir::Files), QStringList());
    if (!content.isEmpty())
        QCOMPARE(FixtureFiles::Read(puzzle), content);
}

void TestPrintCommands::thumbnailerMakesPng_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("size");
    const QList<QByteArray> rows{"CAT.", "A..O", "TOES", ".NET"};
    QTest::newRow(".puz, large") << QStringLiteral("grid.puz") << PuzBuilder(rows).Build() << 256;
    QTest::newRow(".ipuz, normal") << QStringLiteral("grid.ipuz") << IpuzBuilder(rows).Build() << 128;
    const PrintFixture big = MakePrintFixture(21, 7);
    QTest::newRow("21x21 in fewer pixels than lines") << QStringLiteral("big.puz") << big.file << 48;
}

void TestPrintCommands::thumbnailerMakesPng()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, content);
    QFETCH(int, size);
    const QString puzzle = Folder() + u'/' + name;
    QVERIFY(FixtureFiles::Write(puzzle, content));
    const QString uri = QUrl::fromLocalFile(puzzle).toString(QUrl::FullyEncoded);
    const QString output = TestHome::Path() + QStringLiteral("/.cache/thumbnails/large/")
        + QString::fromLatin1(QCryptographicHash::hash(uri.toUtf8(), QCryptographicHash::Md5).toHex())
        + QStringLiteral(".png");
    QVERIFY(QDir().mkpath(QFileInfo(output).absolutePath()));
    QFile::remove(output);

    const QString entry = ThumbnailerText(QStringLiteral(GRIDMOOR_PROGRAM));
    const QRegularExpression execLine(QStringLiteral("^Exec=(.*)$"), QRegularExpression::MultilineOption);
    const QRegularExpressionMatch exec = execLine.match(entry);
    QVERIFY(exec.hasMatch());
    QStringList command = QProcess::splitCommand(exec.captured(1));
    command.replaceInStrings(QStringLiteral("%i"), puzzle).replaceInStrings(QStringLiteral("%o"), output)
        .replaceInStrings(QStringLiteral("%s"), QString::number(size));
    const Run run = Start(command.takeFirst(), command);
    QVERIFY2(run.code == 0, run.err.constData());
    QCOMPARE(FixtureFiles::Read(puzzle), content);

    const QImage image(output);
    QVERIFY(!image.isNull());
    QCOMPARE(image.width(), image.height());
    QVERIFY(image.width() <= size && image.width() > size * 3 / 4);
    if (name != QStringLiteral("big.puz")) {
        const QList<QByteArray> rows{"CAT.", "A..O", "TOES", ".NET"};
        CompareSquares(image, QRectF(0, 0, image.width(), image.height()), rows);
    }
}

GRIDMOOR_TEST_MAIN(TestPrintCommands)
#include "tst_print_commands.moc"
