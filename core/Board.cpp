#include "core/Board.h"

#include "core/GameState.h"

namespace qx {

int CellCount(int boardSize)
{
    if (boardSize < Cells9 || boardSize > Cells25) return 0;  // no board: loops over cells do nothing
    return GridSide(boardSize) * GridSide(boardSize);
}
int CellCount() { return CellCount(GameState.ActiveSize); }
int GridSide(int boardSize) { return boardSize + 2; }
int GridSide() { return GridSide(GameState.ActiveSize); }

int LayoutPositionOf(int k, int boardSize)
{
    const int side = GridSide(boardSize);
    return (RowOf(k, side) - 1) * LayoutSide + ColumnOf(k, side);
}

void BuildCellMap()
{
    const int n = CellCount();
    for (int k = 1; k <= n && k <= LayoutPositions; ++k)
        GameState.CellMap[k - 1] = LayoutPositionOf(k, GameState.ActiveSize);
}

std::string SizeName(int boardSize)
{
    switch (boardSize) {
    case Cells9: return "９マス・";
    case Cells16: return "１６マス・";
    case Cells25: return "２５マス・";
    default: return {};
    }
}
std::string SizeName() { return SizeName(GameState.ActiveSize); }

std::string ConditionName(int condition)
{
    switch (condition) {
    case FreeSwap: return "自由入替";
    case OddEven: return "奇数偶数";
    case SameRowOrColumn: return "同じ行列";
    case RowAdvance: return "行の前進";
    case Neighbours: return "隣り同士";
    case DifferByOne: return "１つ違い";
    default: return {};
    }
}
std::string ConditionName() { return ConditionName(GameState.ActiveCondition); }

}  // namespace qx
