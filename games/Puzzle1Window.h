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

private:
    // Declared first: the named members below refer into them.
    std::array<TShape*, 25> tiles_{};
    std::array<QLabel*, 25> numbers_{};
    std::array<QLabel*, 25> completed_{};
    std::array<TShape*, 8> lines_{};

public:
    // Tiles and number labels of LayoutPositions 1 … 25.
    TShape *&Shape9 = tiles_[0], *&Shape10 = tiles_[1], *&Shape11 = tiles_[2], *&Shape12 = tiles_[3],
           *&Shape13 = tiles_[4], *&Shape14 = tiles_[5], *&Shape15 = tiles_[6], *&Shape16 = tiles_[7],
           *&Shape17 = tiles_[8], *&Shape18 = tiles_[9], *&Shape19 = tiles_[10], *&Shape20 = tiles_[11],
           *&Shape21 = tiles_[12], *&Shape22 = tiles_[13], *&Shape23 = tiles_[14], *&Shape24 = tiles_[15],
           *&Shape25 = tiles_[16], *&Shape26 = tiles_[17], *&Shape27 = tiles_[18], *&Shape28 = tiles_[19],
           *&Shape29 = tiles_[20], *&Shape30 = tiles_[21], *&Shape31 = tiles_[22], *&Shape32 = tiles_[23],
           *&Shape33 = tiles_[24];
    QLabel *&Label31 = numbers_[0], *&Label32 = numbers_[1], *&Label33 = numbers_[2], *&Label34 = numbers_[3],
           *&Label35 = numbers_[4], *&Label36 = numbers_[5], *&Label37 = numbers_[6], *&Label38 = numbers_[7],
           *&Label39 = numbers_[8], *&Label40 = numbers_[9], *&Label41 = numbers_[10], *&Label42 = numbers_[11],
           *&Label43 = numbers_[12], *&Label44 = numbers_[13], *&Label45 = numbers_[14], *&Label46 = numbers_[15],
           *&Label47 = numbers_[16], *&Label48 = numbers_[17], *&Label49 = numbers_[18], *&Label50 = numbers_[19],
           *&Label51 = numbers_[20], *&Label52 = numbers_[21], *&Label53 = numbers_[22], *&Label54 = numbers_[23],
           *&Label55 = numbers_[24];
    // The completed table: its labels of LayoutPositions 1 … 25 and its grid lines.
    QFrame* Panel1 = nullptr;
    QLabel *&Label6 = completed_[0], *&Label7 = completed_[1], *&Label8 = completed_[2], *&Label9 = completed_[3],
           *&Label10 = completed_[4], *&Label11 = completed_[5], *&Label12 = completed_[6], *&Label13 = completed_[7],
           *&Label14 = completed_[8], *&Label15 = completed_[9], *&Label16 = completed_[10], *&Label17 = completed_[11],
           *&Label18 = completed_[12], *&Label19 = completed_[13], *&Label20 = completed_[14],
           *&Label21 = completed_[15], *&Label22 = completed_[16], *&Label23 = completed_[17],
           *&Label24 = completed_[18], *&Label25 = completed_[19], *&Label26 = completed_[20],
           *&Label27 = completed_[21], *&Label28 = completed_[22], *&Label29 = completed_[23],
           *&Label30 = completed_[24];
    TShape *&Shape1 = lines_[0], *&Shape2 = lines_[1], *&Shape3 = lines_[2], *&Shape4 = lines_[3];  // horizontal
    TShape *&Shape5 = lines_[4], *&Shape6 = lines_[5], *&Shape7 = lines_[6], *&Shape8 = lines_[7];  // vertical
    QLabel* Label3 = nullptr;                                                                       // 完成表
    QLabel* Label4 = nullptr;                                                                       // 回数
    QLabel* Label5 = nullptr;                                                                       // 時間

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
    void CellPressed(int table, int k, Qt::MouseButton button) override;
    // "戻る": hides the window; the menu's next game starts from 9 cells.
    void GoBack();

    qx::Puzzle1Game game_;
    TBoardCells cells_;
};
