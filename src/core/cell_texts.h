#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <utility>
#include <vector>

// Texts that belong to a few squares of a grid, such as rebus answers and
// entries, kept by square index in increasing order. A grid has only a few
// rebus squares, so a short sorted list costs far less to build and free
// than one text per square.
class CellTexts {
public:
    using Item = std::pair<qint32, QByteArray>;

    // The square's text; a null text when it has none.
    QByteArray At(qint32 cell) const;
    // Gives the square that text; an empty text removes the square's text.
    // Returns whether anything changed.
    bool Set(qint32 cell, const QByteArray& text);
    bool IsEmpty() const { return items_.empty(); }

    std::vector<Item>::const_iterator begin() const { return items_.begin(); }
    std::vector<Item>::const_iterator end() const { return items_.end(); }

private:
    std::vector<Item> items_;
};
