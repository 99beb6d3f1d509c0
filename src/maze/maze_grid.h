// One stage's maze: four 81 x 41 grids of cell codes, the goal cell and the route measurements.
#pragma once

#include <cstdint>

#include "core/grid.h"

// The route search and the repair pass through passages and marked cells alike; only the low byte
// of a code counts.
constexpr bool OpenForSearch(int16_t code) {
    const auto c = static_cast<uint8_t>(code);
    return c == CELL_PASSAGE || c == CELL_MARK;
}

// One stage's maze. The grids change meaning from phase to phase; each says who writes and reads it.
struct MazeState {
    // Carving codes, written by the carving (DadiZider 2 briefly adds DZ2_JOIN_MARK); then route
    // marks while the route is searched and walked; passages and walls with the entrance and exit
    // open during play, when the play update marks the player's trail; then the review paint of
    // the result screen (route and detours). Read by every step of generation and by the mini-map.
    MazeGrid maze{};
    // Wall-map codes derived at the end of generation, decorations included; read by movement and
    // the 3-D scene.
    MazeGrid wallMap{};
    // EXPLORED_UNSEEN, or the maze code of a cell when a sight line revealed it (CELL_MARK where
    // the player stood); written by generation and the play update, read by the mini-map and the
    // route review.
    MazeGrid explored{};
    // The maze right after the route search, route marked; written by generation, read by the
    // route review.
    MazeGrid routeSnapshot{};
    // The last room while the maze is carved and measured, the exit cell from then on.
    int32_t goalX = 0;
    int32_t goalY = 0;
    uint8_t goalFound = 0;  // set by the route search when it reaches the goal
    int64_t routeLength = 0;
    int16_t routeTurns = 0;
};

// Interior (x 1..79, y 1..39) to CELL_WALL, then the frame to CELL_BORDER.
void InitMazeGrid(MazeState& state);
// Rewrites every interior cell holding `from` with `to`; the frame is never touched.
void ReplaceCode(MazeState& state, uint8_t from, uint8_t to);
inline void SetCell(MazeState& state, int x, int y, int16_t code) { state.maze[x][y] = code; }
