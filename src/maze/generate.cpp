#include "maze/generate.h"

#include "frame/tables.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "platform/dx.h"

namespace {

constexpr int INTERIOR_CELLS = (ROOM_MAX_X - ROOM_MIN + 1) * (ROOM_MAX_Y - ROOM_MIN + 1);

// Passage and marked cells are walkable; any other code c is solid, 2 when negative, else 0.
// Written as selects, not a table, so that a whole column converts at once.
int16_t WallMapCode(int16_t c) {
    const bool walkable = c == CELL_PASSAGE || c == CELL_MARK;
    return walkable ? MAP_PASSAGE : c < 0 ? int16_t{2} : MAP_SOLID;
}

// The explored map starts with the frame and the route marks known, everything else unseen.
int16_t ExploredCode(int16_t c) {
    return c == CELL_BORDER || c == CELL_MARK ? c : EXPLORED_UNSEEN;
}

void DeriveMaps(MazeState& state) {
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        for (int y = 0; y < MAZE_HEIGHT; ++y) {
            state.wallMap[x][y] = WallMapCode(state.maze[x][y]);
            state.explored[x][y] = ExploredCode(state.maze[x][y]);
        }
    }
}

// 1 for a solid (even) wall-map code.
int Solid(int16_t code) { return ~code & 1; }

// ETC_TABLE as a formula of the four sides, so that a whole column is tested at once: some side
// solid, and no two opposite ones.
constexpr int Decorable(int right, int up, int left, int down) {
    return (right | up | left | down) & ~(right & left) & ~(up & down) & 1;
}
constexpr bool DecorableMatchesTable() {
    for (int m = 0; m < 16; ++m)
        if (Decorable(m & 1, m >> 1 & 1, m >> 2 & 1, m >> 3 & 1) != ETC_TABLE[m]) return false;
    return true;
}
static_assert(DecorableMatchesTable());

struct PassageCell {
    int8_t x, y;
    uint8_t decorable;
};

// The interior passage cells in column order, each with whether its sides allow a decoration.
// Read before anything is written and without a branch per cell: passages lie irregularly, and a
// test per cell mispredicted on most slots.
int ListPassages(const MazeGrid& wallMap, std::array<PassageCell, INTERIOR_CELLS>& passages) {
    int count = 0;
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x) {
        std::array<uint8_t, MAZE_HEIGHT> decorable;
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y)
            decorable[y] = static_cast<uint8_t>(Decorable(Solid(wallMap[x + 1][y]), Solid(wallMap[x][y - 1]),
                                                          Solid(wallMap[x - 1][y]), Solid(wallMap[x][y + 1])));
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y) {
            passages[count] = {static_cast<int8_t>(x), static_cast<int8_t>(y), decorable[y]};
            count += wallMap[x][y] == MAP_PASSAGE;
        }
    }
    return count;
}

// One dxGetRand(2) per passage cell, decorated or not, so the draws do not depend on the table.
void DecorateWallMap(MazeState& state) {
    std::array<PassageCell, INTERIOR_CELLS> passages;
    const int count = ListPassages(state.wallMap, passages);
    for (int i = 0; i < count; ++i) {
        const PassageCell cell = passages[i];
        const int drawn = dxGetRand(2) == 0;
        state.wallMap[cell.x][cell.y] = static_cast<int16_t>(MAP_PASSAGE + (MAP_ETC - MAP_PASSAGE) * (cell.decorable & drawn));
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
