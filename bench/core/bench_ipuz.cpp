// Median times of opening and closing ipuz crosswords without changes: a
// 15 x 15 with clues and a solution (about 8 KB) and a 21 x 21 with styles
// (circles, shading, bars) and saved progress. With a folder argument the two
// files are also written there, for the comparison script beside this file.

#include "bench_grid.h"
#include "fixture_files.h"
#include "grid_words.h"
#include "ipuz_builder.h"
#include "open_close_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

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
    PrintOpenClose("open and close, 15x15 .ipuz", plain);
    PrintOpenClose("open and close, 21x21 .ipuz, styles and progress", styled);
    PrintOpenCloseContent("  the same 15x15 from memory (no file opened)", plain);
    PrintOpenCloseContent("  the same 21x21 from memory (no file opened)", styled);
    return 0;
}
