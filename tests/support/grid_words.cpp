#include "grid_words.h"

QList<GridWord> FindGridWords(const QList<QByteArray>& rows, char blackSquare)
{
    QList<GridWord> words;
    const int height = int(rows.size());
    const int width = height == 0 ? 0 : int(rows[0].size());
    auto letter = [&](int r, int c) {
        return r >= 0 && r < height && c >= 0 && c < width && rows[r][c] != blackSquare;
    };
    int number = 1;
    for (int r = 0; r < height; ++r) {
        for (int c = 0; c < width; ++c) {
            if (!letter(r, c))
                continue;
            bool numbered = false;
            if (!letter(r, c - 1) && letter(r, c + 1)) {
                int length = 0;
                while (letter(r, c + length))
                    ++length;
                words.append({number, true, r * width + c, length});
                numbered = true;
            }
            if (!letter(r - 1, c) && letter(r + 1, c)) {
                int length = 0;
                while (letter(r + length, c))
                    ++length;
                words.append({number, false, r * width + c, length});
                numbered = true;
            }
            if (numbered)
                ++number;
        }
    }
    return words;
}

QList<QByteArray> FillLetters(const QList<QByteArray>& pattern)
{
    QList<QByteArray> rows = pattern;
    int next = 0;
    for (QByteArray& row : rows) {
        for (char& c : row) {
            if (c != '.')
                c = char('A' + next++ % 26);
        }
    }
    return rows;
}
