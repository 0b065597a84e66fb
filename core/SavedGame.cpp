#include "core/SavedGame.h"

#include <algorithm>
#include <vector>

namespace qx {

namespace {

// Two decimal digits per cell, each number 1 … n; repeats are allowed (a Puzzle II table).
std::optional<std::vector<int>> DecodeCells(const std::string& code, int n)
{
    if (code.size() != size_t(n) * 2) return std::nullopt;
    std::vector<int> cells;
    cells.reserve(size_t(n));
    for (int k = 0; k < n; ++k) {
        const char hi = code[2 * size_t(k)];
        const char lo = code[2 * size_t(k) + 1];
        if (hi < '0' || hi > '9' || lo < '0' || lo > '9') return std::nullopt;
        const int value = (hi - '0') * 10 + (lo - '0');
        if (value < 1 || value > n) return std::nullopt;
        cells.push_back(value);
    }
    return cells;
}

// How often each of 1 … n stands in the tables.
std::vector<int> Multiset(const std::vector<const std::vector<int>*>& tables, int n)
{
    std::vector<int> counts(size_t(n) + 1, 0);
    for (const std::vector<int>* table : tables)
        for (int v : *table) ++counts[size_t(v)];
    return counts;
}

ParsedSave Refused(const std::string& reason) { return {std::nullopt, reason}; }

}  // namespace

ParsedSave ParseSavedGame(const SavedGame& saved)
{
    const std::optional<GameType> game = GameTypeOf(saved.game);
    const std::optional<BoardSize> size = BoardSizeOf(saved.size);
    const std::optional<SwapCondition> condition = SwapConditionOf(saved.condition);
    if (!game) return Refused("unknown game type");
    if (!size) return Refused("unknown size");
    if (!condition) return Refused("unknown condition");
    if (saved.swapCount < 0 || saved.swapCount > MaxSavedSwaps) return Refused("swap count out of range");
    if (saved.elapsedSeconds < 0 || saved.elapsedSeconds > MaxSavedSeconds) return Refused("seconds out of range");

    const bool two = *game == GameType::PuzzleII;
    const int n = CellCount(*size);
    if (!two && (!saved.codeB.empty() || !saved.boardB.empty())) return Refused("table B in a Puzzle I game");

    ResumePosition position;
    position.game = *game;
    position.size = *size;
    position.condition = *condition;
    position.swapCount = int(saved.swapCount);
    position.elapsedSeconds = int(saved.elapsedSeconds);
    // What was known beside the game is of no use when damaged, but never costs the game itself.
    position.hints = saved.hints >= 0 && saved.hints <= MaxSavedSwaps ? int(saved.hints) : 0;
    const Par par{.lowerBound = int(std::clamp<long long>(saved.parLowerBound, -1, MaxPar + 1)),
                  .found = int(std::clamp<long long>(saved.parFound, -1, MaxPar + 1))};
    if (IsPlausible(par) && (par.lowerBound > 0 || par.found > 0)) position.par = par;

    const DecodedProblem startA = DecodeProblemCode(saved.codeA, n);
    if (!startA.ok) return Refused("problem A: " + startA.reason);
    position.problem.startA = startA.numbers;
    position.problem.codeA = saved.codeA;
    if (two) {
        const DecodedProblem startB = DecodeProblemCode(saved.codeB, n);
        if (!startB.ok) return Refused("problem B: " + startB.reason);
        position.problem.startB = startB.numbers;
        position.problem.codeB = saved.codeB;
    }

    const std::optional<std::vector<int>> boardA = DecodeCells(saved.boardA, n);
    if (!boardA) return Refused("board A is not " + std::to_string(n) + " numbers 1 … n");
    std::optional<std::vector<int>> boardB;
    if (two) {
        boardB = DecodeCells(saved.boardB, n);
        if (!boardB) return Refused("board B is not " + std::to_string(n) + " numbers 1 … n");
    }
    // Swaps only move numbers: the tables hold what the problem's tables held, each number once
    // per table of the game.
    const std::vector<int> counts = two ? Multiset({&*boardA, &*boardB}, n) : Multiset({&*boardA}, n);
    for (int v = 1; v <= n; ++v)
        if (counts[size_t(v)] != (two ? 2 : 1)) return Refused("the board is not a rearrangement of the problem");

    position.boardA = *boardA;
    if (two) position.boardB = *boardB;
    // A completed game is never kept.
    if (two ? IsComplete(position.boardA, position.boardB) : IsComplete(position.boardA))
        return Refused("the board is already complete");
    return {position, {}};
}

std::optional<SavedGame> SaveOf(const Game& game)
{
    const Phase phase = game.CurrentPhase();
    if (phase != Phase::Playing && phase != Phase::Interrupted) return std::nullopt;
    // A condition chosen during a game empties the board: nothing is left to go on with.
    if (game.Board(0).empty() || game.Board(0).front().number == 0) return std::nullopt;
    auto boardCode = [&game](int table) { return EncodeProblemCode(game.Numbers(table)); };
    SavedGame saved;
    saved.game = int(game.Type());
    saved.size = int(game.Size());
    saved.condition = int(game.Condition());
    saved.codeA = EncodeProblemCode(game.Problem().startA);
    saved.boardA = boardCode(0);
    if (game.Tables() == 2) {
        saved.codeB = EncodeProblemCode(game.Problem().startB);
        saved.boardB = boardCode(1);
    }
    saved.swapCount = game.SwapCount();
    saved.elapsedSeconds = game.ElapsedSeconds();
    saved.hints = game.HintsUsed();
    if (const std::optional<Par>& par = game.ProblemPar()) {
        saved.parLowerBound = par->lowerBound;
        saved.parFound = par->found;
    }
    return saved;
}

std::string ResumeQuestion(const ResumePosition& position)
{
    const int seconds = position.elapsedSeconds;
    return "前回の続きがあります（" + SizeName(position.size) + ConditionName(position.condition) + "・" +
           std::to_string(position.swapCount) + " 回・" + MinutesAndSeconds(seconds) + "）。\r\n続きから始めますか？";
}

}  // namespace qx
