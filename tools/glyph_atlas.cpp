// quarnel-glyphs FONT OUT_PREFIX SOURCE...: the web build's text. Renders every character the
// sources hold (and printable ASCII) in the 16-pixel font the desktop game draws with, into
// OUT_PREFIX.png (white, coverage in alpha) and OUT_PREFIX.txt ("codepoint x y width height
// advance" a line). Each glyph is rendered as a string of its own, so placing them side by side by
// their advances gives the desktop's string pictures; the pixels that differ over the sources'
// string literals are counted on stdout.
#include <SDL2/SDL.h>
#include <SDL2/SDL_image.h>
#include <SDL2/SDL_ttf.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int FONT_SIZE = 16;  // as the desktop's text
constexpr int ATLAS_WIDTH = 512;

struct Glyph {
    SDL_Surface* surface = nullptr;
    int x = 0, y = 0, advance = 0;
};

std::string ReadFile(const char* path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Code points of UTF-8 text; a broken sequence is skipped byte by byte.
std::vector<char32_t> CodePoints(const std::string& text) {
    std::vector<char32_t> out;
    for (size_t i = 0; i < text.size();) {
        const unsigned char c = text[i];
        const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + length > text.size()) {
            ++i;
            continue;
        }
        char32_t cp = length == 1 ? c : c & (0x7F >> length);
        for (int k = 1; k < length; ++k) cp = (cp << 6) | (text[i + k] & 0x3F);
        out.push_back(cp);
        i += length;
    }
    return out;
}

std::string Utf8(char32_t cp) {
    std::string s;
    if (cp < 0x80) {
        s += char(cp);
    } else if (cp < 0x800) {
        s += char(0xC0 | (cp >> 6));
        s += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        s += char(0xE0 | (cp >> 12));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    } else {
        s += char(0xF0 | (cp >> 18));
        s += char(0x80 | ((cp >> 12) & 0x3F));
        s += char(0x80 | ((cp >> 6) & 0x3F));
        s += char(0x80 | (cp & 0x3F));
    }
    return s;
}

// The string literals of C++ source, roughly: what lies between the quotes of one line, without
// escapes or printf fields (drawn through a format, they are checked as they come).
void AddLiterals(const std::string& source, std::vector<std::string>& literals) {
    std::istringstream lines(source);
    std::string line;
    while (std::getline(lines, line)) {
        size_t open = line.find('"');
        while (open != std::string::npos) {
            const size_t close = line.find('"', open + 1);
            if (close == std::string::npos) break;
            const std::string text = line.substr(open + 1, close - open - 1);
            if (!text.empty() && text.find_first_of("\\%") == std::string::npos) literals.push_back(text);
            open = line.find('"', close + 1);
        }
    }
}

SDL_Surface* Render(TTF_Font* font, const std::string& text) {
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(font, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(rendered);
    return rgba;
}

uint8_t Alpha(SDL_Surface* s, int x, int y) {
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) return 0;
    return static_cast<uint8_t*>(s->pixels)[y * s->pitch + x * 4 + 3];
}

// Pixels where the string drawn whole and drawn glyph by glyph differ in coverage.
long Mismatches(TTF_Font* font, const std::map<char32_t, Glyph>& glyphs, const std::string& text) {
    SDL_Surface* whole = Render(font, text);
    if (!whole) return 0;
    std::vector<int> composed(size_t(whole->w) * whole->h, 0);
    int pen = 0;
    for (char32_t cp : CodePoints(text)) {
        const auto found = glyphs.find(cp);
        if (found == glyphs.end()) continue;
        SDL_Surface* g = found->second.surface;
        for (int y = 0; y < std::min(g->h, whole->h); ++y)
            for (int x = 0; x < g->w && pen + x < whole->w; ++x) {
                int& a = composed[size_t(y) * whole->w + pen + x];
                a = a + Alpha(g, x, y) * (255 - a) / 255;  // blended over what lies there
            }
        pen += found->second.advance;
    }
    long differing = 0;
    for (int y = 0; y < whole->h; ++y)
        for (int x = 0; x < whole->w; ++x) differing += composed[size_t(y) * whole->w + x] != Alpha(whole, x, y);
    SDL_FreeSurface(whole);
    return differing;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: quarnel-glyphs FONT OUT_PREFIX SOURCE...\n");
        return 2;
    }
    if (TTF_Init() != 0) return 1;
    TTF_Font* font = TTF_OpenFont(argv[1], FONT_SIZE);
    if (!font) {
        std::fprintf(stderr, "quarnel-glyphs: cannot open %s: %s\n", argv[1], TTF_GetError());
        return 1;
    }
    std::set<char32_t> wanted;
    for (char32_t cp = 0x20; cp < 0x7F; ++cp) wanted.insert(cp);
    std::vector<std::string> literals;
    for (int i = 3; i < argc; ++i) {
        const std::string text = ReadFile(argv[i]);
        for (char32_t cp : CodePoints(text))
            if (cp >= 0x80) wanted.insert(cp);
        AddLiterals(text, literals);
    }
    std::map<char32_t, Glyph> glyphs;
    int x = 0, y = 0, rowHeight = 0;
    for (char32_t cp : wanted) {
        if (!TTF_GlyphIsProvided32(font, cp)) continue;
        Glyph g;
        int minX, maxX, minY, maxY;
        TTF_GlyphMetrics32(font, cp, &minX, &maxX, &minY, &maxY, &g.advance);
        g.surface = Render(font, Utf8(cp));
        if (!g.surface) continue;
        if (x + g.surface->w > ATLAS_WIDTH) {
            x = 0;
            y += rowHeight;
            rowHeight = 0;
        }
        g.x = x;
        g.y = y;
        x += g.surface->w;
        rowHeight = std::max(rowHeight, g.surface->h);
        glyphs.emplace(cp, g);
    }
    SDL_Surface* atlas = SDL_CreateRGBSurfaceWithFormat(0, ATLAS_WIDTH, y + rowHeight, 32, SDL_PIXELFORMAT_ABGR8888);
    SDL_FillRect(atlas, nullptr, SDL_MapRGBA(atlas->format, 255, 255, 255, 0));
    std::ostringstream table;
    for (auto& [cp, g] : glyphs) {
        SDL_SetSurfaceBlendMode(g.surface, SDL_BLENDMODE_NONE);
        SDL_Rect place{g.x, g.y, g.surface->w, g.surface->h};
        SDL_BlitSurface(g.surface, nullptr, atlas, &place);
        table << unsigned(cp) << ' ' << g.x << ' ' << g.y << ' ' << g.surface->w << ' ' << g.surface->h << ' '
              << g.advance << '\n';
    }
    const std::string prefix = argv[2];
    std::ofstream(prefix + ".txt") << table.str();
    if (IMG_SavePNG(atlas, (prefix + ".png").c_str()) != 0) return 1;
    long differing = 0;
    for (const std::string& text : literals) differing += Mismatches(font, glyphs, text);
    std::printf("glyphs %zu strings %zu differing_pixels %ld\n", glyphs.size(), literals.size(), differing);
    for (auto& [cp, g] : glyphs) SDL_FreeSurface(g.surface);
    SDL_FreeSurface(atlas);
    TTF_CloseFont(font);
    TTF_Quit();
    return 0;
}
