#pragma once

#include <QString>

#include <optional>

class CPuzzle;

// The message that refuses to show a solution the puzzle does not have: one
// that comes without it, or an encrypted one whose solution is scrambled.
struct SolutionRefusal {
    QString text;
    QString caption;
};

// Nothing when the solution can be shown (checked, revealed or printed).
std::optional<SolutionRefusal> SolutionRefusalFor(const CPuzzle& puzzle);
