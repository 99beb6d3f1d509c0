// Input scripts: recorded input for replays and tests, one instruction a line.
//   <ticks> <keys>   hold keys ("-" or names joined by "+") for that many ticks
//   shot <file>.png  save the next presented picture
// A tick is one dxProcessMessage call; after n ticks the virtual clock reads floor(n * 1000 / 60).
#pragma once

#include <cstdint>
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

struct InputScript {
    std::vector<ScriptHold> holds;
    std::vector<ScriptShot> shots;
};

// Parses a whole script. On a malformed line returns false and names the line in `error`.
bool ParseInputScript(std::string_view text, InputScript& script, std::string& error);
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
};

// The game's view of held script keys: joypad bits and key codes.
int ScriptKeysToPad(uint32_t keys);
bool ScriptKeysHitKey(uint32_t keys, int keyCode);
