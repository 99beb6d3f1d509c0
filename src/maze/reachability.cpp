#include "maze/reachability.h"

#include "core/direction.h"

namespace {

constexpr int ROOM_COUNT = 39 * 19;

struct RoomPos {
    int8_t x, y;
};

// Breadth-first flood over rooms from (x, y), which must already be marked in `reached`.
int Flood(const MazeGrid& maze, RoomMap& reached, int x, int y) {
    std::array<RoomPos, ROOM_COUNT> queue;
    int head = 0;
    int tail = 0;
    queue[tail++] = {static_cast<int8_t>(x), static_cast<int8_t>(y)};
    while (head < tail) {
        const RoomPos room = queue[head++];
        for (const Direction d : ALL_DIRECTIONS) {
            const int rx = room.x + 2 * StepX(d);
            const int ry = room.y + 2 * StepY(d);
            if (!IsRoom(rx, ry) || reached[rx][ry]) continue;
            if (!OpenForSearch(maze[room.x + StepX(d)][room.y + StepY(d)]) || !OpenForSearch(maze[rx][ry])) continue;
            reached[rx][ry] = 1;
            queue[tail++] = {static_cast<int8_t>(rx), static_cast<int8_t>(ry)};
        }
    }
    return tail;
}

// The rooms a slot lies between: left and right for odd x, above and below for odd y.
void SlotRooms(int x, int y, int& ax, int& ay, int& bx, int& by) {
    const bool across = x % 2 != 0;
    ax = across ? x - 1 : x;
    ay = across ? y : y - 1;
    bx = across ? x + 1 : x;
    by = across ? y : y + 1;
}

// Opens the first qualifying slot and floods from the room it joins; false when there is none.
bool OpenFirstJoiningSlot(MazeState& state, RoomMap& reached) {
    for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y) {
        for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x) {
            if ((x + y) % 2 == 0 || state.maze[x][y] != CELL_WALL) continue;
            int ax, ay, bx, by;
            SlotRooms(x, y, ax, ay, bx, by);
            if (reached[ax][ay] == reached[bx][by]) continue;
            const int nx = reached[ax][ay] ? bx : ax;
            const int ny = reached[ax][ay] ? by : ay;
            SetCell(state, x, y, CELL_PASSAGE);
            if (!OpenForSearch(state.maze[nx][ny])) SetCell(state, nx, ny, CELL_PASSAGE);
            reached[nx][ny] = 1;
            Flood(state.maze, reached, nx, ny);
            return true;
        }
    }
    return false;
}

}  // namespace

int FindReachableRooms(const MazeGrid& maze, RoomMap& reached) {
    reached = {};
    if (!OpenForSearch(maze[START_CELL.x][START_CELL.y])) return 0;
    reached[START_CELL.x][START_CELL.y] = 1;
    return Flood(maze, reached, START_CELL.x, START_CELL.y);
}

bool IsGoalReachable(const MazeState& state) {
    RoomMap reached;
    FindReachableRooms(state.maze, reached);
    return reached[state.goalX][state.goalY] != 0;
}

int JoinGoalToStart(MazeState& state) {
    RoomMap reached;
    if (FindReachableRooms(state.maze, reached) == 0) {
        SetCell(state, START_CELL.x, START_CELL.y, CELL_PASSAGE);
        FindReachableRooms(state.maze, reached);
    }
    int opened = 0;
    while (!reached[state.goalX][state.goalY] && OpenFirstJoiningSlot(state, reached)) ++opened;
    return opened;
}
