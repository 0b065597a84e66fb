#pragma once
// The one record through which the main menu, the game windows and the record table window hand
// each other the game type, size, condition, selection, counters and current problem.

#include <array>
#include <string>

namespace qx {

struct TGameState {
    std::string ProgramDir;                     // directory of the program, with a trailing separator
    int ActiveGame;                             // GameType of the window in use
    int ActiveSize;                             // BoardSize in use
    int ActiveCondition;                        // SwapCondition in use
    std::string RecordFilter;                   // record selection of the active condition
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

// Zero-filled at program start (static storage).
extern TGameState GameState;

// Back to the zero-filled start state; for tests.
void ResetGameState();

}  // namespace qx
