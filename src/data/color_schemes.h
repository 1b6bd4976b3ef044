#pragma once

#include <QList>
#include <QString>
#include <QtGlobal>

#include <array>

class CArchiveReader;
class CArchiveWriter;

// Colours are 0x00BBGGRR, red in the low byte.
using ColorRef = quint32;

// The eight user colours, in the order of the settings file and the dialog.
enum ColorRole : int {
    kNormalCellBackground = 0,
    kNormalCellText = 1,
    kVoidCellBackground = 2,
    kSelectedCellHighlight = 3,
    kSelectedClueHighlight = 4,
    kHintLettersText = 5,
    kWrongLettersText = 6,
    kSolvedClueText = 7,
    kColorRoleCount = 8,
};

// The factory colour of normal cells, white like paper.
constexpr ColorRef kNormalCellBackgroundDefault = 0x00FFFFFF;

// The label the Customize Colors dialog shows for a role; empty for another role.
QString ColorRoleLabel(int role);

struct ColorScheme {
    QString name;
    std::array<ColorRef, kColorRoleCount> colors{};
};

// The grid's and the All Clues list's colours: scheme 0 "default" holds the
// factory colours and never changes, scheme 1 "sch1" the user's, which is the
// active one after Init. Only scheme 1 is saved.
class CColorSchemes {
public:
    static constexpr int kActiveScheme = -1;
    static constexpr int kDefaultScheme = 0;
    static constexpr int kUserScheme = 1;

    // The void-cell default is measured from the screen's palette at start-up
    // (VoidCellDefaultColor).
    explicit CColorSchemes(ColorRef voidCellColor);

    // The colour of a role in a scheme (kActiveScheme: the active one); 0 for
    // another role or a scheme that does not exist.
    ColorRef GetColor(int role, int scheme = kActiveScheme) const;
    // Ignored for another role or a scheme that does not exist.
    void SetColor(int role, ColorRef color, int scheme = kActiveScheme);
    // Adds "sch1" as a copy of "default" when the file did not supply it, and
    // makes it active.
    void Init();

    // Writes the eight colours of scheme 1 (32 bytes).
    void Serialize(CArchiveWriter& archive) const;
    // Reads the eight colours into scheme 1; a block cut short leaves only
    // "default", so Init rebuilds "sch1" from the factory colours.
    void Serialize(CArchiveReader& archive);

    int SchemeCount() const { return int(schemes_.size()); }
    QString SchemeName(int scheme) const;
    int ActiveScheme() const { return active_; }

private:
    const ColorScheme* Scheme(int scheme) const;
    ColorScheme* Scheme(int scheme);

    QList<ColorScheme> schemes_;
    int active_ = kDefaultScheme;
};
