// Input scripts that play whole stages: pick the algorithm on the title, walk the measured route
// from the entrance to the exit with the fewest quarter turns, leave the result pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "maze/maze_grid.h"

// Cells from the entrance through the marked route of the snapshot to the exit, in walking order;
// empty when the marks do not join the start to the last room.
std::vector<Cell> RouteCells(const MazeState& state);

// Play instructions for one stage's maze: every step and turn held for exactly 31 ticks.
std::string WalkInstructions(const std::vector<Cell>& route);

// A whole script: stages carved from `seed` with these algorithms (1 or 2) in turn, then Escape.
// With a shot prefix P, each stage k saves P<k>_title.png, P<k>_play.png (after the first step),
// P<k>_goal.png, P<k>_review.png and P<k>_score.png, and at the end Pend_title.png.
std::string WalkScript(uint32_t seed, const std::vector<int>& algorithms, const std::string& shotPrefix = "");
