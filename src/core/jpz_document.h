#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <pugixml.hpp>

#include <string_view>
#include <vector>

// A jpz document parsed with pugixml, and the elements the reader and the
// writer both look for. Elements are known by their local names, so files
// with a default namespace, with prefixes or with none read alike. The text
// is parsed in a copy of its own, where every element and attribute name
// stays at its place: Offset() turns a name back into its position in the
// text, which lets the writer change single attributes and keep every other
// byte.
class CJpzDocument {
public:
    // Parses the text as UTF-8; false when it is no well-formed XML.
    bool Parse(QByteArrayView text);
    // Finds the crossword and its grid; false with the reason for the user
    // when the document holds no puzzle, a puzzle of another kind, or a grid
    // of a size the program does not open.
    bool Locate(QString* error);

    pugi::xml_node Root() const { return root_; }
    // The element "rectangular-puzzle", "crossword" and its "grid".
    pugi::xml_node Puzzle() const { return puzzle_; }
    pugi::xml_node Crossword() const { return crossword_; }
    pugi::xml_node Grid() const { return grid_; }
    // The "timer" of the applet settings; empty when the file has none.
    pugi::xml_node Timer() const;
    // The applet settings, beside the puzzle or inside it; empty for none.
    pugi::xml_node Settings() const;
    int Width() const { return width_; }
    int Height() const { return height_; }

    // Calls visit(cell, index) for each "cell" of the grid that names a
    // square inside it, the first one only when several name the same square.
    template <typename Visit>
    void ForEachCell(Visit visit) const;

    // The position in the text of a name of this document; -1 for none.
    qsizetype Offset(const char* name) const;

    static std::string_view LocalName(const char* name);
    static bool IsNamed(pugi::xml_node node, std::string_view localName);
    static pugi::xml_node Child(pugi::xml_node node, std::string_view localName);
    // A whole number in the text, blanks around it allowed; fallback when it
    // holds none.
    static long long Number(std::string_view text, long long fallback);
    static std::string_view View(const char* text) { return std::string_view(text); }
    // The element's text as UTF-8: its markup (italics, line breaks, ...)
    // dropped, entities as their characters, blanks tidied.
    static QByteArray Text(pugi::xml_node node, bool oneLine);

private:
    int SquareOf(pugi::xml_node cell) const;

    QByteArray buffer_;
    pugi::xml_document document_;
    pugi::xml_node root_;
    pugi::xml_node puzzle_;
    pugi::xml_node crossword_;
    pugi::xml_node grid_;
    int width_ = 0;
    int height_ = 0;
};

template <typename Visit>
void CJpzDocument::ForEachCell(Visit visit) const
{
    std::vector<bool> seen(size_t(width_ * height_), false);
    for (pugi::xml_node cell = grid_.first_child(); cell; cell = cell.next_sibling()) {
        if (cell.type() != pugi::node_element || !IsNamed(cell, "cell"))
            continue;
        const int index = SquareOf(cell);
        if (index < 0 || seen[size_t(index)])
            continue;
        seen[size_t(index)] = true;
        visit(cell, index);
    }
}
