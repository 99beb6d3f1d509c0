// Reading the words of the game's own text files: the records file and input scripts.
#pragma once

#include <charconv>
#include <cstdint>
#include <string_view>
#include <vector>

constexpr bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

// The words of `line`, split at blanks.
inline std::vector<std::string_view> SplitWords(std::string_view line) {
    std::vector<std::string_view> words;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && IsBlank(line[i])) ++i;
        size_t j = i;
        while (j < line.size() && !IsBlank(line[j])) ++j;
        if (j > i) words.push_back(line.substr(i, j - i));
        i = j;
    }
    return words;
}

// Decimal digits only, the whole word, at most `max`.
inline bool ParseUnsigned(std::string_view word, uint64_t& value, uint64_t max = UINT64_MAX) {
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return !word.empty() && ec == std::errc() && end == word.data() + word.size() && value <= max;
}

// A score as the panel shows it, "98.1": digits (at most 999), a point, one digit; in tenths.
inline bool ParseTenths(std::string_view word, int32_t& tenths) {
    uint64_t whole = 0, tenth = 0;
    if (word.size() < 3 || word[word.size() - 2] != '.') return false;
    if (!ParseUnsigned(word.substr(0, word.size() - 2), whole, 999) ||
        !ParseUnsigned(word.substr(word.size() - 1), tenth))
        return false;
    tenths = int32_t(whole * 10 + tenth);
    return true;
}
