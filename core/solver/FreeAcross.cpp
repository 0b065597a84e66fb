#include "core/solver/FreeAcross.h"

#include "core/solver/Bounds.h"
#include "core/solver/Space.h"

#include <algorithm>
#include <limits>

namespace qx::solver {

namespace {

// With each copy of every number sent to one of its two homes, the position becomes a permutation
// of the 2n cells. A swap across splits or joins one of its cycles, and a cycle lying wholly in
// one table can only be split after it was joined with a cell of the other table: one extra join
// (and its split) serves one such cycle of each table. The fewest swaps are the least, over the
// ways of sending the copies, of 2n − c + 2·max(pA, pB).
// Under a rule that refuses some swaps, a mixed cycle may be bad as well: sorting a cycle of k cells
// by k − 1 splits among its own cells swaps along a non-crossing tree of its cells in cycle order
// (see SortableBySplits), and swaps of numbers of one parity only are never allowed under the odd
// and even rule. Each bad cycle must then be touched by a join, and a join touches at most two
// cycles of the assignment for the first time, at most one of each table's pure ones: with m bad
// mixed cycles at least max(pA, pB, ⌈(pA + pB + m)/2⌉) joins, each with its split.
class AcrossAssignment {
public:
    AcrossAssignment(const std::vector<int>& a, const std::vector<int>& b, const Space* rule = nullptr)
        : n_(int(a.size())), numbers_(a), rule_(rule)
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
    // Whether some way costs at most `cost`; the search ends at the first.
    bool Within(int cost, const std::stop_token& stop, SolverClock::time_point deadline)
    {
        best_ = cost + 1;
        firstOnly_ = true;
        Least(stop, deadline);
        return best_ <= cost;
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

    int Joins() const { return std::max({pureA_, pureB_, (pureA_ + pureB_ + badMixed_ + 1) / 2}); }
    int Cost() const { return 2 * n_ - cycles_ + 2 * Joins(); }
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
        return 2 * n_ - (cycles_ + alone + partnered / 2) + 2 * Joins();
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
            if (longer && e.inA && e.inB && BadMixed(w)) ++badMixed_;
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
        if (cut_ || (firstOnly_ && !bestTarget_.empty())) return;
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

    // The closed cycle through `cell`, which holds cells of both tables.
    bool BadMixed(int cell) const
    {
        if (!rule_) return false;
        std::array<std::uint8_t, MaxCells> cycle{};
        size_t length = 0;
        int parities = 0;
        for (int j = cell; length == 0 || j != cell; j = target_[size_t(j)]) {
            cycle[length++] = std::uint8_t(j);
            parities |= 1 << (numbers_[size_t(j)] % 2);
        }
        if (rule_->condition == SwapCondition::OddEven) return parities != 3;
        return rule_->cellsOnly && !SortableBySplits(*rule_, {cycle.data(), length});
    }

    struct State {
        int cycles, pureA, pureB, badMixed;
    };
    State Save() const { return {cycles_, pureA_, pureB_, badMixed_}; }
    void Restore(const State& s)
    {
        cycles_ = s.cycles;
        pureA_ = s.pureA;
        pureB_ = s.pureB;
        badMixed_ = s.badMixed;
    }

    int n_;
    std::vector<int> numbers_;  // by cell
    std::vector<std::pair<int, int>> copies_;
    std::vector<End> ends_;
    std::vector<int> choice_;
    std::vector<int> target_;
    const Space* rule_;  // null: every swap allowed
    int cycles_ = 0, pureA_ = 0, pureB_ = 0, badMixed_ = 0;
    int best_ = std::numeric_limits<int>::max();
    std::vector<int> bestTarget_;
    const std::stop_token* stop_ = nullptr;
    SolverClock::time_point deadline_{};
    long long nodes_ = 0;
    bool cut_ = false;
    bool firstOnly_ = false;
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

}  // namespace

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

int RaisedAcrossBound(const Space& s, const Position& position, int freeLeast, const std::stop_token& stop,
                      SolverClock::time_point deadline)
{
    // Every way costs at least as much under the rule as under free swaps: raise the bound while
    // no way costs that little, which bites sooner than a search for the least.
    for (int bound = freeLeast;; ++bound) {
        AcrossAssignment ruled(position.a, position.b, &s);
        if (ruled.Within(bound, stop, deadline) || !ruled.Complete()) return bound;
    }
}

}  // namespace qx::solver

namespace qx {

int LeastSwapsAcross(const std::vector<int>& a, const std::vector<int>& b)
{
    solver::AcrossAssignment assignment(a, b);
    return assignment.Least(std::stop_token{}, SolverClock::time_point::max()).first;
}

}  // namespace qx
