// Median times of opening and closing a 15 x 15 jpz crossword without
// changes, about 28 KB of XML laid out as published files are (indented, one
// line per cell, word and clue, clues of an ordinary length), plain and
// zipped. With a folder argument the two files are also written there, for
// the comparison script beside this file.

#include "bench_grid.h"
#include "fixture_files.h"
#include "grid_words.h"
#include "jpz_builder.h"
#include "open_close_timing.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

QByteArray Clues(const QList<QByteArray>& grid)
{
    QByteArray across = "    <clues ordering=\"normal\">\n      <title><b>Across</b></title>\n";
    QByteArray down = "    <clues ordering=\"normal\">\n      <title><b>Down</b></title>\n";
    int id = 1;
    for (const GridWord& word : FindGridWords(grid, '.')) {
        (word.across ? across : down) += "      <clue word=\"" + QByteArray::number(id++) + "\" number=\""
            + QByteArray::number(word.number) + "\" format=\"" + QByteArray::number(word.length)
            + "\">A clue of an <i>ordinary</i> length, number " + QByteArray::number(word.number)
            + " &amp; so on</clue>\n";
    }
    return across + "    </clues>\n" + down + "    </clues>\n";
}

// Settings as a published applet file carries them: colours, buttons and
// the messages it shows.
QByteArray Settings()
{
    QByteArray actions;
    for (const char* action : {"reveal-word", "reveal-letter", "check", "check-word", "check-puzzle", "solution",
                               "pencil", "clear-word", "clear-puzzle", "print"})
        actions += "      <" + QByteArray(action) + " label=\"" + QByteArray(action) + "\" enabled=\"true\"/>\n";
    return "<applet-settings width=\"720\" height=\"600\" cursor-color=\"#00b100\" selected-cells-color=\"#80ff80\">\n"
           "    <completion only-if-correct=\"true\">Congratulations, the puzzle is solved!</completion>\n"
           "    <actions graphical-buttons=\"false\" wide-buttons=\"false\" buttons-layout=\"left\">\n"
        + actions + "    </actions>\n    <timer initial-value=\"0\" start-on-load=\"true\"/>\n</applet-settings>";
}

// A 15 x 15 grid with about as many words as a daily puzzle (about 70):
// the benchmarks' grid with a black square more in every second row.
QList<QByteArray> DailyGrid()
{
    QList<QByteArray> rows = BenchGrid(15);
    for (int r = 1; r < 15; r += 2) {
        rows[r][(r * 7) % 15] = '.';
        rows[14 - r][14 - (r * 7) % 15] = '.';
    }
    return rows;
}

QByteArray Plain15()
{
    const QList<QByteArray> grid = DailyGrid();
    QByteArray text = JpzBuilder(grid)
                          .Settings(Settings())
                          .Metadata("<title>A Daily Crossword</title><creator>Some Constructor</creator>"
                                    "<copyright>&#169; 2024 Nobody</copyright><description>Solve it.</description>")
                          .Clues(Clues(grid))
                          .Build();
    // Published files indent every line and list a word's squares in
    // "cells" elements.
    text.replace("\n<cell", "\n        <cell").replace("\n<word", "\n    <word");
    static const QRegularExpression word(R"re(<word id="(\d+)" (x="[^"]*" y="[^"]*")></word>)re");
    return QString::fromUtf8(text).replace(word, "<word id=\"\\1\">\n      <cells \\2/>\n    </word>").toUtf8();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    QDir().mkpath(folder);
    const QString plain = folder + "/plain15.jpz";
    const QString zipped = folder + "/zipped15.jpz";
    FixtureFiles::Write(plain, Plain15());
    FixtureFiles::Write(zipped, JpzBuilder::Zipped(Plain15()));
    PrintOpenClose("open and close, 15x15 .jpz", plain);
    PrintOpenClose("open and close, 15x15 .jpz, zipped", zipped);
    return 0;
}
