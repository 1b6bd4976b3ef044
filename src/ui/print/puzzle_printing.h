#pragma once

class CPuzzle;
class QWidget;

// The Print and Export PDF commands for the open puzzle: each asks what the
// grid shows (a solution the puzzle lacks is refused with the message the
// reveal commands give), then prints through the print dialog or the preview,
// or writes the PDF chosen in a file dialog.
namespace PuzzlePrinting {

void Print(QWidget* parent, const CPuzzle& puzzle);
void ExportPdf(QWidget* parent, const CPuzzle& puzzle);

} // namespace PuzzlePrinting
