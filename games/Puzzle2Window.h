#pragma once
// Puzzle II: two tables, 表A and 表B, each holding its own shuffled 1 … n. One number is picked in
// each table and the two are exchanged under the chosen condition; the game is won when both
// tables stand in order. The window shows its game model (core/Puzzle2Game) and turns clicks into
// its operations.

#include "core/Puzzle2Game.h"
#include "games/BoardCells.h"
#include "games/GameWindow.h"

class TForm3 : public TGameWindow {
    Q_OBJECT
public:
    enum TTable { TableA = qx::Puzzle2Game::TableA, TableB = qx::Puzzle2Game::TableB };

    explicit TForm3(QWidget* parent = nullptr);

    qx::Puzzle2Game& Model() override { return game_; }
    const qx::Puzzle2Game& Model() const override { return game_; }

    const TBoardCells& Cells(TTable table) const { return table == TableA ? cellsA_ : cellsB_; }

private:
    void CreateCaptions();
    void CreateMenu();
    void RenderTables() override;
    // Left click picks in `table`, right click puts that table's pick back.
    void CellPressed(int table, int k, Qt::MouseButton button) override;

    qx::Puzzle2Game game_;
    TBoardCells cellsA_, cellsB_;
};
