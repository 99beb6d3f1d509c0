#include "frame/records.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include "base/words.h"

namespace fs = std::filesystem;

namespace {

constexpr std::string_view FIELDS[] = {"algorithm", "total", "distance", "time", "time_ms", "steps", "route", "date"};
constexpr size_t FIELD_COUNT = std::size(FIELDS);
// A real file is a few hundred bytes; a longer one is not ours, and is not read into memory whole.
constexpr size_t FILE_LIMIT = 65536;
constexpr int ASIDE_NAMES = 1000;
// The highest scores the game can make, in tenths: 50.0 for distance and for time.
constexpr int32_t MAX_SCORE = 500;

std::string Tenths(int32_t tenths) { return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10); }

bool IsDate(std::string_view text) {
    if (text.size() != 10) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i == 4 || i == 7 ? text[i] != '-' : !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    return true;
}

// The values of a record line, in FIELDS order; false when its words are not those fields.
bool FieldValues(std::string_view line, std::string_view (&values)[FIELD_COUNT]) {
    const std::vector<std::string_view> words = SplitWords(line);
    if (words.size() != FIELD_COUNT) return false;
    for (size_t i = 0; i < FIELD_COUNT; ++i) {
        const size_t length = FIELDS[i].size();
        if (words[i].substr(0, length) != FIELDS[i] || words[i].substr(length, 1) != "=") return false;
        values[i] = words[i].substr(length + 1);
    }
    return true;
}

// One record line; `choice` is its algorithm choice (0 or 1).
bool ParseRecordLine(std::string_view line, int& choice, Record& record) {
    std::string_view values[FIELD_COUNT];
    uint64_t algorithm = 0;
    if (!FieldValues(line, values) || !ParseUnsigned(values[0], algorithm) || (algorithm != 1 && algorithm != 2))
        return false;
    choice = int(algorithm) - 1;
    record.date = std::string(values[7]);
    return ParseTenths(values[1], record.total) && ParseTenths(values[2], record.distance) &&
           ParseTenths(values[3], record.time) && ParseUnsigned(values[4], record.elapsedMs) &&
           ParseUnsigned(values[5], record.steps) && ParseUnsigned(values[6], record.route) && IsDate(record.date) &&
           record.total <= 2 * MAX_SCORE && record.distance <= MAX_SCORE && record.time <= MAX_SCORE;
}

enum class FileState { Missing, Read, Damaged };

// The whole file at `path`, or why it cannot be read.
FileState ReadWhole(const std::string& path, std::string& text, std::string& why) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file && errno == ENOENT) return FileState::Missing;
    if (!file) {
        why = std::strerror(errno);
        return FileState::Damaged;
    }
    text.resize(FILE_LIMIT + 1);
    text.resize(std::fread(text.data(), 1, text.size(), file));
    const bool failed = std::ferror(file);
    why = failed ? std::strerror(errno) : text.size() > FILE_LIMIT ? "longer than 64 KiB" : "";
    std::fclose(file);
    return why.empty() ? FileState::Read : FileState::Damaged;
}

// Renames the file to the first of path.bad, path.bad.1, ... that is not taken; "" when it cannot,
// with errno saying why.
std::string SetAside(const std::string& path) {
    for (int n = 0; n < ASIDE_NAMES; ++n) {
        const std::string aside = n > 0 ? path + ".bad." + std::to_string(n) : path + ".bad";
        std::error_code error;
        if (fs::symlink_status(aside, error).type() != fs::file_type::not_found) continue;
        return std::rename(path.c_str(), aside.c_str()) == 0 ? aside : "";
    }
    errno = EEXIST;
    return "";
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(size_t(written));
    }
    return true;
}

// The rename itself reaches the disk once the folder is flushed too.
void SyncFolder(const fs::path& folder) {
    const int fd = open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

bool SaveFailed(const std::string& path, int error) {
    std::fprintf(stderr, "quarnel: cannot save the records in %s: %s\n", path.c_str(), std::strerror(error));
    return false;
}

// An exclusive lock on path.lock for as long as it lives, so that one game at a time reads and
// replaces the records file. Error() is the errno of a lock that could not be had, else 0.
class RecordsLock {
public:
    explicit RecordsLock(const std::string& path)
        : fd_(open((path + ".lock").c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0644)) {
        int locked = -1;
        while (fd_ >= 0 && (locked = flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {}
        error_ = locked == 0 ? 0 : errno;
    }
    RecordsLock(const RecordsLock&) = delete;
    RecordsLock& operator=(const RecordsLock&) = delete;
    ~RecordsLock() {
        if (fd_ >= 0) close(fd_);  // closing the last descriptor unlocks
    }
    int Error() const { return error_; }

private:
    int fd_;
    int error_ = 0;
};

// Writes a temporary file beside `path`, flushes it and renames it over `path`; false with the
// errno of the step that failed.
bool ReplaceFile(const std::string& path, const std::string& text, int& error) {
    std::string temporary = path + ".XXXXXX";
    const int fd = mkstemp(temporary.data());
    if (fd < 0) {
        error = errno;
        return false;
    }
    bool written = WriteAll(fd, text) && fsync(fd) == 0;
    error = written ? 0 : errno;
    if (close(fd) != 0 && written) {
        written = false;
        error = errno;
    }
    if (written && std::rename(temporary.c_str(), path.c_str()) == 0) {
        SyncFolder(fs::path(path).parent_path());
        return true;
    }
    error = written ? errno : error;
    unlink(temporary.c_str());
    return false;
}

// The higher total of each algorithm, the file's on a tie; one of `ours` above the file's is
// marked unsaved until it is written.
Records Merged(const Records& file, const Records& ours) {
    Records merged = file;
    merged.unsaved = {};
    for (size_t i = 0; i < ours.best.size(); ++i) {
        if (!ours.best[i] || (file.best[i] && ours.best[i]->total <= file.best[i]->total)) continue;
        merged.best[i] = ours.best[i];
        merged.unsaved[i] = true;
    }
    return merged;
}

bool LoadUnlocked(const std::string& path, Records& records, bool setAside) {
    records = {};
    std::string text, why;
    const FileState state = ReadWhole(path, text, why);
    if (state == FileState::Read && ParseRecords(text, records, why)) return true;
    if (state == FileState::Missing) return true;
    records = {};
    if (!setAside) {
        std::fprintf(stderr, "quarnel: the records file %s cannot be used (%s)\n", path.c_str(), why.c_str());
        return true;
    }
    const std::string aside = SetAside(path);
    if (aside.empty()) {
        std::fprintf(stderr,
                     "quarnel: the records file %s cannot be used (%s) nor set aside (%s): records are not saved\n",
                     path.c_str(), why.c_str(), std::strerror(errno));
        return false;
    }
    std::fprintf(stderr, "quarnel: the records file %s cannot be used (%s): kept it as %s and started new records\n",
                 path.c_str(), why.c_str(), aside.c_str());
    return true;
}

}  // namespace

bool KeepIfBest(Records& records, int algorithmChoice, const Record& stage) {
    if (algorithmChoice < 0 || algorithmChoice >= int(records.best.size())) return false;
    std::optional<Record>& kept = records.best[size_t(algorithmChoice)];
    if (kept && stage.total <= kept->total) return false;
    kept = stage;
    return true;
}

std::string FormatRecords(const Records& records) {
    std::string text = "# QUARNEL personal records: the best stage of each algorithm\n";
    for (size_t i = 0; i < records.best.size(); ++i) {
        if (!records.best[i]) continue;
        const Record& r = *records.best[i];
        text += "algorithm=" + std::to_string(i + 1) + " total=" + Tenths(r.total) + " distance=" + Tenths(r.distance) +
                " time=" + Tenths(r.time) + " time_ms=" + std::to_string(r.elapsedMs) +
                " steps=" + std::to_string(r.steps) + " route=" + std::to_string(r.route) + " date=" + r.date + "\n";
    }
    return text;
}

bool ParseRecords(std::string_view text, Records& records, std::string& error) {
    records = {};
    for (int lineNumber = 1; !text.empty(); ++lineNumber) {
        const size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        line = line.substr(0, line.find('#'));
        if (SplitWords(line).empty()) continue;
        int choice = 0;
        Record record;
        const bool parsed = ParseRecordLine(line, choice, record);
        if (!parsed || records.best[size_t(choice)]) {
            error = "line " + std::to_string(lineNumber) +
                    (parsed ? ": a second record of an algorithm" : ": not a record");
            return false;
        }
        records.best[size_t(choice)] = record;
    }
    return true;
}

std::string BestLine(const Records& records) {
    std::string line;
    for (size_t i = 0; i < records.best.size(); ++i) {
        if (!records.best[i]) continue;
        char entry[64];
        const int32_t total = records.best[i]->total;
        std::snprintf(entry, sizeof entry, "DadiZider %d %3d.%d%s", int(i + 1), int(total / 10), int(total % 10),
                      records.unsaved[i] ? " NOT SAVED" : "");
        line += (line.empty() ? "BEST  " : "   ") + std::string(entry);
    }
    return line;
}

std::string BestTotals(const Records& records) {
    std::string totals;
    for (const std::optional<Record>& record : records.best) {
        if (!totals.empty()) totals += ' ';
        totals += record ? Tenths(record->total) : "-";
    }
    return totals;
}

Records RecordsFromTotals(std::string_view totals) {
    Records records;
    const std::vector<std::string_view> words = SplitWords(totals);
    for (size_t i = 0; i < words.size() && i < records.best.size(); ++i) {
        Record record;
        if (ParseTenths(words[i], record.total)) records.best[i] = record;
    }
    return records;
}

bool LoadRecords(const std::string& path, Records& records, bool setAside) {
    if (!setAside) return LoadUnlocked(path, records, false);
    const RecordsLock lock(path);
    return LoadUnlocked(path, records, true);
}

bool SaveRecords(const std::string& path, Records& records) {
    const fs::path folder = fs::path(path).parent_path();
    std::error_code ignored;
    if (!folder.empty()) fs::create_directories(folder, ignored);
    const RecordsLock lock(path);
    Records file;
    // Read even without the lock, to know which totals the file holds. A damaged file that cannot
    // be set aside has said so, and is not written over.
    const bool readable = LoadUnlocked(path, file, lock.Error() == 0);
    records = Merged(file, records);
    int error = lock.Error();
    if (!readable) return false;
    if (error == 0 && ReplaceFile(path, FormatRecords(records), error)) {
        records.unsaved = {};
        return true;
    }
    return SaveFailed(path, error);
}

std::string TodaysDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return date;
}

std::string RecordsReport(const Records& records) {
    std::string report;
    for (size_t i = 0; i < records.best.size(); ++i) {
        if (!records.best[i]) continue;
        const Record& r = *records.best[i];
        char line[256];
        std::snprintf(line, sizeof line,
                      "DadiZider %d: total %s (distance %s, time %s), %llu:%02llu.%02llu for %llu steps on a route of "
                      "%llu, %s\n",
                      int(i + 1), Tenths(r.total).c_str(), Tenths(r.distance).c_str(), Tenths(r.time).c_str(),
                      (unsigned long long)(r.elapsedMs / 60000), (unsigned long long)(r.elapsedMs / 1000 % 60),
                      (unsigned long long)(r.elapsedMs / 10 % 100), (unsigned long long)r.steps,
                      (unsigned long long)r.route, r.date.c_str());
        report += line;
    }
    return report.empty() ? "no records yet\n" : report;
}
