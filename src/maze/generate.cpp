#include "maze/generate.h"

#include <bit>
#include <cstring>

#include "core/tables.h"
#include "maze/dadizider_1.h"
#include "maze/dadizider_2.h"
#include "maze/reachability.h"
#include "maze/route_search.h"
#include "maze/route_walk.h"
#include "platform/dx.h"

namespace {

// Passage and marked cells are walkable; any other code c is solid, 2 when negative, else 0.
// Written as selects, not a table, so that a whole column converts at once.
int16_t WallMapCode(int16_t c) {
    const bool walkable = c == CELL_PASSAGE || c == CELL_MARK;
    return walkable ? MAP_PASSAGE : c < 0 ? int16_t{2} : MAP_SOLID;
}

// The explored map starts with the frame and the route marks known, everything else unseen.
int16_t ExploredCode(int16_t c) { return c == CELL_BORDER || c == CELL_MARK ? c : EXPLORED_UNSEEN; }

void DeriveMaps(MazeState& state) {
    for (int x = 0; x < MAZE_WIDTH; ++x) {
        for (int y = 0; y < MAZE_HEIGHT; ++y) {
            state.wallMap[x][y] = WallMapCode(state.maze[x][y]);
            state.explored[x][y] = ExploredCode(state.maze[x][y]);
        }
    }
}

// ETC_TABLE as a formula of the four sides, so that a whole column is tested at once: some side
// solid, and no two opposite ones.
constexpr uint64_t Decorable(uint64_t right, uint64_t up, uint64_t left, uint64_t down) {
    return (right | up | left | down) & ~(right & left) & ~(up & down);
}
constexpr bool DecorableMatchesTable() {
    for (int m = 0; m < 16; ++m)
        if ((Decorable(m & 1, m >> 1 & 1, m >> 2 & 1, m >> 3 & 1) & 1) != ETC_TABLE[m]) return false;
    return true;
}
static_assert(DecorableMatchesTable());

// One wall-map column as bit sets, bit y for cell y.
static_assert(MAZE_HEIGHT <= 64);
static_assert(std::endian::native == std::endian::little, "ReadColumn reads cells as 16-bit lanes");
struct ColumnBits {
    uint64_t solid = 0;    // even codes
    uint64_t passage = 0;  // MAP_PASSAGE, the cells that draw for a decoration
};

// Four cells' flags, bit 0 of each 16-bit lane, gathered into bits 0 to 3: the product puts lane i
// at bit 48 + i, and no other partial product reaches bits 48 to 63.
uint64_t GatherLanes(uint64_t lanes) { return lanes * 0x0001000200040008u >> 48; }

// Bit 0 of every lane set where the lane is zero; exact for every lane value.
uint64_t ZeroLanes(uint64_t v) {
    constexpr uint64_t LOW = 0x7FFF7FFF7FFF7FFFu;
    return ~(((v & LOW) + LOW) | v) >> 15 & 0x0001000100010001u;
}

// Four cells at a time, in 16-bit lanes (little-endian: cell y + i in lane i).
ColumnBits ReadColumn(const MazeGrid& wallMap, int x) {
    constexpr uint64_t LANE_BITS = 0x0001000100010001u;
    constexpr uint64_t PASSAGE_LANES = LANE_BITS * MAP_PASSAGE;
    ColumnBits bits;
    int y = 0;
    for (; y + 4 <= MAZE_HEIGHT; y += 4) {
        uint64_t lanes;
        std::memcpy(&lanes, &wallMap[x][y], sizeof lanes);
        bits.solid |= GatherLanes(~lanes & LANE_BITS) << y;
        bits.passage |= GatherLanes(ZeroLanes(lanes ^ PASSAGE_LANES)) << y;
    }
    for (; y < MAZE_HEIGHT; ++y) {
        bits.solid |= uint64_t(~wallMap[x][y] & 1) << y;
        bits.passage |= uint64_t(wallMap[x][y] == MAP_PASSAGE) << y;
    }
    return bits;
}

// One dxGetRand(2) per interior passage cell, in column order, decorated or not, so the draws do not
// depend on the table. A decoration keeps a cell odd, so columns read before it stay valid.
void DecorateWallMap(MazeState& state) {
    constexpr uint64_t INTERIOR_ROWS = ((uint64_t{1} << (ROOM_MAX_Y + 1)) - 1) & ~((uint64_t{1} << ROOM_MIN) - 1);
    ColumnBits left = ReadColumn(state.wallMap, ROOM_MIN - 1);
    ColumnBits here = ReadColumn(state.wallMap, ROOM_MIN);
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x) {
        const ColumnBits right = ReadColumn(state.wallMap, x + 1);
        const uint64_t decorable = Decorable(right.solid, here.solid << 1, left.solid, here.solid >> 1);
        for (uint64_t cells = here.passage & INTERIOR_ROWS; cells != 0; cells &= cells - 1) {
            const int y = std::countr_zero(cells);
            const auto drawn = static_cast<uint64_t>(dxGetRand(2) == 0);
            const auto decorated = static_cast<int16_t>(decorable >> y & drawn);
            state.wallMap[x][y] = static_cast<int16_t>(MAP_PASSAGE + (MAP_ETC - MAP_PASSAGE) * decorated);
        }
        left = here;
        here = right;
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
    state.goalX = EXIT_CELL.x;
    state.goalY = EXIT_CELL.y;
    state.maze[EXIT_CELL.x][EXIT_CELL.y] = CELL_PASSAGE;
    state.maze[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = CELL_PASSAGE;
    DeriveMaps(state);
    state.wallMap[state.goalX][state.goalY] = MAP_SG;
    state.wallMap[ENTRANCE_CELL.x][ENTRANCE_CELL.y] = MAP_SG;
    DecorateWallMap(state);
}

void GenerateMaze(MazeState& state, Random& random, uint8_t algorithmChoice) {
    state.goalX = LAST_ROOM.x;
    state.goalY = LAST_ROOM.y;
    InitMazeGrid(state);
    if (algorithmChoice == 0) DadiZider1(state, random);
    else DadiZider2(state, random);
    CompleteMaze(state);
}
