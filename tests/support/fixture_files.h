#pragma once

#include <QByteArray>
#include <QString>

// Whole-file helpers for fixtures written into a test's temporary folder.
namespace FixtureFiles {
bool Write(const QString& path, const QByteArray& bytes);
QByteArray Read(const QString& path);
} // namespace FixtureFiles
