#include "hud/meters.h"

#include <cmath>

#include "platform/dx.h"

namespace {

constexpr uint64_t STEP_DISPLAY_MODULUS = 10'000'000;
constexpr int COUNTER_X = 580;
constexpr int COUNTER_DIGIT_WIDTH = 20;
constexpr int ROUTE_COUNTER_Y = 308;
constexpr int STEP_COUNTER_Y = 356;
constexpr int TIME_Y = 300;
constexpr int TIME_DIGIT_WIDTH = 50;
constexpr int MINUTE_MARK = 10;
constexpr int SECOND_MARK = 11;

void DrawCounterDigit(int i, int y, int digit, int rollOffset, const GameImages& images) {
    dxDrawRectGraph(COUNTER_X + (7 - i) * COUNTER_DIGIT_WIDTH, y, 0, rollOffset, 20, 16, images.counter[digit], 1, 0);
}

void DrawMinutes(uint64_t minutes, const GameImages& images) {
    if (minutes == 0) return;
    bool drawn = false;
    for (int i = 2; i >= 0; --i) {
        const int d = DigitOf(minutes, i);
        if (d == 0 && !drawn) continue;  // leading zeros leave their places empty
        dxDrawGraph(40 + (2 - i) * TIME_DIGIT_WIDTH, TIME_Y, images.dMeter[d], 1);
        drawn = true;
    }
    dxDrawGraph(190, TIME_Y, images.dMeter[MINUTE_MARK], 1);
}

void DrawTime(double elapsedMs, const GameImages& images) {
    const double ms = std::max(0.0, elapsedMs);
    DrawMinutes(uint64_t(std::floor(ms / 60000.0)), images);
    const uint64_t seconds = uint64_t(std::floor(ms / 1000.0)) % 60;
    for (int i = 1; i >= 0; --i)
        dxDrawGraph(240 + (1 - i) * TIME_DIGIT_WIDTH, TIME_Y, images.dMeter[DigitOf(seconds, i)], 1);
    dxDrawGraph(340, TIME_Y, images.dMeter[SECOND_MARK], 1);
    const uint64_t hundredths = uint64_t(std::floor(ms / 10.0));
    for (int i = 1; i >= 0; --i)
        dxDrawGraph(390 + (1 - i) * TIME_DIGIT_WIDTH, TIME_Y, images.dMeter[DigitOf(hundredths, i)], 1);
}

}  // namespace

int DigitOf(uint64_t number, int i) {
    for (int k = 0; k < i; ++k) number /= 10;
    return int(number % 10);
}

int RollOffset(uint64_t shown, int i, bool stepping, int32_t frameCounter) {
    if (!stepping) return 0;
    for (int k = 0; k < i; ++k)
        if (DigitOf(shown, k) != 9) return 0;
    return int(std::floor(double(frameCounter) / 30.0 * 16.0));
}

void DrawMeters(const MeterValues& values, const GameImages& images) {
    dxDrawGraph(20, 276, images.dMeterPanel, 1);
    const uint64_t shown = values.stepCounter % STEP_DISPLAY_MODULUS;
    for (int i = 7; i >= 0; --i)
        DrawCounterDigit(i, STEP_COUNTER_Y, DigitOf(shown, i),
                         RollOffset(shown, i, values.stepping, values.frameCounter), images);
    const uint64_t route = uint64_t(std::max<int64_t>(0, values.routeLength));
    for (int i = 7; i >= 0; --i) DrawCounterDigit(i, ROUTE_COUNTER_Y, DigitOf(route, i), 0, images);
    DrawTime(values.elapsedMs, images);
}
