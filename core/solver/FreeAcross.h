#pragma once
// Puzzle II under free swaps: the least number of swaps across two tables, by branch and bound
// over the ways of sending each number's two copies home, and swaps that reach it. Internal to
// core/Solver.

#include "core/Solver.h"

#include <optional>
#include <stop_token>

namespace qx::solver {

// Proven when the branch and bound finished before `stop` or `deadline`, Bounded with the best
// swaps found otherwise; nothing for other games or conditions, or when no way was complete.
std::optional<Solution> SolveFreeAcross(const Position& position, const std::stop_token& stop,
                                        SolverClock::time_point deadline);

}  // namespace qx::solver
