#pragma once
// What the hint menu says and of which position: the solver's positions of a game (its board as
// it stands, its problem's start), when a hint may be given, and the texts of "次の一手" and
// "最短手数" for an answer of the solver.

#include "core/Game.h"
#include "core/Solver.h"

#include <optional>
#include <string>

namespace qx {

namespace hinttext {
inline const std::string OutsideGame = "ヒントはゲーム中に使えます。";
inline const std::string CannotComplete = "この局面からは完成できません。";
inline const std::string NoProblem = "問題がありません。「新しい問題」ボタンで始めてください。";
}  // namespace hinttext

// The board as it stands under the game's size and condition; nothing while it shows no problem.
std::optional<Position> BoardPosition(const Game& game);
// The start position of the current problem; nothing before the first problem.
std::optional<Position> StartPosition(const Game& game);

// A hint is given while a game is played ("入れ替え" enabled) on a board with a problem.
bool IsHintTime(const Game& game);

// Which position "最短手数" speaks of: none on an empty board; the problem's start right after
// it was completed; otherwise the board as it stands.
enum class ShortestSubject { NoProblem, Problem, Board };
ShortestSubject ShortestSubjectOf(const Game& game);

// Panel 0 after a hint selected the numbers of `swap` on `position`.
std::string HintStatus(const Position& position, SolverSwap swap);
// "最短手数" of the board as it stands.
std::string ShortestFromBoardText(const Solution& answer);
// "最短手数" of a problem completed in `count` swaps.
std::string ShortestOfProblemText(const Solution& answer, int count);

}  // namespace qx
