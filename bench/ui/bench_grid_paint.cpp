#include "core/puzzle.h"
#include "data/settings.h"
#include "ui/controls/control_palette.h"
#include "ui/view/grid_view.h"

#include "fixture_files.h"
#include "grid_words.h"
#include "puz_builder.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int kRepaints = 301;

QList<QByteArray> OpenPattern(int size)
{
    return QList<QByteArray>(size, QByteArray(size, 'A'));
}

// Letter rows between black rows: a 255-wide grid then has 128 words, within
// the file format's clue count.
QList<QByteArray> StripedPattern(int size)
{
    QList<QByteArray> rows;
    for (int r = 0; r < size; ++r)
        rows.append(QByteArray(size, r % 2 == 0 ? 'A' : '.'));
    return rows;
}

// Median time of a synchronous repaint after each cursor move, in
// milliseconds, with every letter cell filled so that every cell draws a
// letter, and the numbers in the squares on (drawn where the cells are large
// enough for them).
double MedianRepaintMs(const QTemporaryDir& dir, const QList<QByteArray>& pattern, int cellSize, QSize viewSize)
{
    const QList<QByteArray> solution = FillLetters(pattern);
    const QString path = dir.filePath(QStringLiteral("bench.puz"));
    FixtureFiles::Write(path, PuzBuilder(solution).Entries(solution).Build());
    g_settings->cellSize = cellSize;
    CPuzzle puzzle;
    CGridView view(&puzzle, nullptr);
    SolvingOptions options;
    options.numbersInSquares = true;
    view.SetOptions(options);
    view.resize(viewSize);
    view.show();
    QCoreApplication::processEvents();
    if (puzzle.Open(path) != CPuzzle::Success)
        return -1;
    view.OnPuzzleOpened();
    view.repaint();
    std::vector<qint64> times;
    for (int i = 0; i < kRepaints; ++i) {
        view.OnKeyDown(i % 2 == 0 ? Qt::Key_Right : Qt::Key_Left);
        QElapsedTimer timer;
        timer.start();
        view.repaint();
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + kRepaints / 2, times.end());
    return double(times[kRepaints / 2]) / 1e6;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    CSettings settings(35, GetSystemColor(SystemColor::ButtonFace));
    settings.colorSchemes.Init();
    std::printf("grid repaint, 21x21 large cells in 1024x768: median %.3f ms over %d repaints\n",
                MedianRepaintMs(dir, OpenPattern(21), 2, QSize(1024, 768)), kRepaints);
    std::printf("grid repaint, 255x255 small cells in 1024x768: median %.3f ms over %d repaints\n",
                MedianRepaintMs(dir, StripedPattern(255), 0, QSize(1024, 768)), kRepaints);
    return 0;
}
