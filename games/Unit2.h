#pragma once
// Former name of games/Puzzle1Window.h, kept until every includer uses the new one.
#include "games/Puzzle1Window.h"
