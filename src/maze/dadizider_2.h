// DadiZider 2: a walk from the start, a walk from the goal that joins it, then short branches from
// every room, all dug two cells at a time into solid wall.
#pragma once

#include <array>
#include <cstdint>

#include "core/random.h"
#include "maze/maze_grid.h"

inline constexpr int DZ2_STACK_CAPACITY = 1000;
inline constexpr int DZ2_LIST_CAPACITY = 3200;
inline constexpr int DZ2_FIRST_WALK_ROOMS = 150;  // the first walk hands over to the second here
inline constexpr int DZ2_SHORT_WALK_STEPS = 11;
inline constexpr int16_t DZ2_JOIN_MARK = 99;  // cells of the first walk while the second one runs

struct CellPos {
    int16_t x, y;
};

// Per room, indexed [x][y] like the grid: bit d set while the slot toward direction d is wall, bit
// 4 + d while the room beyond it is. Walls only ever open, and every opening clears its bits.
using RoomSides = std::array<std::array<uint8_t, MAZE_HEIGHT>, MAZE_WIDTH>;

// Working storage of one run. Entries are 1-based; a full stack or list reuses its last entry.
struct DadiZider2Work {
    RoomSides sides;
    std::array<CellPos, DZ2_STACK_CAPACITY + 1> stack;
    int32_t depth = 0;
    std::array<CellPos, DZ2_LIST_CAPACITY + 1> firstWalk;
    int16_t firstCount = 0;
    std::array<CellPos, DZ2_LIST_CAPACITY + 1> secondWalk;
    int16_t secondCount = 0;
};

// Reads every room's sides from any grid, for carving steps outside DadiZider2, which starts from
// the sides of the grid InitMazeGrid leaves and keeps them in step as it opens cells.
void ReadSides(const MazeGrid& maze, RoomSides& sides);

// One carving step from room (x, y): opens the first direction of a drawn DIR_PERMUTATIONS row whose
// slot and room beyond are both wall, pushes (x, y) and moves there. Mode 1 redraws rows that would
// head straight on away from a room's only opening. Returns 1 when it carved, 0 otherwise.
// work.sides must describe the grid, and every slot must be wall or passage.
int CarveStep(MazeState& state, Random& random, DadiZider2Work& work, int16_t& x, int16_t& y, int mode);

// Carves a maze into the grid InitMazeGrid leaves, with the goal cell at the last room.
void DadiZider2(MazeState& state, Random& random, DadiZider2Work& work);
void DadiZider2(MazeState& state, Random& random);
