#pragma once
// The designed shared record of the game type, size, condition, selection, counters and current
// problem. Nothing decides anything by it: the models hold the truth, and FillGameState() copies
// what they report into it, the one place that writes it.

#include "core/Board.h"

#include <array>
#include <optional>
#include <string>

namespace qx {

class Game;
struct GameProblem;

// The fields keep their designed names.
// NOLINTBEGIN(readability-identifier-naming)
struct TGameState {
    std::string ProgramDir;                     // directory of the program, with a trailing separator
    int ActiveGame;                             // GameType of the window in use
    int ActiveSize;                             // BoardSize in use
    int ActiveCondition;                        // SwapCondition in use
    std::array<int, 25> CellMap;                // CellMap[k - 1]: LayoutPosition of BoardIndex k
    std::string FirstNumber;                    // Puzzle I: first selected number; Puzzle II: pick in table A
    std::string SecondNumber;                   // Puzzle I: second selected number; Puzzle II: pick in table B
    int FirstIndex;                             // BoardIndex of FirstNumber; 0 = none
    int SecondIndex;                            // BoardIndex of SecondNumber; 0 = none
    std::array<int, 2> ElapsedSeconds;          // by GameType - 1
    std::array<int, 2> SwapCount;               // by GameType - 1
    std::array<std::string, 25> StartNumbersA;  // by BoardIndex - 1
    std::array<std::string, 25> StartNumbersB;
    std::string ProblemCodeA;
    std::string ProblemCodeB;
    int Finished;              // 1 once the current game's table has been completed
    int StoredProblemPending;  // 1 while a stored problem waits to be laid out
};
// NOLINTEND(readability-identifier-naming)

// Zero-filled at program start (static storage).
extern TGameState GameState;

// Back to the zero-filled start state; for tests.
void ResetGameState();

// What the models report at one moment; an empty field leaves the record as it is.
struct GameStateUpdate {
    std::optional<std::string> programDir{};
    std::optional<GameType> game{};
    std::optional<BoardSize> size{};  // with the cell map of that size
    std::optional<SwapCondition> condition{};
    // A game window's model: its counters, and unless countersOnly its type, size, condition,
    // picks, problem and whether it was completed.
    const Game* play = nullptr;
    bool countersOnly = false;
    // A stored problem handed over from the record table: table B only where it has one.
    const GameProblem* handed = nullptr;
    std::optional<bool> storedProblemPending{};
};
void FillGameState(const GameStateUpdate& update);

}  // namespace qx
