#pragma once

#include "core/puzzle.h"

#include <QFileInfo>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

// The median time of opening and closing the puzzle file without changes,
// over runs rounds, in microseconds.
inline double MedianOpenClose(const QString& path, int runs = 2001)
{
    CPuzzle puzzle;
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        puzzle.Open(path);
        puzzle.Close();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(times.begin(), times.begin() + runs / 2, times.end());
    return times[size_t(runs / 2)];
}

// Prints one line: what was measured, the median and the file's size.
inline void PrintOpenClose(const char* what, const QString& path)
{
    std::printf("%-58s %9.1f us (%lld bytes)\n", what, MedianOpenClose(path),
                static_cast<long long>(QFileInfo(path).size()));
}
