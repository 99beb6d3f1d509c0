#include "core/texts.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/dx.h"

namespace {

Catalogue* g_catalogue = nullptr;

uint32_t Word(std::string_view bytes, size_t at, bool swapped) {
    uint32_t w = 0;
    std::memcpy(&w, bytes.data() + at, 4);
    return swapped ? __builtin_bswap32(w) : w;
}

// The n-th string of the table at `table`, or nullopt-like false when it leaves the file.
bool TableString(std::string_view bytes, uint32_t table, uint32_t n, bool swapped, std::string_view& out) {
    const size_t entry = size_t(table) + size_t(n) * 8;
    if (entry + 8 > bytes.size()) return false;
    const size_t length = Word(bytes, entry, swapped), offset = Word(bytes, entry + 4, swapped);
    if (offset > bytes.size() || length > bytes.size() - offset) return false;
    out = bytes.substr(offset, length);
    return true;
}

// The printf conversions of a text, flags and widths left out: "% 6.1f" gives "f".
std::string Conversions(std::string_view text) {
    std::string kinds;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') continue;
        const size_t end = text.find_first_not_of(" +-#0123456789.", i + 1);
        if (end == std::string_view::npos) return kinds + "?";
        kinds += text[end];
        i = end;
    }
    return kinds;
}

}  // namespace

bool Catalogue::Parse(std::string_view bytes) {
    if (bytes.size() < 20) return false;
    const bool swapped = Word(bytes, 0, false) != 0x950412de;
    if (Word(bytes, 0, swapped) != 0x950412de) return false;
    const uint32_t count = Word(bytes, 8, swapped), sources = Word(bytes, 12, swapped),
                   translations = Word(bytes, 16, swapped);
    for (uint32_t n = 0; n < count; ++n) {
        std::string_view source, translation;
        if (!TableString(bytes, sources, n, swapped, source) ||
            !TableString(bytes, translations, n, swapped, translation))
            return false;
        if (!source.empty() && Conversions(source) == Conversions(translation))
            entries_.emplace(std::string(source), std::string(translation));
    }
    return true;
}

const char* Catalogue::Translate(const char* text) {
    const auto found = entries_.find(std::string_view(text));
    if (found != entries_.end()) return found->second.c_str();
    missing_.push_back(text);
    return text;
}

bool UseLanguage(const std::string& language, std::string& error) {
    static Catalogue catalogue;
    const std::string path = dxResolveDataPath(("locale/" + language + ".mo").c_str());
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    if (language.find('/') != std::string::npos || !file || !catalogue.Parse(bytes.str())) {
        error = "no texts for the language '" + language + "' (" + path + ")";
        return false;
    }
    UseCatalogue(&catalogue);
    return true;
}

void UseCatalogue(Catalogue* catalogue) { g_catalogue = catalogue; }

const char* Tr(const char* text) { return g_catalogue ? g_catalogue->Translate(text) : text; }

int TextWidth(std::string_view text) {
    int width = 0;
    for (unsigned char c : text)
        if (c < 0x80 || c >= 0xC0) width += c < 0x80 ? 8 : 16;
    return width;
}
