#include "core/solver/Search.h"

#include "core/solver/Bounds.h"
#include "core/solver/FreeAcross.h"

#include <algorithm>
#include <bitset>
#include <functional>
#include <limits>
#include <optional>
#include <unordered_set>

namespace qx::solver {

namespace {

// Iterative deepening A*: a depth-first search that never goes deeper than the threshold less the
// lower bound allows. A finished pass with threshold T proves that no solution of T swaps or fewer
// exists, so the first solution found is a shortest one. A position met again in the same pass,
// after the same last swap and with no fewer swaps behind it, has already failed with at least as
// much room and the same swaps to follow (or lies on the current line, and a detour is never
// shortest), so it is cut; the same pair twice in a row undoes itself and is never tried.
// Two swaps on four different cells give the same position in either order. Where the pairs are
// few, a pair tried (or cut by the bound) at a position sleeps in the lines below its later
// siblings until a swap touches one of its cells: a line that takes it there is the same line with
// it taken first, which was tried already, at the same length (sleep sets: every class of lines
// equal up to such exchanges keeps one line that is tried). A position met again is then cut only
// when fewer pairs slept the first time. Where the pairs are many, only the order with the lower
// pair first is tried of two such swaps in a row: every line can be reordered into one that keeps
// this rule without growing.
class DeepeningSearch {
public:
    DeepeningSearch(const Space& space, Bounds& bounds, const std::stop_token& stop, SolverClock::time_point deadline)
        : s_(space), bounds_(bounds), stop_(stop), deadline_(deadline), seen_(size_t(1) << SeenBits)
    {
        for (int p = 0; p < int(s_.pairs.size()); ++p) {
            bool any = false;
            for (int x = 1; x <= s_.n && !any; ++x)
                for (int y = 1; y <= s_.n && !any; ++y) any = s_.Allowed(p, x, y);
            if (any) usable_.push_back(p);
        }
        sleepy_ = usable_.size() <= SleepBits;
        if (!sleepy_) return;
        apartFrom_.resize(usable_.size());
        for (size_t u = 0; u < usable_.size(); ++u)
            for (size_t v = 0; v < usable_.size(); ++v)
                if (Apart(usable_[u], usable_[v])) apartFrom_[u].set(v);
    }

    // Raises `bound` with every finished pass; fills `path` and returns true once solved. `passed`
    // hears each proven bound and answers whether to go on.
    bool Run(Cells start, int& bound, std::vector<SolverSwap>& path, const std::function<bool(int)>& passed)
    {
        cells_ = start;
        for (int threshold = std::max(bound, bounds_.Of(start)); !cut_;) {
            bound = threshold;
            moves_.clear();
            std::fill(seen_.begin(), seen_.end(), Met{});
            next_ = std::numeric_limits<int>::max();
            const int h = BoundOf(Measure(), threshold);
            if (h > threshold) {
                next_ = h;
            } else if (Deepen(0, threshold, -1, Measure(), h, Sleep{})) {
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
    static constexpr int SeenBits = 17;  // 3 MiB of positions met in this pass: more only misses the cache
    static constexpr size_t SleepBits = 128;
    // Bit u: the usable pair u is asleep.
    using Sleep = std::bitset<SleepBits>;
    struct Met {
        std::uint64_t key = 0;  // position and last swap above, swaps behind below
        Sleep sleep{};
    };

    // True when the position was met before in this pass after the same last swap, with no more
    // swaps behind it and no more pairs asleep, so with at least the same swaps to follow.
    bool MetBefore(int g, int last, const Sleep& sleep)
    {
        const std::uint64_t h = (Hash(s_, cells_) ^ std::uint64_t(last + 1)) * HashPrime;
        Met& slot = seen_[size_t(h >> (64 - SeenBits))];
        const std::uint64_t key = (h << 8) | std::uint64_t(std::min(g, 255));
        if (slot.key && (slot.key >> 8) == (key >> 8) && int(slot.key & 0xFF) <= g && (slot.sleep & ~sleep).none())
            return true;
        slot = {key, sleep};
        return false;
    }
    bool Apart(int p, int q) const
    {
        const auto [a, b] = s_.pairs[size_t(p)];
        const auto [i, j] = s_.pairs[size_t(q)];
        return a != i && a != j && b != i && b != j;
    }

    // One table: the steps and cycles after a swap follow from the two cells it touches.
    struct Measures {
        int steps = 0;
        int cycles = 0;
    };
    Measures Measure() const
    {
        if (s_.game != GameType::PuzzleI) return {};
        return {StepSum(s_, cells_), Cycles(s_, cells_)};
    }
    // Before the swap of cells i and j: what it does to the measures. A swap within one cycle
    // splits it, a swap across two joins them.
    Measures AfterSwap(Measures m, int i, int j, const std::array<std::uint8_t, MaxCells>& cycleOf) const
    {
        if (s_.game != GameType::PuzzleI) return m;
        const int x = cells_[size_t(i)], y = cells_[size_t(j)];
        m.steps += s_.Dist(x, j, x - 1) + s_.Dist(y, i, y - 1) - s_.Dist(x, i, x - 1) - s_.Dist(y, j, y - 1);
        m.cycles += cycleOf[size_t(i)] == cycleOf[size_t(j)] ? 1 : -1;
        return m;
    }
    // One table: each cell labelled with the cycle it is on.
    std::array<std::uint8_t, MaxCells> CycleLabels() const
    {
        std::array<std::uint8_t, MaxCells> label{};
        if (s_.game != GameType::PuzzleI) return label;
        std::uint8_t next = 1;
        for (int k = 0; k < s_.n; ++k, ++next)
            for (int j = k; !label[size_t(j)]; j = cells_[size_t(j)] - 1) label[size_t(j)] = next;
        return label;
    }
    // The cheap bound first; the sharper one only where the cheap one leaves the position in reach.
    int BoundOf(const Measures& m, int room)
    {
        if (s_.game != GameType::PuzzleI) return LowerBound(s_, cells_);
        const int cheap = BoundOfOneTable(s_, m.steps, m.cycles);
        return cheap > room || !bounds_.Sharper() ? cheap : bounds_.OfOneTable(cells_, m.steps, m.cycles);
    }
    // Neither the same pair again nor a pair on other cells that sorts below the last one.
    bool Follows(int last, int p) const
    {
        if (last < 0) return true;
        return p != last && (sleepy_ || !Apart(last, p) || p > last);
    }

    // The children within the threshold, nearest to complete first, so that the pass that finds a
    // solution finds it early; those beyond tell the next threshold.
    struct Child {
        int bound;
        size_t use;  // in usable_
        Measures measures;
    };
    // Fills `done` with the pairs cut by the bound.
    std::vector<Child>& ChildrenOf(int g, int threshold, int last, const Measures& measures, const Sleep& sleep,
                                   Sleep& done)
    {
        if (size_t(g) >= children_.size()) children_.resize(size_t(g) + 1);
        std::vector<Child>& children = children_[size_t(g)];
        children.clear();
        const auto cycleOf = CycleLabels();
        for (size_t u = 0; u < usable_.size(); ++u) {
            const int p = usable_[u];
            if (!Follows(last, p) || (sleepy_ && sleep.test(u))) continue;
            const auto [i, j] = s_.pairs[size_t(p)];
            if (cells_[i] == cells_[j] || !s_.Allowed(p, cells_[i], cells_[j])) continue;
            const Measures after = AfterSwap(measures, i, j, cycleOf);
            std::swap(cells_[i], cells_[j]);
            const int h = BoundOf(after, threshold - g - 1);
            std::swap(cells_[i], cells_[j]);
            if (g + 1 + h <= threshold) {
                children.push_back({h, u, after});
                continue;
            }
            next_ = std::min(next_, g + 1 + h);
            if (sleepy_) done.set(u);
        }
        std::stable_sort(children.begin(), children.end(),
                         [](const Child& a, const Child& b) { return a.bound < b.bound; });
        return children;
    }

    // `h` is the position's bound, within the threshold.
    bool Deepen(int g, int threshold, int last, const Measures& measures, int h, const Sleep& sleep)
    {
        if ((++nodes_ & 4095) == 0 && OutOfTime(stop_, deadline_)) cut_ = true;
        if (cut_) return false;
        if (h == 0 && Solved(s_, cells_)) return true;
        if (MetBefore(g, last, sleep)) return false;
        Sleep done = sleep;
        // By index: deeper calls may add levels and move the vectors.
        const size_t count = ChildrenOf(g, threshold, last, measures, sleep, done).size();
        for (size_t k = 0; k < count; ++k) {
            const Child child = children_[size_t(g)][k];
            const int pair = usable_[child.use];
            const auto [i, j] = s_.pairs[size_t(pair)];
            std::swap(cells_[i], cells_[j]);
            moves_.push_back(pair);
            const Sleep below = sleepy_ ? done & apartFrom_[child.use] : Sleep{};
            if (Deepen(g + 1, threshold, pair, child.measures, child.bound, below)) return true;
            if (sleepy_) done.set(child.use);
            moves_.pop_back();
            std::swap(cells_[i], cells_[j]);
            if (cut_) return false;
        }
        return false;
    }

    const Space& s_;
    Bounds& bounds_;
    const std::stop_token& stop_;
    SolverClock::time_point deadline_;
    std::vector<int> usable_;       // the pairs some numbers may be swapped on
    bool sleepy_ = false;           // few enough of them for sleep sets
    std::vector<Sleep> apartFrom_;  // by usable pair, the usable pairs on other cells
    std::vector<Met> seen_;
    Cells cells_{};
    std::vector<int> moves_;
    std::vector<std::vector<Child>> children_;  // by depth, reused
    int next_ = 0;
    long long nodes_ = 0;
    bool cut_ = false;
};

// A search for good solutions rather than proofs: from the layer of positions one swap deeper,
// keep the `width` that look nearest to complete, until one is complete. Never keeps a position
// whose bound shows it cannot beat `shorterThan`.
class BeamSearch {
public:
    BeamSearch(const Space& space, Bounds& bounds, const std::stop_token& stop, SolverClock::time_point deadline)
        : s_(space), bounds_(bounds), stop_(stop), deadline_(deadline)
    {
    }

    std::optional<std::vector<SolverSwap>> Run(const Cells& start, size_t width, int shorterThan)
    {
        struct Step {
            int parent;
            int pair;
        };
        struct Candidate {
            int score;
            Step step;
        };
        std::vector<std::vector<Step>> steps;
        std::vector<Cells> layer{start};
        std::vector<Cells> following;
        std::vector<Candidate> candidates;
        std::vector<int> histogram(ScoreLimit, 0);
        std::unordered_set<std::uint64_t> seen;
        for (int depth = 1; depth < shorterThan && !layer.empty(); ++depth) {
            if (OutOfTime(stop_, deadline_)) return std::nullopt;
            // The children's scores first, to find the score that admits about `width` of them;
            // only those kept are made again, so that memory stays at one layer of positions.
            // A single line of positions never goes back to one it has met: it turns aside instead.
            if (width > 1) seen.clear();
            candidates.clear();
            ForEachChild(layer, depth, shorterThan, [&](const Cells& child, int parent, int pair, int score) {
                if (width == 1 && seen.count(Hash(s_, child))) return;
                ++histogram[size_t(score)];
                candidates.push_back({score, {parent, pair}});
            });
            int cutoff = 0;
            while (cutoff < ScoreLimit && histogram[size_t(cutoff)] == 0) ++cutoff;
            if (cutoff == ScoreLimit) return std::nullopt;  // no child can still beat `shorterThan`
            ++cutoff;  // at least the best score, even if it alone is wider than the beam
            for (size_t total = size_t(histogram[size_t(cutoff - 1)]);
                 cutoff < ScoreLimit && total + size_t(histogram[size_t(cutoff)]) <= width; ++cutoff)
                total += size_t(histogram[size_t(cutoff)]);
            for (const Candidate& k : candidates) histogram[size_t(k.score)] = 0;
            following.clear();
            std::vector<Step> kept;
            std::optional<size_t> solved;
            for (const Candidate& k : candidates) {
                if (k.score >= cutoff) continue;
                if (kept.size() >= 4 * width || solved) break;
                Cells child = layer[size_t(k.step.parent)];
                const auto [i, j] = s_.pairs[size_t(k.step.pair)];
                std::swap(child[i], child[j]);
                if (!seen.insert(Hash(s_, child)).second) continue;
                following.push_back(child);
                kept.push_back(k.step);
                if (Solved(s_, child)) solved = kept.size() - 1;
            }
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
    static constexpr int ScoreLimit = 1 << 16;

    template <class Visit>
    void ForEachChild(const std::vector<Cells>& layer, int depth, int shorterThan, Visit&& visit)
    {
        for (size_t at = 0; at < layer.size(); ++at) {
            Cells c = layer[at];
            for (int p = 0; p < int(s_.pairs.size()); ++p) {
                const auto [i, j] = s_.pairs[size_t(p)];
                if (c[i] == c[j] || !s_.Allowed(p, c[i], c[j])) continue;
                std::swap(c[i], c[j]);
                const int bound = bounds_.Of(c);
                if (depth + bound < shorterThan) visit(c, int(at), p, std::min(Score(c, bound), ScoreLimit - 1));
                std::swap(c[i], c[j]);
            }
        }
    }
    // How far from complete a position looks. One table: the bound first, then the steps still to
    // go; the cycles still to split mislead on the grid, where most of them are split on the way.
    int Score(const Cells& c, int bound) const
    {
        if (s_.game == GameType::PuzzleII) {
            // Where a cell's number changes only in small steps, what the cells need says more
            // than where the numbers stand.
            const auto [a, b] = NeedSums(s_, c);
            return s_.slowCells ? a + b + 2 * bound : StepSum(s_, c) + 2 * (a + b) + bound;
        }
        return bound * 256 + std::min(StepSum(s_, c), 255);
    }
    const Space& s_;
    Bounds& bounds_;
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
    auto exchange = [&](int i, int j) {  // i in A, j in B; −1 where the table lacks the number
        if (i < 0 || j < 0) {
            refused = true;
            return;
        }
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

}  // namespace

Solution Search(const Space& s, const Position& position, int knownBound, const std::stop_token& stop,
                SolverClock::time_point deadline, Reporter& reporter)
{
    const Cells start = ToCells(position);
    Bounds bounds(s);
    int bound = std::max(knownBound, bounds.Of(start));
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
    // A bound that reaches the best path found proves that path shortest: no pass is needed for it.
    auto raised = [&](int threshold) {
        bound = threshold;
        const bool reached = reporter.best.HasPath() && int(reporter.best.path.size()) <= bound;
        reporter.Offer({reached ? Solution::Status::Proven : Solution::Status::Bounded,
                        reached ? int(reporter.best.path.size()) : bound, reporter.best.path});
        return !reached;
    };
    BeamSearch beam(s, bounds, stop, deadline);
    auto beamOf = [&](size_t width) {
        const int limit = reporter.best.path.empty() ? NoPathYet : int(reporter.best.path.size());
        if (auto path = beam.Run(start, width, limit)) offerPath(std::move(*path));
        return reporter.best.Proven();
    };
    if (beamOf(1) || beamOf(16)) return reporter.best;
    // Two tables: once a first path is there, the bound of the ways across under the rule, and
    // the wider beam at once, as their proof rarely finishes a pass in a second.
    if (s.game == GameType::PuzzleII) {
        if (knownBound > 0 && s.condition != SwapCondition::FreeSwap) {
            const int across = RaisedAcrossBound(
                s, position, knownBound, stop, std::min(deadline, SolverClock::now() + std::chrono::milliseconds(100)));
            if (across > bound && !raised(across)) return reporter.best;
        }
        if (beamOf(256)) return reporter.best;
    }
    // Then the proof, and a wider beam for a better solution once the proof takes long.
    std::vector<SolverSwap> shortest;
    for (bool first = true; !OutOfTime(stop, deadline); first = false) {
        DeepeningSearch pass(
            s, bounds, stop,
            first ? std::min(deadline, SolverClock::now() + std::chrono::milliseconds(300)) : deadline);
        if (pass.Run(start, bound, shortest, raised)) {
            reporter.Offer({Solution::Status::Proven, int(shortest.size()), shortest});
            return reporter.best;
        }
        if (reporter.best.Proven()) return reporter.best;
        if (pass.Exhausted()) return {Solution::Status::Impossible, 0, {}};
        if (!first) break;
        if (beamOf(s.game == GameType::PuzzleII ? 1024 : 256)) return reporter.best;
    }
    return reporter.best;
}

}  // namespace qx::solver
