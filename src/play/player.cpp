#include "play/player.h"

#include <cmath>

#include "core/direction.h"

namespace {

// View angle of each facing. Angles are single-precision constants: the view direction at the end
// of a turn must come out exactly as the game always computed it.
constexpr float HALF_PI = 1.5707963705062866f;
constexpr float PI = 3.1415927410125732f;
constexpr float FACING_ANGLES[4] = {0.0f, -HALF_PI, PI, HALF_PI};

VECTOR Add(VECTOR a, VECTOR b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
VECTOR Scale(VECTOR a, float s) { return {a.x * s, a.y * s, a.z * s}; }

bool Walkable(const MazeGrid& wallMap, int32_t x, int32_t y) { return OnGrid(x, y) && (wallMap[x][y] & 1) != 0; }

void TryStep(Player& p, const MazeGrid& wallMap, int32_t dx, int32_t dy, MoveState state) {
    if (!Walkable(wallMap, p.cellX + dx, p.cellY + dy)) return;
    p.moveState = state;
    p.frameCounter = 0;
    p.stepX = dx;
    p.stepY = dy;
}

// Later tests win: up, down, left, right.
void StartMove(Player& p, const MazeGrid& wallMap, int input) {
    const Direction ahead = FacingDirection(p.facing);
    if (input & PAD_INPUT_UP) TryStep(p, wallMap, StepX(ahead), StepY(ahead), MOVE_STEP_FORWARD);
    if (input & PAD_INPUT_DOWN) TryStep(p, wallMap, -StepX(ahead), -StepY(ahead), MOVE_STEP_BACK);
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
    const VECTOR base{float(p.cellY * 1000), 500.0f, float(p.cellX * 1000)};
    const VECTOR shift = Scale(p.viewDirection, float(p.frameCounter) * 1000.0f / 30.0f);
    p.cameraPosition = p.moveState == MOVE_STEP_FORWARD ? Add(base, shift) : Add(base, Scale(shift, -1.0f));
    p.cameraTarget = Add(p.cameraPosition, p.viewDirection);
    if (p.frameCounter < MOVE_FRAMES) return;
    p.cellX += p.stepX;
    p.cellY += p.stepY;
    p.moveState = MOVE_IDLE;
    p.frameCounter = 0;
    ++stepCounter;
}

void AdvanceTurn(Player& p) {
    ++p.frameCounter;
    const float sweep = HALF_PI * float(p.frameCounter) / 30.0f;
    const bool left = p.moveState == MOVE_TURN_LEFT;
    p.turnAngle = FACING_ANGLES[p.facing] + (left ? sweep : -sweep);
    p.viewDirection.x = std::cos(p.turnAngle);
    p.viewDirection.z = std::sin(p.turnAngle);
    p.cameraTarget = Add(p.cameraPosition, p.viewDirection);
    if (p.frameCounter < MOVE_FRAMES) return;
    const Direction ahead = FacingDirection(p.facing);
    p.facing = FacingOf(left ? TurnLeft(ahead) : TurnRight(ahead));
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
