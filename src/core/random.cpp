#include "core/random.h"

#include "platform/dx.h"

void Randomize(Random& random) { random.seed = dxGetSystemTickCount(); }
