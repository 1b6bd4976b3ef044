#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QPair>

// Writes ipuz crossword texts for tests, as the format describes them: rows
// of the solution ("." a block, "_" a void square, letters), numbered the
// usual way, with a clue "Clue N" for every word. Members can be replaced,
// added or removed, and single squares given a style or a whole cell object.
class IpuzBuilder {
public:
    explicit IpuzBuilder(const QList<QByteArray>& rows);

    // Sets a top-level member to a JSON value, written as given.
    IpuzBuilder& Member(const QByteArray& key, const QByteArray& json);
    IpuzBuilder& Without(const QByteArray& key);
    // Replaces the square's entry in "puzzle" by a JSON value.
    IpuzBuilder& Square(int index, const QByteArray& json);
    // Wraps the text as "ipuz( ... )" when built.
    IpuzBuilder& Wrapped(bool wrapped = true);

    QByteArray Build() const;

    // The usual "puzzle", "solution" and "clues" values of the rows.
    QByteArray PuzzleGrid() const;
    QByteArray SolutionGrid() const;
    QByteArray Clues() const;

private:
    QList<QByteArray> rows_;
    QList<QPair<QByteArray, QByteArray>> members_;
    QMap<int, QByteArray> squares_;
    bool wrapped_ = false;
};
