#include "core/Solver.h"

#include "core/Rules.h"
#include "core/solver/ExactForms.h"
#include "core/solver/FreeAcross.h"
#include "core/solver/Search.h"
#include "core/solver/Space.h"

#include <algorithm>

// The public entry points; the parts live in core/solver/: the search space and its bounds
// (Space), the closed forms and 9-cell tables (ExactForms), the free swaps across two tables
// (FreeAcross) and the general search (Search).
namespace qx {

using namespace solver;

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
    // least number of swaps bounds every condition's from below; the search raises it under the
    // rule once it has a first path.
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
