#pragma once
// Puzzle I: one table of 9, 16 or 25 numbers, two of them swapped at a time under the chosen
// condition. The window shows its game model (core/Puzzle1Game) and turns clicks into its operations.

#include "core/Puzzle1Game.h"
#include "games/BoardCells.h"
#include "games/GameWindow.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <array>

class TForm2 : public TGameWindow {
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);

    // Tiles of LayoutPositions 1 … 25.
    TShape *Shape9 = nullptr, *Shape10 = nullptr, *Shape11 = nullptr, *Shape12 = nullptr, *Shape13 = nullptr;
    TShape *Shape14 = nullptr, *Shape15 = nullptr, *Shape16 = nullptr, *Shape17 = nullptr, *Shape18 = nullptr;
    TShape *Shape19 = nullptr, *Shape20 = nullptr, *Shape21 = nullptr, *Shape22 = nullptr, *Shape23 = nullptr;
    TShape *Shape24 = nullptr, *Shape25 = nullptr, *Shape26 = nullptr, *Shape27 = nullptr, *Shape28 = nullptr;
    TShape *Shape29 = nullptr, *Shape30 = nullptr, *Shape31 = nullptr, *Shape32 = nullptr, *Shape33 = nullptr;
    // Number labels of LayoutPositions 1 … 25.
    QLabel *Label31 = nullptr, *Label32 = nullptr, *Label33 = nullptr, *Label34 = nullptr, *Label35 = nullptr;
    QLabel *Label36 = nullptr, *Label37 = nullptr, *Label38 = nullptr, *Label39 = nullptr, *Label40 = nullptr;
    QLabel *Label41 = nullptr, *Label42 = nullptr, *Label43 = nullptr, *Label44 = nullptr, *Label45 = nullptr;
    QLabel *Label46 = nullptr, *Label47 = nullptr, *Label48 = nullptr, *Label49 = nullptr, *Label50 = nullptr;
    QLabel *Label51 = nullptr, *Label52 = nullptr, *Label53 = nullptr, *Label54 = nullptr, *Label55 = nullptr;
    // The completed table: its labels of LayoutPositions 1 … 25 and its grid lines.
    QFrame* Panel1 = nullptr;
    QLabel *Label6 = nullptr, *Label7 = nullptr, *Label8 = nullptr, *Label9 = nullptr, *Label10 = nullptr;
    QLabel *Label11 = nullptr, *Label12 = nullptr, *Label13 = nullptr, *Label14 = nullptr, *Label15 = nullptr;
    QLabel *Label16 = nullptr, *Label17 = nullptr, *Label18 = nullptr, *Label19 = nullptr, *Label20 = nullptr;
    QLabel *Label21 = nullptr, *Label22 = nullptr, *Label23 = nullptr, *Label24 = nullptr, *Label25 = nullptr;
    QLabel *Label26 = nullptr, *Label27 = nullptr, *Label28 = nullptr, *Label29 = nullptr, *Label30 = nullptr;
    TShape *Shape1 = nullptr, *Shape2 = nullptr, *Shape3 = nullptr, *Shape4 = nullptr;  // horizontal
    TShape *Shape5 = nullptr, *Shape6 = nullptr, *Shape7 = nullptr, *Shape8 = nullptr;  // vertical
    QLabel* Label3 = nullptr;  // 完成表
    QLabel* Label4 = nullptr;  // 回数
    QLabel* Label5 = nullptr;  // 時間

    qx::Puzzle1Game& Model() override { return game_; }
    const qx::Puzzle1Game& Model() const override { return game_; }

    bool IsInPlace(int k) const;
    bool IsComplete() const;

    // The cells of the board, by BoardIndex or LayoutPosition.
    const TBoardCells& Cells() const { return cells_; }
    QString NumberText(int k) const { return cells_.Number(k); }

private:
    void CreateBoard();
    void CreateCompletedTable();
    void CreateLabels();
    void CreateMenu();
    void SetTabOrder();
    void RenderTables() override { cells_.Render(game_.Board(), game_.Size()); }
    void ShowCompletedTable() override;
    // Left click selects, right click puts a selected number back.
    void NumberPressed(QLabel* label, Qt::MouseButton button);
    // "戻る": hides the window; the menu's next game starts from 9 cells.
    void GoBack();

    qx::Puzzle1Game game_;
    TBoardCells cells_;
};
