#pragma once

#include "grid_words.h"

#include <QByteArray>
#include <QList>

// Grid patterns shared by the model and reader tests: "." is a black square.
namespace TestGrids {

// 7 columns by 3 rows, small enough to reason about cell by cell:
// words 1A 1D 2D 3A 3D 4D 5A 6A 7A, in that clue order.
inline QList<QByteArray> Small()
{
    return {"ABC.DEF", "G.HIJ.K", "LMN.OPQ"};
}

inline QList<QByteArray> Square15()
{
    return FillLetters({
        "xxxx.xxxxx.xxxx", "xxxx.xxxxx.xxxx", "xxxxxxxxxx.xxxx", "xxx.xxx.xxxxxxx",
        "...xxxx.xxx....", "xxxxx.xxxxx.xxx", "xxxx.xxxxx.xxxx", "xxx.xxxxxxx.xxx",
        "xxxx.xxxxx.xxxx", "xxx.xxxxx.xxxxx", "....xxx.xxxx...", "xxxxxxx.xxx.xxx",
        "xxxx.xxxxxxxxxx", "xxxx.xxxxx.xxxx", "xxxx.xxxxx.xxxx",
    });
}

// 21 columns by 15 rows: rows and columns must not be mixed up.
inline QList<QByteArray> Wide21x15()
{
    return FillLetters({
        "xxxxx.xxxxx.xxxxx.xxx", "xxxxx.xxxxx.xxxxx.xxx", "xxxxxxxxxxxx.xxxxxxxx",
        "xxx.xxxx.xxxxx.xxx.xx", "..xxxx.xxxxx.xxxxx...", "xxxxx.xxxxx.xxxx.xxxx",
        "xxxx.xxxxx.xxxxx.xxxx", "xxx.xxxxx.x.xxxxx.xxx", "xxxx.xxxxx.xxxxx.xxxx",
        "xxxx.xxxx.xxxxx.xxxxx", "...xxxxx.xxxxx.xxxx..", "xx.xxx.xxxxx.xxxx.xxx",
        "xxxxxxxx.xxxxxxxxxxxx", "xxx.xxxxx.xxxxx.xxxxx", "xxx.xxxxx.xxxxx.xxxxx",
    });
}

// The whole grid as one row-major string.
inline QByteArray Joined(const QList<QByteArray>& rows)
{
    QByteArray all;
    for (const QByteArray& row : rows)
        all += row;
    return all;
}

} // namespace TestGrids
