#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>

// Writes jpz crossword texts for tests, as real files lay them out: rows of
// the solution ("." a block, "_" a void square, letters), numbered the usual
// way, one "word" per across and down word and a clue "Clue N" for each.
// Cells can be given more attributes, the parts of the document replaced,
// and the text zipped.
class JpzBuilder {
public:
    enum class Root {
        Applet,        // crossword-compiler-applet with default namespaces
        Compiler,      // crossword-compiler, namespaces on prefixes
        PuzzleOnly,    // rectangular-puzzle alone, no namespace
    };

    explicit JpzBuilder(const QList<QByteArray>& rows);

    JpzBuilder& WithRoot(Root root);
    // Adds attributes, written as given, to the square's cell.
    JpzBuilder& Cell(int index, const QByteArray& attributes);
    // Replaces the metadata's content, the applet settings (empty: none) or
    // the clue lists; each is XML written as given.
    JpzBuilder& Metadata(const QByteArray& xml);
    JpzBuilder& Settings(const QByteArray& xml);
    JpzBuilder& Clues(const QByteArray& xml);
    // Puts this element in place of the crossword (another kind of puzzle).
    JpzBuilder& Kind(const QByteArray& element);

    QByteArray Build() const;

    // The text in a zip archive as its one file of that name.
    static QByteArray Zipped(const QByteArray& text, const QByteArray& name = "puzzle.xml");
    // The text of the archive's first file; empty when there is none.
    static QByteArray Unzipped(const QByteArray& archive, QByteArray* name = nullptr);

private:
    QByteArray Grid() const;
    QByteArray Words() const;
    QByteArray DefaultClues() const;

    QList<QByteArray> rows_;
    Root root_ = Root::Applet;
    QMap<int, QByteArray> cells_;
    QByteArray metadata_;
    QByteArray settings_;
    QByteArray clues_;
    QByteArray kind_ = "crossword";
};
