#pragma once

#include <QByteArray>
#include <QString>

class CPuzzle;

// Shared steps of the fuzz targets that go through files: the readers open
// paths, so each input is written to one reused file in a temporary folder
// that belongs to the fuzzing process.
namespace PuzzleFuzzing {

// Writes the bytes to the file of that name and returns its path.
QString WriteInput(const QByteArray& bytes, const QString& name);
QByteArray ReadFile(const QString& path);

// Opens the input as a puzzle, checks that what the model tells about it is
// consistent, enters letters, closes, and checks that the file changed only
// where progress is stored and that reopening shows the same entries.
void OpenEnterAndReopen(const QByteArray& input, const QString& fileName);

} // namespace PuzzleFuzzing
