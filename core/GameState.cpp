#include "core/GameState.h"

#include "core/Game.h"

#include <algorithm>

namespace qx {

TGameState GameState{};

void ResetGameState() { GameState = TGameState{}; }

namespace {

// The first min(n, 25) numbers as the board shows them; with `clearRest` the later entries become empty.
void CopyNumbers(const Table& numbers, std::array<std::string, 25>& into, bool clearRest)
{
    const size_t n = std::min(numbers.size(), into.size());
    std::transform(numbers.begin(), numbers.begin() + std::ptrdiff_t(n), into.begin(), BoardNumberText);
    if (clearRest) std::fill(into.begin() + std::ptrdiff_t(n), into.end(), std::string());
}

void FillSize(TGameState& shared, BoardSize size)
{
    shared.ActiveSize = int(size);
    BuildCellMap(shared.CellMap, size);
}

void FillPlay(TGameState& shared, const Game& game, bool countersOnly)
{
    const size_t slot = size_t(game.Type()) - 1;  // the counters are kept by game type
    shared.SwapCount[slot] = game.SwapCount();
    shared.ElapsedSeconds[slot] = game.ElapsedSeconds();
    if (countersOnly) return;

    shared.ActiveGame = int(game.Type());
    FillSize(shared, game.Size());
    shared.ActiveCondition = int(game.Condition());
    const Selection& picks = game.Picks();
    shared.FirstNumber = BoardNumberText(picks.firstNumber);
    shared.SecondNumber = BoardNumberText(picks.secondNumber);
    shared.FirstIndex = picks.firstIndex;
    shared.SecondIndex = picks.secondIndex;
    const GameProblem& problem = game.Problem();
    CopyNumbers(problem.startA, shared.StartNumbersA, true);
    CopyNumbers(problem.startB, shared.StartNumbersB, true);
    shared.ProblemCodeA = problem.codeA;
    shared.ProblemCodeB = problem.codeB;
    shared.Finished = game.Finished() ? 1 : 0;
}

void FillHanded(TGameState& shared, const GameProblem& problem)
{
    CopyNumbers(problem.startA, shared.StartNumbersA, false);
    shared.ProblemCodeA = problem.codeA;
    if (problem.codeB.empty()) return;  // a Puzzle I problem leaves table B's entries alone
    CopyNumbers(problem.startB, shared.StartNumbersB, false);
    shared.ProblemCodeB = problem.codeB;
}

}  // namespace

void FillGameState(const GameStateUpdate& update)
{
    TGameState& shared = GameState;
    if (update.programDir) shared.ProgramDir = *update.programDir;
    if (update.game) shared.ActiveGame = int(*update.game);
    if (update.size) FillSize(shared, *update.size);
    if (update.condition) shared.ActiveCondition = int(*update.condition);
    if (update.play) FillPlay(shared, *update.play, update.countersOnly);
    if (update.handed) FillHanded(shared, *update.handed);
    if (update.storedProblemPending) shared.StoredProblemPending = *update.storedProblemPending ? 1 : 0;
}

}  // namespace qx
