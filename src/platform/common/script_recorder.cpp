#include "platform/common/script_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

ScriptRecorder::~ScriptRecorder() { Close(); }

bool ScriptRecorder::Open(const char* path, std::string& error) {
    file_ = std::fopen(path, "w");
    if (!file_) {
        error = std::string("cannot write the recording ") + path + ": " + std::strerror(errno);
        return false;
    }
    path_ = path;
    WriteLine("# QUARNEL, played live: quarnel --replay with this file plays it back");
    return file_ != nullptr;
}

void ScriptRecorder::StartValue(std::string_view name, std::string_view value) {
    WriteLine(std::string(name) + " " + std::string(value));
}

void ScriptRecorder::Tick(uint32_t keys) {
    SettleClockReads();
    if (!file_) return;
    ++ticks_;
    if (holdTicks_ > 0 && keys == holdKeys_) {
        ++holdTicks_;
    } else {
        holdOffset_ = std::ftell(file_);
        holdKeys_ = keys;
        holdTicks_ = 1;
    }
    WriteHold();
}

void ScriptRecorder::ClockRead(uint32_t ms) {
    if (file_) reads_.push_back(ms);
}

void ScriptRecorder::Close() {
    if (!file_) return;
    SettleClockReads();
    std::fclose(file_);
    file_ = nullptr;
}

// Called when the tick the readings came in is over, so that all of them are known. The "clock"
// lines of a tick are taken by its readings in turn, so when the clock, as the replay will have it,
// misses any of them, every reading of the tick gets its line.
void ScriptRecorder::SettleClockReads() {
    const uint32_t predicted = clock_.Read(ticks_);
    if (std::any_of(reads_.begin(), reads_.end(), [&](uint32_t ms) { return ms != predicted; })) {
        for (uint32_t ms : reads_) WriteLine("clock " + std::to_string(ms));
        clock_ = {reads_.back(), ticks_};
    }
    reads_.clear();
}

// Ends the open hold line: what follows goes after it.
void ScriptRecorder::WriteLine(const std::string& line) {
    if (!file_) return;
    holdTicks_ = 0;
    std::fputs((line + "\n").c_str(), file_);
    Flush();
}

// The open hold line is the file's last, and only grows: rewriting it in place covers the old text.
void ScriptRecorder::WriteHold() {
    std::fseek(file_, holdOffset_, SEEK_SET);
    std::fprintf(file_, "%llu %s\n", static_cast<unsigned long long>(holdTicks_), ScriptKeysText(holdKeys_).c_str());
    Flush();
}

// A recording that cannot be written any more is said once and given up; play goes on.
void ScriptRecorder::Flush() {
    if (std::fflush(file_) == 0 && !std::ferror(file_)) return;
    std::fprintf(stderr, "quarnel: cannot write the recording %s: %s; recording stopped\n", path_.c_str(),
                 std::strerror(errno));
    std::fclose(file_);
    file_ = nullptr;
}
