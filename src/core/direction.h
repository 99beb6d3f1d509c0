// Directions on the maze picture, where x grows to the right and y downwards, numbered as the game
// numbers them (0 right, 1 up, 2 left, 3 down), with their turns and steps. A direction mask has bit
// n set for direction n.
#pragma once

#include <array>
#include <cstdint>

#include "core/tables.h"

enum class Direction : uint8_t { Right = DIR_RIGHT, Up = DIR_UP, Left = DIR_LEFT, Down = DIR_DOWN };

inline constexpr std::array<Direction, 4> ALL_DIRECTIONS = {Direction::Right, Direction::Up, Direction::Left,
                                                            Direction::Down};

constexpr int Number(Direction d) { return static_cast<int>(d); }
constexpr Direction DirectionNumbered(int n) { return static_cast<Direction>(n & 3); }

// Quarter turns as seen on the picture: a left turn from right faces up.
constexpr Direction TurnLeft(Direction d) { return DirectionNumbered(Number(d) + 1); }
constexpr Direction TurnRight(Direction d) { return DirectionNumbered(Number(d) + 3); }
constexpr Direction Opposite(Direction d) { return DirectionNumbered(Number(d) + 2); }

constexpr int StepX(Direction d) { return DIR_DX[Number(d)]; }
constexpr int StepY(Direction d) { return DIR_DY[Number(d)]; }
constexpr unsigned Bit(Direction d) { return 1u << Number(d); }
