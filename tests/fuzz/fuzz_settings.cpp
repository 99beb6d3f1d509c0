// The settings file as the game reads it: the first field through a FILE*, then the number.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "frame/settings.h"

// ReadSettings reaches the platform through these; the fuzzer drives the two halves it calls.
int dxSetWindowSizeExtendRate(double) { return 0; }
std::string dxResolveDataPath(const char* name) { return name; }

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // fmemopen refuses an empty buffer; an empty file reads as an empty field anyway.
    static const uint8_t empty = 0;
    std::FILE* file = fmemopen(const_cast<uint8_t*>(size ? data : &empty), size ? size : 1, "rb");
    if (!file) return 0;
    const std::string field = ReadSettingsField(file);
    std::fclose(file);
    if (field.size() > SETTINGS_FIELD_LIMIT) std::abort();
    const double rate = SettingsNumber(field);
    if (std::isnan(rate)) std::abort();  // no text may give a number that is not one
    // The number conversion alone, on text that a file could not hold as a field (NULs, commas).
    SettingsNumber(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
