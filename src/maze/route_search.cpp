#include "maze/route_search.h"

#include <array>

#include "frame/tables.h"

namespace {

using DirList = std::array<int16_t, 4>;
using EnteredMap = std::array<std::array<uint8_t, MAZE_HEIGHT>, MAZE_WIDTH>;

struct RouteSearch {
    MazeState& state;
    EnteredMap entered{};  // rooms the search has stepped onto, abandoned or not
};

bool IsOpenCode(int16_t code) {
    const auto c = static_cast<uint8_t>(code);
    return c == CELL_PASSAGE || c == CELL_MARK;
}

void VisitCell(MazeState& state, int x, int y) {
    if (x == state.GoalX && y == state.GoalY) state.goalFound = 1;
}

void Step(MazeState& state, int& x, int& y, int e, int16_t code) {
    x += DIR_DX[e];
    y += DIR_DY[e];
    VisitCell(state, x, y);
    state.maze[x][y] = code;
}

// An open slot in direction e leading to a lattice room not entered yet.
bool IsWayOn(const RouteSearch& search, int x, int y, int e) {
    const int rx = x + 2 * DIR_DX[e];
    const int ry = y + 2 * DIR_DY[e];
    return IsOpenCode(search.state.maze[x + DIR_DX[e]][y + DIR_DY[e]]) && IsRoom(rx, ry) &&
           !search.entered[rx][ry];
}

// Ways on among directions (d + k), (d + k + 1), (d + k + 2) mod 4, in that order. Returns the index
// of the last one listed, -1 when there is none.
int16_t OpenDirections(const RouteSearch& search, DirList& list, int x, int y, int d, int k) {
    list = {0, 0, 0, 0};
    int16_t count = -1;
    for (int i = 0; i < 3; ++i) {
        const int e = (d + i + k) % 4;
        if (IsWayOn(search, x, y, e)) list[++count] = static_cast<int16_t>(e);
    }
    return count;
}

// Crosses the slot in direction e onto the next room, marking both.
void Advance(RouteSearch& search, int& x, int& y, int e) {
    Step(search.state, x, y, e, CELL_MARK);
    Step(search.state, x, y, e, CELL_MARK);
    search.entered[x][y] = 1;
}

int FirstMarkedNeighbour(const MazeGrid& maze, int x, int y) {
    for (int i = 0; i < 4; ++i)
        if (maze[x + DIR_DX[i]][y + DIR_DY[i]] == CELL_MARK) return i;
    return -1;
}

// Walks back along the marks from (x, y) to the branch point (bx, by), wiping every cell, the branch
// point included. Following the marks rather than the open cells keeps it on its own path where a
// loop offers another way. It stops early where no mark leads on: at the start room, whose branch
// point lies behind the ring.
void RetreatToBranch(RouteSearch& search, int x, int y, int bx, int by) {
    MazeState& state = search.state;
    VisitCell(state, x, y);
    state.maze[x][y] = CELL_PASSAGE;
    for (;;) {
        const int back = FirstMarkedNeighbour(state.maze, x, y);
        if (back < 0) return;
        Step(state, x, y, back, CELL_PASSAGE);
        Step(state, x, y, back, CELL_PASSAGE);
        if (x == bx && y == by) return;
    }
}

// Explores onwards from room (x, y), reached heading d. Ways on are tried right turn, straight on,
// left turn, as seen on arrival.
void SearchFrom(RouteSearch& search, int x, int y, int d) {
    MazeState& state = search.state;
    const int bx = x - 2 * DIR_DX[d];
    const int by = y - 2 * DIR_DY[d];
    // A retreat from an earlier sibling branch has wiped the branch point; mark it again. This comes
    // before the goal test: when the goal is the first room of a later branch, its branch point is
    // part of the route too, and leaving it wiped would cut the route short.
    VisitCell(state, bx, by);
    state.maze[bx][by] = CELL_MARK;
    if (state.goalFound) return;
    DirList list;
    for (;;) {
        if (state.goalFound) return;
        const int16_t n = OpenDirections(search, list, x, y, d, 3);
        if (n < 0) break;
        if (n == 0) {
            Advance(search, x, y, list[0]);
            d = list[0];
            if (state.goalFound) return;
            continue;
        }
        for (int i = 0; i <= n; ++i) {
            const int e = list[i];
            if (!IsWayOn(search, x, y, e)) continue;  // reached meanwhile round a loop
            Advance(search, x, y, e);
            SearchFrom(search, x, y, e);
            x -= 2 * DIR_DX[e];
            y -= 2 * DIR_DY[e];
            if (state.goalFound) return;
        }
        break;
    }
    RetreatToBranch(search, x, y, bx, by);
}

}  // namespace

void FindRoute(MazeState& state, int16_t x, int16_t y) {
    state.goalFound = 0;
    SetCell(state, x, y, CELL_MARK);
    RouteSearch search{state};
    search.entered[x][y] = 1;
    SearchFrom(search, x, y, DIR_RIGHT);
}
