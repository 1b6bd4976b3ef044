#include "print_fixture.h"

#include "grid_words.h"
#include "puz_builder.h"

PrintFixture MakePrintFixture(int side, int blockEvery)
{
    static const char* const words[] = {"river", "capital", "old", "fashioned", "musical", "note", "sailor",
                                        "bird", "of", "prey", "Greek", "letter", "shortly", "ancient"};
    PrintFixture fixture;
    fixture.rows = QList<QByteArray>(side, QByteArray(side, 'x'));
    for (int r = 0; r < side; ++r) {
        for (int c = 0; c < side; ++c) {
            if ((c + r) % blockEvery == blockEvery - 1) {
                fixture.rows[r][c] = '.';
                fixture.rows[side - 1 - r][side - 1 - c] = '.';
            }
        }
    }
    fixture.rows = FillLetters(fixture.rows);
    QList<QByteArray> texts;
    const QList<GridWord> gridWords = FindGridWords(fixture.rows, '.');
    for (int i = 0; i < gridWords.size(); ++i) {
        QByteArray text = "Clue" + QByteArray::number(i);
        for (int w = 0; w < 3 + i % 5; ++w)
            text += ' ' + QByteArray(words[(i * 7 + w * 3) % 14]);
        text += " (" + QByteArray::number(gridWords[i].length) + ')';
        texts << text;
        fixture.clues << QString::fromLatin1(text);
    }
    fixture.title = "Printed Puzzle " + QByteArray::number(side);
    fixture.file = PuzBuilder(fixture.rows).Title(fixture.title).Clues(texts).Build();
    return fixture;
}
