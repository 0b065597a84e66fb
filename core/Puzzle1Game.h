#pragma once
// Puzzle I: one table; two numbers are selected with the mouse and swapped under the condition.

#include "core/Game.h"

namespace qx {

class Puzzle1Game : public Game {
public:
    Puzzle1Game() : Game(GameType::PuzzleI, 1) {}

    // Numbers selected: 0, 1 or 2.
    int SelectCount() const { return selectCount_; }

    // A left click on cell k: the first or second selection; a third is refused.
    Outcome Select(int k);
    // A right click on cell k: puts a selected number back; any other number does nothing.
    Outcome Unselect(int k);
    Outcome Swap() override;

private:
    Outcome ChooseSwap(int first, int second) override;
    void ResetBoard() override;
    void Shuffle(Random& rng) override;
    void ClearSelection();
    void MarkPartners();

    int selectCount_ = 0;
};

}  // namespace qx
