#pragma once
// Former name of games/Puzzle2Window.h, kept until every includer uses the new one.
#include "games/Puzzle2Window.h"
