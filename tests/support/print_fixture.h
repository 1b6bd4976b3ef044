#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// A square ".puz" puzzle made for printing: black squares on every
// blockEvery-th diagonal (mirrored), clues of everyday lengths, each text
// unique, and a title of its own.
struct PrintFixture {
    QList<QByteArray> rows;
    QStringList clues;
    QByteArray title;
    QByteArray file;
};

PrintFixture MakePrintFixture(int side, int blockEvery);
