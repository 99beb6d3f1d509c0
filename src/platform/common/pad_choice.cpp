#include "platform/common/pad_choice.h"

int ChoosePad(int current, const std::vector<PluggedDevice>& plugged) {
    int first = -1;
    for (int i = 0; i < int(plugged.size()); ++i) {
        if (!plugged[i].isController) continue;
        if (current >= 0 && plugged[i].instanceId == current) return i;
        if (first < 0) first = i;
    }
    return first;
}
