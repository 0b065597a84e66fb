// Time to a proven minimum over dealt problems with fixed seeds, for each game, size and condition.
// Usage: bench_solver [problems per row = 100] [seconds per problem = 20] [rows starting with, e.g. "I-16"]
#include "core/Problem.h"
#include "core/Solver.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

using namespace qx;

namespace {

Position Dealt(GameType game, BoardSize size, SwapCondition condition, unsigned seed)
{
    Random rng(seed);
    Position p{game, size, condition, {}, {}};
    const int n = CellCount(size);
    if (game == GameType::PuzzleI) {
        p.a = ShufflePuzzleI(n, rng);
    } else {
        p.a = ShufflePuzzleIITable(n, rng);
        p.b = ShufflePuzzleIITable(n, rng);
    }
    return p;
}

double Quantile(std::vector<double> values, double q)
{
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, size_t(q * double(values.size())))];
}

}  // namespace

int main(int argc, char** argv)
{
    const int problems = argc > 1 ? std::atoi(argv[1]) : 100;
    const double seconds = argc > 2 ? std::atof(argv[2]) : 20;
    const std::string filter = argc > 3 ? argv[3] : "";
    SolverMemory memory;
    std::printf(
        "| row | proven ≤1 s | proven within the budget (%g s) | median | p95 | worst | median gap (unproven) | first "
        "path median |\n",
        seconds);
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (GameType game : {GameType::PuzzleI, GameType::PuzzleII})
        for (BoardSize size : {BoardSize::Cells9, BoardSize::Cells16, BoardSize::Cells25})
            for (int c = 1; c <= 6; ++c) {
                const std::string row = std::string(game == GameType::PuzzleI ? "I-" : "II-") +
                                        std::to_string(CellCount(size)) + " " + ConditionName(SwapCondition(c));
                if (row.rfind(filter, 0) != 0) continue;
                std::vector<double> times, firsts, gaps;
                int withinOne = 0, proven = 0;
                for (int k = 0; k < problems; ++k) {
                    const Position p = Dealt(game, size, SwapCondition(c), unsigned(1000 + k));
                    const auto start = SolverClock::now();
                    double first = -1;
                    const Solution s = Solve(
                        p, {}, start + std::chrono::microseconds(long(seconds * 1e6)),
                        [&](const Solution& better) {
                            if (first < 0 && better.HasPath())
                                first = std::chrono::duration<double>(SolverClock::now() - start).count();
                        },
                        &memory);
                    const double t = std::chrono::duration<double>(SolverClock::now() - start).count();
                    // Unproven problems count as the whole budget in the times.
                    times.push_back(s.Proven() ? t : seconds);
                    firsts.push_back(first < 0 ? seconds : first);
                    if (s.Proven()) ++proven;
                    if (s.Proven() && t <= 1) ++withinOne;
                    if (!s.Proven() && s.HasPath()) gaps.push_back(double(s.path.size()) - s.lowerBound);
                }
                const auto ms = [](double v) { return v * 1000; };
                std::printf("| %s | %d %% | %d %% | %.1f ms | %.1f ms | %.1f ms | %s | %.1f ms |\n", row.c_str(),
                            100 * withinOne / problems, 100 * proven / problems, ms(Quantile(times, 0.5)),
                            ms(Quantile(times, 0.95)), ms(*std::max_element(times.begin(), times.end())),
                            gaps.empty() ? "–" : std::to_string(int(Quantile(gaps, 0.5))).c_str(),
                            ms(Quantile(firsts, 0.5)));
                std::fflush(stdout);
            }
}
