#include "maze/dadizider_2.h"

#include <bit>

#include "core/direction.h"
#include "maze/maze_picture.h"

namespace {

// One of the 24 orders of the four directions: floor(24 r).
int DrawRow(Random& random) { return RandomIndex(random, 24); }

// The direction mask of the neighbours of room (x, y) that hold `code`; `reach` 2 looks at the
// rooms beyond instead. Rooms lie inside the frame, so both reads stay on the grid.
int DirectionsHolding(const MazeGrid& maze, int x, int y, int reach, int16_t code) {
    return int(maze[x + reach][y] == code) | int(maze[x][y - reach] == code) << 1 |
           int(maze[x - reach][y] == code) << 2 | int(maze[x][y + reach] == code) << 3;
}

constexpr int SLOT_WALLS = 0x0F;

Direction Lowest(int mask) { return DirectionNumbered(std::countr_zero(static_cast<unsigned>(mask))); }

// Mode 1: a room with a single opening never starts with the direction straight away from it.
int ChooseRow(uint8_t sides, Random& random, int mode) {
    if (mode == 1) {
        const int open = ~sides & SLOT_WALLS;         // slots are wall or passage
        if (open != 0 && (open & (open - 1)) == 0) {  // one opening; no popcount call on plain x86-64
            const int straightOn = Number(Opposite(Lowest(open)));
            int row;
            do row = DrawRow(random);
            while (DIR_PERMUTATIONS[row][0] == straightOn);
            return row;
        }
    }
    return DrawRow(random);
}

// For each row and set of carvable directions, the first of them in the row's order (-1: none).
using FirstInRowTable = std::array<std::array<int8_t, 16>, 24>;
constexpr FirstInRowTable MakeFirstInRow() {
    FirstInRowTable table{};
    for (int row = 0; row < 24; ++row)
        for (int mask = 0; mask < 16; ++mask) table[row][mask] = FirstInOrder(DIR_PERMUTATIONS[row], mask);
    return table;
}
constexpr FirstInRowTable FIRST_IN_ROW = MakeFirstInRow();

// Opens the slot beside room (x, y) toward d; the rooms on both sides of it see no wall there now.
void OpenSlot(MazeState& state, DadiZider2Work& work, int x, int y, Direction d) {
    SetCell(state, x + StepX(d), y + StepY(d), CELL_PASSAGE);
    work.sides[x][y] &= static_cast<uint8_t>(~Bit(d));
    work.sides[x + 2 * StepX(d)][y + 2 * StepY(d)] &= static_cast<uint8_t>(~Bit(Opposite(d)));
}

// Opens room (x, y); the rooms two cells away no longer see a wall beyond their slot toward it.
// Rooms lie inside the frame, so every neighbour read stays on the grid.
void OpenRoom(MazeState& state, DadiZider2Work& work, int x, int y) {
    SetCell(state, x, y, CELL_PASSAGE);
    for (const Direction d : ALL_DIRECTIONS)
        work.sides[x + 2 * StepX(d)][y + 2 * StepY(d)] &= static_cast<uint8_t>(~(Bit(Opposite(d)) << 4));
}

void Push(DadiZider2Work& work, int x, int y) {
    if (work.depth < DZ2_STACK_CAPACITY) ++work.depth;
    work.stack[work.depth] = {static_cast<int16_t>(x), static_cast<int16_t>(y)};
}

// Lowers the depth and resumes at the entry below; false once the stack is used up.
bool Pop(DadiZider2Work& work, int& x, int& y) {
    --work.depth;
    if (work.depth <= 0) return false;
    x = work.stack[work.depth].x;
    y = work.stack[work.depth].y;
    return true;
}

void Record(std::array<CellPos, DZ2_LIST_CAPACITY + 1>& list, int16_t& count, int x, int y) {
    if (count < DZ2_LIST_CAPACITY) ++count;
    list[count] = {static_cast<int16_t>(x), static_cast<int16_t>(y)};
}

// CarveStep on a position held in locals, which the grid and list stores cannot alias.
bool Carve(MazeState& state, Random& random, DadiZider2Work& work, int& x, int& y, int mode) {
    const uint8_t sides = work.sides[x][y];
    // Carvable: the slot and the room beyond both wall. Of those, the row's order picks the first.
    const int carvable = sides & sides >> 4;
    const int row = ChooseRow(sides, random, mode);
    // Tested before the row is used, so that a step with nothing to carve does not wait on the draw.
    if (carvable == 0) return false;
    const Direction d = DirectionNumbered(FIRST_IN_ROW[row][carvable]);
    Push(work, x, y);
    OpenSlot(state, work, x, y, d);
    x += 2 * StepX(d);
    y += 2 * StepY(d);
    OpenRoom(state, work, x, y);
    return true;
}

enum class FirstWalkEnd { ReachedGoal, ListFull, StackEmpty };

FirstWalkEnd FirstWalk(MazeState& state, Random& random, DadiZider2Work& work, int x, int y) {
    for (;;) {
        int run = 0;
        // The step is made before the run limit is read; a step past the limit counts as a dead end.
        while (Carve(state, random, work, x, y, 0) && run <= 999) {
            ++run;
            Record(work.firstWalk, work.firstCount, x, y);
            if (x == state.goalX && y == state.goalY) return FirstWalkEnd::ReachedGoal;
            if (work.firstCount >= DZ2_FIRST_WALK_ROOMS) return FirstWalkEnd::ListFull;
        }
        if (!Pop(work, x, y)) return FirstWalkEnd::StackEmpty;
    }
}

// Opens the slot toward the first room two cells away that carries the join mark.
bool JoinFirstWalk(MazeState& state, DadiZider2Work& work, int x, int y) {
    for (const Direction d : ALL_DIRECTIONS) {
        if (state.maze[x + 2 * StepX(d)][y + 2 * StepY(d)] != DZ2_JOIN_MARK) continue;
        OpenSlot(state, work, x, y, d);
        DrawCellBox(static_cast<int16_t>(x + StepX(d)), static_cast<int16_t>(y + StepY(d)), CELL_PASSAGE);
        return true;
    }
    return false;
}

// Walks from the goal until it lies two cells from a room of the first walk, then joins them.
// Once its own stack entries are used up it resumes on the first walk's, where it joins at once.
void SecondWalk(MazeState& state, Random& random, DadiZider2Work& work) {
    ReplaceCode(state, CELL_PASSAGE, DZ2_JOIN_MARK);
    int x = state.goalX;
    int y = state.goalY;
    OpenRoom(state, work, x, y);
    DrawCellBox(static_cast<int16_t>(x), static_cast<int16_t>(y), CELL_PASSAGE);
    for (bool going = true; going;) {
        int run = 0;
        for (;;) {
            if (JoinFirstWalk(state, work, x, y)) {
                going = false;
                break;
            }
            if (!Carve(state, random, work, x, y, 0) || run > 999) {
                going = Pop(work, x, y);
                break;
            }
            ++run;
            Record(work.secondWalk, work.secondCount, x, y);
        }
    }
    ReplaceCode(state, DZ2_JOIN_MARK, CELL_PASSAGE);
}

void ShortWalk(MazeState& state, Random& random, DadiZider2Work& work, int x, int y) {
    for (int steps = 0; steps < DZ2_SHORT_WALK_STEPS; ++steps)
        if (!Carve(state, random, work, x, y, 1)) return;
}

// Opens a room; if no slot around it is open, joins it to the first open room two cells away.
void OpenScannedRoom(MazeState& state, DadiZider2Work& work, int x, int y) {
    OpenRoom(state, work, x, y);
    if ((~work.sides[x][y] & SLOT_WALLS) != 0) return;
    const int open = DirectionsHolding(state.maze, x, y, 2, CELL_PASSAGE);
    if (open != 0) OpenSlot(state, work, x, y, Lowest(open));
}

// The sides of every room in the grid InitMazeGrid leaves: every slot wall, and a wall room beyond
// each slot that does not face the frame.
constexpr RoomSides MakeFreshSides() {
    RoomSides sides{};
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2) {
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2) {
            int bits = SLOT_WALLS;
            for (const Direction d : ALL_DIRECTIONS)
                if (IsRoom(x + 2 * StepX(d), y + 2 * StepY(d))) bits |= Bit(d) << 4;
            sides[x][y] = static_cast<uint8_t>(bits);
        }
    }
    return sides;
}
constexpr RoomSides FRESH_SIDES = MakeFreshSides();

void BranchingPass(MazeState& state, Random& random, DadiZider2Work& work) {
    for (int k = 1; k <= work.firstCount; ++k) ShortWalk(state, random, work, work.firstWalk[k].x, work.firstWalk[k].y);
    for (int k = work.secondCount; k >= 1; --k)
        ShortWalk(state, random, work, work.secondWalk[k].x, work.secondWalk[k].y);
    for (int y = ROOM_MIN; y <= ROOM_MAX_Y; y += 2) {
        for (int x = ROOM_MIN; x <= ROOM_MAX_X; x += 2) {
            OpenScannedRoom(state, work, x, y);
            ShortWalk(state, random, work, x, y);
        }
    }
}

}  // namespace

void ReadSides(const MazeGrid& maze, RoomSides& sides) {
    for (int x = ROOM_MIN; x <= ROOM_MAX_X; ++x)
        for (int y = ROOM_MIN; y <= ROOM_MAX_Y; ++y)
            sides[x][y] = static_cast<uint8_t>(DirectionsHolding(maze, x, y, 1, CELL_WALL) |
                                               DirectionsHolding(maze, x, y, 2, CELL_WALL) << 4);
}

int CarveStep(MazeState& state, Random& random, DadiZider2Work& work, int16_t& x, int16_t& y, int mode) {
    int cx = x;
    int cy = y;
    const bool carved = Carve(state, random, work, cx, cy, mode);
    x = static_cast<int16_t>(cx);
    y = static_cast<int16_t>(cy);
    return carved ? 1 : 0;
}

void DadiZider2(MazeState& state, Random& random, DadiZider2Work& work) {
    state.goalFound = 0;
    work.sides = FRESH_SIDES;
    OpenRoom(state, work, START_CELL.x, START_CELL.y);
    work.depth = 0;
    work.firstCount = 0;
    work.secondCount = 0;
    if (FirstWalk(state, random, work, START_CELL.x, START_CELL.y) == FirstWalkEnd::ListFull)
        SecondWalk(state, random, work);
    BranchingPass(state, random, work);
}

void DadiZider2(MazeState& state, Random& random) {
    DadiZider2Work work;
    DadiZider2(state, random, work);
}
