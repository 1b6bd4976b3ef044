#include "jpz_builder.h"

#include "grid_words.h"

#include <zip.h>

namespace {

QList<GridWord> Words(QList<QByteArray> rows)
{
    for (QByteArray& row : rows)
        row.replace('_', '.');
    return FindGridWords(rows, '.');
}

QByteArray Number(int value)
{
    return QByteArray::number(value);
}

// The word's squares as x and y ranges, counted from 1.
QByteArray Ranges(const GridWord& word, int width)
{
    const int column = word.start % width + 1;
    const int row = word.start / width + 1;
    if (word.across)
        return "x=\"" + Number(column) + '-' + Number(column + word.length - 1) + "\" y=\"" + Number(row) + '"';
    return "x=\"" + Number(column) + "\" y=\"" + Number(row) + '-' + Number(row + word.length - 1) + '"';
}

} // namespace

JpzBuilder::JpzBuilder(const QList<QByteArray>& rows) : rows_(rows)
{
    metadata_ = "<title>Test puzzle</title><creator>Tester</creator><copyright>2024 Nobody</copyright>";
    settings_ = "<applet-settings width=\"720\" height=\"600\" cursor-color=\"#00b100\">"
                "<timer initial-value=\"0\" start-on-load=\"true\"/><completion>Done!</completion>"
                "</applet-settings>";
}

JpzBuilder& JpzBuilder::WithRoot(Root root)
{
    root_ = root;
    return *this;
}

JpzBuilder& JpzBuilder::Cell(int index, const QByteArray& attributes)
{
    cells_[index] += ' ' + attributes;
    return *this;
}

JpzBuilder& JpzBuilder::Metadata(const QByteArray& xml)
{
    metadata_ = xml;
    return *this;
}

JpzBuilder& JpzBuilder::Settings(const QByteArray& xml)
{
    settings_ = xml;
    return *this;
}

JpzBuilder& JpzBuilder::Clues(const QByteArray& xml)
{
    clues_ = xml;
    return *this;
}

JpzBuilder& JpzBuilder::Kind(const QByteArray& element)
{
    kind_ = element;
    return *this;
}

QByteArray JpzBuilder::Grid() const
{
    const int width = rows_.isEmpty() ? 0 : int(rows_[0].size());
    QMap<int, int> numbers;
    for (const GridWord& word : ::Words(rows_))
        numbers.insert(word.start, word.number);
    QByteArray grid = "<grid width=\"" + Number(width) + "\" height=\"" + Number(int(rows_.size())) + "\">\n"
                      "<grid-look numbering-scheme=\"normal\" cell-size-in-pixels=\"25\"/>\n";
    for (int row = 0; row < rows_.size(); ++row) {
        for (int column = 0; column < width; ++column) {
            const int index = row * width + column;
            const char c = rows_[row][column];
            grid += "<cell x=\"" + Number(column + 1) + "\" y=\"" + Number(row + 1) + '"';
            if (c == '.')
                grid += " type=\"block\"";
            else if (c == '_')
                grid += " type=\"void\"";
            else
                grid += " solution=\"" + QByteArray(1, c) + '"';
            if (numbers.contains(index))
                grid += " number=\"" + Number(numbers[index]) + '"';
            grid += cells_.value(index) + "></cell>\n";
        }
    }
    return grid + "</grid>\n";
}

QByteArray JpzBuilder::Words() const
{
    const int width = rows_.isEmpty() ? 0 : int(rows_[0].size());
    QByteArray words;
    int id = 1;
    for (const GridWord& word : ::Words(rows_))
        words += "<word id=\"" + Number(id++) + "\" " + Ranges(word, width) + "></word>\n";
    return words;
}

QByteArray JpzBuilder::DefaultClues() const
{
    QByteArray across = "<clues ordering=\"normal\"><title><b>Across</b></title>\n";
    QByteArray down = "<clues ordering=\"normal\"><title><b>Down</b></title>\n";
    int id = 1;
    for (const GridWord& word : ::Words(rows_)) {
        (word.across ? across : down) += "<clue word=\"" + Number(id++) + "\" number=\"" + Number(word.number)
            + "\" format=\"" + Number(word.length) + "\">Clue " + Number(word.number) + (word.across ? "a" : "d")
            + "</clue>\n";
    }
    return across + "</clues>\n" + down + "</clues>\n";
}

QByteArray JpzBuilder::Build() const
{
    const bool prefixed = root_ == Root::Compiler;
    const QByteArray puzzleName = prefixed ? "rp:rectangular-puzzle" : "rectangular-puzzle";
    const QByteArray body = kind_ == "crossword" ? Grid() + Words() + (clues_.isNull() ? DefaultClues() : clues_)
                                                 : QByteArray("<grid width=\"3\" height=\"3\"/>");
    QByteArray puzzle = '<' + puzzleName;
    if (root_ == Root::Applet)
        puzzle += " xmlns=\"http://crossword.info/xml/rectangular-puzzle\"";
    puzzle += " alphabet=\"ABCDEFGHIJKLMNOPQRSTUVWXYZ\">\n<metadata>" + metadata_ + "</metadata>\n<" + kind_ + ">\n"
        + body + "</" + kind_ + ">\n</" + puzzleName + ">\n";
    const QByteArray declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
    switch (root_) {
    case Root::Applet:
        return declaration + "<crossword-compiler-applet xmlns=\"http://crossword.info/xml/crossword-compiler\">\n"
            + settings_ + '\n' + puzzle + "</crossword-compiler-applet>\n";
    case Root::Compiler:
        return declaration + "<cc:crossword-compiler xmlns:cc=\"http://crossword.info/xml/crossword-compiler\" "
                             "xmlns:rp=\"http://crossword.info/xml/rectangular-puzzle\">\n"
            + settings_ + '\n' + puzzle + "</cc:crossword-compiler>\n";
    case Root::PuzzleOnly:
        break;
    }
    return declaration + puzzle;
}

QByteArray JpzBuilder::Zipped(const QByteArray& text, const QByteArray& name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* archiveSource = zip_source_buffer_create(nullptr, 0, 0, &error);
    zip_source_keep(archiveSource);
    zip_t* archive = zip_open_from_source(archiveSource, ZIP_TRUNCATE, &error);
    zip_source_t* file = zip_source_buffer_create(text.constData(), zip_uint64_t(text.size()), 0, &error);
    zip_file_add(archive, name.constData(), file, 0);
    zip_close(archive);
    zip_error_fini(&error);
    QByteArray bytes;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_source_open(archiveSource) == 0 && zip_source_stat(archiveSource, &stat) == 0) {
        bytes.resize(qsizetype(stat.size));
        zip_source_read(archiveSource, bytes.data(), stat.size);
        zip_source_close(archiveSource);
    }
    zip_source_free(archiveSource);
    return bytes;
}

QByteArray JpzBuilder::Unzipped(const QByteArray& archiveBytes, QByteArray* name)
{
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(archiveBytes.constData(), zip_uint64_t(archiveBytes.size()), 0, &error);
    zip_t* archive = zip_open_from_source(source, ZIP_RDONLY, &error);
    zip_error_fini(&error);
    if (archive == nullptr) {
        zip_source_free(source);
        return QByteArray();
    }
    QByteArray text;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive, 0, 0, &stat) == 0) {
        if (name != nullptr)
            *name = stat.name;
        text.resize(qsizetype(stat.size));
        zip_file_t* file = zip_fopen_index(archive, 0, 0);
        if (file == nullptr || zip_fread(file, text.data(), stat.size) != zip_int64_t(stat.size))
            text.clear();
        if (file != nullptr)
            zip_fclose(file);
    }
    zip_discard(archive);
    return text;
}
