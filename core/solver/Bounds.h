#pragma once
// Lower bounds beyond steps and cycles, for the rules where those two leave the widest gap: cycles
// that cannot be sorted by splits alone (swaps along rows and columns) and numbers that must step
// out of their line to let another pass (swaps between neighbours). Internal to core/Solver.

#include "core/solver/Space.h"

#include <span>
#include <vector>

namespace qx::solver {

// Whether the cells of a cycle, taken in its order round a circle, are spanned by a tree of pairs
// the rule allows in which no two pairs cross. A cycle of k cells can be sorted by k − 1 swaps
// among its own cells only then: the swaps of a shortest sorting of a cycle always form a
// non-crossing tree in cycle order (Dénes; Goulden and Yong), and every such tree is the set of
// swaps of one. Cells-only rules; O(k²) word operations.
bool SortableBySplits(const Space& s, std::span<const std::uint8_t> cycle);

// Puzzle I under swaps along rows and columns: the cycles that cannot be sorted by splits among
// their own cells, each judged once and remembered. One search at a time.
class BadCycleCounter {
public:
    explicit BadCycleCounter(const Space& s);
    int Count(const Cells& c);

private:
    bool Bad(std::span<const std::uint8_t> cycle);

    struct Verdict {
        std::uint8_t length = 0;  // 0: empty
        bool bad = false;
        std::array<std::uint8_t, 25> cells{};
    };
    const Space& s_;
    std::vector<Verdict> verdicts_;
};

// Puzzle I under swaps between neighbours: how many numbers must at some time step away from home,
// out of the row or column they are in, to let another pass them. Zero under other rules.
int LineConflicts(const Space& s, const Cells& c);

// The strongest admissible bound the rule has, at least LowerBound. Puzzle I may pass the steps and
// cycles it already counted.
class Bounds {
public:
    explicit Bounds(const Space& s);
    // Whether Of can ever be more than the bound of steps and cycles.
    bool Sharper() const { return sharper_; }
    int Of(const Cells& c);
    int OfOneTable(const Cells& c, int steps, int cycles);

private:
    const Space& s_;
    bool sharper_ = false;
    BadCycleCounter badCycles_;
};

}  // namespace qx::solver
