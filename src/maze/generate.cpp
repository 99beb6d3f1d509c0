#include "maze/generate.h"

#include "frame/tables.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "platform/dx.h"

namespace {

// Wall-map and explored-map codes of the maze-grid codes 0..7, looked up rather than branched on.
constexpr int16_t WALL_MAP_OF[8] = {MAP_PASSAGE, MAP_SOLID, MAP_SOLID, 0, 0, MAP_PASSAGE, 0, 0};
constexpr int16_t EXPLORED_OF[8] = {EXPLORED_UNSEEN, EXPLORED_UNSEEN, CELL_BORDER, EXPLORED_UNSEEN,
                                    EXPLORED_UNSEEN, CELL_MARK, EXPLORED_UNSEEN, EXPLORED_UNSEEN};

// Any other code c maps to 1 - sign(c): 0 for a positive code, a solid 2 for a negative one.
int16_t WallMapCode(int16_t c) {
    if (c >= 0 && c < 8) return WALL_MAP_OF[c];
    return c > 0 ? 0 : 2;
}

int16_t ExploredCode(int16_t c) { return c >= 0 && c < 8 ? EXPLORED_OF[c] : EXPLORED_UNSEEN; }

void DeriveMaps(MazeState& state) {
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        for (int y = 0; y < MAZE_HEIGHT; ++y) {
            state.wallMap[x][y] = WallMapCode(state.maze[x][y]);
            state.explored[x][y] = ExploredCode(state.maze[x][y]);
        }
    }
}

// Bit d set when the wall-map neighbour in direction d is solid (even).
int SolidSides(const MazeGrid& wallMap, int x, int y) {
    int mask = 0;
    for (int d = 0; d < 4; ++d)
        if (wallMap[x + DIR_DX[d]][y + DIR_DY[d]] % 2 == 0) mask += 1 << d;
    return mask;
}

// One dxGetRand(2) per passage cell, decorated or not, so the draws do not depend on the table.
void DecorateWallMap(MazeState& state) {
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x) {
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y) {
            if (state.wallMap[x][y] != MAP_PASSAGE) continue;
            const int mask = SolidSides(state.wallMap, x, y);
            const int r = dxGetRand(2);
            if (ETC_TABLE[mask] == 1 && r == 0) state.wallMap[x][y] = MAP_ETC;
        }
    }
}

}  // namespace

void TakeRouteSnapshot(MazeState& state) {
    for (int x = 1; x <= MAZE_WIDTH - 2; ++x)
        for (int y = 1; y <= MAZE_HEIGHT - 2; ++y)
            state.routeSnapshot[x][y] = static_cast<int16_t>(state.maze[x][y] & 0xFF);
}

void CompleteMaze(MazeState& state) {
    FindRoute(state, START_CELL.x, START_CELL.y);
    // Every stage must be winnable. A search that fails has wiped its marks and so proves the goal
    // cut off; join it up and search again. A reachable goal costs no extra pass.
    if (!state.goalFound && JoinGoalToStart(state) > 0) FindRoute(state, START_CELL.x, START_CELL.y);
    state.maze[START_CELL.x - 2][START_CELL.y] = CELL_BORDER;  // the search's first branch point
    TakeRouteSnapshot(state);
    WalkRoute(state, START_CELL.x, START_CELL.y, CELL_PASSAGE);
    ReplaceCode(state, CELL_MARK, CELL_PASSAGE);
    state.routeLength += 1;  // the exit cell
    state.GoalX = EXIT_CELL.x;
    state.GoalY = EXIT_CELL.y;
    state.maze[EXIT_CELL.x][EXIT_CELL.y] = CELL_PASSAGE;
    state.maze[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = CELL_PASSAGE;
    DeriveMaps(state);
    state.wallMap[state.GoalX][state.GoalY] = MAP_SG;
    state.wallMap[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = MAP_SG;
    DecorateWallMap(state);
}

void GenerateMaze(MazeState& state, Random& random, uint8_t algorithmChoice) {
    state.GoalX = LAST_ROOM.x;
    state.GoalY = LAST_ROOM.y;
    InitMazeGrid(state);
    if (algorithmChoice == 0) DadiZider1(state, random);
    else DadiZider2(state, random);
    CompleteMaze(state);
}
