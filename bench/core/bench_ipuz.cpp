// Median times of opening and closing ipuz crosswords without changes: a
// 15 x 15 with clues and a solution (about 8 KB) and a 21 x 21 with styles
// (circles, shading, bars) and saved progress. With a folder argument the two
// files are also written there, for the comparison script beside this file.

#include "core/puzzle.h"

#include "bench_grid.h"
#include "fixture_files.h"
#include "grid_words.h"
#include "ipuz_builder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRuns = 2001;

// Clues of an ordinary length, as objects with an enumeration.
QByteArray Clues(const QList<QByteArray>& grid)
{
    QByteArray across;
    QByteArray down;
    for (const GridWord& word : FindGridWords(grid, '.')) {
        QByteArray& list = word.across ? across : down;
        list += (list.isEmpty() ? "\n    " : ",\n    ") + QByteArray("{\"number\": ") + QByteArray::number(word.number)
            + ", \"clue\": \"A clue of an ordinary length, number " + QByteArray::number(word.number)
            + "\", \"enumeration\": \"" + QByteArray::number(word.length) + "\"}";
    }
    return "{\"Across\": [" + across + "],\n  \"Down\": [" + down + "]}";
}

QByteArray Plain15()
{
    const QList<QByteArray> grid = BenchGrid(15);
    return IpuzBuilder(grid).Member("copyright", "\"2024 Nobody\"").Member("clues", Clues(grid)).Build();
}

// Every seventh letter square circled, every eleventh shaded, bars after
// every ninth, and the first two thirds of the squares filled in.
QByteArray Styled21()
{
    const QList<QByteArray> grid = BenchGrid(21);
    IpuzBuilder builder(grid);
    QByteArray saved = "[";
    for (int cell = 0; cell < 21 * 21; ++cell) {
        const char letter = grid[cell / 21][cell % 21];
        if (cell % 21 == 0)
            saved += cell == 0 ? "[" : "],\n[";
        else
            saved += ", ";
        saved += letter == '.' ? QByteArray("\"#\"") : cell < 300 ? '"' + QByteArray(1, letter) + '"' : QByteArray("\"\"");
        if (letter == '.')
            continue;
        if (cell % 7 == 0)
            builder.Square(cell, "{\"cell\": 0, \"style\": {\"shapebg\": \"circle\"}}");
        else if (cell % 11 == 0)
            builder.Square(cell, "{\"cell\": 0, \"style\": \"shaded\"}");
        else if (cell % 9 == 0)
            builder.Square(cell, "{\"cell\": 0, \"style\": {\"barred\": \"R\"}}");
    }
    saved += "]]";
    return builder.Member("styles", "{\"shaded\": {\"color\": \"C0C0C0\"}}")
        .Member("clues", Clues(grid))
        .Member("saved", saved)
        .Member("http://gridmoor.org/ipuz/progress", "{\"seconds\": 321}")
        .Build();
}

double MedianOpenClose(const QString& path)
{
    CPuzzle puzzle;
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        const auto start = std::chrono::steady_clock::now();
        puzzle.Open(path);
        puzzle.Close();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return times[size_t(kRuns / 2)];
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString plain = folder + "/plain15.ipuz";
    const QString styled = folder + "/styled21.ipuz";
    FixtureFiles::Write(plain, Plain15());
    FixtureFiles::Write(styled, Styled21());
    std::printf("%-58s %9.1f us (%lld bytes)\n", "open and close, 15x15 .ipuz", MedianOpenClose(plain),
                static_cast<long long>(QFileInfo(plain).size()));
    std::printf("%-58s %9.1f us (%lld bytes)\n", "open and close, 21x21 .ipuz, styles and progress",
                MedianOpenClose(styled), static_cast<long long>(QFileInfo(styled).size()));
    return 0;
}
