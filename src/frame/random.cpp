#include "frame/random.h"

#include "platform/dx.h"

int NextRandom(Random& random) {
    random.seed = random.seed * 1103515245u + 12345u;
    return static_cast<int>((random.seed / 65536u) % 32768u);
}

double RandomFraction(Random& random) {
    const int32_t a = NextRandom(random);
    const int32_t b = NextRandom(random);
    return static_cast<double>((a * b) % 100000) / 100000.0;
}

void Randomize(Random& random) { random.seed = dxGetSystemTickCount(); }
