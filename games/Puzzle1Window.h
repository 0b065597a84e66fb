#pragma once
// Puzzle I: one table of 9, 16 or 25 numbers, two of them swapped at a time under the chosen
// condition. The window shows its game model (core/Puzzle1Game) and turns clicks into its operations.

#include "core/Puzzle1Game.h"
#include "games/BoardCells.h"
#include "games/GameWindow.h"

class TForm2 : public TGameWindow {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    qx::Puzzle1Game& Model() override { return game_; }
    const qx::Puzzle1Game& Model() const override { return game_; }

    // The cells of the board, by BoardIndex or LayoutPosition.
    const TBoardCells& Cells() const { return cells_; }

private:
    void CreateCaptions();
    void CreateMenu();
    void RenderTables() override { cells_.Render(game_.Board(), game_.Size()); }
    void ShowCompletedTable() override;
    // Left click selects, right click puts a selected number back.
    void CellPressed(int table, int k, Qt::MouseButton button) override;
    // "戻る": hides the window; the menu's next game starts from 9 cells.
    void GoBack();

    qx::Puzzle1Game game_;
    TBoardCells cells_;
};
