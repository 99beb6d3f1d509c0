// Which game controller the game reads: the one in use while it stays plugged in, otherwise the
// first game controller plugged in. Plain logic over a list of devices, so hot-plugging can be
// tested without hardware.
#pragma once

#include <vector>

struct PluggedDevice {
    int instanceId;     // stays the same while the device is plugged in
    bool isController;  // a joystick with a known game-controller layout
};

// Position in `plugged` of the controller to read, -1 when there is none. `current` is the instance
// id of the controller read now, or -1.
int ChoosePad(int current, const std::vector<PluggedDevice>& plugged);
