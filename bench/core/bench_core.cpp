// Median times of the core's hot paths, one line each: opening and closing
// puzzles without changes, the same with one entry changed (so the file is
// written back), and parsing a 32 KB XML text.

#include "core/puzzle.h"
#include "core/xml_reader.h"

#include "bench_grid.h"
#include "document_builder.h"
#include "fixture_files.h"
#include "grid_words.h"
#include "puz_builder.h"

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 2001;

double MedianMicroseconds(const std::function<void()>& work, int runs = kRuns)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}

// A 21 x 21 file of version 2.0 with every section the reader understands:
// notes, circles, rebus squares with the solver's rebus entries, the timer,
// and one section it keeps without reading.
QByteArray AllSections21()
{
    const QList<QByteArray> grid = BenchGrid(21);
    QList<int> circled;
    QMap<int, QByteArray> rebus;
    QMap<int, QByteArray> entered;
    for (int cell = 0; cell < 21 * 21; cell += 7) {
        if (grid[cell / 21][cell % 21] == '.')
            continue;
        circled.append(cell);
        if (cell % 3 == 0)
            rebus.insert(cell, grid[cell / 21][cell % 21] + QByteArray("EART"));
        if (cell % 9 == 0)
            entered.insert(cell, grid[cell / 21][cell % 21] + QByteArray("EART"));
    }
    return PuzBuilder(grid)
        .Version("2.0")
        .Title("Gro\xc3\x9f \xce\xb1\xce\xb2\xce\xb3")
        .Notes(QByteArray(400, 'n'))
        .Circles(circled)
        .Rebus(rebus)
        .UserRebus(entered)
        .Section("LTIM", "1234,0")
        .Section("ZZZZ", QByteArray(64, 'z'))
        .Build();
}

QByteArray XmlText(qsizetype length)
{
    QByteArray text = "<crossword>\n<across>\n";
    for (int k = 1; text.size() < length - 40; ++k)
        text += "<a" + QByteArray::number(k) + " c=\"A%20clue%20text\" n=\"" + QByteArray::number(k)
            + "\" cn=\"" + QByteArray::number(k) + "\" />\n";
    text += "</across>\n</crossword>\n";
    return text;
}

void Report(const char* what, double microseconds)
{
    std::printf("%-58s %9.1f us\n", what, microseconds);
}

void BenchPuzzle(const char* what, const char* changedWhat, const QString& path)
{
    CPuzzle puzzle;
    Report(what, MedianMicroseconds([&] {
        puzzle.Open(path);
        puzzle.Close();
    }));
    Report(changedWhat, MedianMicroseconds(
                            [&] {
                                puzzle.Open(path);
                                puzzle.SetCurrentEntry(puzzle.GetCell(puzzle.GetCurrentCell()).entry == 'A' ? 'B' : 'A');
                                puzzle.Close();
                            },
                            201));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString puz15 = dir.filePath("grid15.puz");
    const QString puz21 = dir.filePath("grid21.puz");
    const QString sections21 = dir.filePath("sections21.puz");
    const QString sample = dir.filePath("NYTimes.gmd");
    FixtureFiles::Write(puz15, PuzBuilder(BenchGrid(15)).Build());
    FixtureFiles::Write(puz21, PuzBuilder(BenchGrid(21)).Build());
    FixtureFiles::Write(sections21, AllSections21());
    QFile::copy(QStringLiteral(GRIDMOOR_SOURCE_DIR "/resources/NYTimes.gmd"), sample);
    QFile::setPermissions(sample, QFile::ReadOwner | QFile::WriteOwner);

    BenchPuzzle("open and close, 15x15 .puz", "open, change one entry, close, 15x15 .puz", puz15);
    BenchPuzzle("open and close, 21x21 .puz", "open, change one entry, close, 21x21 .puz", puz21);
    BenchPuzzle("open and close, 21x21 .puz with all sections",
                "open, change one entry, close, 21x21 .puz, all sections", sections21);
    BenchPuzzle("open and close, packed sample .gmd", "open, change one entry, close, packed sample .gmd",
                sample);

    const QByteArray xml = XmlText(32 * 1024);
    Report("parse a 32 KB XML text", MedianMicroseconds([&] {
        XmlError error;
        const auto root = ParseXml(xml.constData(), &error);
        if (!root)
            std::printf("parse error %d\n", error.code);
    }));
    return 0;
}
