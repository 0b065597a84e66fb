#include "core/Board.h"

namespace qx {

std::optional<GameType> GameTypeOf(int value)
{
    if (value < int(GameType::PuzzleI) || value > int(GameType::PuzzleII)) return std::nullopt;
    return GameType(value);
}

std::optional<BoardSize> BoardSizeOf(int value)
{
    if (value < int(BoardSize::Cells9) || value > int(BoardSize::Cells25)) return std::nullopt;
    return BoardSize(value);
}

std::optional<SwapCondition> SwapConditionOf(int value)
{
    if (value < int(SwapCondition::FreeSwap) || value > int(SwapCondition::DifferByOne)) return std::nullopt;
    return SwapCondition(value);
}

int CellCount(BoardSize size)
{
    if (!BoardSizeOf(int(size))) return 0;  // no board: loops over cells do nothing
    return GridSide(size) * GridSide(size);
}
int GridSide(BoardSize size) { return int(size) + 2; }

int LayoutPositionOf(int k, BoardSize size)
{
    const int side = GridSide(size);
    return (RowOf(k, side) - 1) * LayoutSide + ColumnOf(k, side);
}

void BuildCellMap(std::array<int, LayoutPositions>& map, BoardSize size)
{
    const int n = CellCount(size);
    for (int k = 1; k <= n && k <= LayoutPositions; ++k) map[size_t(k - 1)] = LayoutPositionOf(k, size);
}

std::string SizeName(BoardSize size)
{
    switch (size) {
    case BoardSize::Cells9: return "９マス・";
    case BoardSize::Cells16: return "１６マス・";
    case BoardSize::Cells25: return "２５マス・";
    }
    return {};
}

std::string ConditionName(SwapCondition condition)
{
    switch (condition) {
    case SwapCondition::FreeSwap: return "自由入替";
    case SwapCondition::OddEven: return "奇数偶数";
    case SwapCondition::SameRowOrColumn: return "同じ行列";
    case SwapCondition::RowAdvance: return "行の前進";
    case SwapCondition::Neighbours: return "隣り同士";
    case SwapCondition::DifferByOne: return "１つ違い";
    }
    return {};
}

}  // namespace qx
