#pragma once

#include "data/print_choice.h"

#include <QPageSize>
#include <QString>

class CPuzzle;

// The paper a PDF is made for: Letter where the locale measures in inches
// the American way, A4 everywhere else.
QPageSize DefaultPaperSize();

// Writes the printed puzzle into a PDF file. The file appears whole or not at
// all (written under a temporary name, then renamed); false with the reason
// in *error when it could not be written.
bool ExportPuzzlePdf(const CPuzzle& puzzle, const QString& title, PrintChoice choice, const QString& path,
                     QString* error);
