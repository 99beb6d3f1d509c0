// One stage of play, from the entrance until the exit is reached or the stage is left.
#pragma once

struct Game;

void PlayStage(Game& game);
