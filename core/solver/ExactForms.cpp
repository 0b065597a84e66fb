#include "core/solver/ExactForms.h"

#include "core/Rules.h"

#include <algorithm>
#include <functional>

namespace qx::solver {

namespace {

int Inversions(const std::vector<int>& a)
{
    int inversions = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = i + 1; j < a.size(); ++j) inversions += a[i] > a[j];
    return inversions;
}

// Walks from the position down an exact distance: each step an allowed swap to a position one
// swap nearer. Nothing when the distance is not exact there.
std::optional<std::vector<SolverSwap>> Descend(const Space& s, Cells c, int distance,
                                               const std::function<int(const Cells&)>& exact)
{
    std::vector<SolverSwap> path;
    for (int d = distance; d > 0; --d) {
        bool stepped = false;
        for (size_t p = 0; p < s.pairs.size() && !stepped; ++p) {
            const auto [i, j] = s.pairs[p];
            if (!s.Allowed(int(p), c[i], c[j])) continue;
            std::swap(c[i], c[j]);
            if (exact(c) == d - 1) {
                path.push_back(s.ToSwap(int(p)));
                stepped = true;
            } else {
                std::swap(c[i], c[j]);
            }
        }
        if (!stepped) return std::nullopt;
    }
    if (!Solved(s, c)) return std::nullopt;
    return path;
}

using Table9 = std::array<int, 9>;

int RankOf(const Table9& t)
{
    int rank = 0;
    for (int i = 0; i < 9; ++i) {
        int smaller = 0;
        for (int j = i + 1; j < 9; ++j) smaller += t[size_t(j)] < t[size_t(i)];
        rank = rank * (9 - i) + smaller;
    }
    return rank;
}

Table9 UnrankOf(int rank)
{
    std::array<int, 9> digits{};
    for (int i = 8; i >= 0; --i) {
        digits[size_t(i)] = rank % (9 - i);
        rank /= 9 - i;
    }
    Table9 left{1, 2, 3, 4, 5, 6, 7, 8, 9};
    Table9 t{};
    for (int i = 0; i < 9; ++i) {
        const int d = digits[size_t(i)];
        t[size_t(i)] = left[size_t(d)];
        std::copy(left.begin() + d + 1, left.end(), left.begin() + d);
    }
    return t;
}

}  // namespace

std::optional<Solution> SolveByClosedForm(const Space& s, const Position& position)
{
    const std::optional<int> minimum = ClosedFormMinimum(position);
    if (!minimum) return std::nullopt;
    Position probe = position;
    auto exact = [&](const Cells& c) {
        probe.a = TableOf(s, c);
        return ClosedFormMinimum(probe).value_or(-1);
    };
    auto path = Descend(s, ToCells(position), *minimum, exact);
    if (!path) return std::nullopt;
    return Solution{Solution::Status::Proven, *minimum, std::move(*path)};
}

std::optional<Solution> SolveByTable(const Space& s, const Position& position, SolverMemory& memory,
                                     const std::stop_token& stop)
{
    if (s.game != GameType::PuzzleI || s.n != 9) return std::nullopt;
    const std::vector<std::uint8_t>& table = memory.Distances9(s.condition, stop);
    if (table.empty()) return std::nullopt;  // stopped while building it
    const int distance = table[size_t(Rank9(position.a))];
    if (distance == Unreachable) return Solution{Solution::Status::Impossible, 0, {}};
    auto exact = [&](const Cells& c) { return int(table[size_t(Rank9(TableOf(s, c)))]); };
    auto path = Descend(s, ToCells(position), distance, exact);
    if (!path) return std::nullopt;
    return Solution{Solution::Status::Proven, distance, std::move(*path)};
}

}  // namespace qx::solver

namespace qx {

using namespace solver;

const std::vector<std::uint8_t>& SolverMemory::Distances9(SwapCondition condition, const std::stop_token& stop)
{
    std::vector<std::uint8_t>& table = tables_[size_t(int(condition) - 1)];
    if (!table.empty()) return table;
    // The rule asked once for every pair of cells and of numbers.
    constexpr int Side3 = 3;
    std::array<bool, size_t(81) * 81> allowed{};
    for (int a = 0; a < 9; ++a)
        for (int b = 0; b < 9; ++b)
            for (int x = 1; x <= 9; ++x)
                for (int y = 1; y <= 9; ++y)
                    allowed[size_t(((a * 9 + b) * 9 + x - 1) * 9 + y - 1)] =
                        a < b && IsSwapAllowed(condition, Side3, a + 1, b + 1, x, y);
    // Backwards from the complete table: the positions one swap before a position are those that an
    // allowed swap takes to it (a swap undone is not always allowed, so predecessors are asked for).
    table.assign(362880, Unreachable);
    std::vector<int> frontier{0};  // the complete table has rank 0
    table[0] = 0;
    std::vector<int> next;
    for (std::uint8_t d = 1; !frontier.empty(); ++d) {
        next.clear();
        for (size_t k = 0; k < frontier.size(); ++k) {
            // A table left half built is never kept: the next use builds it again.
            if ((k & 4095) == 0 && stop.stop_requested()) {
                table.clear();
                return table;
            }
            Table9 t = UnrankOf(frontier[k]);
            for (int a = 0; a < 9; ++a)
                for (int b = a + 1; b < 9; ++b) {
                    // Before the swap, cell a held t[b] and cell b held t[a].
                    if (!allowed[size_t(((a * 9 + b) * 9 + t[size_t(b)] - 1) * 9 + t[size_t(a)] - 1)]) continue;
                    std::swap(t[size_t(a)], t[size_t(b)]);
                    const int before = RankOf(t);
                    std::swap(t[size_t(a)], t[size_t(b)]);
                    if (table[size_t(before)] != Unreachable) continue;
                    table[size_t(before)] = d;
                    next.push_back(before);
                }
        }
        std::swap(frontier, next);
    }
    return table;
}

int Rank9(const std::vector<int>& numbers)
{
    Table9 t{};
    std::copy_n(numbers.begin(), 9, t.begin());
    return RankOf(t);
}

std::vector<int> Unrank9(int rank)
{
    const Table9 t = UnrankOf(rank);
    return {t.begin(), t.end()};
}

std::optional<int> ClosedFormMinimum(const Position& position)
{
    const std::vector<int>& a = position.a;
    if (IsPuzzleII(position) || a.size() > size_t(MaxCells) || !IsPermutation(a)) return std::nullopt;
    const int n = int(a.size());
    switch (position.condition) {
    case SwapCondition::FreeSwap:
    // Some allowed swap always splits a cycle (checked on every 9-cell position and on many
    // random larger ones); the walk down the distance re-checks it on every position it meets.
    case SwapCondition::RowAdvance: return n - CountCycles(std::span<const int>(a)).all;
    case SwapCondition::OddEven: {
        // A cycle of one parity cannot be split by swaps across parities: it must first be joined
        // with a cycle or a number of the other parity, which costs a join and a split more, and
        // one join serves a cycle of each parity.
        const CycleCount cycles = CountCycles(std::span<const int>(a));
        return n - cycles.all + 2 * std::max(cycles.odd, cycles.even);
    }
    // Swapping v and v + 1 exchanges two neighbours in the order of the cells of the numbers
    // 1 … n, removing or adding one inversion; the table has as many inversions as that order.
    case SwapCondition::DifferByOne: return Inversions(a);
    default: return std::nullopt;
    }
}

}  // namespace qx
