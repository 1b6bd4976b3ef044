#pragma once

struct PictureCommand;

// Runs a picture command line (a PDF or a thumbnail of a puzzle file) on the
// offscreen platform, without a window, the settings or the single-instance
// hand-over, and without ever writing the puzzle: its file is only read. The
// exit code: 0 when the output file was written, else 1 with the reason on
// standard error and no output file.
int RunPictureCommand(int& argc, char** argv, const PictureCommand& command);
