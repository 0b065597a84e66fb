#pragma once
// Board geometry: sizes, grids, the three cell numberings and the display names.

#include <array>
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

// The same values as the shared record (GameState) holds them, as plain integers.
inline constexpr int PuzzleI = int(GameType::PuzzleI);
inline constexpr int PuzzleII = int(GameType::PuzzleII);
inline constexpr int Cells9 = int(BoardSize::Cells9);
inline constexpr int Cells16 = int(BoardSize::Cells16);
inline constexpr int Cells25 = int(BoardSize::Cells25);
inline constexpr int FreeSwap = int(SwapCondition::FreeSwap);
inline constexpr int OddEven = int(SwapCondition::OddEven);
inline constexpr int SameRowOrColumn = int(SwapCondition::SameRowOrColumn);
inline constexpr int RowAdvance = int(SwapCondition::RowAdvance);
inline constexpr int Neighbours = int(SwapCondition::Neighbours);
inline constexpr int DifferByOne = int(SwapCondition::DifferByOne);

constexpr int LayoutPositions = 25;  // the fixed 5 × 5 grid every game window lays out
constexpr int LayoutSide = 5;

// 9, 16, 25 for sizes 1, 2, 3.
int CellCount(int boardSize);
inline int CellCount(BoardSize size) { return CellCount(int(size)); }
// Of GameState.ActiveSize.
int CellCount();
// Side of the active grid: size + 2.
int GridSide(int boardSize);
inline int GridSide(BoardSize size) { return GridSide(int(size)); }
int GridSide();

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
int LayoutPositionOf(int k, int boardSize);
inline int LayoutPositionOf(int k, BoardSize size) { return LayoutPositionOf(k, int(size)); }

// Writes GameState.CellMap entries 1 … CellCount for GameState.ActiveSize; later entries stay.
void BuildCellMap();

// "９マス・", "１６マス・", "２５マス・"; empty for any other size.
std::string SizeName(int boardSize);
std::string SizeName();
// "自由入替" … "１つ違い"; empty for any other condition.
std::string ConditionName(int condition);
inline std::string ConditionName(SwapCondition condition) { return ConditionName(int(condition)); }
std::string ConditionName();

}  // namespace qx
