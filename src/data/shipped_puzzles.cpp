#include "data/shipped_puzzles.h"

#include "core/puzzle_folders.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// A copy takes the permissions of the installed file, which may be read-only;
// the user's own copy must be writable or progress could not be kept in it.
bool CopyWritable(const QString& source, const QString& target)
{
    if (!QFile::copy(source, target))
        return false;
    QFile copy(target);
    copy.setPermissions(copy.permissions() | QFileDevice::WriteOwner | QFileDevice::WriteUser);
    return true;
}

bool MoveWithoutReplacing(const QString& source, const QString& target)
{
    return !QFileInfo::exists(target) && QFile::rename(source, target);
}

} // namespace

ShippedPuzzles::ShippedPuzzles(const QString& programFile, const QString& puzzleFolder, const QString& markerFile)
    : programFile_(programFile), puzzleFolder_(puzzleFolder), markerFile_(markerFile)
{
}

QString ShippedPuzzles::DefaultMarkerFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
        + QStringLiteral("/gridmoor/installation");
}

QString ShippedPuzzles::InstallationStamp() const
{
    const QFileInfo program(programFile_);
    return program.absoluteFilePath() + u'\n'
        + QString::number(program.lastModified().toMSecsSinceEpoch()) + u'\n';
}

bool ShippedPuzzles::IsFirstStart() const
{
    QFile marker(markerFile_);
    if (!marker.open(QIODevice::ReadOnly))
        return true;
    return QString::fromUtf8(marker.readAll()) != InstallationStamp();
}

bool ShippedPuzzles::MigrateOnFirstStart(Transfer transfer)
{
    if (!IsFirstStart())
        return false;
    TransferShippedFiles(transfer);
    WriteMarker();
    return true;
}

void ShippedPuzzles::TransferShippedFiles(Transfer transfer) const
{
    EnsureFolder(puzzleFolder_);
    const QString programFolder = QFileInfo(programFile_).absolutePath();
    const bool move = transfer == Transfer::Move
        || (transfer == Transfer::Auto && QFileInfo(programFolder).isWritable());
    const QDir source(programFolder, QStringLiteral("*.gmd"), QDir::Unsorted, QDir::Files | QDir::Hidden);
    for (const QString& name : source.entryList()) {
        const QString from = source.filePath(name);
        const QString to = puzzleFolder_ + u'/' + name;
        if (move)
            MoveWithoutReplacing(from, to);
        else
            CopyWritable(from, to);
    }
}

void ShippedPuzzles::WriteMarker() const
{
    EnsureFolder(QFileInfo(markerFile_).absolutePath());
    QSaveFile marker(markerFile_);
    if (marker.open(QIODevice::WriteOnly)) {
        marker.write(InstallationStamp().toUtf8());
        marker.commit();
    }
}
