#pragma once

#include <QByteArray>

struct PuzzleContent;

// Writes the solver's progress into the text of an ipuz file: the letters in
// the member "saved", one row of strings per grid row as the format defines
// it (a block as the file writes blocks, null for a void square, "" for an
// empty square), and the solving time in the program's own member. Both
// members are replaced where they are, or added after the last member; every
// other byte of the file stays as it was.
class CIpuzWriter {
public:
    explicit CIpuzWriter(const PuzzleContent& content);

    // The file's new text; empty when the text's top-level object cannot be
    // found, in which case nothing may be written.
    QByteArray Splice(const QByteArray& image) const;

    QByteArray SavedValue() const;
    QByteArray ProgressValue() const;

private:
    QByteArray EntryText(int index) const;

    const PuzzleContent& content_;
};
