// The records file: any text either fails with a line-numbered message or gives records that are
// written out and read back unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "frame/records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Records records;
    std::string error;
    if (!ParseRecords(text, records, error)) {
        if (error.rfind("line ", 0) != 0) std::abort();
        return 0;
    }
    const std::string written = FormatRecords(records);
    Records again;
    if (!ParseRecords(written, again, error) || FormatRecords(again) != written) std::abort();
    BestLine(records);
    return 0;
}
