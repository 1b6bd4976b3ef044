// Reads arbitrary bytes as the settings data file "GridmoorData" and as a run
// of archive strings. Loading must give values the program can use, and what
// was loaded must survive a save and a second load unchanged; every string
// read must be written and read back as the same string.

#include "data/archive_reader.h"
#include "data/archive_writer.h"
#include "data/settings.h"
#include "fuzz_check.h"
#include "puzzle_fuzzing.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

constexpr int kDefaultClueViewHeight = 35;
constexpr ColorRef kButtonFace = 0x00C8D0D4;

// The settings live in the documents folder of a home folder of the fuzzer's
// own, in memory, so the user's settings are never read or written.
const QString& DataFile()
{
    static QTemporaryDir home(QStringLiteral("/dev/shm/gridmoor-settings-fuzz-XXXXXX"));
    static const QString path = [] {
        qputenv("HOME", home.path().toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/.config")).toLocal8Bit());
        QDir().mkpath(home.path() + QStringLiteral("/Documents"));
        return CSettings::DataFilePath();
    }();
    return path;
}

void CheckArchiveStrings(const QByteArray& input)
{
    CArchiveReader reader(input);
    QString text;
    qsizetype remaining = reader.Remaining();
    while (reader.ReadString(text)) {
        FUZZ_CHECK(reader.Remaining() < remaining);
        remaining = reader.Remaining();
        CArchiveWriter writer;
        writer.WriteString(text);
        CArchiveReader again(writer.Data());
        QString back;
        FUZZ_CHECK(again.ReadString(back));
        FUZZ_CHECK(back == text);
        FUZZ_CHECK(again.Remaining() == 0);
    }
    FUZZ_CHECK(reader.Failed());
}

void CheckUsable(const CSettings& settings)
{
    FUZZ_CHECK(settings.cellSize >= 0 && settings.cellSize <= 2);
    FUZZ_CHECK(settings.links.GetLinkCount() > 0);
    FUZZ_CHECK(settings.colorSchemes.ActiveScheme() == CColorSchemes::kUserScheme);
}

// Loads the data file, checks the values and saves them; returns the saved file.
QByteArray LoadAndSave()
{
    CSettings settings(kDefaultClueViewHeight, kButtonFace);
    settings.LoadSettings();
    CheckUsable(settings);
    FUZZ_CHECK(settings.SaveSettings());
    return PuzzleFuzzing::ReadFile(DataFile());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckArchiveStrings(input);

    QFile file(DataFile());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(input) == input.size());
    file.close();
    const QByteArray saved = LoadAndSave();
    FUZZ_CHECK(LoadAndSave() == saved);
    return 0;
}
