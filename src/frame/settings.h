// The settings file "QUARNEL_ini.txt": its first field is the window size rate.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

inline constexpr const char* SETTINGS_FILE = "QUARNEL_ini.txt";
// A longer field is cut here, so that a huge file cannot exhaust memory.
inline constexpr size_t SETTINGS_FIELD_LIMIT = 4096;

// The first field of the file: leading blanks skipped, ended by end of file, NUL, LF, CR LF or a
// comma outside double quotes. Reads no further than the field; an unopened file gives "".
std::string ReadSettingsField(std::FILE* file);

// Text to number: leading blanks, then &H hex or &O octal, or [sign] digits [. digits]; the first
// character that does not fit ends it; no digits give 0.
double SettingsNumber(std::string_view text);

// Reads the file (the working folder's, else the installed one) and applies a positive rate, at
// most 2.0.
void ReadSettings();
