// Text from the glyph atlas the build draws from the desktop's font (quarnel-glyphs): each glyph
// is the font's own picture of it, placed by its advance, so strings come out as the desktop draws
// them. Characters the atlas lacks are left out.
#include <cstdio>
#include <fstream>
#include <unordered_map>

#include "platform/dx.h"
#include "platform/web/backend.h"

namespace {

struct AtlasGlyph {
    TexRect source;
    int advance;
};

struct TextState {
    GlTexture atlas;
    std::unordered_map<char32_t, AtlasGlyph> glyphs;
};

TextState& Text() {
    static TextState state;
    return state;
}

// The next code point of UTF-8 text, moving `at` past it; a broken byte reads as nothing.
char32_t NextCodePoint(const unsigned char*& at) {
    const unsigned char c = *at++;
    const int more = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (more < 0) return 0;
    char32_t cp = more == 0 ? c : c & (0x3F >> more);
    for (int k = 0; k < more; ++k) {
        if ((*at & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (*at++ & 0x3F);
    }
    return cp;
}

bool LoadGlyphTable(const char* path) {
    std::ifstream in(path);
    unsigned cp;
    AtlasGlyph g;
    while (in >> cp >> g.source.x >> g.source.y >> g.source.width >> g.source.height >> g.advance)
        Text().glyphs[char32_t(cp)] = g;
    return !Text().glyphs.empty();
}

}  // namespace

bool StartText(std::string&) {
    Picture atlas;
    std::string error;
    if (!LoadGlyphTable("/glyphs.txt") || !LoadPictureFile("/glyphs.png", atlas, error)) {
        std::fprintf(stderr, "quarnel: the glyph atlas is missing (%s); text is not shown\n", error.c_str());
        return true;
    }
    Text().atlas = TheGl().renderer.CreateTexture(atlas.width, atlas.height, atlas.rgba.data());
    return true;
}

void StopText() {
    TheGl().renderer.DeleteTexture(Text().atlas);
    Text().glyphs.clear();
}

int dxDrawString(int x, int y, const char* text, unsigned colour, unsigned) {
    TextState& t = Text();
    if (!TheGl().drawing || t.atlas.id == 0 || !text || !*text) return -1;
    const auto* at = reinterpret_cast<const unsigned char*>(text);
    float pen = float(x);
    while (*at) {
        const auto found = t.glyphs.find(NextCodePoint(at));
        if (found == t.glyphs.end()) continue;
        const TexRect& s = found->second.source;
        TheGl().renderer.DrawQuad(t.atlas, s, pen, float(y), pen + s.width, float(y) + s.height, colour, true);
        pen += float(found->second.advance);
    }
    return 0;
}
