// Personal records: the best stage of each algorithm, kept from run to run in the player's
// records.txt, one line per algorithm:
//   algorithm=1 total=98.1 distance=50.0 time=48.1 time_ms=126583 steps=190 route=190 date=2025-06-01
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

inline constexpr const char* RECORDS_FILE = "records.txt";

struct Record {
    int32_t total = 0;  // scores in tenths, as the panel shows them: 981 is 98.1
    int32_t distance = 0;
    int32_t time = 0;
    uint64_t elapsedMs = 0;
    uint64_t steps = 0;
    uint64_t route = 0;
    std::string date;  // YYYY-MM-DD
};

struct Records {
    std::array<std::optional<Record>, 2> best;  // by algorithm choice: 0 DadiZider 1, 1 DadiZider 2
    std::array<bool, 2> unsaved{};              // a best the records file could not take
};

// Keeps `stage` as the algorithm's record when its total is higher than the kept one's, or when
// none is kept. True when it was kept.
bool KeepIfBest(Records& records, int algorithmChoice, const Record& stage);

// The file's text: a comment, then a line per record. Reading skips blank lines and '#' comments;
// any other line not of that form, or a second line for an algorithm, is an error naming the line.
std::string FormatRecords(const Records& records);
bool ParseRecords(std::string_view text, Records& records, std::string& error);

// The title's line, "BEST  DadiZider 1  98.1   DadiZider 2  97.3" for the algorithms with a
// record, a total the file could not take followed by " NOT SAVED"; "" when there is none.
std::string BestLine(const Records& records);
// The totals alone, as a replay keeps them ("98.1 -"), and records holding just those totals.
std::string BestTotals(const Records& records);
Records RecordsFromTotals(std::string_view totals);

// Reads the records file. A missing one gives no records. One that cannot be read or parsed, or
// holds a score the game cannot make, is said in one line on stderr and gives no records; with
// `setAside` (a game that will save) it is renamed, under the lock, to a name not yet taken
// (records.txt.bad, records.txt.bad.1, ...). Returns false when it could not be set aside: then
// nothing may be written over it.
bool LoadRecords(const std::string& path, Records& records, bool setAside = true);
// Merges `records` into the file, so that games running side by side never lose each other's
// best: under an exclusive lock on records.txt.lock beside it, reads the file again, keeps the
// higher total of each algorithm, and writes the file whole or not at all (a temporary file in
// the same folder, flushed to disk, renamed over the old one). `records` becomes what is kept.
// On failure the old file stays, one line on stderr says why, and each total of `records` the
// file does not hold is marked unsaved.
bool SaveRecords(const std::string& path, Records& records);

// Today's local date, YYYY-MM-DD.
std::string TodaysDate();
// What `quarnel --records` prints: a line per record, or that there are none.
std::string RecordsReport(const Records& records);
