// Writes an input script of live play as it goes, which a replay plays back to the same run: the
// keys the game saw in every tick, the clock readings a replay's clock would not give by itself,
// and the values the run started from. The file always holds every tick played so far: the last
// hold line is rewritten at each tick, so a crash or a closed window keeps what was played. It
// holds whole lines only: a write that fails (a full disk) is cut back to the last whole line.
#pragma once

#include <cstdint>
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

    // Creates (or empties) the file and writes its first line. False with the reason when it
    // cannot be written.
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
    bool WriteAt(uint64_t offset, const std::string& text);
    void GiveUp(uint64_t wholeLength);

    int fd_ = -1;
    std::string path_;
    std::string failure_;  // why writing stopped
    uint64_t length_ = 0;  // the file's length: whole lines only
    uint64_t ticks_ = 0;
    uint32_t holdKeys_ = 0;
    uint64_t holdTicks_ = 0;       // 0: no hold line open
    uint64_t holdOffset_ = 0;      // where the open hold line starts
    std::string holdLine_;         // the open hold line as written last
    std::vector<uint32_t> reads_;  // the clock readings since the last tick
    ScriptClock clock_;            // the clock as the replay will have it
};
