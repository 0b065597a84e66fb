#pragma once
// What a game of either type is, without any window: the board with the look of every cell, the
// selection or picks, the counters, the phase, the current problem, its size and condition, and
// the flow both games share. Operations return what the player is to be shown and to hear.

#include "core/Board.h"
#include "core/Par.h"
#include "core/Problem.h"
#include "core/SoundCue.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qx {

struct ResumePosition;

// Which of the six buttons are enabled follows from the phase alone.
enum class Phase { Idle, Playing, Interrupted, Ended };

enum class TileLook { Plain, InPlace, Partner };
enum class NumberLook { Plain, Selected, Picked };

// "M分S秒" without leading zeros, minutes without an hour part: the time display, a stored
// record and the resume question.
std::string MinutesAndSeconds(int seconds);

// Status texts of the game flow.
namespace status {
inline const std::string Idle = "「新しい問題」ボタンで始めてください。";
inline const std::string Started = "数字の入れ替えを始めてください。";
inline const std::string Resumed = "再開します。入れ替えを続けてください。";
inline const std::string Continue = "数字の入替えを続けてください。";
inline const std::string Interrupted = "中断中です。「再開」ボタンで再開してください。";
inline const std::string Ended = "「新しい問題」か「同じ問題」ボタンで始めてください。";
}  // namespace status

struct BoardCell {
    int number = 0;  // 0 on an empty board
    TileLook tile = TileLook::Plain;
    NumberLook ink = NumberLook::Plain;
};
// Element k − 1 for BoardIndex k.
using BoardTable = std::vector<BoardCell>;

// A plain message box, centred unless it has a screen position.
struct Notice {
    std::string text;
    std::optional<std::pair<int, int>> at{};
};

// What becomes of the game kept for the next run after an operation: a game that goes on is
// saved, one that is over or replaced is forgotten.
enum class Keep { Unchanged, Save, Forget };

// What an operation asks of the window.
struct Outcome {
    std::vector<SoundCue> cues{};  // in this order, before any notice
    std::optional<Notice> notice{};
    bool refused = false;  // the board keeps its former look while the notice is open
    std::optional<std::string> status{};
    Keep keep = Keep::Unchanged;
};

// The start position of the current problem and its codes. Puzzle I uses table A only.
struct GameProblem {
    Table startA, startB;
    std::string codeA, codeB;
};

// The selection (Puzzle I) or the picks (Puzzle II, first = table A, second = table B); an index
// or number of 0 is none. A number keeps its value after its index went back to 0.
struct Selection {
    int firstIndex = 0, secondIndex = 0;
    int firstNumber = 0, secondNumber = 0;
};

class Game {
public:
    virtual ~Game() = default;

    GameType Type() const { return type_; }
    BoardSize Size() const { return size_; }
    SwapCondition Condition() const { return condition_; }
    int Cells() const { return CellCount(size_); }
    int Side() const { return GridSide(size_); }
    Phase CurrentPhase() const { return phase_; }
    bool ClockRunning() const { return clockRunning_; }
    int SwapCount() const { return swapCount_; }
    int ElapsedSeconds() const { return elapsedSeconds_; }
    bool Finished() const { return finished_; }
    // Hints taken in this game: from every new, same or stored problem on, and kept with it.
    int HintsUsed() const { return hints_; }
    // What is known of the fewest swaps of the current problem (its start position under this
    // size and condition); nothing until the solver has said something of it.
    const std::optional<Par>& ProblemPar() const { return par_; }
    // Takes in what the solver learned of the current problem: the par only ever grows more exact.
    void LearnPar(const Par& learned);
    // Completed in the proven minimum without a hint.
    bool Optimal() const;
    const GameProblem& Problem() const { return problem_; }
    const Selection& Picks() const { return selection_; }
    // Table 0 (Puzzle I, table A) or 1 (table B).
    const BoardTable& Board(int table = 0) const { return boards_[table]; }
    // The numbers of a table as it stands, 0 on an empty board.
    Table Numbers(int table) const;
    int Tables() const { return int(boards_.size()); }

    // Shuffles a new problem onto an emptied board; the window then asks the start question.
    Outcome NewProblem(Random& rng);
    // Lays out the current problem again onto an emptied board.
    Outcome SameProblem();
    // A problem handed back from the record table, under its own condition.
    Outcome LayOutStoredProblem(const GameProblem& problem, SwapCondition condition);
    // Replaces the current problem without touching the board.
    void SetProblem(const GameProblem& problem) { problem_ = problem; }
    // A game kept from an earlier run, laid out interrupted: "再開" goes on with its count and
    // clock, "同じ問題" lays out its start position. The position is of this game's type.
    Outcome Restore(const ResumePosition& position);

    // The start question was answered OK.
    Outcome Start();
    Outcome Interrupt();
    Outcome Resume();
    // The cancel question was answered OK.
    Outcome Cancel();
    // One second of play; false when the clock is stopped.
    bool Tick();
    // An empty board of the new size, back to Idle.
    Outcome ChooseSize(BoardSize size);
    // An empty board and a stopped clock; the phase and the status stay.
    Outcome ChooseCondition(SwapCondition condition);

    virtual Outcome Swap() = 0;
    // A hint in one step, counted: puts back what is selected and selects the two numbers of a
    // swap (the first in the only table or table A, the second in the same table or table B),
    // with the marks and cues of those clicks; nothing is swapped.
    Outcome TakeHint(int first, int second);

protected:
    Game(GameType type, int tables);

    BoardCell& CellAt(int table, int k) { return boards_[table][k - 1]; }
    // Every cell empty and plain, no selection, counters 0, clock stopped.
    virtual void ResetBoard();
    // Tiles of numbers in place pink, the others plain (so partner marks go).
    void MarkInPlace(int table);
    void MarkInPlace();
    // The completing swap: cue 4, Finished, clock stopped, the box at `at`, Ended.
    void Finish(Outcome& outcome, std::pair<int, int> at);
    void CountSwap() { ++swapCount_; }
    // The cues of `next` after those of `into`: several clicks made as one.
    static void AddCues(Outcome& into, const Outcome& next);
    Selection& Chosen() { return selection_; }
    // The selection of TakeHint, made as the player's clicks would make it.
    virtual Outcome ChooseSwap(int first, int second) = 0;

private:
    virtual void Shuffle(Random& rng) = 0;
    void LayOutProblem();

    GameType type_;
    BoardSize size_ = BoardSize::Cells9;
    SwapCondition condition_ = SwapCondition::FreeSwap;
    Phase phase_ = Phase::Idle;
    bool clockRunning_ = false;
    int swapCount_ = 0;
    int elapsedSeconds_ = 0;
    bool finished_ = false;
    int hints_ = 0;
    std::optional<Par> par_;
    GameProblem problem_;
    Selection selection_;
    std::vector<BoardTable> boards_;
};

}  // namespace qx
