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

struct Space;
// Puzzle II under a rule that refuses some swaps: the least swaps under free swaps, raised while
// no way of sending the copies home is cheap enough once the cycles the rule keeps from sorting
// among their own cells cost joins too. A bound from below when cut short as well.
int RaisedAcrossBound(const Space& s, const Position& position, int freeLeast, const std::stop_token& stop,
                      SolverClock::time_point deadline);

}  // namespace qx::solver
