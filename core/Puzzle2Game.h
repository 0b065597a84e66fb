#pragma once
// Puzzle II: tables A and B, each its own shuffled 1 … n; one number picked in each table is
// exchanged with the other under the condition, until both tables stand in order.

#include "core/Game.h"

namespace qx {

class Puzzle2Game : public Game {
public:
    static constexpr int TableA = 0;
    static constexpr int TableB = 1;

    Puzzle2Game() : Game(GameType::PuzzleII, 2) {}

    // A left click on cell k of a table: that table's pick (replacing its former pick).
    Outcome Pick(int table, int k);
    // A right click on cell k: puts that table's pick back; any other number does nothing.
    Outcome Unpick(int table, int k);
    Outcome Swap() override;

private:
    Outcome ChooseSwap(int first, int second) override;
    void Shuffle(Random& rng) override;
    int& PickIndex(int table);
    // Every tile plain, then the partners of `table`'s pick marked in the other table.
    void MarkPartnersAcross(int table);
    bool Pickable(int table, int k) const;
};

}  // namespace qx
