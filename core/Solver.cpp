#include "core/Solver.h"

#include "core/Rules.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <numeric>
#include <unordered_set>

namespace qx {

namespace {

constexpr std::uint8_t Unreachable = 255;
constexpr int MaxCells = 50;  // two tables of 25
using Cells = std::array<std::uint8_t, MaxCells>;

// ---- positions ----

int Side(const Position& p) { return GridSide(p.size); }
int CellsOf(const Position& p) { return CellCount(p.size); }
bool IsPuzzleII(const Position& p) { return p.game == GameType::PuzzleII; }

bool IsPermutation(const std::vector<int>& numbers)
{
    std::vector<bool> seen(numbers.size() + 1, false);
    for (int v : numbers) {
        if (v < 1 || v > int(numbers.size()) || seen[size_t(v)]) return false;
        seen[size_t(v)] = true;
    }
    return true;
}

// ---- the search space: both tables as one row of cells ----

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
    std::vector<std::uint8_t> dist;     // [x − 1][from][to]: swaps number x needs between two cells
    std::vector<std::uint8_t> need;     // Puzzle II, [cell][v − 1]: swaps the cell needs to turn v into its own
    bool slowCells = false;             // some cell needs more than two swaps to turn a number into its own
    int Need(int cell, int v) const { return Steps(need[size_t(cell) * n + v - 1]); }

    bool Allowed(int p, int x, int y) const { return allowed[(size_t(p) * n + x - 1) * n + y - 1] != 0; }
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

void ReadPairs(Space& s)
{
    for (int i = 0; i < s.n; ++i)
        for (int j = s.game == GameType::PuzzleI ? i + 1 : s.n; j < (s.game == GameType::PuzzleI ? s.n : 2 * s.n); ++j)
            s.pairs.emplace_back(std::uint8_t(i), std::uint8_t(j));
    s.allowed.assign(s.pairs.size() * s.n * s.n, 0);
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

bool Solved(const Space& s, const Cells& c)
{
    for (int k = 0; k < s.cells; ++k)
        if (c[size_t(k)] != k % s.n + 1) return false;
    return true;
}

// ---- lower bounds ----

// Puzzle I: every swap splits or joins one cycle, so at least n − c swaps remain, with the parity
// of n − c.
int CycleCount(const Space& s, const Cells& c)
{
    std::array<bool, MaxCells> seen{};
    int cycles = 0;
    for (int k = 0; k < s.n; ++k) {
        if (seen[size_t(k)]) continue;
        ++cycles;
        for (int j = k; !seen[size_t(j)]; j = c[size_t(j)] - 1) seen[size_t(j)] = true;
    }
    return cycles;
}

// Each swap moves two numbers one step each; a Puzzle II number may go to either of its homes,
// and its two copies to the two homes in the cheaper way.
int StepSum(const Space& s, const Cells& c)
{
    int sum = 0;
    if (s.game == GameType::PuzzleI) {
        for (int k = 0; k < s.n; ++k) sum += s.Dist(c[size_t(k)], k, s.Home(c[size_t(k)], 0));
        return sum;
    }
    std::array<int, 26> first;
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
std::pair<int, int> NeedSums(const Space& s, const Cells& c)
{
    int a = 0, b = 0;
    for (int k = 0; k < s.n; ++k) a += s.Need(k, c[size_t(k)]);
    for (int k = s.n; k < s.cells; ++k) b += s.Need(k, c[size_t(k)]);
    return {a, b};
}

constexpr int NeverBound = std::numeric_limits<int>::max() / 4;

// Puzzle I from its two measures: the steps still to go and the cycles.
int BoundOfOneTable(const Space& s, int steps, int cycles)
{
    if (steps >= Space::Never) return NeverBound;
    const int split = s.n - cycles;
    int bound = std::max((steps + 1) / 2, split);
    if ((bound - split) % 2) ++bound;
    return bound;
}

// Admissible: no completion is shorter. Very large when some number can never reach home.
int LowerBound(const Space& s, const Cells& c)
{
    if (s.game == GameType::PuzzleI) return BoundOfOneTable(s, StepSum(s, c), CycleCount(s, c));
    const int steps = StepSum(s, c);
    if (steps >= Space::Never) return NeverBound;
    const auto [a, b] = NeedSums(s, c);
    if (a >= Space::Never || b >= Space::Never) return NeverBound;
    return std::max({(steps + 1) / 2, a, b});
}

// ---- closed forms for one table ----

// Cycles of length ≥ 2 whose numbers are all odd, and all even.
std::pair<int, int> PureParityCycles(const std::vector<int>& a)
{
    std::vector<bool> seen(a.size(), false);
    int odd = 0, even = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        if (seen[k]) continue;
        int length = 0, odds = 0;
        for (size_t j = k; !seen[j]; j = size_t(a[j] - 1)) {
            seen[j] = true;
            ++length;
            odds += a[j] % 2;
        }
        if (length >= 2 && odds == length) ++odd;
        if (length >= 2 && odds == 0) ++even;
    }
    return {odd, even};
}

int CyclesOf(const std::vector<int>& a)
{
    std::vector<bool> seen(a.size(), false);
    int cycles = 0;
    for (size_t k = 0; k < a.size(); ++k) {
        if (seen[k]) continue;
        ++cycles;
        for (size_t j = k; !seen[j]; j = size_t(a[j] - 1)) seen[j] = true;
    }
    return cycles;
}

int Inversions(const std::vector<int>& a)
{
    int inversions = 0;
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = i + 1; j < a.size(); ++j) inversions += a[i] > a[j];
    return inversions;
}

// ---- answers ----

struct Reporter {
    const SolverProgress& progress;
    Solution best;

    void Offer(Solution better)
    {
        best = std::move(better);
        if (progress) progress(best);
    }
};

bool OutOfTime(const std::stop_token& stop, SolverClock::time_point deadline)
{
    return stop.stop_requested() || SolverClock::now() >= deadline;
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

std::vector<int> TableOf(const Space& s, const Cells& c) { return {c.begin(), c.begin() + s.n}; }

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

// ---- free swaps across two tables ----

// With each copy of every number sent to one of its two homes, the position becomes a permutation
// of the 2n cells. A swap across splits or joins one of its cycles, and a cycle lying wholly in
// one table can only be split after it was joined with a cell of the other table: one extra join
// (and its split) serves one such cycle of each table. The fewest swaps are the least, over the
// ways of sending the copies, of 2n − c + 2·max(pA, pB).
class AcrossAssignment {
public:
    AcrossAssignment(const std::vector<int>& a, const std::vector<int>& b) : n_(int(a.size())), numbers_(a)
    {
        numbers_.insert(numbers_.end(), b.begin(), b.end());
        copies_.assign(size_t(n_), {-1, -1});
        for (int k = 0; k < 2 * n_; ++k) {
            auto& c = copies_[size_t(numbers_[size_t(k)] - 1)];
            (c.first < 0 ? c.first : c.second) = k;
        }
        for (int k = 0; k < 2 * n_; ++k) ends_.push_back({k, k, k < n_, k >= n_});
        choice_.assign(size_t(n_), -1);
        target_.assign(2 * size_t(n_), -1);
    }

    // The least cost and the targets (cell → home cell) that reach it.
    std::pair<int, std::vector<int>> Least(const std::stop_token& stop, SolverClock::time_point deadline)
    {
        stop_ = &stop;
        deadline_ = deadline;
        Branch(0);
        return {best_, bestTarget_};
    }
    bool Complete() const { return !cut_; }

private:
    struct End {
        int other;  // the other end of this cell's fragment
        int self;
        bool inA, inB;  // the fragment holds cells of table A / B
    };
    struct Undo {
        int cell;
        End end;
    };

    int Cost() const { return 2 * n_ - cycles_ + 2 * std::max(pureA_, pureB_); }
    // Every cycle still to close holds an open fragment; a fragment closes on its own only when the
    // number at its end belongs to the home it starts at, and the others need a partner.
    int Bound() const
    {
        int alone = 0, partnered = 0;
        for (int h = 0; h < 2 * n_; ++h) {
            if (HasArcIn(h)) continue;  // not the start of an open fragment
            const int last = ends_[size_t(h)].other;
            (numbers_[size_t(last)] == h % n_ + 1 ? alone : partnered) += 1;
        }
        return 2 * n_ - (cycles_ + alone + partnered / 2) + 2 * std::max(pureA_, pureB_);
    }

    // Adds the arc from cell u to cell w (u has no arc out, w none in).
    void Link(int u, int w, std::vector<Undo>& undo)
    {
        target_[size_t(u)] = w;
        const int first = ends_[size_t(u)].other;  // u is the last cell of its fragment
        if (first == w) {
            ++cycles_;
            const End& e = ends_[size_t(u)];
            const bool longer = u != w;
            if (longer && e.inA && !e.inB) ++pureA_;
            if (longer && e.inB && !e.inA) ++pureB_;
            return;
        }
        const int last = ends_[size_t(w)].other;
        const bool inA = ends_[size_t(u)].inA || ends_[size_t(w)].inA;
        const bool inB = ends_[size_t(u)].inB || ends_[size_t(w)].inB;
        for (int cell : {first, last, u, w}) undo.push_back({cell, ends_[size_t(cell)]});
        ends_[size_t(first)] = {last, first, inA, inB};
        ends_[size_t(last)] = {first, last, inA, inB};
    }

    void Branch(int decided)
    {
        if (cut_) return;
        if ((++nodes_ & 1023) == 0 && OutOfTime(*stop_, deadline_)) cut_ = true;
        if (decided == n_) {
            if (Cost() < best_) {
                best_ = Cost();
                bestTarget_ = target_;
            }
            return;
        }
        if (Bound() >= best_) return;
        const int v = Pick();
        const auto [c1, c2] = copies_[size_t(v)];
        // The copy already at one of its homes stays there first: the likelier way to few swaps.
        const int preferred = c1 == n_ + v || c2 == v ? 1 : 0;
        for (int turn = 0; turn < 2 && !cut_; ++turn) {
            const int option = turn ^ preferred;
            const int h1 = option == 0 ? v : n_ + v;
            const int h2 = option == 0 ? n_ + v : v;
            const State saved = Save();
            std::vector<Undo> undo;
            choice_[size_t(v)] = option;
            Link(c1, h1, undo);
            Link(c2, h2, undo);
            Branch(decided + 1);
            choice_[size_t(v)] = -1;
            target_[size_t(c1)] = target_[size_t(c2)] = -1;
            for (auto it = undo.rbegin(); it != undo.rend(); ++it) ends_[size_t(it->cell)] = it->end;
            Restore(saved);
        }
    }

    // Follow the cycle being built: the number standing at the home just reached closes or
    // lengthens it soonest, which lets the bound bite early.
    int Pick() const
    {
        for (int h = 0; h < 2 * n_; ++h) {
            // a home with an arc in but none out: its own number decides where the path goes on
            if (target_[size_t(h)] < 0 && HasArcIn(h)) {
                const int v = numbers_[size_t(h)] - 1;
                if (choice_[size_t(v)] < 0) return v;
            }
        }
        for (int v = 0; v < n_; ++v)
            if (choice_[size_t(v)] < 0) return v;
        return -1;
    }
    bool HasArcIn(int h) const { return choice_[size_t(h % n_)] >= 0; }

    struct State {
        int cycles, pureA, pureB;
    };
    State Save() const { return {cycles_, pureA_, pureB_}; }
    void Restore(const State& s)
    {
        cycles_ = s.cycles;
        pureA_ = s.pureA;
        pureB_ = s.pureB;
    }

    int n_;
    std::vector<int> numbers_;  // by cell
    std::vector<std::pair<int, int>> copies_;
    std::vector<End> ends_;
    std::vector<int> choice_;
    std::vector<int> target_;
    int cycles_ = 0, pureA_ = 0, pureB_ = 0;
    int best_ = std::numeric_limits<int>::max();
    std::vector<int> bestTarget_;
    const std::stop_token* stop_ = nullptr;
    SolverClock::time_point deadline_{};
    long long nodes_ = 0;
    bool cut_ = false;
};

// Swaps that realise the least cost for given targets: join each cycle lying in one table with
// one of the other table (two such at a time where both tables have them), then split every
// mixed cycle by sending home a number whose home lies in the other table, keeping the rest mixed.
std::vector<SolverSwap> SwapsForTargets(int n, std::vector<int> target)
{
    std::vector<SolverSwap> path;
    auto inA = [n](int cell) { return cell < n; };
    auto swapCells = [&](int x, int y) {  // x in A, y in B; the targets travel with the numbers
        std::swap(target[size_t(x)], target[size_t(y)]);
        path.push_back({x + 1, y - n + 1});
    };
    auto cycles = [&] {
        std::vector<std::vector<int>> result;
        std::vector<bool> seen(size_t(2 * n), false);
        for (int k = 0; k < 2 * n; ++k) {
            if (seen[size_t(k)]) continue;
            std::vector<int> cycle;
            for (int j = k; !seen[size_t(j)]; j = target[size_t(j)]) {
                seen[size_t(j)] = true;
                cycle.push_back(j);
            }
            result.push_back(std::move(cycle));
        }
        return result;
    };
    auto pure = [&](const std::vector<int>& cycle, bool a) {
        return cycle.size() >= 2 && std::all_of(cycle.begin(), cycle.end(), [&](int c) { return inA(c) == a; });
    };
    // Joins, until no cycle lies wholly in one table.
    for (;;) {
        const auto all = cycles();
        const auto pa = std::find_if(all.begin(), all.end(), [&](const auto& c) { return pure(c, true); });
        const auto pb = std::find_if(all.begin(), all.end(), [&](const auto& c) { return pure(c, false); });
        if (pa == all.end() && pb == all.end()) break;
        if (pa != all.end() && pb != all.end()) {
            swapCells(pa->front(), pb->front());
        } else if (pa != all.end()) {
            swapCells(pa->front(), n);  // any cell of B: it lies in a mixed cycle or stands at home
        } else {
            swapCells(0, pb->front());
        }
    }
    // Splits.
    for (bool split = true; split;) {
        split = false;
        for (const auto& cycle : cycles()) {
            if (cycle.size() < 2) continue;
            const auto count = std::count_if(cycle.begin(), cycle.end(), inA);
            const bool removeFromA = count >= 2;  // the table that keeps a cell of its own afterwards
            for (size_t i = 0; i < cycle.size(); ++i) {
                const int from = cycle[i];
                const int home = target[size_t(from)];
                if (inA(from) == inA(home) || (cycle.size() > 2 && inA(home) != removeFromA)) continue;
                inA(from) ? swapCells(from, home) : swapCells(home, from);
                split = true;
                break;
            }
            if (split) break;
        }
    }
    return path;
}

std::optional<Solution> SolveFreeAcross(const Position& position, const std::stop_token& stop,
                                        SolverClock::time_point deadline)
{
    if (!IsPuzzleII(position) || position.condition != SwapCondition::FreeSwap) return std::nullopt;
    AcrossAssignment assignment(position.a, position.b);
    auto [cost, target] = assignment.Least(stop, deadline);
    if (target.empty()) return std::nullopt;
    std::vector<SolverSwap> path = SwapsForTargets(CellsOf(position), target);
    if (!assignment.Complete()) return Solution{Solution::Status::Bounded, 0, std::move(path)};
    return Solution{Solution::Status::Proven, cost, std::move(path)};
}

// ---- search ----

// Iterative deepening A*: a depth-first search that never goes deeper than the threshold less the
// lower bound allows. A finished pass with threshold T proves that no solution of T swaps or fewer
// exists, so the first solution found is a shortest one. A position met again in the same pass,
// after the same last swap and with no fewer swaps behind it, has already failed with at least as
// much room and the same swaps to follow (or lies on the current line, and a detour is never
// shortest), so it is cut; the same pair twice in a row
// undoes itself and is never tried. Two swaps on four different cells give the same position in
// either order, so only the order with the lower pair first is tried: every line of swaps can be
// reordered into one that keeps this rule without growing, so no shortest line is lost.
class DeepeningSearch {
public:
    DeepeningSearch(const Space& space, const std::stop_token& stop, SolverClock::time_point deadline)
        : s_(space), stop_(stop), deadline_(deadline), seen_(size_t(1) << SeenBits)
    {
        for (int p = 0; p < int(s_.pairs.size()); ++p) {
            bool any = false;
            for (int x = 1; x <= s_.n && !any; ++x)
                for (int y = 1; y <= s_.n && !any; ++y) any = s_.Allowed(p, x, y);
            if (any) usable_.push_back(p);
        }
    }

    // Raises `bound` with every finished pass; fills `path` and returns true once solved. `passed`
    // hears each proven bound and answers whether to go on.
    bool Run(Cells start, int& bound, std::vector<SolverSwap>& path, const std::function<bool(int)>& passed)
    {
        cells_ = start;
        for (int threshold = std::max(bound, LowerBound(s_, start)); !cut_;) {
            bound = threshold;
            moves_.clear();
            std::fill(seen_.begin(), seen_.end(), 0);
            next_ = std::numeric_limits<int>::max();
            if (Deepen(0, threshold, -1, Measure())) {
                for (int p : moves_) path.push_back(s_.ToSwap(p));
                return true;
            }
            if (cut_ || next_ == std::numeric_limits<int>::max()) return false;
            threshold = next_;
            bound = threshold;
            if (!passed(threshold)) return false;
        }
        return false;
    }
    bool Exhausted() const { return !cut_; }

private:
    static constexpr int SeenBits = 20;  // 8 MiB of positions met in this pass

    // True when the position was met before in this pass after the same last swap (so with the
    // same swaps to follow) with no more swaps behind it.
    bool MetBefore(int g, int last)
    {
        std::uint64_t h = 1469598103934665603ull;
        for (int k = 0; k < s_.cells; ++k) h = (h ^ cells_[size_t(k)]) * 1099511628211ull;
        h = (h ^ std::uint64_t(last + 1)) * 1099511628211ull;
        std::uint64_t& slot = seen_[size_t(h >> (64 - SeenBits))];
        const std::uint64_t key = (h << 8) | std::uint64_t(std::min(g, 255));
        if (slot && (slot >> 8) == (key >> 8) && int(slot & 0xFF) <= g) return true;
        slot = key;
        return false;
    }

    // One table: the steps and cycles after a swap follow from the two cells it touches.
    struct Measures {
        int steps = 0;
        int cycles = 0;
    };
    Measures Measure() const
    {
        if (s_.game != GameType::PuzzleI) return {};
        return {StepSum(s_, cells_), CycleCount(s_, cells_)};
    }
    // Before the swap of cells i and j: what it does to the measures.
    Measures AfterSwap(Measures m, int i, int j) const
    {
        if (s_.game != GameType::PuzzleI) return m;
        const int x = cells_[size_t(i)], y = cells_[size_t(j)];
        m.steps += s_.Dist(x, j, x - 1) + s_.Dist(y, i, y - 1) - s_.Dist(x, i, x - 1) - s_.Dist(y, j, y - 1);
        // A swap within one cycle splits it, a swap across two joins them.
        bool oneCycle = false;
        for (int k = x - 1; k != i && !oneCycle; k = cells_[size_t(k)] - 1) oneCycle = k == j;
        m.cycles += oneCycle ? 1 : -1;
        return m;
    }
    int BoundOf(const Measures& m) const
    {
        return s_.game == GameType::PuzzleI ? BoundOfOneTable(s_, m.steps, m.cycles) : LowerBound(s_, cells_);
    }
    // Neither the same pair again nor a pair on other cells that sorts below the last one.
    bool Follows(int last, int p) const
    {
        if (last < 0) return true;
        if (p == last) return false;
        const auto [a, b] = s_.pairs[size_t(last)];
        const auto [i, j] = s_.pairs[size_t(p)];
        const bool apart = a != i && a != j && b != i && b != j;
        return !(apart && p < last);
    }

    bool Deepen(int g, int threshold, int last, Measures measures)
    {
        if ((++nodes_ & 4095) == 0 && OutOfTime(stop_, deadline_)) cut_ = true;
        if (cut_) return false;
        const int h = BoundOf(measures);
        if (g + h > threshold) {
            next_ = std::min(next_, g + h);
            return false;
        }
        if (h == 0 && Solved(s_, cells_)) return true;
        if (MetBefore(g, last)) return false;
        for (int p : usable_) {
            if (!Follows(last, p)) continue;
            const auto [i, j] = s_.pairs[size_t(p)];
            if (cells_[i] == cells_[j] || !s_.Allowed(p, cells_[i], cells_[j])) continue;
            const Measures after = AfterSwap(measures, i, j);
            std::swap(cells_[i], cells_[j]);
            moves_.push_back(p);
            if (Deepen(g + 1, threshold, p, after)) return true;
            moves_.pop_back();
            std::swap(cells_[i], cells_[j]);
            if (cut_) return false;
        }
        return false;
    }

    const Space& s_;
    const std::stop_token& stop_;
    SolverClock::time_point deadline_;
    std::vector<int> usable_;  // the pairs some numbers may be swapped on
    std::vector<std::uint64_t> seen_;
    Cells cells_{};
    std::vector<int> moves_;
    int next_ = 0;
    long long nodes_ = 0;
    bool cut_ = false;
};

// A search for good solutions rather than proofs: from the layer of positions one swap deeper,
// keep the `width` that look nearest to complete, until one is complete. Never keeps a position
// whose bound shows it cannot beat `shorterThan`.
class BeamSearch {
public:
    BeamSearch(const Space& space, const std::stop_token& stop, SolverClock::time_point deadline)
        : s_(space), stop_(stop), deadline_(deadline)
    {
    }

    std::optional<std::vector<SolverSwap>> Run(const Cells& start, size_t width, int shorterThan)
    {
        struct Step {
            int parent;
            int pair;
        };
        std::vector<std::vector<Step>> steps;
        std::vector<Cells> layer{start};
        std::vector<Cells> following;
        std::unordered_set<std::uint64_t> seen;
        for (int depth = 1; depth < shorterThan && !layer.empty(); ++depth) {
            if (OutOfTime(stop_, deadline_)) return std::nullopt;
            // Two passes over the children: the first finds the score that admits about `width`
            // of them, the second keeps those, so that memory stays at one layer.
            // A single line of positions never goes back to one it has met: it turns aside instead.
            if (width > 1) seen.clear();
            std::vector<int> histogram(1024, 0);
            ForEachChild(layer, depth, shorterThan, [&](const Cells& child, int, int, int score) {
                if (width == 1 && seen.count(Hash(child))) return;
                ++histogram[size_t(std::min(score, 1023))];
            });
            int cutoff = 0;
            while (cutoff < 1024 && histogram[size_t(cutoff)] == 0) ++cutoff;
            if (cutoff == 1024) return std::nullopt;  // no child can still beat `shorterThan`
            ++cutoff;  // at least the best score, even if it alone is wider than the beam
            for (size_t total = size_t(histogram[size_t(cutoff - 1)]);
                 cutoff < 1024 && total + size_t(histogram[size_t(cutoff)]) <= width; ++cutoff)
                total += size_t(histogram[size_t(cutoff)]);
            following.clear();
            std::vector<Step> kept;
            std::optional<size_t> solved;
            ForEachChild(layer, depth, shorterThan, [&](const Cells& child, int parent, int pair, int score) {
                if (score >= cutoff || kept.size() >= 4 * width || solved) return;
                if (!seen.insert(Hash(child)).second) return;
                following.push_back(child);
                kept.push_back({parent, pair});
                if (Solved(s_, child)) solved = kept.size() - 1;
            });
            steps.push_back(std::move(kept));
            if (solved) {
                std::vector<SolverSwap> path(static_cast<size_t>(depth));
                for (int d = depth - 1, at = int(*solved); d >= 0; --d) {
                    path[size_t(d)] = s_.ToSwap(steps[size_t(d)][size_t(at)].pair);
                    at = steps[size_t(d)][size_t(at)].parent;
                }
                return path;
            }
            std::swap(layer, following);
        }
        return std::nullopt;
    }

private:
    template <class Visit>
    void ForEachChild(const std::vector<Cells>& layer, int depth, int shorterThan, Visit&& visit) const
    {
        for (size_t at = 0; at < layer.size(); ++at) {
            Cells c = layer[at];
            for (int p = 0; p < int(s_.pairs.size()); ++p) {
                const auto [i, j] = s_.pairs[size_t(p)];
                if (c[i] == c[j] || !s_.Allowed(p, c[i], c[j])) continue;
                std::swap(c[i], c[j]);
                const int bound = LowerBound(s_, c);
                if (depth + bound < shorterThan) visit(c, int(at), p, Score(c, bound));
                std::swap(c[i], c[j]);
            }
        }
    }
    // How far from complete a position looks: the steps still to go, and the cycles still to split.
    int Score(const Cells& c, int bound) const
    {
        if (s_.game == GameType::PuzzleII) {
            // Where a cell's number changes only in small steps, what the cells need says more
            // than where the numbers stand.
            const auto [a, b] = NeedSums(s_, c);
            return s_.slowCells ? a + b + 2 * bound : StepSum(s_, c) + 2 * (a + b) + bound;
        }
        return StepSum(s_, c) + 2 * (s_.n - CycleCount(s_, c));
    }
    std::uint64_t Hash(const Cells& c) const
    {
        std::uint64_t h = 1469598103934665603ull;
        for (int k = 0; k < s_.cells; ++k) h = (h ^ c[size_t(k)]) * 1099511628211ull;
        return h;
    }

    const Space& s_;
    const std::stop_token& stop_;
    SolverClock::time_point deadline_;
};

// Where the cells alone decide which pairs may be swapped: a first solution by carrying each
// number home along the shortest line of allowed pairs, table by table and cell by cell, through
// the cells not yet done. Nothing when such a line is missing.
std::optional<std::vector<SolverSwap>> CarryHome(const Space& s, Cells c)
{
    if (!s.cellsOnly) return std::nullopt;
    std::vector<int> pairAt(size_t(s.cells) * s.cells, -1);
    std::vector<std::vector<int>> next(static_cast<size_t>(s.cells));
    for (int p = 0; p < int(s.pairs.size()); ++p) {
        const auto [i, j] = s.pairs[size_t(p)];
        if (!s.Allowed(p, 1, 1)) continue;
        pairAt[size_t(i) * s.cells + j] = pairAt[size_t(j) * s.cells + i] = p;
        next[i].push_back(j);
        next[j].push_back(i);
    }
    std::vector<bool> done(size_t(s.cells), false);
    std::vector<SolverSwap> path;
    std::vector<int> from(size_t(s.cells));
    for (int k = 0; k < s.n; ++k)
        for (int t = 0; t < s.cells / s.n; ++t) {
            const int target = t * s.n + k;
            // Breadth first from the target to the nearest cell that holds its number.
            std::fill(from.begin(), from.end(), -1);
            from[size_t(target)] = target;
            std::vector<int> queue{target};
            int source = c[size_t(target)] == k + 1 ? target : -1;
            for (size_t q = 0; q < queue.size() && source < 0; ++q)
                for (int w : next[size_t(queue[q])])
                    if (!done[size_t(w)] && from[size_t(w)] < 0) {
                        from[size_t(w)] = queue[q];
                        queue.push_back(w);
                        if (c[size_t(w)] == k + 1) source = w;
                    }
            if (source < 0) return std::nullopt;
            for (int at = source; at != target; at = from[size_t(at)]) {
                const int to = from[size_t(at)];
                std::swap(c[size_t(at)], c[size_t(to)]);
                path.push_back(s.ToSwap(pairAt[size_t(at) * s.cells + to]));
            }
            done[size_t(target)] = true;
        }
    return path;
}

// Puzzle II, where numbers that differ by one may always be swapped: a first solution by such swaps
// alone. Each number stands in two cells; a swap of v in one table with v + 1 in the other moves one
// cell of each table across the step between v and v + 1. First every number comes to stand once
// in each table (a number held twice by table A is carried towards the nearest held twice by B),
// then the cells of each table are sorted by value like a bubble sort, two swaps exchanging the
// numbers of two cells of one table (or of both tables at once) across one step. Nothing when the
// rule refuses one of these swaps.
std::optional<std::vector<SolverSwap>> StepNumbers(const Space& s, Cells c)
{
    if (s.game != GameType::PuzzleII) return std::nullopt;
    const int n = s.n;
    std::vector<SolverSwap> path;
    bool refused = false;
    auto exchange = [&](int i, int j) {  // i in A, j in B
        const int p = i * n + (j - n);
        refused = refused || !s.Allowed(p, c[size_t(i)], c[size_t(j)]);
        std::swap(c[size_t(i)], c[size_t(j)]);
        path.push_back(s.ToSwap(p));
    };
    auto cellAt = [&](int v, bool inA) {  // a cell of the table holding v, or −1
        for (int k = inA ? 0 : n; k < (inA ? n : 2 * n); ++k)
            if (c[size_t(k)] == v) return k;
        return -1;
    };
    auto countInA = [&](int v) {
        int count = 0;
        for (int k = 0; k < n; ++k) count += c[size_t(k)] == v;
        return count;
    };
    for (int guard = 0; guard < 4 * n * n && !refused; ++guard) {
        int twiceA = 0;
        for (int v = 1; v <= n && !twiceA; ++v)
            if (countInA(v) == 2) twiceA = v;
        if (!twiceA) break;
        int twiceB = 0;
        for (int d = 1; d < n && !twiceB; ++d)
            for (int v : {twiceA + d, twiceA - d})
                if (v >= 1 && v <= n && countInA(v) == 0 && !twiceB) twiceB = v;
        // One step of table A's extra number towards table B's.
        const int towards = twiceB > twiceA ? 1 : -1;
        exchange(cellAt(twiceA, true), cellAt(twiceA + towards, false));
    }
    for (bool sorted = false; !sorted && !refused;) {
        sorted = true;
        for (int v = 1; v < n && !refused; ++v) {
            const int p = cellAt(v, true), r = cellAt(v + 1, true);
            const int q = cellAt(v, false), t = cellAt(v + 1, false);
            const bool a = p > r, b = q > t;
            if (!a && !b) continue;
            sorted = false;
            exchange(p, t);
            if (a && b)
                exchange(r, q);
            else if (a)
                exchange(r, t);
            else
                exchange(p, q);
        }
    }
    if (refused || !Solved(s, c)) return std::nullopt;
    return path;
}

constexpr int NoPathYet = 8192;  // how deep a beam may go before any solution is known

Solution Search(const Space& s, const Position& position, int knownBound, const std::stop_token& stop,
                SolverClock::time_point deadline, Reporter& reporter)
{
    const Cells start = ToCells(position);
    int bound = std::max(knownBound, LowerBound(s, start));
    if (bound >= NeverBound) return {Solution::Status::Impossible, 0, {}};
    reporter.best = {Solution::Status::Bounded, bound, {}};
    auto offerPath = [&](std::vector<SolverSwap> path) {
        if (!reporter.best.path.empty() && path.size() >= reporter.best.path.size()) return;
        const Solution::Status status =
            int(path.size()) == bound ? Solution::Status::Proven : Solution::Status::Bounded;
        reporter.Offer({status, status == Solution::Status::Proven ? int(path.size()) : bound, std::move(path)});
    };
    // A first solution at once, so that a hint never waits for the proof.
    if (auto carried = CarryHome(s, start)) offerPath(std::move(*carried));
    if (auto stepped = StepNumbers(s, start)) offerPath(std::move(*stepped));
    BeamSearch beam(s, stop, deadline);
    for (size_t width : {size_t(1), size_t(16)}) {
        const int limit = reporter.best.path.empty() ? NoPathYet : int(reporter.best.path.size());
        if (auto path = beam.Run(start, width, limit)) offerPath(std::move(*path));
        if (reporter.best.Proven()) return reporter.best;
    }
    // Then the proof, and a wider beam for a better solution once the proof takes long.
    std::vector<SolverSwap> shortest;
    // A bound that reaches the best path found proves that path shortest: no pass is needed for it.
    auto raised = [&](int threshold) {
        bound = threshold;
        const bool reached = reporter.best.HasPath() && int(reporter.best.path.size()) <= bound;
        reporter.Offer({reached ? Solution::Status::Proven : Solution::Status::Bounded,
                        reached ? int(reporter.best.path.size()) : bound, reporter.best.path});
        return !reached;
    };
    for (bool first = true; !OutOfTime(stop, deadline); first = false) {
        DeepeningSearch pass(
            s, stop, first ? std::min(deadline, SolverClock::now() + std::chrono::milliseconds(300)) : deadline);
        if (pass.Run(start, bound, shortest, raised)) {
            reporter.Offer({Solution::Status::Proven, int(shortest.size()), shortest});
            return reporter.best;
        }
        if (reporter.best.Proven()) return reporter.best;
        if (pass.Exhausted()) return {Solution::Status::Impossible, 0, {}};
        if (!first) break;
        const int limit = reporter.best.path.empty() ? NoPathYet : int(reporter.best.path.size());
        if (auto path = beam.Run(start, 256, limit)) offerPath(std::move(*path));
        if (reporter.best.Proven()) return reporter.best;
    }
    return reporter.best;
}

}  // namespace

// ---- public ----

namespace {

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
    if (IsPuzzleII(position) || !IsPermutation(position.a)) return std::nullopt;
    const std::vector<int>& a = position.a;
    const int n = int(a.size());
    switch (position.condition) {
    case SwapCondition::FreeSwap:
    // Some allowed swap always splits a cycle (checked on every 9-cell position and on many
    // random larger ones); the walk down the distance re-checks it on every position it meets.
    case SwapCondition::RowAdvance: return n - CyclesOf(a);
    case SwapCondition::OddEven: {
        // A cycle of one parity cannot be split by swaps across parities: it must first be joined
        // with a cycle or a number of the other parity, which costs a join and a split more, and
        // one join serves a cycle of each parity.
        const auto [odd, even] = PureParityCycles(a);
        return n - CyclesOf(a) + 2 * std::max(odd, even);
    }
    // Swapping v and v + 1 exchanges two neighbours in the order of the cells of the numbers
    // 1 … n, removing or adding one inversion; the table has as many inversions as that order.
    case SwapCondition::DifferByOne: return Inversions(a);
    default: return std::nullopt;
    }
}

int LeastSwapsAcross(const std::vector<int>& a, const std::vector<int>& b)
{
    AcrossAssignment assignment(a, b);
    return assignment.Least(std::stop_token{}, SolverClock::time_point::max()).first;
}

bool IsValidPosition(const Position& p)
{
    const size_t n = size_t(CellCount(p.size));
    if (n == 0 || p.a.size() != n || int(p.condition) < 1 || int(p.condition) > 6) return false;
    if (!IsPuzzleII(p)) return p.b.empty() && IsPermutation(p.a);
    if (p.b.size() != n) return false;
    std::vector<int> count(n + 1, 0);
    for (const auto* table : {&p.a, &p.b})
        for (int v : *table) {
            if (v < 1 || v > int(n) || ++count[size_t(v)] > 2) return false;
        }
    return true;
}

bool IsSolved(const Position& p)
{
    for (size_t k = 0; k < p.a.size(); ++k)
        if (p.a[k] != int(k) + 1 || (IsPuzzleII(p) && p.b[k] != int(k) + 1)) return false;
    return !p.a.empty();
}

bool IsAllowedSwap(const Position& p, SolverSwap swap)
{
    const int n = CellsOf(p);
    if (swap.first < 1 || swap.first > n || swap.second < 1 || swap.second > n) return false;
    if (!IsPuzzleII(p))
        return swap.first < swap.second && IsSwapAllowed(p.condition, Side(p), swap.first, swap.second,
                                                         p.a[size_t(swap.first - 1)], p.a[size_t(swap.second - 1)]);
    return IsSwapAllowedAcross(p.condition, Side(p), swap.first, swap.second, p.a[size_t(swap.first - 1)],
                               p.b[size_t(swap.second - 1)]);
}

Position AfterSwap(Position p, SolverSwap swap)
{
    int& second = IsPuzzleII(p) ? p.b[size_t(swap.second - 1)] : p.a[size_t(swap.second - 1)];
    std::swap(p.a[size_t(swap.first - 1)], second);
    return p;
}

Solution Solve(const Position& position, const std::stop_token& stop, SolverClock::time_point deadline,
               const SolverProgress& progress, SolverMemory* memory)
{
    Reporter reporter{progress, {}};
    if (!IsValidPosition(position)) {
        reporter.Offer({Solution::Status::Impossible, 0, {}});
        return reporter.best;
    }
    if (IsSolved(position)) {
        reporter.Offer({Solution::Status::Proven, 0, {}});
        return reporter.best;
    }
    const Space space = MakeSpace(position);
    std::optional<Solution> answer = SolveByClosedForm(space, position);
    SolverMemory local;
    if (!answer) answer = SolveByTable(space, position, memory ? *memory : local, stop);
    if (!answer) answer = SolveFreeAcross(position, stop, deadline);
    if (answer && answer->status != Solution::Status::Bounded) {
        reporter.Offer(std::move(*answer));
        return reporter.best;
    }
    // Under free swaps across the tables every other condition's solution is one too, so their
    // least number of swaps bounds every condition's from below.
    int known = 0;
    if (IsPuzzleII(position) && position.condition != SwapCondition::FreeSwap) {
        Position free = position;
        free.condition = SwapCondition::FreeSwap;
        if (auto least =
                SolveFreeAcross(free, stop, std::min(deadline, SolverClock::now() + std::chrono::milliseconds(200)));
            least && least->Proven())
            known = least->lowerBound;
    }
    if (answer && !answer->path.empty()) reporter.best = *answer;
    return Search(space, position, known, stop, deadline, reporter);
}

Solution SolveBySearch(const Position& position, const std::stop_token& stop, SolverClock::time_point deadline)
{
    const SolverProgress unheard;
    Reporter reporter{unheard, {}};
    if (!IsValidPosition(position)) return {Solution::Status::Impossible, 0, {}};
    if (IsSolved(position)) return {Solution::Status::Proven, 0, {}};
    return Search(MakeSpace(position), position, 0, stop, deadline, reporter);
}

std::optional<Solution> AnswerAlongPath(const Position& start, const Solution& startAnswer, const Position& current)
{
    if (!startAnswer.HasPath() || start.game != current.game || start.size != current.size ||
        start.condition != current.condition)
        return std::nullopt;
    Position p = start;
    for (size_t k = 0; k <= startAnswer.path.size(); ++k) {
        if (p == current) {
            Solution rest = startAnswer;
            rest.path.erase(rest.path.begin(), rest.path.begin() + long(k));
            rest.lowerBound = std::max(0, startAnswer.lowerBound - int(k));
            return rest;
        }
        if (k < startAnswer.path.size()) p = AfterSwap(p, startAnswer.path[k]);
    }
    return std::nullopt;
}

}  // namespace qx
