#pragma once
// Board geometry: sizes, grids, the three cell numberings and the display names.

#include <array>
#include <optional>
#include <string>

namespace qx {

enum class GameType { PuzzleI = 1, PuzzleII = 2 };

enum class BoardSize { Cells9 = 1, Cells16 = 2, Cells25 = 3 };

enum class SwapCondition {
    FreeSwap = 1,
    OddEven = 2,
    SameRowOrColumn = 3,
    RowAdvance = 4,
    Neighbours = 5,
    DifferByOne = 6,
};

// The values as the designed record and the stored tables keep them (1 …); none for any other.
std::optional<GameType> GameTypeOf(int value);
std::optional<BoardSize> BoardSizeOf(int value);
std::optional<SwapCondition> SwapConditionOf(int value);

constexpr int LayoutPositions = 25;  // the fixed 5 × 5 grid every game window lays out
constexpr int LayoutSide = 5;

// 9, 16, 25; 0 for a value outside the enumeration.
int CellCount(BoardSize size);
// Side of the grid: 3, 4, 5.
int GridSide(BoardSize size);

// Grid row and column (from 1) of BoardIndex k on a grid of the given side; 0 on a grid without
// cells (side below 1). Worked in 64 bits: k - 1 must not overflow for the smallest int.
inline int RowOf(int k, int side) { return side < 1 ? 0 : static_cast<int>((k - 1LL) / side + 1); }
inline int ColumnOf(int k, int side) { return side < 1 ? 0 : static_cast<int>((k - 1LL) % side + 1); }
// The row where number v stands in the complete table; 0 on a grid without cells.
inline int HomeRow(int v, int side) { return side < 1 ? 0 : static_cast<int>((v - 1LL) / side + 1); }

// Layout row and column (from 1) of LayoutPosition p.
inline int LayoutRow(int p) { return (p - 1) / LayoutSide + 1; }
inline int LayoutColumn(int p) { return (p - 1) % LayoutSide + 1; }

// LayoutPosition of BoardIndex k for a board size: the active grid takes the top left corner.
int LayoutPositionOf(int k, BoardSize size);

// Writes `map` entries 1 … CellCount(size) with each index's LayoutPosition; later entries stay.
void BuildCellMap(std::array<int, LayoutPositions>& map, BoardSize size);

// "９マス・", "１６マス・", "２５マス・"; empty for a value outside the enumeration.
std::string SizeName(BoardSize size);
// "自由入替" … "１つ違い"; empty for a value outside the enumeration.
std::string ConditionName(SwapCondition condition);

}  // namespace qx
