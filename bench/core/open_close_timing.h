#pragma once

#include "core/puzzle.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

// The median time of one open, over runs rounds, in microseconds.
template <typename OpenAndClose>
double MedianTime(OpenAndClose openAndClose, int runs = 2001)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        openAndClose();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}

// Opening and closing the puzzle file without changes: the file read from
// disk, the model built and freed.
inline double MedianOpenClose(const QString& path)
{
    CPuzzle puzzle;
    return MedianTime([&] {
        puzzle.Open(path);
        puzzle.Close();
    });
}

// The same from the file's content already in memory, as a parser that is
// given the text is measured: the model built and freed, no file opened.
inline double MedianOpenCloseContent(const QString& path)
{
    QFile file(path);
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    CPuzzle puzzle;
    return MedianTime([&] {
        puzzle.OpenContent(content);
        puzzle.Close();
    });
}

// Prints one line: what was measured, the median and the file's size.
inline void PrintOpenClose(const char* what, const QString& path)
{
    std::printf("%-58s %9.1f us (%lld bytes)\n", what, MedianOpenClose(path),
                static_cast<long long>(QFileInfo(path).size()));
}

// Prints one line for the same file read from memory.
inline void PrintOpenCloseContent(const char* what, const QString& path)
{
    std::printf("%-58s %9.1f us\n", what, MedianOpenCloseContent(path));
}
