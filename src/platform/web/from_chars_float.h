// Emscripten 3.1's C++ library parses integers with std::from_chars but not floating point; the
// web build puts this header in front of every source so that the same code builds there. Decimal
// text only, as strtod in the "C" locale reads it.
#pragma once

#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <string>

namespace std {

template <typename Float>
from_chars_result QuarnelFromCharsFloat(const char* first, const char* last, Float& value, chars_format format) {
    std::string text(first, last);
    if (format == chars_format::fixed) text = text.substr(0, text.find_first_of("eE"));
    if (text.empty() || text[0] == ' ' || text[0] == '+' || (text[0] != '-' && !isdigit(text[0]) && text[0] != '.'))
        return {first, errc::invalid_argument};
    char* end = nullptr;
    errno = 0;
    const double parsed = strtod(text.c_str(), &end);
    if (end == text.c_str()) return {first, errc::invalid_argument};
    const char* stop = first + (end - text.c_str());
    if (errno == ERANGE) return {stop, errc::result_out_of_range};
    value = Float(parsed);
    return {stop, errc{}};
}

inline from_chars_result from_chars(const char* first, const char* last, double& value,
                                    chars_format format = chars_format::general) {
    return QuarnelFromCharsFloat(first, last, value, format);
}

inline from_chars_result from_chars(const char* first, const char* last, float& value,
                                    chars_format format = chars_format::general) {
    return QuarnelFromCharsFloat(first, last, value, format);
}

}  // namespace std
