// Input scripts: recorded input for replays and tests, one instruction a line.
//   <ticks> <keys>   hold keys ("-" or names joined by "+") for that many ticks
//   shot <file>.png  save the next presented picture
//   clock <ms>       the next clock reading is ms (see ScriptClock)
//   rand <n>, seed <n>, best <total|-> <total|->
//                    values the run starts from, wherever they stand (see InputScript)
// A tick is one pass of a screen loop (see InputPass); after n ticks the virtual clock reads
// floor(n * 1000 / 60).
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum ScriptKey : uint32_t {
    SCRIPT_UP = 1u << 0,
    SCRIPT_DOWN = 1u << 1,
    SCRIPT_LEFT = 1u << 2,
    SCRIPT_RIGHT = 1u << 3,
    SCRIPT_Z = 1u << 4,
    SCRIPT_RETURN = 1u << 5,
    SCRIPT_ESCAPE = 1u << 6,
    SCRIPT_E = 1u << 7,
    SCRIPT_R = 1u << 8,
    SCRIPT_CLOSE = 1u << 9,
};

struct ScriptHold {
    uint64_t ticks = 0;
    uint32_t keys = 0;
};

struct ScriptShot {
    uint64_t afterTicks = 0;  // pending once this many ticks have passed
    std::string file;
};

struct ScriptClockSetting {
    uint64_t afterTicks = 0;  // due once this many ticks have passed
    uint32_t ms = 0;
};

// The replay's clock, read by dxGetNowCount and for re-seeding alike: from a reading of `base` ms
// at tick `baseTicks` it advances floor(n * 1000 / 60) ms in n ticks. It starts at 0 at tick 0.
struct ScriptClock {
    uint32_t base = 0;
    uint64_t baseTicks = 0;
    uint32_t Read(uint64_t ticks) const { return uint32_t(base + (ticks - baseTicks) * 1000 / 60); }
};

struct InputScript {
    std::vector<ScriptHold> holds;
    std::vector<ScriptShot> shots;
    std::vector<ScriptClockSetting> clock;
    // "rand": the seed of dxGetRand's generator (1 without it); "seed" and "best": see
    // dxStartValue. A later line replaces an earlier one.
    std::map<std::string, std::string, std::less<>> startValues;
};

// Parses a whole script. On a malformed line, or one longer than 8192 characters, returns false
// and names the line in `error`. A leading UTF-8 byte-order mark is skipped. A last line without
// its newline that does not parse, as a recording cut short leaves it, is dropped with one
// warning on stderr.
bool ParseInputScript(std::string_view text, InputScript& script, std::string& error);
// The same from a file read as it comes: a folder, or a file over 16 MiB, is refused with the reason.
bool LoadInputScript(const char* path, InputScript& script, std::string& error);

// Plays a script tick by tick. Before the first tick nothing is held; once the script is used up
// the window counts as closed.
class ScriptPlayer {
public:
    ScriptPlayer() = default;
    explicit ScriptPlayer(InputScript script);

    void Tick();
    uint64_t Ticks() const { return ticks_; }
    uint32_t HeldKeys() const { return held_; }
    bool WindowClosed() const { return ended_ || (held_ & SCRIPT_CLOSE) != 0; }
    int NowMs() const;  // the virtual clock
    // A reading of the clock by the game: it first takes the next due "clock" line, if any, so
    // that lines due at one tick are read one after another by the readings of that tick.
    uint32_t ReadClock();
    std::optional<std::string> StartValue(std::string_view name) const;
    uint32_t RandSeed() const;  // "rand", 1 without it
    // Shots whose turn has come; each is handed out once.
    std::vector<std::string> TakeDueShots();

private:
    InputScript script_;
    size_t holdIndex_ = 0;
    uint64_t ticksIntoHold_ = 0;
    uint64_t ticks_ = 0;
    uint32_t held_ = 0;
    bool ended_ = false;
    size_t shotsTaken_ = 0;
    ScriptClock clock_;
    size_t clockTaken_ = 0;
};

// The game's view of held script keys: joypad bits and key codes.
int ScriptKeysToPad(uint32_t keys);
bool ScriptKeysHitKey(uint32_t keys, int keyCode);
// The other way: the keys (without close) that give the game this view.
uint32_t ScriptKeysOf(int pad, const std::function<bool(int keyCode)>& keyHeld);
// Keys as a script writes them: "-" or names joined by "+".
std::string ScriptKeysText(uint32_t keys);
