// Input scripts: parsing any text either fails with a line-numbered message or gives a script
// that plays out without faults.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/common/input_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    InputScript script;
    std::string error;
    if (!ParseInputScript(text, script, error)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    uint64_t total = 0;
    for (const ScriptHold& hold : script.holds) {
        if (hold.ticks == 0 || hold.keys >= (SCRIPT_CLOSE << 1)) std::abort();
        total += hold.ticks;
    }
    // Play short scripts through to the end; shots must come out in order, each once.
    if (total > 100000) return 0;
    ScriptPlayer player(script);
    player.RandSeed();
    size_t shots = 0;
    for (uint64_t i = 0; i <= total + 1; ++i) {
        player.Tick();
        shots += player.TakeDueShots().size();
        ScriptKeysToPad(player.HeldKeys());
        ScriptKeysHitKey(player.HeldKeys(), 1);
        player.ReadClock();
    }
    if (!player.WindowClosed()) std::abort();
    if (shots != script.shots.size()) std::abort();
    return 0;
}
