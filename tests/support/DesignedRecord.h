#pragma once
// The record window's values taken from the designed record, for the tests and benchmarks that
// set up a game there instead of playing one.

#include "core/GameState.h"
#include "records/RecordWindow.h"

namespace qx::test {

inline RecordContext RecordContextOfGameState()
{
    const TGameState& s = GameState;
    const std::optional<GameType> game = GameTypeOf(s.ActiveGame);
    const size_t slot = game ? size_t(*game) - 1 : 0;
    return {.game = game,
            .size = BoardSize(s.ActiveSize),
            .condition = SwapCondition(s.ActiveCondition),
            .finished = s.Finished != 0,
            .swapCount = s.SwapCount[slot],
            .elapsedSeconds = s.ElapsedSeconds[slot],
            .codeA = s.ProblemCodeA,
            .codeB = s.ProblemCodeB,
            .par = std::nullopt,
            .hints = 0};
}

}  // namespace qx::test
