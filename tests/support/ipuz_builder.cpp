#include "ipuz_builder.h"

#include "grid_words.h"

#include <functional>

namespace {

QByteArray Quoted(const QByteArray& text)
{
    return '"' + text + '"';
}

QByteArray Grid(const QList<QByteArray>& rows, const std::function<QByteArray(int, char)>& square)
{
    QByteArray grid = "[";
    int index = 0;
    for (const QByteArray& row : rows) {
        grid += index == 0 ? "\n  [" : ",\n  [";
        for (qsizetype c = 0; c < row.size(); ++c, ++index)
            grid += (c == 0 ? "" : ", ") + square(index, row[c]);
        grid += ']';
    }
    return grid + "\n]";
}

// The rows with void squares as blocks, for numbering.
QList<QByteArray> Blocked(QList<QByteArray> rows)
{
    for (QByteArray& row : rows)
        row.replace('_', '.');
    return rows;
}

} // namespace

IpuzBuilder::IpuzBuilder(const QList<QByteArray>& rows) : rows_(rows)
{
    const int width = rows.isEmpty() ? 0 : int(rows[0].size());
    Member("version", Quoted("http://ipuz.org/v2"));
    Member("kind", "[\"http://ipuz.org/crossword#1\"]");
    Member("title", Quoted("Test puzzle"));
    Member("author", Quoted("Tester"));
    Member("dimensions", "{\"width\": " + QByteArray::number(width) + ", \"height\": "
                             + QByteArray::number(rows.size()) + "}");
    Member("puzzle", QByteArray());
    Member("solution", QByteArray());
    Member("clues", QByteArray());
}

IpuzBuilder& IpuzBuilder::Member(const QByteArray& key, const QByteArray& json)
{
    for (auto& member : members_) {
        if (member.first == key) {
            member.second = json;
            return *this;
        }
    }
    members_.append({key, json});
    return *this;
}

IpuzBuilder& IpuzBuilder::Without(const QByteArray& key)
{
    members_.removeIf([&key](const auto& member) { return member.first == key; });
    return *this;
}

IpuzBuilder& IpuzBuilder::Square(int index, const QByteArray& json)
{
    squares_.insert(index, json);
    return *this;
}

IpuzBuilder& IpuzBuilder::Wrapped(bool wrapped)
{
    wrapped_ = wrapped;
    return *this;
}

QByteArray IpuzBuilder::PuzzleGrid() const
{
    QMap<int, int> numbers;
    for (const GridWord& word : FindGridWords(Blocked(rows_), '.'))
        numbers.insert(word.start, word.number);
    return Grid(rows_, [&](int index, char c) {
        if (squares_.contains(index))
            return squares_.value(index);
        return c == '.' ? Quoted("#") : c == '_' ? QByteArray("null") : QByteArray::number(numbers.value(index));
    });
}

QByteArray IpuzBuilder::SolutionGrid() const
{
    return Grid(rows_, [](int, char c) {
        return c == '.' ? Quoted("#") : c == '_' ? QByteArray("null") : Quoted(QByteArray(1, c));
    });
}

QByteArray IpuzBuilder::Clues() const
{
    QByteArray across;
    QByteArray down;
    for (const GridWord& word : FindGridWords(Blocked(rows_), '.')) {
        QByteArray& list = word.across ? across : down;
        list += (list.isEmpty() ? "" : ", ") + QByteArray("[") + QByteArray::number(word.number) + ", \"Clue "
            + QByteArray::number(word.number) + (word.across ? "a" : "d") + "\"]";
    }
    return "{\"Across\": [" + across + "],\n  \"Down\": [" + down + "]}";
}

QByteArray IpuzBuilder::Build() const
{
    QByteArray text = "{";
    for (qsizetype k = 0; k < members_.size(); ++k) {
        const auto& [key, value] = members_[k];
        QByteArray json = value;
        if (json.isNull())
            json = key == "puzzle" ? PuzzleGrid() : key == "solution" ? SolutionGrid() : Clues();
        text += (k == 0 ? "\n" : ",\n") + Quoted(key) + ": " + json;
    }
    text += "\n}\n";
    return wrapped_ ? "ipuz(" + text + ")\n" : text;
}
