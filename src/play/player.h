// The player in the maze: a cell, a facing, and at most one step or quarter turn under way.
#pragma once

#include <cstdint>

#include "core/grid.h"
#include "platform/dx.h"

enum MoveState : int32_t {
    MOVE_IDLE = 0,
    MOVE_STEP_FORWARD = 1,
    MOVE_STEP_BACK = 2,
    MOVE_TURN_LEFT = 3,
    MOVE_TURN_RIGHT = 4
};

constexpr bool IsStepping(int32_t moveState) { return moveState == MOVE_STEP_FORWARD || moveState == MOVE_STEP_BACK; }

// A step or a quarter turn lasts this many frames after the frame that accepted it.
inline constexpr int32_t MOVE_FRAMES = 30;

// Every stage starts at the entrance looking down the map, into the maze (world +X).
inline constexpr Direction START_FACING = Direction::Down;

struct Player {
    Cell cell = ENTRANCE_CELL;
    Direction facing = START_FACING;
    Cell stepTo{};  // where the step under way ends
    int32_t moveState = MOVE_IDLE;
    int32_t frameCounter = 0;
    float turnAngle = 0;
    VECTOR cameraPosition{1000.0f, 500.0f, 2000.0f};
    VECTOR viewDirection{1.0f, 0.0f, 0.0f};
    VECTOR cameraTarget{1001.0f, 500.0f, 2000.0f};
};

// One frame of movement. While idle, `input` (joypad bits) may start a step into a walkable cell
// or a turn; otherwise the step or turn under way advances one frame. Completed steps add to
// `stepCounter`.
void UpdateMovement(Player& player, const MazeGrid& wallMap, int input, uint64_t& stepCounter);
