#include "core/solver/Space.h"

#include "core/Rules.h"

#include <algorithm>

namespace qx::solver {

namespace {

void ReadPairs(Space& s)
{
    for (int i = 0; i < s.n; ++i)
        for (int j = s.game == GameType::PuzzleI ? i + 1 : s.n; j < (s.game == GameType::PuzzleI ? s.n : 2 * s.n); ++j)
            s.pairs.emplace_back(std::uint8_t(i), std::uint8_t(j));
    s.allowed.assign(s.pairs.size() * s.n * s.n, 0);
    s.linked.assign(size_t(s.cells) * s.cells, 0);
    for (size_t p = 0; p < s.pairs.size(); ++p) {
        const int a = s.pairs[p].first + 1;
        const int b = s.pairs[p].second + 1 - (s.game == GameType::PuzzleI ? 0 : s.n);
        bool any = false, all = true;
        for (int x = 1; x <= s.n; ++x)
            for (int y = 1; y <= s.n; ++y) {
                const bool ok = s.game == GameType::PuzzleI ? IsSwapAllowed(s.condition, s.side, a, b, x, y)
                                                            : IsSwapAllowedAcross(s.condition, s.side, a, b, x, y);
                s.allowed[(p * s.n + x - 1) * s.n + y - 1] = ok;
                any = any || ok;
                all = all && ok;
            }
        if (any && !all) s.cellsOnly = false;
        const auto [i, j] = s.pairs[p];
        s.linked[size_t(i) * s.cells + j] = s.linked[size_t(j) * s.cells + i] = any;
    }
}

// Number x can only ever leave a cell along a pair that some swap of x allows; the fewest such
// steps to its home bound the swaps it takes from below.
void ReadDistances(Space& s)
{
    const int c = s.cells;
    s.dist.assign(size_t(s.n) * c * c, Unreachable);
    std::vector<std::vector<int>> next(static_cast<size_t>(c));
    std::vector<int> queue;
    for (int x = 1; x <= s.n; ++x) {
        for (auto& v : next) v.clear();
        for (size_t p = 0; p < s.pairs.size(); ++p) {
            const auto [i, j] = s.pairs[p];
            bool forward = false, backward = false;
            for (int y = 1; y <= s.n; ++y) {
                forward = forward || s.Allowed(int(p), x, y);
                backward = backward || s.Allowed(int(p), y, x);
            }
            if (forward) next[i].push_back(j);
            if (backward) next[j].push_back(i);
        }
        for (int from = 0; from < c; ++from) {
            std::uint8_t* row = &s.dist[(size_t(x - 1) * c + from) * c];
            row[from] = 0;
            queue.assign(1, from);
            for (size_t q = 0; q < queue.size(); ++q)
                for (int to : next[size_t(queue[q])])
                    if (row[to] == Unreachable) {
                        row[to] = std::uint8_t(row[queue[q]] + 1);
                        queue.push_back(to);
                    }
        }
    }
}

// Puzzle II: every swap changes the number of exactly one cell of each table, and a cell's number
// can only turn from v into w where some swap of that cell allows it.
void ReadNeeds(Space& s)
{
    if (s.game != GameType::PuzzleII) return;
    const int n = s.n;
    s.need.assign(size_t(s.cells) * n, Unreachable);
    std::vector<int> queue;
    for (int cell = 0; cell < s.cells; ++cell) {
        const bool inA = cell < n;
        // turns[v][w]: the cell's v may become w
        std::vector<bool> turns(size_t(n) * n, false);
        for (size_t p = 0; p < s.pairs.size(); ++p) {
            if ((inA ? s.pairs[p].first : s.pairs[p].second) != cell) continue;
            for (int v = 1; v <= n; ++v)
                for (int w = 1; w <= n; ++w)
                    if (inA ? s.Allowed(int(p), v, w) : s.Allowed(int(p), w, v))
                        turns[size_t(v - 1) * n + w - 1] = true;
        }
        // Backwards from the cell's own number.
        const int own = cell % n + 1;
        std::uint8_t* row = &s.need[size_t(cell) * n];
        row[own - 1] = 0;
        queue.assign(1, own);
        for (size_t q = 0; q < queue.size(); ++q)
            for (int v = 1; v <= n; ++v)
                if (row[v - 1] == Unreachable && turns[size_t(v - 1) * n + queue[q] - 1]) {
                    row[v - 1] = std::uint8_t(row[queue[q] - 1] + 1);
                    s.slowCells = s.slowCells || row[v - 1] > 2;
                    queue.push_back(v);
                }
    }
}

}  // namespace

bool IsPermutation(const std::vector<int>& numbers)
{
    std::vector<bool> seen(numbers.size() + 1, false);
    for (int v : numbers) {
        if (v < 1 || v > int(numbers.size()) || seen[size_t(v)]) return false;
        seen[size_t(v)] = true;
    }
    return true;
}

Space MakeSpace(const Position& p)
{
    Space s;
    s.game = p.game;
    s.condition = p.condition;
    s.n = CellsOf(p);
    s.side = Side(p);
    s.cells = IsPuzzleII(p) ? 2 * s.n : s.n;
    ReadPairs(s);
    ReadDistances(s);
    ReadNeeds(s);
    return s;
}

Cells ToCells(const Position& p)
{
    Cells c{};
    for (size_t k = 0; k < p.a.size(); ++k) c[k] = std::uint8_t(p.a[k]);
    for (size_t k = 0; k < p.b.size(); ++k) c[p.a.size() + k] = std::uint8_t(p.b[k]);
    return c;
}

std::vector<int> TableOf(const Space& s, const Cells& c) { return {c.begin(), c.begin() + s.n}; }

}  // namespace qx::solver
