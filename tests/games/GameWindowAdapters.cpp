// Every game window taking part in the shared game-window tests.
#include "GameWindowAdapter.h"

std::unique_ptr<GameWindowAdapter> MakePuzzle1Adapter();
std::unique_ptr<GameWindowAdapter> MakePuzzle2Adapter();

std::vector<std::unique_ptr<GameWindowAdapter>>& Adapters()
{
    static std::vector<std::unique_ptr<GameWindowAdapter>> list = [] {
        std::vector<std::unique_ptr<GameWindowAdapter>> v;
        v.push_back(MakePuzzle1Adapter());
        v.push_back(MakePuzzle2Adapter());
        return v;
    }();
    return list;
}
