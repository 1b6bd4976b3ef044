#include "core/puzzle.h"
#include "ui/print/pdf_export.h"
#include "ui/print/thumbnail_writer.h"

#include "print_fixture.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kRuns = 21;

// Median of the runs in milliseconds; the first run, which loads fonts, is
// left out.
double MedianMs(const std::function<bool()>& run)
{
    if (!run())
        return -1;
    std::vector<qint64> times;
    for (int i = 0; i < kRuns; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (!run())
            return -1;
        times.push_back(timer.nsecsElapsed());
    }
    std::nth_element(times.begin(), times.begin() + kRuns / 2, times.end());
    return double(times[kRuns / 2]) / 1e6;
}

} // namespace

// The time to write the PDF of a 21 x 21 puzzle with 144 clues and the
// file manager's 256-pixel thumbnail of it, each from the open puzzle to the
// written file.
int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const PrintFixture fixture = MakePrintFixture(21, 7);
    CPuzzle puzzle;
    if (puzzle.OpenContent(fixture.file) != CPuzzle::Success)
        return 1;
    const QString pdf = dir.filePath(QStringLiteral("bench.pdf"));
    const QString png = dir.filePath(QStringLiteral("bench.png"));
    QString error;
    const double pdfMs = MedianMs([&] {
        const PrintChoice entries{PrintedLetters::Entries, false};
        return ExportPuzzlePdf(puzzle, QStringLiteral("bench"), entries, pdf, &error);
    });
    const double thumbnailMs = MedianMs([&] { return WritePuzzleThumbnail(puzzle, 256, png, &error); });
    std::printf("pdf export 21x21, %d clues: %.2f ms (target 300 ms)\n", puzzle.GetClueCount(), pdfMs);
    std::printf("thumbnail 256 px of 21x21: %.2f ms (target 50 ms)\n", thumbnailMs);
    return pdfMs < 0 || thumbnailMs < 0 ? 1 : 0;
}
