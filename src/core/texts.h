// The screen texts in the player's language. The game writes its texts in Japanese; another
// language comes from a gettext catalogue (a .mo file compiled from po/LANG.po) read at start.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

class Catalogue {
public:
    // Reads a .mo file's bytes; false when they are not one. A translation whose printf conversions
    // differ from its source's is left out, so that a format is never drawn with the wrong values.
    bool Parse(std::string_view bytes);
    // The translation of `text`, or `text` itself (counted as missing) when there is none.
    const char* Translate(const char* text);
    const std::vector<std::string>& Missing() const { return missing_; }
    const std::map<std::string, std::string, std::less<>>& Entries() const { return entries_; }

private:
    std::map<std::string, std::string, std::less<>> entries_;
    std::vector<std::string> missing_;
};

// The catalogue of `language` ("en") from the game's data ("locale/LANG.mo"); false with the reason
// when it cannot be read. Without one, texts stay as written.
bool UseLanguage(const std::string& language, std::string& error);
void UseCatalogue(Catalogue* catalogue);  // nullptr: texts as written
// A text to draw, in the player's language.
const char* Tr(const char* text);
// How wide the 16-pixel font draws a text: 8 pixels a byte of ASCII, 16 a wider character.
int TextWidth(std::string_view text);
