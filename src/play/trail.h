// What the player has seen and where the player has stood, written by the play update for the
// mini-map and the route review.
#pragma once

#include "maze/maze_grid.h"

// Copies into the explored map the cells straight ahead of `from` up to and including the first
// wall (at most 27), each with its two side cells.
void RevealSightLine(MazeState& state, Cell from, Direction looking);

// Marks the player's cell in the maze grid and the explored map.
void MarkTrail(MazeState& state, Cell at);
