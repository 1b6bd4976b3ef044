#include "data/settings.h"

#include "core/puzzle_folders.h"
#include "data/archive_reader.h"
#include "data/archive_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

CSettings* g_settings = nullptr;

QString OpenPuzzlePath()
{
    return g_settings != nullptr ? g_settings->lastPuzzlePath : QString();
}

namespace {

constexpr quint8 kRecordVersion = 2;
constexpr int kLargestCellSize = 2;
constexpr int kMediumCellSize = 1;

// The data file holds link passwords, so nobody but its owner may read it.
constexpr QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

bool ReadFlag(CArchiveReader& archive, bool& flag)
{
    quint8 byte = 0;
    if (!archive.ReadByte(byte))
        return false;
    flag = byte != 0;
    return true;
}

bool ReadInt(CArchiveReader& archive, int& value)
{
    qint32 read = 0;
    if (!archive.ReadInt32(read))
        return false;
    value = read;
    return true;
}

bool ReadCellSize(CArchiveReader& archive, int& cellSize)
{
    quint8 byte = 0;
    if (!archive.ReadByte(byte))
        return false;
    cellSize = byte > kLargestCellSize ? kMediumCellSize : byte;
    return true;
}

// Both coordinates or neither: they are stored as one 8-byte block.
bool ReadKeyboardPosition(CArchiveReader& archive, int& x, int& y)
{
    qint32 readX = 0;
    qint32 readY = 0;
    if (!archive.ReadInt32Pair(readX, readY))
        return false;
    x = readX;
    y = readY;
    return true;
}

// Most saves change nothing (the start reopens the last puzzle, a close
// stores what was loaded); writing the same bytes again would still replace
// the file and wait for the disk.
bool HoldsAlready(const QString& path, const QByteArray& data)
{
    QFile file(path);
    return file.size() == data.size() && file.open(QIODevice::ReadOnly) && file.readAll() == data;
}

// A new file is made readable by its owner only while it is still an empty
// temporary file, so a kill at any moment leaves either no data file or a whole
// one; a replaced file keeps the permissions it had.
bool WriteAtomically(const QString& path, const QByteArray& data)
{
    if (HoldsAlready(path, data))
        return true;
    const bool isNew = !QFileInfo::exists(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (isNew && !file.setPermissions(kOwnerOnly)) {
        file.cancelWriting();
        return false;
    }
    return file.write(data) == data.size() && file.commit();
}

} // namespace

CSettings::CSettings(int defaultClueViewHeight, ColorRef voidCellColor)
    : colorSchemes(voidCellColor)
    , clueViewHeight(defaultClueViewHeight)
{
    g_settings = this;
}

CSettings::~CSettings()
{
    if (g_settings == this)
        g_settings = nullptr;
}

QString CSettings::DataFilePath()
{
    const QString folder = GetDocumentsFolder();
    return folder.isEmpty() ? QString() : folder + QStringLiteral("GridmoorData");
}

void CSettings::LoadSettings()
{
    const QString path = DataFilePath();
    QFile file(path);
    if (!path.isEmpty() && file.open(QIODevice::ReadOnly)) {
        CArchiveReader archive(file.readAll());
        file.close();
        colorSchemes.Serialize(archive);
        links.SerializeLinks(archive);
        ReadGeneralRecord(archive);
    } else {
        lastPuzzlePath = GetPuzzleFolder() + QStringLiteral("/NYTimes.gmd");
    }
    colorSchemes.Init();
    links.AddPresetLinks();
}

// Every field read in full before a damaged spot keeps its value; the field
// at the damage and all after it keep their defaults.
void CSettings::ReadGeneralRecord(CArchiveReader& archive)
{
    quint8 version = 0;
    if (!archive.ReadByte(version) || version == 0)
        return;
    ReadCellSize(archive, cellSize);
    ReadFlag(archive, clueAtTop);
    archive.ReadString(lastPuzzlePath);
    ReadFlag(archive, showScrollbars);
    ReadInt(archive, keyboardSize);
    ReadFlag(archive, keyboardShown);
    ReadKeyboardPosition(archive, keyboardX, keyboardY);
    if (version >= 2) {
        ReadInt(archive, clueViewHeight);
        ReadFlag(archive, splitterShown);
    }
}

void CSettings::WriteGeneralRecord(CArchiveWriter& archive) const
{
    archive.WriteByte(kRecordVersion);
    archive.WriteByte(quint8(cellSize));
    archive.WriteByte(clueAtTop ? 1 : 0);
    archive.WriteString(lastPuzzlePath);
    archive.WriteByte(showScrollbars ? 1 : 0);
    archive.WriteInt32(keyboardSize);
    archive.WriteByte(keyboardShown ? 1 : 0);
    archive.WriteInt32(keyboardX);
    archive.WriteInt32(keyboardY);
    archive.WriteInt32(clueViewHeight);
    archive.WriteByte(splitterShown ? 1 : 0);
}

bool CSettings::SaveSettings()
{
    const QString path = DataFilePath();
    if (path.isEmpty())
        return false;
    CArchiveWriter archive;
    colorSchemes.Serialize(archive);
    links.SerializeLinks(archive);
    WriteGeneralRecord(archive);
    EnsureFolder(GetDocumentsFolder());
    return WriteAtomically(path, archive.Data());
}

void CSettings::SetCellSize(int size)
{
    cellSize = size;
    SaveSettings();
}

void CSettings::SetLastPuzzlePath(const QString& path)
{
    lastPuzzlePath = path;
    SaveSettings();
}

bool CSettings::IsKeyboardSmall() const
{
    return keyboardSize < 0 ? lowRes : keyboardSize == 0;
}
