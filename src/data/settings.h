#pragma once

#include "core/last_puzzle_recorder.h"
#include "data/color_schemes.h"
#include "data/link_list.h"

#include <QString>

class CArchiveReader;
class CArchiveWriter;

// All of the user's choices, read once at start-up from the data file
// "GridmoorData" in the documents folder and written back whole whenever
// something important changes. The one instance lives as long as the
// application and is reached through g_settings.
class CSettings final : public LastPuzzleRecorder {
public:
    // The two values that depend on the screen are measured by the
    // application: the default clue-view height (35 pixels scaled to the
    // screen's density) and the factory colour of void cells.
    CSettings(int defaultClueViewHeight, ColorRef voidCellColor);
    ~CSettings() override;
    CSettings(const CSettings&) = delete;
    CSettings& operator=(const CSettings&) = delete;

    // Reads the data file; a missing or damaged file gives defaults for what
    // could not be read. Afterwards the user's colour scheme and, for an
    // empty list, the preset links are in place.
    void LoadSettings();
    // Writes the whole data file atomically, readable by its owner only.
    // A failure is silent (the result is for callers that care) and the
    // settings stay in memory for the next try.
    bool SaveSettings();
    void SetCellSize(int size);
    void SetLastPuzzlePath(const QString& path) override;

    // The keyboard size rule: automatic (below 0) is small on a low-resolution
    // screen, 0 is small, 1 or more is large.
    bool IsKeyboardSmall() const;

    static QString DataFilePath();

    CColorSchemes colorSchemes;
    CLinkList links;
    int cellSize = 1; // 0 small, 1 medium, 2 large
    bool clueAtTop = true;
    bool splitterShown = true;
    int clueViewHeight;
    QString lastPuzzlePath;
    bool showScrollbars = false;
    bool lowRes = false; // not saved: measured at start-up
    int keyboardSize = -1;
    int keyboardX = 50;
    int keyboardY = 180;
    bool keyboardShown = true;

private:
    void ReadGeneralRecord(CArchiveReader& archive);
    void WriteGeneralRecord(CArchiveWriter& archive) const;
};

// The settings of the running program; null while no settings object exists.
extern CSettings* g_settings;

// The path of the puzzle open now (or last), empty while there are no settings.
QString OpenPuzzlePath();
