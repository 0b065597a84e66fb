#pragma once
// Exact answers without a search: the closed forms of one table and the complete 9-cell distance
// tables, each walked down one allowed swap at a time to give the swaps. Internal to core/Solver.

#include "core/solver/Space.h"

#include <optional>
#include <stop_token>

namespace qx::solver {

// Proven by a closed form (see ClosedFormMinimum); nothing where none is known or the walk down
// the distance fails.
std::optional<Solution> SolveByClosedForm(const Space& s, const Position& position);
// Puzzle I on 9 cells, from the complete table of the condition; nothing when stopped while
// building it.
std::optional<Solution> SolveByTable(const Space& s, const Position& position, SolverMemory& memory,
                                     const std::stop_token& stop);

}  // namespace qx::solver
