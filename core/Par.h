#pragma once
// Par: what is known of the fewest swaps a problem needs, as the game window shows it ("最短") and
// the records keep it beside a completed game, with the hints taken.

#include <optional>
#include <string>

namespace qx {

struct Solution;

// A lower bound of the fewest swaps and the length of the shortest way found (0 while none is);
// the minimum is proven once they meet.
struct Par {
    int lowerBound = 0;
    int found = 0;

    bool Proven() const { return found > 0 && found == lowerBound; }
    bool operator==(const Par&) const = default;
};

// No problem of the game needs more swaps than this (two tables of 25 need at most 2 × 25 − 2
// free swaps, and every restricted way found is far shorter than this); a stored figure above it,
// below 0, or a found way shorter than its bound is damaged and ignored.
inline constexpr int MaxPar = 999;
bool IsPlausible(const Par& par);

// What an answer of the solver knows of its position.
Par ParOf(const Solution& answer);
// The more exact of two things known of one problem: the higher bound, the shorter way.
Par Sharper(const Par& known, const Par& learned);
// A completed game is a way too: `count` swaps may prove the minimum or shorten the way found.
Par WithPlayedWay(const Par& par, int count);

// The par display: "" with no problem on the board, "…" while nothing is known yet, "N" once
// proven, "N〜M" while only the bound and a way are known ("N〜" before any way), "★N" for a game
// completed in the proven minimum without hints.
std::string ParText(bool hasProblem, const std::optional<Par>& par, bool optimal);
// The same as a screen reader says it: "最短 22 回", "最短 44〜54 回", "最短 22 回、最短で完成".
std::string ParSpoken(bool hasProblem, const std::optional<Par>& par, bool optimal);

// A record's "最短" cell: "N", "N〜M", "★N" when `count` met the proven minimum without hints, a
// trailing "※" when hints were taken; "" when nothing is known or the game was recorded
// unfinished (count 0).
std::string ParCellText(const std::optional<Par>& par, int hints, int count);
// "最短 22 回、ヒント 3 回".
std::string ParCellSpoken(const std::optional<Par>& par, int hints, int count);

}  // namespace qx
