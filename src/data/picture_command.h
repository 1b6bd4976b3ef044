#pragma once

#include "data/print_choice.h"

#include <QString>
#include <QStringList>

// The two command lines that make a picture of a puzzle file and end without
// a window:
//   gridmoor --export-pdf PUZZLE OUT.pdf [--with-entries | --with-solution]
//   gridmoor --thumbnail PUZZLE OUT.png SIZE
// Any other command line is a puzzle path for the window (kind None).
struct PictureCommand {
    enum class Kind { None, ExportPdf, Thumbnail };
    Kind kind = Kind::None;
    QString puzzle;
    QString output;
    PrintedLetters letters = PrintedLetters::None;
    int size = 0;
    // Why the command line is wrong; empty when it is right.
    QString error;
};

// arguments include the program name, as QCoreApplication::arguments() has them.
PictureCommand ParsePictureCommand(const QStringList& arguments);
