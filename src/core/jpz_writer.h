#pragma once

#include <QByteArray>

#include <vector>

class CJpzDocument;
struct PuzzleContent;
namespace pugi {
class xml_node;
}

// Writes the solver's progress into the text of a jpz file as the format's
// own solvers keep it: each letter square's "solve-state" (its letters;
// none while it is empty), "solve-status" "pencil" for a pencilled letter,
// and the solving time as the "initial-value" of the applet settings'
// "timer" (added, with the settings when the file has none). Only those
// attributes change; every other byte of the text stays as it was.
class CJpzWriter {
public:
    explicit CJpzWriter(const PuzzleContent& content);

    // The file's new text; empty when the text no longer holds the
    // crossword, in which case nothing may be written.
    QByteArray Splice(const QByteArray& image) const;

private:
    // Bytes from begin to end of the text replaced by text.
    struct Edit {
        qsizetype begin = 0;
        qsizetype end = 0;
        QByteArray text;
    };

    void SetAttribute(pugi::xml_node element, const char* name, const QByteArray& value,
                      std::vector<Edit>& edits) const;
    void RemoveAttribute(pugi::xml_node element, const char* name, std::vector<Edit>& edits) const;
    void EditCell(pugi::xml_node cell, int index, std::vector<Edit>& edits) const;
    void EditTime(std::vector<Edit>& edits) const;
    qsizetype AttributeEnd(qsizetype nameAt) const;
    qsizetype StartTagEnd(pugi::xml_node element) const;
    QByteArray EntryText(int index) const;

    const PuzzleContent& content_;
    // While Splice runs: the text and its parsed document.
    mutable const QByteArray* text_ = nullptr;
    mutable const CJpzDocument* document_ = nullptr;
};
