#include "maze/route_search.h"

#include <array>

#include "core/direction.h"

namespace {

// A room on the search's path: where it is, the heading it was reached on, and the open directions
// still to be tried.
struct PathRoom {
    int8_t x, y;
    Direction heading;
    uint8_t ways;  // a direction mask
};

constexpr int ROOM_COUNT = 39 * 19;
using Path = std::array<PathRoom, ROOM_COUNT>;

// 1 wherever the search may not step: every cell but the rooms. Rooms it has entered join them.
using EnteredMap = std::array<std::array<uint8_t, MAZE_HEIGHT>, MAZE_WIDTH>;
constexpr EnteredMap MakeNonRooms() {
    EnteredMap map{};
    for (int x = 0; x < MAZE_WIDTH; ++x)
        for (int y = 0; y < MAZE_HEIGHT; ++y) map[x][y] = IsRoom(x, y) ? 0 : 1;
    return map;
}
constexpr EnteredMap NON_ROOMS = MakeNonRooms();

// From a room reached heading d, ways are tried right turn, straight on, left turn. The first of
// them in `ways`, -1 when there is none.
using FirstWayTable = std::array<std::array<int8_t, 16>, 4>;
constexpr FirstWayTable MakeFirstWay() {
    FirstWayTable table{};
    for (const Direction d : ALL_DIRECTIONS) {
        const std::array<int16_t, 3> order = {int16_t(Number(TurnRight(d))), int16_t(Number(d)),
                                              int16_t(Number(TurnLeft(d)))};
        for (int ways = 0; ways < 16; ++ways) table[Number(d)][ways] = FirstInOrder(order, ways);
    }
    return table;
}
constexpr FirstWayTable FIRST_WAY = MakeFirstWay();

// Directions from room (x, y) whose slot is open. Whether the room beyond was entered is asked when
// a way is taken: in a loop-free maze only the way back leads to one, and that is never tried.
uint8_t OpenWays(const MazeGrid& maze, int x, int y) {
    unsigned ways = 0;
    for (const Direction e : ALL_DIRECTIONS)
        if (OpenForSearch(maze[x + StepX(e)][y + StepY(e)])) ways |= Bit(e);
    return static_cast<uint8_t>(ways);
}

bool IsGoal(const MazeState& state, int x, int y) { return x == state.goalX && y == state.goalY; }

// Writes `code` over a path room and the slot it was entered by.
void WriteStep(MazeGrid& maze, const PathRoom& room, int16_t code) {
    maze[room.x][room.y] = code;
    maze[room.x - StepX(room.heading)][room.y - StepY(room.heading)] = code;
}

// Depth-first over the rooms from path[0]; returns the index of the path's last room, the goal's,
// or -1 once every branch is used up. Abandoned rooms and their slots are wiped to passage. The
// room being searched from is held in `here` and stored only when the search goes deeper, so that
// a step does not wait on reading back what the step before wrote.
int SearchPath(MazeState& state, EnteredMap& entered, Path& path) {
    int top = 0;
    PathRoom here = path[0];
    for (;;) {
        const int first = FIRST_WAY[Number(here.heading)][here.ways];
        if (first < 0) {
            if (top == 0) return -1;
            WriteStep(state.maze, here, CELL_PASSAGE);
            here = path[--top];
            continue;
        }
        const Direction e = DirectionNumbered(first);
        here.ways &= static_cast<uint8_t>(~Bit(e));
        const int x = here.x + 2 * StepX(e);
        const int y = here.y + 2 * StepY(e);
        if (entered[x][y]) continue;  // reached meanwhile round a loop
        entered[x][y] = 1;
        path[top++] = here;
        here = {static_cast<int8_t>(x), static_cast<int8_t>(y), e, OpenWays(state.maze, x, y)};
        if (IsGoal(state, x, y) || IsGoal(state, x - StepX(e), y - StepY(e))) {
            path[top] = here;
            return top;
        }
    }
}

}  // namespace

void FindRoute(MazeState& state, int16_t x, int16_t y) {
    EnteredMap entered = NON_ROOMS;
    Path path;
    entered[x][y] = 1;
    path[0] = {static_cast<int8_t>(x), static_cast<int8_t>(y), Direction::Right, OpenWays(state.maze, x, y)};
    const int last = SearchPath(state, entered, path);
    state.goalFound = last >= 0 ? 1 : 0;
    state.maze[x][y] = last >= 0 ? CELL_MARK : CELL_PASSAGE;
    for (int k = 1; k <= last; ++k) WriteStep(state.maze, path[k], CELL_MARK);
    state.maze[x - 2 * StepX(Direction::Right)][y] = CELL_MARK;  // the start's branch point
}
