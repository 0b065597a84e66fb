#include "core/GameState.h"

namespace qx {

TGameState GameState{};

void ResetGameState() { GameState = TGameState{}; }

}  // namespace qx
