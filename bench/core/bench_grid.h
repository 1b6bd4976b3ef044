#pragma once

#include "grid_words.h"

#include <QByteArray>
#include <QList>

// The benchmarks' square grid: a black square at every fourth cell of every
// fourth row, and its mirror image, so the words run 3 long and more.
inline QList<QByteArray> BenchGrid(int size)
{
    QList<QByteArray> rows(size, QByteArray(size, 'x'));
    for (int r = 3; r < size; r += 4) {
        for (int c = (r / 4) % 3; c < size; c += 4) {
            rows[r][c] = '.';
            rows[size - 1 - r][size - 1 - c] = '.';
        }
    }
    return FillLetters(rows);
}
