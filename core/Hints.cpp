#include "core/Hints.h"

#include <algorithm>

namespace qx {

namespace {

// A table that holds a number in every one of its `cells`; an empty board holds none.
bool HoldsNumbers(const Table& table, int cells)
{
    return int(table.size()) == cells && std::find(table.begin(), table.end(), 0) == table.end();
}

std::optional<Position> PositionOf(const Game& game, const Table& a, const Table& b)
{
    const bool two = game.Type() == GameType::PuzzleII;
    if (!HoldsNumbers(a, game.Cells()) || (two && !HoldsNumbers(b, game.Cells()))) return std::nullopt;
    return Position{game.Type(), game.Size(), game.Condition(), a, two ? b : Table{}};
}

std::string Count(int n) { return std::to_string(n); }

}  // namespace

std::optional<Position> BoardPosition(const Game& game)
{
    return PositionOf(game, game.Numbers(0), game.Tables() > 1 ? game.Numbers(1) : Table{});
}

std::optional<Position> StartPosition(const Game& game)
{
    return PositionOf(game, game.Problem().startA, game.Problem().startB);
}

bool IsHintTime(const Game& game) { return game.CurrentPhase() == Phase::Playing && BoardPosition(game); }

ShortestSubject ShortestSubjectOf(const Game& game)
{
    const std::optional<Position> board = BoardPosition(game);
    if (!board) return ShortestSubject::NoProblem;
    return game.Finished() && IsSolved(*board) ? ShortestSubject::Problem : ShortestSubject::Board;
}

std::string HintStatus(const Position& position, SolverSwap swap)
{
    const int x = position.a[size_t(swap.first - 1)];
    if (position.game == GameType::PuzzleI)
        return "ヒント：" + Count(x) + " と " + Count(position.a[size_t(swap.second - 1)]) +
               " を選びました。「入れ替え」ボタンで入れ替えてください。";
    return "ヒント：表Aの " + Count(x) + " と表Bの " + Count(position.b[size_t(swap.second - 1)]) +
           " を選びました。「入れ替え」ボタンで入れ替えてください。";
}

std::string ShortestFromBoardText(const Solution& answer)
{
    if (answer.status == Solution::Status::Impossible) return hinttext::CannotComplete;
    const std::string prefix = "この局面から完成まで、";
    if (answer.Proven()) return prefix + "最短で " + Count(int(answer.path.size())) + " 回の入れ替えです。";
    std::string text = prefix + Count(answer.lowerBound) + " 回以上の入れ替えが要ります。";
    // While the search has found no way yet, there is no found length to name.
    if (!answer.path.empty()) text += "見つかっている手順は " + Count(int(answer.path.size())) + " 回です。";
    return text;
}

std::string ShortestOfProblemText(const Solution& answer, int count)
{
    const std::string yours = "\r\nあなたは " + Count(count) + " 回で完成しました。";
    // The player's own way is a solution too: it may be the shortest one known, and when it meets
    // the bound it is proven shortest.
    const bool bounded = answer.status == Solution::Status::Bounded;
    const int bound = answer.status == Solution::Status::Impossible ? 0 : answer.lowerBound;
    int best = count;
    if (answer.HasPath()) best = std::min(best, int(answer.path.size()));
    if (answer.Proven() || (bounded && best <= bound))
        return "この問題の最短は " + Count(answer.Proven() ? int(answer.path.size()) : best) + " 回の入れ替えです。" +
               yours;
    return "この問題は " + Count(bound) + " 回以上の入れ替えが要ります。見つかっている手順は " + Count(best) +
           " 回です。" + yours;
}

}  // namespace qx
