#pragma once
// The shortest solution of a position: the proven minimum number of swaps under its condition, or
// a lower bound with the best solution found so far, and a swap on such a solution. The solver
// knows nothing of the game flow; it reads which swaps are allowed from the rule predicates.

#include "core/Board.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stop_token>
#include <vector>

namespace qx {

// A position as numbers 1 … n, element k − 1 for BoardIndex k; Puzzle I leaves `b` empty.
struct Position {
    GameType game = GameType::PuzzleI;
    BoardSize size = BoardSize::Cells9;
    SwapCondition condition = SwapCondition::FreeSwap;
    std::vector<int> a, b;

    bool operator==(const Position&) const = default;
};

// One swap. Puzzle I: two cells of the table, first < second. Puzzle II: cell `first` of table A
// and cell `second` of table B.
struct SolverSwap {
    int first = 0;
    int second = 0;

    bool operator==(const SolverSwap&) const = default;
};

struct Solution {
    enum class Status {
        Proven,      // path is a shortest solution: lowerBound == path.size()
        Bounded,     // no solution shorter than lowerBound exists; path is the best found (may be empty)
        Impossible,  // no sequence of allowed swaps completes the position
    };
    Status status = Status::Bounded;
    int lowerBound = 0;
    std::vector<SolverSwap> path;

    bool Proven() const { return status == Status::Proven; }
    bool HasPath() const { return status != Status::Impossible && (status == Status::Proven || !path.empty()); }
    bool operator==(const Solution&) const = default;
};

// The position is on the board (sizes and numbers as the games deal them) and complete.
bool IsValidPosition(const Position& position);
bool IsSolved(const Position& position);
// May `swap` be made under the position's condition? The same predicates that judge a player's swap.
bool IsAllowedSwap(const Position& position, SolverSwap swap);
// The position after `swap` (which must lie on the board).
Position AfterSwap(Position position, SolverSwap swap);

// What a solver keeps from one position to the next: the complete distance tables of the 9-cell
// table, built on first use (about a second each, 362,880 bytes). One thread at a time.
class SolverMemory {
public:
    // Swaps from each position to the complete table, by the rank of the position; 255 where it
    // cannot be completed. Empty when `stop` was requested before it was built.
    const std::vector<std::uint8_t>& Distances9(SwapCondition condition, const std::stop_token& stop = {});

private:
    std::array<std::vector<std::uint8_t>, 6> tables_;
};

using SolverClock = std::chrono::steady_clock;
// Called from the solving thread with each better answer, the last one included.
using SolverProgress = std::function<void(const Solution&)>;

// Solves until the minimum is proven, `stop` is requested or `deadline` passes, and returns the best
// answer by then. A position that is not valid is Impossible.
Solution Solve(const Position& position, const std::stop_token& stop, SolverClock::time_point deadline,
               const SolverProgress& progress = {}, SolverMemory* memory = nullptr);

// The answer for `current` derived from the answer for `start` without a search, when `current`
// is the position after the first k swaps of start's path: the rest of the path, with the bound
// less k (a shorter way from `current` would make a shorter way from `start`). Nothing otherwise.
std::optional<Solution> AnswerAlongPath(const Position& start, const Solution& startAnswer, const Position& current);

// The pieces the answers rest on, open to the tests and the benchmark (defined beside their parts in
// core/solver/).

// Rank 0 … 9! − 1 of a 9-cell table in the complete distance tables.
int Rank9(const std::vector<int>& numbers);
std::vector<int> Unrank9(int rank);
// Swaps to complete a one-table position where a closed form is known (free swap, odd with even,
// row advance, differ by one); nothing for the other conditions.
std::optional<int> ClosedFormMinimum(const Position& position);
// Free swaps between two tables of any equal length, each number 1 … n twice in all: the fewest
// swaps to put both in order.
int LeastSwapsAcross(const std::vector<int>& a, const std::vector<int>& b);
// The general search alone, without closed forms or tables: what the larger boards rely on.
Solution SolveBySearch(const Position& position, const std::stop_token& stop, SolverClock::time_point deadline);

}  // namespace qx
