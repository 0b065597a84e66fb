#pragma once
// The general search where no exact answer is known: first solutions at once (carried home,
// stepped across, a beam), then iterative deepening A* for the proof. Internal to core/Solver.

#include "core/solver/Space.h"

namespace qx::solver {

// The best answer so far, told to the caller with every improvement.
struct Reporter {
    const SolverProgress& progress;
    Solution best;

    void Offer(Solution better)
    {
        best = std::move(better);
        if (progress) progress(best);
    }
};

// Searches until the minimum is proven, `stop` is requested or `deadline` passes; `knownBound` is
// a lower bound found elsewhere (Puzzle II: the least under free swaps, which the search raises
// under the rule). Keeps a path already in `reporter` when nothing shorter is found.
Solution Search(const Space& s, const Position& position, int knownBound, const std::stop_token& stop,
                SolverClock::time_point deadline, Reporter& reporter);

}  // namespace qx::solver
