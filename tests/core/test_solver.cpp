// The shortest solutions: the closed forms against complete tables, the least free swaps across
// two tables against a search of every position, and dealt problems followed to completion.
#include "core/Problem.h"
#include "core/Solver.h"
#include "core/solver/Bounds.h"
#include "core/solver/FreeAcross.h"

#include <QtTest>
#include <random>
#include <unordered_map>

using namespace qx;

namespace {

using namespace std::chrono_literals;

Position Dealt(GameType game, BoardSize size, SwapCondition condition, unsigned seed)
{
    Random rng(seed);
    Position p{game, size, condition, {}, {}};
    if (game == GameType::PuzzleI) {
        p.a = ShufflePuzzleI(CellCount(size), rng);
    } else {
        p.a = ShufflePuzzleIITable(CellCount(size), rng);
        p.b = ShufflePuzzleIITable(CellCount(size), rng);
    }
    return p;
}

// The 9-cell tables, built once for the whole run.
SolverMemory& Memory()
{
    static SolverMemory memory;
    return memory;
}

// Both tables as one number, three bits a cell.
std::uint64_t Key(const std::vector<int>& a, const std::vector<int>& b)
{
    std::uint64_t key = 0;
    for (const auto* t : {&a, &b})
        for (int v : *t) key = key << 3 | std::uint64_t(v);
    return key;
}

// How the sharper bounds are held against exact minima: as the search uses them, and two variants
// that overestimate, to show that the check catches a bound that is not admissible.
enum class Variant { AsUsed, JoinPerBadCycle, TwoSwapsPerConflict };

int BoundUnderTest(solver::Bounds& bounds, solver::BadCycleCounter& badCycles, const solver::Space& s,
                   const solver::Cells& c, Variant variant)
{
    using namespace solver;
    const int cycles = Cycles(s, c), steps = StepSum(s, c), split = s.n - cycles;
    int bound = LowerBound(s, c);
    if (variant == Variant::AsUsed) return bounds.Of(c);
    if (variant == Variant::JoinPerBadCycle) bound = std::max(bound, split + 2 * badCycles.Count(c));
    if (variant == Variant::TwoSwapsPerConflict) bound = std::max(bound, (steps + 1) / 2 + 2 * LineConflicts(s, c));
    return bound + (bound - split) % 2;
}

// The least number of swaps, by a search of its own resting on steps and cycles alone.
int LeastSwaps(const solver::Space& s, solver::Cells& c, int g, int threshold, int last)
{
    const int h = solver::LowerBound(s, c);
    if (g + h > threshold) return g + h;
    if (h == 0) return -1;
    int next = std::numeric_limits<int>::max();
    for (int p = 0; p < int(s.pairs.size()); ++p) {
        const auto [i, j] = s.pairs[size_t(p)];
        if (p == last || !s.Allowed(p, c[i], c[j])) continue;
        std::swap(c[i], c[j]);
        const int found = LeastSwaps(s, c, g + 1, threshold, p);
        std::swap(c[i], c[j]);
        if (found < 0) return -1;
        next = std::min(next, found);
    }
    return next;
}
int LeastSwaps(const solver::Space& s, solver::Cells c)
{
    for (int threshold = solver::LowerBound(s, c);;) {
        const int next = LeastSwaps(s, c, 0, threshold, -1);
        if (next < 0) return threshold;
        threshold = next;
    }
}

}  // namespace

class TestSolver : public QObject {
    Q_OBJECT
private slots:
    void closedFormsMatchCompleteTables_data()
    {
        QTest::addColumn<int>("condition");
        for (int c = 1; c <= 6; ++c) QTest::newRow(ConditionName(SwapCondition(c)).c_str()) << c;
    }
    void closedFormsMatchCompleteTables()
    {
        QFETCH(int, condition);
        const std::vector<std::uint8_t>& table = Memory().Distances9(SwapCondition(condition));
        Position p{GameType::PuzzleI, BoardSize::Cells9, SwapCondition(condition), {}, {}};
        for (int rank = 0; rank < int(table.size()); ++rank) {
            p.a = Unrank9(rank);
            QCOMPARE(Rank9(p.a), rank);
            QVERIFY2(table[size_t(rank)] != 255, "every 9-cell position can be completed");
            const std::optional<int> formula = ClosedFormMinimum(p);
            if (formula && *formula != table[size_t(rank)])
                QFAIL(qPrintable(
                    QString("rank %1: closed form %2, table %3").arg(rank).arg(*formula).arg(table[size_t(rank)])));
        }
    }

    // The search the larger boards rely on, held against the exact tables on sampled positions,
    // under rules that depend on the cells alone and on the numbers too.
    void searchMatchesCompleteTables_data()
    {
        QTest::addColumn<int>("condition");
        for (SwapCondition c : {SwapCondition::SameRowOrColumn, SwapCondition::RowAdvance, SwapCondition::Neighbours})
            QTest::newRow(ConditionName(c).c_str()) << int(c);
    }
    void searchMatchesCompleteTables()
    {
        QFETCH(int, condition);
        const std::vector<std::uint8_t>& table = Memory().Distances9(SwapCondition(condition));
        Position p{GameType::PuzzleI, BoardSize::Cells9, SwapCondition(condition), {}, {}};
        std::mt19937 rng{unsigned(condition)};
        for (int k = 0; k < 100; ++k) {
            const int rank = int(rng() % table.size());
            p.a = Unrank9(rank);
            const Solution found = SolveBySearch(p, {}, SolverClock::time_point::max());
            QVERIFY2(found.Proven(), qPrintable(QString("rank %1 not proven").arg(rank)));
            QCOMPARE(int(found.path.size()), int(table[size_t(rank)]));
        }
    }

    // Every 9-cell position against its exact minimum, and 16-cell positions a few swaps from
    // complete against a search of their own; the bound used must be sharper somewhere.
    void sharperBoundsNeverExceedTheMinimum_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("variant");
        QTest::addColumn<bool>("admissible");
        const int rook = int(SwapCondition::SameRowOrColumn), grid = int(SwapCondition::Neighbours);
        QTest::newRow("bad cycles") << rook << int(Variant::AsUsed) << true;
        QTest::newRow("line conflicts") << grid << int(Variant::AsUsed) << true;
        QTest::newRow("a join per bad cycle") << rook << int(Variant::JoinPerBadCycle) << false;
        QTest::newRow("two swaps per line conflict") << grid << int(Variant::TwoSwapsPerConflict) << false;
    }
    void sharperBoundsNeverExceedTheMinimum()
    {
        QFETCH(int, condition);
        QFETCH(int, variant);
        QFETCH(bool, admissible);
        const std::vector<std::uint8_t>& table = Memory().Distances9(SwapCondition(condition));
        Position p{GameType::PuzzleI, BoardSize::Cells9, SwapCondition(condition), Unrank9(0), {}};
        int over = 0, sharper = 0;
        auto hold = [&](const Position& position, int least) {
            const solver::Space s = solver::MakeSpace(position);
            solver::Bounds bounds(s);
            solver::BadCycleCounter badCycles(s);
            const solver::Cells c = solver::ToCells(position);
            const int bound = BoundUnderTest(bounds, badCycles, s, c, Variant(variant));
            over += bound > least;
            sharper += bound > solver::LowerBound(s, c);
        };
        const solver::Space nine = solver::MakeSpace(p);
        solver::Bounds bounds(nine);
        solver::BadCycleCounter badCycles(nine);
        for (int rank = 0; rank < int(table.size()); ++rank) {
            p.a = Unrank9(rank);
            const solver::Cells c = solver::ToCells(p);
            const int bound = BoundUnderTest(bounds, badCycles, nine, c, Variant(variant));
            over += bound > table[size_t(rank)];
            sharper += bound > solver::LowerBound(nine, c);
        }
        if (!admissible) {
            QVERIFY(over > 0);
            return;
        }
        Position sixteen = Dealt(GameType::PuzzleI, BoardSize::Cells16, SwapCondition(condition), 1);
        std::mt19937 rng{7};
        for (int k = 0; k < 60; ++k) {
            std::iota(sixteen.a.begin(), sixteen.a.end(), 1);
            for (int walk = 0; walk < 4 + k % 6;) {
                const SolverSwap swap{int(rng() % 16) + 1, int(rng() % 16) + 1};
                if (swap.first < swap.second && IsAllowedSwap(sixteen, swap)) {
                    sixteen = AfterSwap(sixteen, swap);
                    ++walk;
                }
            }
            const solver::Space s = solver::MakeSpace(sixteen);
            hold(sixteen, LeastSwaps(s, solver::ToCells(sixteen)));
        }
        QCOMPARE(over, 0);
        QVERIFY(sharper > 0);
    }

    // Every position of two tables of 3, 4 and 5 numbers, searched outwards from the complete one;
    // of the 113,400 positions of 5 numbers every 16th of each distance is checked.
    void freeSwapAcrossMatchesExhaustiveSearch_data()
    {
        QTest::addColumn<int>("n");
        QTest::addColumn<int>("every");
        QTest::newRow("3") << 3 << 1;
        QTest::newRow("4") << 4 << 1;
        QTest::newRow("5") << 5 << 16;
    }
    void freeSwapAcrossMatchesExhaustiveSearch()
    {
        QFETCH(int, n);
        QFETCH(int, every);
        std::vector<int> solved(static_cast<size_t>(n));
        std::iota(solved.begin(), solved.end(), 1);
        std::unordered_map<std::uint64_t, int> distance{{Key(solved, solved), 0}};
        std::vector<std::pair<std::vector<int>, std::vector<int>>> layer{{solved, solved}}, next;
        for (int d = 1; !layer.empty(); ++d) {
            next.clear();
            for (auto [a, b] : layer)
                for (int i = 0; i < n; ++i)
                    for (int j = 0; j < n; ++j) {
                        std::swap(a[size_t(i)], b[size_t(j)]);
                        if (distance.emplace(Key(a, b), d).second) next.emplace_back(a, b);
                        std::swap(a[size_t(i)], b[size_t(j)]);
                    }
            std::swap(layer, next);
            for (size_t k = 0; k < layer.size(); k += size_t(every))
                if (LeastSwapsAcross(layer[k].first, layer[k].second) != d)
                    QFAIL(qPrintable(QString("a position %1 swaps away").arg(d)));
        }
        // (2n)! / 2^n positions in all
        size_t all = 1;
        for (int k = 2; k <= 2 * n; ++k) all *= size_t(k);
        QCOMPARE(distance.size(), all >> n);
    }

    // Two 9-cell tables a few free swaps from complete, whose least swaps under the rule the search
    // proves: the free least raised by the cycles the rule keeps from sorting alone never exceeds
    // them, and is raised somewhere. One join more wherever it was raised must be caught.
    void raisedAcrossBoundNeverExceedsTheMinimum_data()
    {
        QTest::addColumn<int>("condition");
        QTest::addColumn<bool>("overcounted");
        for (SwapCondition c : {SwapCondition::OddEven, SwapCondition::SameRowOrColumn, SwapCondition::Neighbours})
            QTest::newRow(ConditionName(c).c_str()) << int(c) << false;
        QTest::newRow("a join more") << int(SwapCondition::SameRowOrColumn) << true;
    }
    void raisedAcrossBoundNeverExceedsTheMinimum()
    {
        QFETCH(int, condition);
        QFETCH(bool, overcounted);
        Position p = Dealt(GameType::PuzzleII, BoardSize::Cells9, SwapCondition(condition), 1);
        const solver::Space s = solver::MakeSpace(p);
        std::mt19937 rng{unsigned(condition)};
        int over = 0, raised = 0;
        for (int k = 0; k < 40; ++k) {
            std::iota(p.a.begin(), p.a.end(), 1);
            std::iota(p.b.begin(), p.b.end(), 1);
            for (int walk = 0; walk < 2 + k % 3; ++walk) std::swap(p.a[rng() % 9], p.b[rng() % 9]);
            const int free = LeastSwapsAcross(p.a, p.b);
            int bound = solver::RaisedAcrossBound(s, p, free, {}, SolverClock::time_point::max());
            if (overcounted && bound > free) bound += 2;
            const Solution least = SolveBySearch(p, {}, SolverClock::time_point::max());
            QVERIFY(least.Proven());
            over += bound > int(least.path.size());
            raised += bound > free;
        }
        QVERIFY(raised > 0);
        QCOMPARE(over > 0, overcounted);
    }

    // The answer's swaps are allowed one after the other and complete the table, and every position
    // along them is answered by the rest of the path. Where the row waits for the proof, the path is
    // as long as the bound and one swap along it leaves a position whose own minimum is one less;
    // elsewhere the first path found is followed. No clock decides a row.
    void followingTheSolutionCompletesIt_data()
    {
        QTest::addColumn<int>("game");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("condition");
        QTest::addColumn<bool>("proof");
        for (int g = 1; g <= 2; ++g)
            for (int s = 1; s <= 3; ++s)
                for (int c = 1; c <= 6; ++c) {
                    // The proof is waited for where it comes at once (free swaps, the 9-cell tables,
                    // the closed forms) and where the search finds it quickly on these positions.
                    const auto condition = SwapCondition(c);
                    const bool closedForm =
                        condition != SwapCondition::SameRowOrColumn && condition != SwapCondition::Neighbours;
                    const bool proof =
                        condition == SwapCondition::FreeSwap ||
                        (g == 1 ? s == 1 || closedForm || (s == 2 && condition == SwapCondition::Neighbours)
                                : s == 1 && condition != SwapCondition::DifferByOne);
                    QTest::addRow("%s-%d %s", g == 1 ? "I" : "II", CellCount(BoardSize(s)),
                                  ConditionName(condition).c_str())
                        << g << s << c << proof;
                }
    }
    void followingTheSolutionCompletesIt()
    {
        QFETCH(int, game);
        QFETCH(int, size);
        QFETCH(int, condition);
        QFETCH(bool, proof);
        const Position start = Dealt(GameType(game), BoardSize(size), SwapCondition(condition), 7);
        std::stop_source enough;
        const Solution answer = Solve(
            start, enough.get_token(), SolverClock::time_point::max(),
            [&](const Solution& better) {
                if (!proof && better.HasPath()) enough.request_stop();
            },
            &Memory());
        QVERIFY(proof ? answer.Proven() : answer.HasPath());
        QVERIFY(answer.lowerBound <= int(answer.path.size()));
        if (answer.Proven()) QCOMPARE(int(answer.path.size()), answer.lowerBound);
        Position p = start;
        for (size_t k = 0; k < answer.path.size(); ++k) {
            QVERIFY2(IsAllowedSwap(p, answer.path[k]), qPrintable(QString("swap %1").arg(k + 1)));
            p = AfterSwap(p, answer.path[k]);
            const std::optional<Solution> rest = AnswerAlongPath(start, answer, p);
            QVERIFY(rest);
            QCOMPARE(rest->path.size(), answer.path.size() - k - 1);
        }
        QVERIFY(IsSolved(p));
        if (!proof) return;
        const Solution again =
            Solve(AfterSwap(start, answer.path.front()), {}, SolverClock::time_point::max(), {}, &Memory());
        QVERIFY(again.Proven());
        QCOMPARE(again.lowerBound, answer.lowerBound - 1);
    }

    void refusesWhatCannotBeSolvedAndStopsWhenAsked()
    {
        Position broken{GameType::PuzzleI, BoardSize::Cells9, SwapCondition::FreeSwap, {1, 1, 2, 3, 4, 5, 6, 7, 8}, {}};
        QCOMPARE(Solve(broken, {}, SolverClock::now() + 1s).status, Solution::Status::Impossible);
        std::stop_source stop;
        stop.request_stop();
        const auto begun = SolverClock::now();
        const Position hard = Dealt(GameType::PuzzleI, BoardSize::Cells25, SwapCondition::Neighbours, 3);
        const Solution cut = Solve(hard, stop.get_token(), SolverClock::now() + 20s);
        QVERIFY(!cut.Proven());
        QVERIFY(SolverClock::now() - begun < 2s);
        // A table whose building was stopped is not kept half built: the next use builds it whole.
        SolverMemory fresh;
        QVERIFY(fresh.Distances9(SwapCondition::Neighbours, stop.get_token()).empty());
        QVERIFY(fresh.Distances9(SwapCondition::Neighbours) == Memory().Distances9(SwapCondition::Neighbours));
    }
};

QTEST_APPLESS_MAIN(TestSolver)
#include "test_solver.moc"
