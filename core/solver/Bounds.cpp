#include "core/solver/Bounds.h"

#include <algorithm>
#include <bit>

namespace qx::solver {

namespace {

constexpr size_t VerdictBits = 16;  // 65,536 cycles remembered, under two megabytes

// The fewest numbers that touch every conflict; `adjacent[v]` are the numbers conflicting with v.
int LeastCover(const std::array<std::uint32_t, 25>& adjacent, std::uint32_t alive)
{
    int most = -1, degree = 0;
    for (std::uint32_t m = alive; m; m &= m - 1) {
        const int v = std::countr_zero(m);
        const int d = std::popcount(adjacent[size_t(v)] & alive);
        if (d > degree) {
            degree = d;
            most = v;
        }
    }
    if (degree == 0) return 0;
    if (degree == 1) {  // the conflicts left are apart: one number each
        int ends = 0;
        for (std::uint32_t m = alive; m; m &= m - 1)
            ends += std::popcount(adjacent[size_t(std::countr_zero(m))] & alive);
        return ends / 2;
    }
    // Either that number steps away, or every number it conflicts with does.
    const std::uint32_t without = alive & ~(std::uint32_t(1) << most);
    return std::min(1 + LeastCover(adjacent, without),
                    degree + LeastCover(adjacent, without & ~adjacent[size_t(most)]));
}

}  // namespace

bool SortableBySplits(const Space& s, std::span<const std::uint8_t> cycle)
{
    const int k = int(cycle.size());
    if (k <= 1) return true;
    const auto linked = [&](int a, int b) { return s.Linked(cycle[size_t(a)], cycle[size_t(b)]); };
    // Over the cells a … b of the cycle order: `spanned` has a non-crossing tree of allowed pairs,
    // `closed` one that holds the pair (a, b) itself. Without that pair a tree of a … b falls into
    // two trees of a … m and m + 1 … b; and the last cell m that a is paired with cuts a tree of
    // a … b into one of a … m holding (a, m) and one of m … b.
    // Rows and columns of both tables as bits: bit m of spannedFrom[a] is spanned(a, m), bit m of
    // spannedTo[b] is spanned(m, b), bit m of closedFrom[a] is closed(a, m).
    std::array<std::uint64_t, MaxCells> spannedFrom{}, spannedTo{}, closedFrom{};
    for (int a = 0; a < k; ++a) spannedFrom[size_t(a)] = spannedTo[size_t(a)] = std::uint64_t(1) << a;
    for (int length = 1; length < k; ++length)
        for (int a = 0; a + length < k; ++a) {
            const int b = a + length;
            const std::uint64_t bit = std::uint64_t(1) << b;
            // m from a to b − 1 with spanned(a, m) and spanned(m + 1, b).
            if (linked(a, b) && (spannedFrom[size_t(a)] & (spannedTo[size_t(b)] >> 1))) closedFrom[size_t(a)] |= bit;
            // m from a + 1 to b with closed(a, m) and spanned(m, b).
            if (closedFrom[size_t(a)] & spannedTo[size_t(b)]) {
                spannedFrom[size_t(a)] |= bit;
                spannedTo[size_t(b)] |= std::uint64_t(1) << a;
            }
        }
    return (spannedFrom[0] >> (k - 1)) & 1;
}

BadCycleCounter::BadCycleCounter(const Space& s) : s_(s)
{
    if (s.game == GameType::PuzzleI && s.condition == SwapCondition::SameRowOrColumn)
        verdicts_.resize(size_t(1) << VerdictBits);
}

// A cycle whose numbers need more steps than its k − 1 splits could make is bad without a look at
// its pairs. Each cycle is met starting from its lowest cell and in the same direction, so that one
// cycle always has one key.
int BadCycleCounter::Count(const Cells& c)
{
    std::array<bool, MaxCells> seen{};
    std::array<std::uint8_t, 25> cycle{};
    int bad = 0;
    for (int k = 0; k < s_.n; ++k) {
        if (seen[size_t(k)]) continue;
        int length = 0, steps = 0;
        for (int j = k; !seen[size_t(j)]; j = c[size_t(j)] - 1) {
            seen[size_t(j)] = true;
            cycle[size_t(length++)] = std::uint8_t(j);
            steps += s_.Dist(c[size_t(j)], j, c[size_t(j)] - 1);
        }
        if (length < 2) continue;
        if (steps > 2 * (length - 1) || Bad({cycle.data(), size_t(length)})) ++bad;
    }
    return bad;
}

bool BadCycleCounter::Bad(std::span<const std::uint8_t> cycle)
{
    if (cycle.size() == 2) return !s_.Linked(cycle[0], cycle[1]);
    std::uint64_t h = 1469598103934665603ull;
    for (std::uint8_t cell : cycle) h = (h ^ cell) * HashPrime;
    Verdict& v = verdicts_[size_t(h >> (64 - VerdictBits))];
    if (v.length == cycle.size() && std::equal(cycle.begin(), cycle.end(), v.cells.begin())) return v.bad;
    v.length = std::uint8_t(cycle.size());
    std::copy(cycle.begin(), cycle.end(), v.cells.begin());
    v.bad = !SortableBySplits(s_, cycle);
    return v.bad;
}

// Two numbers in the row (or column) of their homes, in the wrong order along it, can pass each
// other without leaving it only by a swap of the two that takes both towards home, so only when
// the first is bound forwards and the second backwards. Otherwise one of them takes a step away
// from home, and with it a step back: two steps beyond the sum, one swap. The numbers taking such
// a step cover every conflict, so at least the least cover of them does.
int LineConflicts(const Space& s, const Cells& c)
{
    if (s.game != GameType::PuzzleI || s.condition != SwapCondition::Neighbours) return 0;
    const int side = s.side;
    // Row and column of each cell, without a division in the loop below.
    static const auto Places = [] {
        std::array<std::array<std::array<std::uint8_t, 2>, 25>, 6> table{};
        for (int w = 3; w <= 5; ++w)
            for (int k = 0; k < w * w; ++k) table[size_t(w)][size_t(k)] = {std::uint8_t(k / w), std::uint8_t(k % w)};
        return table;
    }();
    const auto& place = Places[size_t(side)];
    std::array<std::uint32_t, 25> adjacent{};
    std::uint32_t alive = 0;
    for (int line = 0; line < side; ++line)
        for (bool row : {true, false}) {
            std::array<int, 5> number{}, at{}, home{};
            int count = 0;
            for (int t = 0; t < side; ++t) {
                const int cell = row ? line * side + t : t * side + line;
                const int own = c[size_t(cell)] - 1;
                const auto [ownRow, ownColumn] = place[size_t(own)];
                if ((row ? ownRow : ownColumn) != line) continue;
                number[size_t(count)] = own;
                at[size_t(count)] = t;
                home[size_t(count++)] = row ? ownColumn : ownRow;
            }
            for (int a = 0; a < count; ++a)
                for (int b = a + 1; b < count; ++b) {
                    const bool crossed = home[size_t(a)] > home[size_t(b)];
                    const bool meeting = home[size_t(a)] > at[size_t(a)] && home[size_t(b)] < at[size_t(b)];
                    if (!crossed || meeting) continue;
                    const int x = number[size_t(a)], y = number[size_t(b)];
                    adjacent[size_t(x)] |= std::uint32_t(1) << y;
                    adjacent[size_t(y)] |= std::uint32_t(1) << x;
                    alive |= (std::uint32_t(1) << x) | (std::uint32_t(1) << y);
                }
        }
    return LeastCover(adjacent, alive);
}

Bounds::Bounds(const Space& s) : s_(s), badCycles_(s)
{
    sharper_ = s.game == GameType::PuzzleI &&
               (s.condition == SwapCondition::SameRowOrColumn || s.condition == SwapCondition::Neighbours);
}

int Bounds::Of(const Cells& c)
{
    if (s_.game != GameType::PuzzleI) return LowerBound(s_, c);
    return OfOneTable(c, StepSum(s_, c), Cycles(s_, c));
}

// Every solution is n − c splits and as many joins as splits beyond them, so it has the parity of
// n − c. A cycle no join touches is sorted by splits among its own cells; a join touches at most
// two cycles of the position for the first time, so b bad cycles take at least ⌈b/2⌉ joins.
int Bounds::OfOneTable(const Cells& c, int steps, int cycles)
{
    int bound = BoundOfOneTable(s_, steps, cycles);
    if (!sharper_ || bound >= NeverBound) return bound;
    const int split = s_.n - cycles;
    if (s_.condition == SwapCondition::SameRowOrColumn)
        bound = std::max(bound, split + 2 * ((badCycles_.Count(c) + 1) / 2));
    else
        bound = std::max(bound, (steps + 1) / 2 + LineConflicts(s_, c));
    if ((bound - split) % 2) ++bound;
    return bound;
}

}  // namespace qx::solver
