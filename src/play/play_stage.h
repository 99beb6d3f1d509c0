// One stage of play, from the entrance until the exit is reached or the stage is left.
#pragma once

struct Game;
struct Player;

void PlayStage(Game& game);

// One play frame's update: movement by the joypad bits `input`, then what the player now looks along
// is revealed and the player's cell marked.
void UpdatePlayFrame(Game& game, Player& player, int input);

// One play frame's drawing, which changes nothing: the 3-D scene, the mini-map and the meters.
void DrawPlayFrame(const Game& game, const Player& player);
