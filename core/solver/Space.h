#pragma once
// The solver's search space: both tables as one row of cells, the swaps the rule allows on them,
// the one cycle counter and the lower bounds every search rests on. Internal to core/Solver.

#include "core/Solver.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <span>
#include <utility>
#include <vector>

namespace qx::solver {

constexpr std::uint8_t Unreachable = 255;
constexpr int MaxCells = 50;  // two tables of 25
using Cells = std::array<std::uint8_t, MaxCells>;

inline int Side(const Position& p) { return GridSide(p.size); }
inline int CellsOf(const Position& p) { return CellCount(p.size); }
inline bool IsPuzzleII(const Position& p) { return p.game == GameType::PuzzleII; }
bool IsPermutation(const std::vector<int>& numbers);

inline bool OutOfTime(const std::stop_token& stop, SolverClock::time_point deadline)
{
    return stop.stop_requested() || SolverClock::now() >= deadline;
}

// Cells 0 … n − 1 are the table (Puzzle II: table A), n … 2n − 1 table B. A swap is a pair of
// cells; which pairs exist, and for which numbers a pair may be swapped, is read once from the
// rule predicates, so that the search asks them nothing.
struct Space {
    GameType game = GameType::PuzzleI;
    SwapCondition condition = SwapCondition::FreeSwap;
    int n = 0;
    int side = 0;
    int cells = 0;
    bool cellsOnly = true;  // whether a pair may be swapped depends on the cells alone
    std::vector<std::pair<std::uint8_t, std::uint8_t>> pairs;
    std::vector<std::uint8_t> allowed;  // [pair][x − 1][y − 1]: x at pair.first, y at pair.second
    std::vector<std::uint8_t> linked;   // [cell][cell]: some numbers may be swapped between the two
    std::vector<std::uint8_t> dist;     // [x − 1][from][to]: swaps number x needs between two cells
    std::vector<std::uint8_t> need;     // Puzzle II, [cell][v − 1]: swaps the cell needs to turn v into its own
    bool slowCells = false;             // some cell needs more than two swaps to turn a number into its own
    int Need(int cell, int v) const { return Steps(need[size_t(cell) * n + v - 1]); }

    bool Allowed(int p, int x, int y) const { return allowed[(size_t(p) * n + x - 1) * n + y - 1] != 0; }
    bool Linked(int i, int j) const { return linked[size_t(i) * cells + j] != 0; }
    // Far more than any sum of reachable steps: a sum this large cannot be completed.
    static constexpr int Never = 1 << 16;
    static int Steps(std::uint8_t v) { return v == Unreachable ? Never : v; }
    int Dist(int x, int from, int to) const { return Steps(dist[(size_t(x - 1) * cells + from) * cells + to]); }
    // The cell where x belongs in table t (Puzzle I: t = 0).
    int Home(int x, int t) const { return t * n + x - 1; }
    SolverSwap ToSwap(int p) const
    {
        const auto [i, j] = pairs[size_t(p)];
        return game == GameType::PuzzleI ? SolverSwap{i + 1, j + 1} : SolverSwap{i + 1, j - n + 1};
    }
};

Space MakeSpace(const Position& p);
Cells ToCells(const Position& p);
std::vector<int> TableOf(const Space& s, const Cells& c);
inline bool Solved(const Space& s, const Cells& c)
{
    for (int k = 0; k < s.cells; ++k)
        if (c[size_t(k)] != k % s.n + 1) return false;
    return true;
}
// One number for the cells of a position, to know it when met again (FNV-1a).
constexpr std::uint64_t HashPrime = 1099511628211ull;
inline std::uint64_t Hash(const Space& s, const Cells& c)
{
    std::uint64_t h = 1469598103934665603ull;
    for (int k = 0; k < s.cells; ++k) h = (h ^ c[size_t(k)]) * HashPrime;
    return h;
}

// The cycles of one table of numbers 1 … n, number v belonging in cell v − 1: every swap in the
// table splits or joins one of them. Also those of length ≥ 2 whose numbers are all odd, and all even.
struct CycleCount {
    int all = 0;
    int odd = 0;
    int even = 0;
};
template <class Number>
CycleCount CountCycles(std::span<const Number> numbers)
{
    std::array<bool, MaxCells> seen{};
    CycleCount count;
    for (size_t k = 0; k < numbers.size(); ++k) {
        if (seen[k]) continue;
        ++count.all;
        int length = 0, odds = 0;
        for (size_t j = k; !seen[j]; j = size_t(numbers[j] - 1)) {
            seen[j] = true;
            ++length;
            odds += numbers[j] % 2;
        }
        if (length >= 2 && odds == length) ++count.odd;
        if (length >= 2 && odds == 0) ++count.even;
    }
    return count;
}
// Puzzle I: every swap splits or joins one cycle, so at least n − c swaps remain, with the parity
// of n − c.
inline int Cycles(const Space& s, const Cells& c)
{
    return CountCycles(std::span<const std::uint8_t>(c.data(), size_t(s.n))).all;
}

// ---- lower bounds ----

// Each swap moves two numbers one step each; a Puzzle II number may go to either of its homes,
// and its two copies to the two homes in the cheaper way.
inline int StepSum(const Space& s, const Cells& c)
{
    int sum = 0;
    if (s.game == GameType::PuzzleI) {
        for (int k = 0; k < s.n; ++k) sum += s.Dist(c[size_t(k)], k, s.Home(c[size_t(k)], 0));
        return sum;
    }
    std::array<int, 26> first{};
    first.fill(-1);
    for (int k = 0; k < s.cells; ++k) {
        const int x = c[size_t(k)];
        if (first[size_t(x)] < 0) {
            first[size_t(x)] = k;
            continue;
        }
        const int f = first[size_t(x)];
        const int straight = s.Dist(x, f, s.Home(x, 0)) + s.Dist(x, k, s.Home(x, 1));
        const int crossed = s.Dist(x, f, s.Home(x, 1)) + s.Dist(x, k, s.Home(x, 0));
        sum += std::min(straight, crossed);
    }
    return sum;
}
// Puzzle II: what the cells of table A and of table B need, each table's sum on its own.
inline std::pair<int, int> NeedSums(const Space& s, const Cells& c)
{
    int a = 0, b = 0;
    for (int k = 0; k < s.n; ++k) a += s.Need(k, c[size_t(k)]);
    for (int k = s.n; k < s.cells; ++k) b += s.Need(k, c[size_t(k)]);
    return {a, b};
}

constexpr int NeverBound = std::numeric_limits<int>::max() / 4;

// Puzzle I from its two measures: the steps still to go and the cycles.
inline int BoundOfOneTable(const Space& s, int steps, int cycles)
{
    if (steps >= Space::Never) return NeverBound;
    const int split = s.n - cycles;
    int bound = std::max((steps + 1) / 2, split);
    if ((bound - split) % 2) ++bound;
    return bound;
}
// Admissible: no completion is shorter. Very large when some number can never reach home.
inline int LowerBound(const Space& s, const Cells& c)
{
    if (s.game == GameType::PuzzleI) return BoundOfOneTable(s, StepSum(s, c), Cycles(s, c));
    const int steps = StepSum(s, c);
    if (steps >= Space::Never) return NeverBound;
    const auto [a, b] = NeedSums(s, c);
    if (a >= Space::Never || b >= Space::Never) return NeverBound;
    return std::max({(steps + 1) / 2, a, b});
}

}  // namespace qx::solver
