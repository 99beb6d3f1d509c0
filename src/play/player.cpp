#include "play/player.h"

#include <cmath>

#include "core/direction.h"

namespace {

constexpr float HALF_PI = 1.5707963705062866f;
constexpr float PI = 3.1415927410125732f;

// The world angle of looking along `d`, from world +X toward +Z (the map's down is +X, its right
// +Z). Single-precision constants: the view at the end of a turn must come out exactly as ever.
float WorldAngle(Direction d) {
    constexpr float ANGLES[4] = {HALF_PI, PI, -HALF_PI, 0.0f};  // right, up, left, down
    return ANGLES[Number(d)];
}

VECTOR Add(VECTOR a, VECTOR b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
VECTOR Scale(VECTOR a, float s) { return {a.x * s, a.y * s, a.z * s}; }

void TryStep(Player& p, const MazeGrid& wallMap, Direction d, MoveState state) {
    const Cell to = Neighbour(p.cell, d);
    if (!IsWalkable(wallMap, to)) return;
    p.moveState = state;
    p.frameCounter = 0;
    p.stepTo = to;
}

// Later tests win: up, down, left, right.
void StartMove(Player& p, const MazeGrid& wallMap, int input) {
    if (input & PAD_INPUT_UP) TryStep(p, wallMap, p.facing, MOVE_STEP_FORWARD);
    if (input & PAD_INPUT_DOWN) TryStep(p, wallMap, Opposite(p.facing), MOVE_STEP_BACK);
    if (input & PAD_INPUT_LEFT) {
        p.moveState = MOVE_TURN_LEFT;
        p.frameCounter = 0;
    }
    if (input & PAD_INPUT_RIGHT) {
        p.moveState = MOVE_TURN_RIGHT;
        p.frameCounter = 0;
    }
}

void AdvanceStep(Player& p, uint64_t& stepCounter) {
    ++p.frameCounter;
    const VECTOR base{float(p.cell.y * 1000), 500.0f, float(p.cell.x * 1000)};
    const VECTOR shift = Scale(p.viewDirection, float(p.frameCounter) * 1000.0f / 30.0f);
    p.cameraPosition = p.moveState == MOVE_STEP_FORWARD ? Add(base, shift) : Add(base, Scale(shift, -1.0f));
    p.cameraTarget = Add(p.cameraPosition, p.viewDirection);
    if (p.frameCounter < MOVE_FRAMES) return;
    p.cell = p.stepTo;
    p.moveState = MOVE_IDLE;
    p.frameCounter = 0;
    ++stepCounter;
}

void AdvanceTurn(Player& p) {
    ++p.frameCounter;
    const float sweep = HALF_PI * float(p.frameCounter) / 30.0f;
    const bool left = p.moveState == MOVE_TURN_LEFT;
    p.turnAngle = WorldAngle(p.facing) + (left ? sweep : -sweep);
    p.viewDirection.x = std::cos(p.turnAngle);
    p.viewDirection.z = std::sin(p.turnAngle);
    p.cameraTarget = Add(p.cameraPosition, p.viewDirection);
    if (p.frameCounter < MOVE_FRAMES) return;
    p.facing = left ? TurnLeft(p.facing) : TurnRight(p.facing);
    p.moveState = MOVE_IDLE;
    p.frameCounter = 0;
}

}  // namespace

void UpdateMovement(Player& player, const MazeGrid& wallMap, int input, uint64_t& stepCounter) {
    switch (player.moveState) {
        case MOVE_IDLE: StartMove(player, wallMap, input); break;
        case MOVE_STEP_FORWARD:
        case MOVE_STEP_BACK: AdvanceStep(player, stepCounter); break;
        case MOVE_TURN_LEFT:
        case MOVE_TURN_RIGHT: AdvanceTurn(player); break;
        default: break;
    }
}
