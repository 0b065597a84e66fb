#include "core/Hints.h"

#include <algorithm>

namespace qx {

namespace {

// The numbers of a table as values; nothing when a cell shows none or the table is not of `cells`.
std::optional<std::vector<int>> Values(const Table& table, int cells)
{
    if (int(table.size()) != cells) return std::nullopt;
    std::vector<int> values;
    values.reserve(table.size());
    for (const std::string& text : table) {
        const std::optional<int> v = NumberValue(text);
        if (!v) return std::nullopt;
        values.push_back(*v);
    }
    return values;
}

std::optional<Position> PositionOf(const Game& game, const Table& a, const Table& b)
{
    Position position{game.Type(), game.Size(), game.Condition(), {}, {}};
    const std::optional<std::vector<int>> valuesA = Values(a, game.Cells());
    if (!valuesA) return std::nullopt;
    position.a = *valuesA;
    if (game.Type() == GameType::PuzzleII) {
        const std::optional<std::vector<int>> valuesB = Values(b, game.Cells());
        if (!valuesB) return std::nullopt;
        position.b = *valuesB;
    }
    return position;
}

Table NumbersOf(const BoardTable& board)
{
    Table numbers;
    numbers.reserve(board.size());
    for (const BoardCell& cell : board) numbers.push_back(cell.number);
    return numbers;
}

std::string Count(int n) { return std::to_string(n); }

}  // namespace

std::optional<Position> BoardPosition(const Game& game)
{
    return PositionOf(game, NumbersOf(game.Board(0)), game.Tables() > 1 ? NumbersOf(game.Board(1)) : Table{});
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
