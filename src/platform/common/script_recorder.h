// Writes an input script of live play as it goes, which a replay plays back to the same run: the
// keys the game saw in every tick, the clock readings a replay's clock would not give by itself,
// and the values the run started from. The file always holds every tick played so far: the last
// hold line is rewritten at each tick, so a crash or a closed window keeps what was played.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/common/input_script.h"

class ScriptRecorder {
public:
    ScriptRecorder() = default;
    ScriptRecorder(const ScriptRecorder&) = delete;
    ScriptRecorder& operator=(const ScriptRecorder&) = delete;
    ~ScriptRecorder();

    // Creates (or empties) the file. False with the reason when it cannot be written.
    bool Open(const char* path, std::string& error);
    // "rand 5", "seed 1", "best 98.1 -": a value the run starts from.
    void StartValue(std::string_view name, std::string_view value);
    void Tick(uint32_t keys);     // one tick, with the keys the game sees held in it
    void ClockRead(uint32_t ms);  // a reading of the clock by the game, in the tick under way
    void Close();                 // writes what is left; later calls do nothing

private:
    void SettleClockReads();
    void WriteLine(const std::string& line);
    void WriteHold();
    void Flush();

    std::FILE* file_ = nullptr;
    std::string path_;
    uint64_t ticks_ = 0;
    uint32_t holdKeys_ = 0;
    uint64_t holdTicks_ = 0;       // 0: no hold line open
    long holdOffset_ = 0;          // where the open hold line starts
    std::vector<uint32_t> reads_;  // the clock readings since the last tick
    ScriptClock clock_;            // the clock as the replay will have it
};
