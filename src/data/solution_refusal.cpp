#include "data/solution_refusal.h"

#include "core/puzzle.h"

std::optional<SolutionRefusal> SolutionRefusalFor(const CPuzzle& puzzle)
{
    if (!puzzle.HasSolution())
        return SolutionRefusal{QStringLiteral("This puzzle comes without its solution.\nYou are able to neither check "
                                              "your answers nor reveal letters"),
                               QStringLiteral("No Solution")};
    if (puzzle.IsScrambled())
        return SolutionRefusal{
            QStringLiteral("The puzzle is encrypted.\nYou are able to neither check your answers nor use hints"),
            QStringLiteral("Encrypted Puzzle")};
    return std::nullopt;
}
