#pragma once
// The board of the designed record (GameState.ActiveSize and ActiveCondition), for tests that
// check what the windows published there.

#include "core/Board.h"
#include "core/GameState.h"

#include <string>

namespace qx::test {

inline int CellCount() { return qx::CellCount(BoardSize(GameState.ActiveSize)); }
inline int GridSide() { return qx::GridSide(BoardSize(GameState.ActiveSize)); }
inline std::string SizeName() { return qx::SizeName(BoardSize(GameState.ActiveSize)); }
inline std::string ConditionName() { return qx::ConditionName(SwapCondition(GameState.ActiveCondition)); }

}  // namespace qx::test
