#pragma once
// A game in progress as it is kept between runs of the program: its size, condition, problem,
// current tables, count and seconds. What is read back is checked whole before a game is laid
// out from it, since the file may have been damaged or written by something else.

#include "core/Game.h"

#include <optional>
#include <string>

namespace qx {

// A saved game as the row stores it: plain integers, checked by ParseSavedGame before they become
// the enumerations; codes in ProblemCode form (two digits per cell).
// Puzzle I leaves codeB and boardB empty.
struct SavedGame {
    int game = 0;       // GameType
    int size = 0;       // BoardSize
    int condition = 0;  // SwapCondition
    std::string codeA, codeB;
    std::string boardA, boardB;
    long long swapCount = 0;
    long long elapsedSeconds = 0;
    // Kept beside the designed fields; a row written before them reads 0, and no par.
    long long hints = 0;
    long long parLowerBound = 0;
    long long parFound = 0;  // 0 with a bound of 0: nothing known

    bool operator==(const SavedGame&) const = default;
};

// A saved game that may be laid out: every value checked.
struct ResumePosition {
    GameType game = GameType::PuzzleI;
    BoardSize size = BoardSize::Cells9;
    SwapCondition condition = SwapCondition::FreeSwap;
    GameProblem problem;
    Table boardA, boardB;
    int swapCount = 0;
    int elapsedSeconds = 0;
    int hints = 0;
    std::optional<Par> par;
};

// Counts and seconds above these were not played: a row that claims them is refused.
inline constexpr long long MaxSavedSwaps = 99'999'999;
inline constexpr long long MaxSavedSeconds = 99'999'999;  // over three years of play

// The position, or why the row cannot be used (for diagnostics; the player sees one message).
struct ParsedSave {
    std::optional<ResumePosition> position;
    std::string reason;
};
ParsedSave ParseSavedGame(const SavedGame& saved);

// What is kept of a game that is being played or interrupted; nothing for any other game.
std::optional<SavedGame> SaveOf(const Game& game);

// "前回の続きがあります（２５マス・隣り同士・37 回・12分5秒）。\r\n続きから始めますか？"
std::string ResumeQuestion(const ResumePosition& position);

inline const std::string UnusableSaveText = "前回の続きを読み込めませんでした。\r\n新しく始めてください。";
inline const std::string SaveFailedText = "続きを保存できませんでした。";

}  // namespace qx
