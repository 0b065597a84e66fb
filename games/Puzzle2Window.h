#pragma once
// Puzzle II: two tables, 表A and 表B, each holding its own shuffled 1 … n. One number is picked in
// each table and the two are exchanged under the chosen condition; the game is won when both
// tables stand in order. The window shows its game model (core/Puzzle2Game) and turns clicks into
// its operations.

#include "core/Puzzle2Game.h"
#include "games/BoardCells.h"
#include "games/GameWindow.h"

#include <QColor>
#include <QFrame>
#include <QLabel>
#include <array>
#include <string>

class TForm3 : public TGameWindow {
    Q_OBJECT
public:
    enum TTable { TableA = qx::Puzzle2Game::TableA, TableB = qx::Puzzle2Game::TableB };

    explicit TForm3(QWidget* parent = nullptr);

private:
    // Declared first: the named members below refer into them.
    std::array<TShape*, 25> tilesA_{}, tilesB_{};
    std::array<QLabel*, 25> numbersA_{}, numbersB_{};
    std::array<QLabel*, 25> completed_{};
    std::array<TShape*, 8> lines_{};

public:
    // Table A: tiles and number labels of LayoutPositions 1 … 25.
    TShape *&Shape9 = tilesA_[0], *&Shape10 = tilesA_[1], *&Shape11 = tilesA_[2], *&Shape12 = tilesA_[3],
           *&Shape13 = tilesA_[4], *&Shape14 = tilesA_[5], *&Shape15 = tilesA_[6], *&Shape16 = tilesA_[7],
           *&Shape17 = tilesA_[8], *&Shape18 = tilesA_[9], *&Shape19 = tilesA_[10], *&Shape20 = tilesA_[11],
           *&Shape21 = tilesA_[12], *&Shape22 = tilesA_[13], *&Shape23 = tilesA_[14], *&Shape24 = tilesA_[15],
           *&Shape25 = tilesA_[16], *&Shape26 = tilesA_[17], *&Shape27 = tilesA_[18], *&Shape28 = tilesA_[19],
           *&Shape29 = tilesA_[20], *&Shape30 = tilesA_[21], *&Shape31 = tilesA_[22], *&Shape32 = tilesA_[23],
           *&Shape33 = tilesA_[24];
    QLabel *&Label33 = numbersA_[0], *&Label34 = numbersA_[1], *&Label35 = numbersA_[2], *&Label36 = numbersA_[3],
           *&Label37 = numbersA_[4], *&Label38 = numbersA_[5], *&Label39 = numbersA_[6], *&Label40 = numbersA_[7],
           *&Label41 = numbersA_[8], *&Label42 = numbersA_[9], *&Label43 = numbersA_[10], *&Label44 = numbersA_[11],
           *&Label45 = numbersA_[12], *&Label46 = numbersA_[13], *&Label47 = numbersA_[14], *&Label48 = numbersA_[15],
           *&Label49 = numbersA_[16], *&Label50 = numbersA_[17], *&Label51 = numbersA_[18], *&Label52 = numbersA_[19],
           *&Label53 = numbersA_[20], *&Label54 = numbersA_[21], *&Label55 = numbersA_[22], *&Label56 = numbersA_[23],
           *&Label57 = numbersA_[24];
    // Table B.
    TShape *&Shape34 = tilesB_[0], *&Shape35 = tilesB_[1], *&Shape36 = tilesB_[2], *&Shape37 = tilesB_[3],
           *&Shape38 = tilesB_[4], *&Shape39 = tilesB_[5], *&Shape40 = tilesB_[6], *&Shape41 = tilesB_[7],
           *&Shape42 = tilesB_[8], *&Shape43 = tilesB_[9], *&Shape44 = tilesB_[10], *&Shape45 = tilesB_[11],
           *&Shape46 = tilesB_[12], *&Shape47 = tilesB_[13], *&Shape48 = tilesB_[14], *&Shape49 = tilesB_[15],
           *&Shape50 = tilesB_[16], *&Shape51 = tilesB_[17], *&Shape52 = tilesB_[18], *&Shape53 = tilesB_[19],
           *&Shape54 = tilesB_[20], *&Shape55 = tilesB_[21], *&Shape56 = tilesB_[22], *&Shape57 = tilesB_[23],
           *&Shape58 = tilesB_[24];
    QLabel *&Label58 = numbersB_[0], *&Label59 = numbersB_[1], *&Label60 = numbersB_[2], *&Label61 = numbersB_[3],
           *&Label62 = numbersB_[4], *&Label63 = numbersB_[5], *&Label64 = numbersB_[6], *&Label65 = numbersB_[7],
           *&Label66 = numbersB_[8], *&Label67 = numbersB_[9], *&Label68 = numbersB_[10], *&Label69 = numbersB_[11],
           *&Label70 = numbersB_[12], *&Label71 = numbersB_[13], *&Label72 = numbersB_[14], *&Label73 = numbersB_[15],
           *&Label74 = numbersB_[16], *&Label75 = numbersB_[17], *&Label76 = numbersB_[18], *&Label77 = numbersB_[19],
           *&Label78 = numbersB_[20], *&Label79 = numbersB_[21], *&Label80 = numbersB_[22], *&Label81 = numbersB_[23],
           *&Label82 = numbersB_[24];
    // The completed table: its labels of LayoutPositions 1 … 25 and its grid lines.
    QFrame* Panel1 = nullptr;
    QLabel *&Label8 = completed_[0], *&Label9 = completed_[1], *&Label10 = completed_[2], *&Label11 = completed_[3],
           *&Label12 = completed_[4], *&Label13 = completed_[5], *&Label14 = completed_[6], *&Label15 = completed_[7],
           *&Label16 = completed_[8], *&Label17 = completed_[9], *&Label18 = completed_[10], *&Label19 = completed_[11],
           *&Label20 = completed_[12], *&Label21 = completed_[13], *&Label22 = completed_[14],
           *&Label23 = completed_[15], *&Label24 = completed_[16], *&Label25 = completed_[17],
           *&Label26 = completed_[18], *&Label27 = completed_[19], *&Label28 = completed_[20],
           *&Label29 = completed_[21], *&Label30 = completed_[22], *&Label31 = completed_[23],
           *&Label32 = completed_[24];
    TShape *&Shape1 = lines_[0], *&Shape2 = lines_[1], *&Shape3 = lines_[2], *&Shape4 = lines_[3];  // horizontal
    TShape *&Shape5 = lines_[4], *&Shape6 = lines_[5], *&Shape7 = lines_[6], *&Shape8 = lines_[7];  // vertical
    QLabel* Label3 = nullptr;                                                                       // 表A
    QLabel* Label4 = nullptr;                                                                       // 表B
    QLabel* Label5 = nullptr;                                                                       // 完成表
    QLabel* Label6 = nullptr;                                                                       // 回数
    QLabel* Label7 = nullptr;                                                                       // 時間

    qx::Puzzle2Game& Model() override { return game_; }
    const qx::Puzzle2Game& Model() const override { return game_; }

    bool IsInPlace(TTable table, int k) const;
    bool IsComplete() const;

    const TBoardCells& Cells(TTable table) const { return table == TableA ? cellsA_ : cellsB_; }

private:
    void CreateTables();
    void CreateCompletedTable();
    void CreateCaptions();
    void CreateMenu();
    void RenderTables() override;
    // Left click picks in `table`, right click puts that table's pick back.
    void CellPressed(int table, int k, Qt::MouseButton button) override;

    qx::Puzzle2Game game_;
    TBoardCells cellsA_, cellsB_;
};
