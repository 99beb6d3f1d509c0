#include "core/images.h"

#include "platform/dx.h"

void LoadImages(GameImages& images) {
    dxLoadDivGraph("res/Player.png", 4, 4, 1, 10, 10, images.player.data(), 0);
    dxLoadDivGraph("res/d_meter.png", 12, 12, 1, 50, 60, images.dMeter.data(), 0);
    dxLoadDivGraph("res/counter.png", 10, 10, 1, 20, 48, images.counter.data(), 0);
    images.dMeterPanel = dxLoadGraph("res/d_meter_panel.png", 0);
    images.titleMaze = dxLoadGraph("res/title_maze.png", 0);
    images.goal = dxLoadGraph("res/goal.png", 0);
    images.start = dxLoadGraph("res/start.png", 0);
}
