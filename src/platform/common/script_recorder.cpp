#include "platform/common/script_recorder.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

ScriptRecorder::~ScriptRecorder() { Close(); }

bool ScriptRecorder::Open(const char* path, std::string& error) {
    path_ = path;
    fd_ = open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    failure_ = fd_ < 0 ? std::strerror(errno) : "";
    if (fd_ >= 0) WriteLine("# QUARNEL, played live: quarnel --replay with this file plays it back");
    if (fd_ >= 0) return true;
    error = "cannot write the recording " + path_ + ": " + failure_;
    return false;
}

void ScriptRecorder::StartValue(std::string_view name, std::string_view value) {
    WriteLine(std::string(name) + " " + std::string(value));
}

void ScriptRecorder::Tick(uint32_t keys) {
    SettleClockReads();
    if (fd_ < 0) return;
    ++ticks_;
    if (holdTicks_ > 0 && keys == holdKeys_) {
        ++holdTicks_;
    } else {
        holdOffset_ = length_;
        holdLine_.clear();
        holdKeys_ = keys;
        holdTicks_ = 1;
    }
    WriteHold();
}

void ScriptRecorder::ClockRead(uint32_t ms) {
    if (fd_ >= 0) reads_.push_back(ms);
}

void ScriptRecorder::Close() {
    if (fd_ < 0) return;
    SettleClockReads();
    close(fd_);
    fd_ = -1;
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
    if (fd_ < 0) return;
    holdTicks_ = 0;
    if (WriteAt(length_, line + "\n")) length_ += line.size() + 1;
    else GiveUp(length_);
}

// The open hold line is the file's last, and only grows: rewriting it in place covers the old text.
// When that fails, the old text goes back over what was written of the new.
void ScriptRecorder::WriteHold() {
    const std::string line = std::to_string(holdTicks_) + " " + ScriptKeysText(holdKeys_) + "\n";
    if (WriteAt(holdOffset_, line)) {
        holdLine_ = line;
        length_ = holdOffset_ + line.size();
        return;
    }
    const int error = errno;
    const bool restored = !holdLine_.empty() && WriteAt(holdOffset_, holdLine_);
    errno = error;
    GiveUp(holdOffset_ + (restored ? holdLine_.size() : 0));
}

bool ScriptRecorder::WriteAt(uint64_t offset, const std::string& text) {
    for (size_t done = 0; done < text.size();) {
        const ssize_t written = pwrite(fd_, text.data() + done, text.size() - done, off_t(offset + done));
        if (written < 0 && errno == EINTR) continue;
        if (written == 0) errno = EIO;
        if (written <= 0) return false;
        done += size_t(written);
    }
    return true;
}

// A recording that cannot be written any more keeps its whole lines, is said once (by Open when it
// is the first line) and is given up; play goes on.
void ScriptRecorder::GiveUp(uint64_t wholeLength) {
    failure_ = std::strerror(errno);
    // A device such as /dev/full cannot be cut, and holds nothing to cut.
    if (ftruncate(fd_, off_t(wholeLength)) != 0) errno = 0;
    if (length_ > 0)
        std::fprintf(stderr, "quarnel: cannot write the recording %s: %s; recording stopped\n", path_.c_str(),
                     failure_.c_str());
    close(fd_);
    fd_ = -1;
}
