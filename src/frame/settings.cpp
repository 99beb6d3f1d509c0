#include "frame/settings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>

#include "platform/dx.h"

namespace {

bool IsBlank(int c) { return c == ' ' || c == '\t'; }

// Value of the digits after "&H" or "&O"; 0 when none follows.
double RadixNumber(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        const int upper = std::toupper(static_cast<unsigned char>(c));
        int digit = -1;
        if (upper >= '0' && upper <= '9') digit = upper - '0';
        if (upper >= 'A' && upper <= 'F') digit = upper - 'A' + 10;
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
    }
    return value;
}

double DecimalNumber(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    // The longest prefix of the form digits [. digits].
    size_t end = 0;
    while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    if (end < text.size() && text[end] == '.') {
        ++end;
        while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) ++end;
    }
    const std::string_view number = text.substr(0, end);
    if (number.find_first_of("0123456789") == std::string_view::npos) return 0;
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value, std::chars_format::fixed);
    if (result.ec == std::errc::result_out_of_range)  // too many digits: huge, or too small to tell from 0
        value = number.find_first_of("123456789") < number.find('.') ? HUGE_VAL : 0.0;
    return negative ? -value : value;
}

}  // namespace

std::string ReadSettingsField(std::FILE* file) {
    std::string field;
    if (!file) return field;
    int c = std::fgetc(file);
    while (IsBlank(c)) c = std::fgetc(file);
    bool quoted = false;
    for (; c != EOF && c != 0 && c != '\n' && field.size() < SETTINGS_FIELD_LIMIT; c = std::fgetc(file)) {
        if (c == ',' && !quoted) break;
        if (c == '\r') {
            const int next = std::fgetc(file);
            if (next == '\n') break;
            if (next != EOF) std::ungetc(next, file);
        }
        if (c == '"') quoted = !quoted;
        field.push_back(static_cast<char>(c));
    }
    return field;
}

double SettingsNumber(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && text.front() == '&') {
        const char kind = text.size() > 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(text[1]))) : 0;
        if (kind == 'H') return RadixNumber(text.substr(2), 16);
        if (kind == 'O') return RadixNumber(text.substr(2), 8);
        return 0;
    }
    return DecimalNumber(text);
}

void ReadSettings() {
    const std::string path = dxResolveDataPath(SETTINGS_FILE);
    std::FILE* file = std::fopen(path.c_str(), "rb");
    int failure = file || errno == ENOENT ? 0 : errno;  // the file is optional: only say when it is there
    const std::string field = ReadSettingsField(file);
    if (file && std::ferror(file)) failure = errno;
    if (file) std::fclose(file);
    if (failure)
        std::fprintf(stderr, "quarnel: cannot read the settings file %s: %s\n", path.c_str(), std::strerror(failure));
    const double rate = SettingsNumber(field);
    if (!(rate > 0)) return;
    dxSetWindowSizeExtendRate(std::min(rate, 2.0));
}
