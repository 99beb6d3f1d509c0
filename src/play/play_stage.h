// One stage of play, from the entrance until the exit is reached or the stage is left.
#pragma once

struct Game;
struct Player;

void PlayStage(Game& game);

// One play frame's drawing: the 3-D scene, the mini-map and the meters.
void DrawPlayFrame(Game& game, const Player& player);
