// Text in a 16-pixel Japanese-capable font found through fontconfig. Each distinct string is
// rendered once to a texture and drawn tinted in any colour.
#include <SDL2/SDL_ttf.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cstdio>
#include <unordered_map>

#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

constexpr int FONT_SIZE = 16;
// A string not drawn in this many frames is dropped: the cache holds what is on screen, so a long
// run that draws ever new strings (stage numbers, scores) keeps the same memory and textures.
constexpr uint64_t FRAMES_KEPT = 2;
// Within one frame, past this many cached strings those not drawn in it are dropped.
constexpr size_t CACHE_LIMIT = 512;

struct CachedText {
    GlTexture texture;
    uint64_t lastFrame = 0;
};

struct TextState {
    TTF_Font* font = nullptr;
    std::unordered_map<std::string, CachedText> cache;
    uint64_t frame = 0;
};

TextState& Text() {
    static TextState state;
    return state;
}

// The file of the best match for a Japanese Gothic font, or "" when fontconfig has none.
std::string FindFontFile() {
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("IPAGothic:lang=ja"));
    if (!config || !pattern) return path;
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    FcChar8* file = nullptr;
    if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) path = reinterpret_cast<char*>(file);
    FcCharSet* chars = nullptr;
    if (match && FcPatternGetCharSet(match, FC_CHARSET, 0, &chars) == FcResultMatch && !FcCharSetHasChar(chars, 0x6E08))
        std::fprintf(stderr, "quarnel: %s has no Japanese characters (install fonts-ipafont-gothic)\n", path.c_str());
    if (match) FcPatternDestroy(match);
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return path;
}

void DropTextsOlderThan(uint64_t frames) {
    TextState& t = Text();
    for (auto it = t.cache.begin(); it != t.cache.end();) {
        if (t.frame - it->second.lastFrame > frames) {
            TheBackend().renderer.DeleteTexture(it->second.texture);
            it = t.cache.erase(it);
        } else {
            ++it;
        }
    }
}

const CachedText* Rendered(const char* text) {
    TextState& t = Text();
    auto found = t.cache.find(text);
    if (found != t.cache.end()) {
        found->second.lastFrame = t.frame;
        return &found->second;
    }
    if (t.cache.size() >= CACHE_LIMIT) DropTextsOlderThan(0);
    SDL_Surface* rendered = TTF_RenderUTF8_Blended(t.font, text, SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(rendered, SDL_PIXELFORMAT_ABGR8888, 0);
    SDL_FreeSurface(rendered);
    if (!rgba) return nullptr;
    std::vector<uint8_t> pixels(size_t(rgba->w) * rgba->h * 4);
    for (int y = 0; y < rgba->h; ++y)
        std::copy_n(static_cast<uint8_t*>(rgba->pixels) + y * rgba->pitch, rgba->w * 4,
                    &pixels[size_t(y) * rgba->w * 4]);
    CachedText entry{TheBackend().renderer.CreateTexture(rgba->w, rgba->h, pixels.data()), t.frame};
    SDL_FreeSurface(rgba);
    return &t.cache.emplace(text, entry).first->second;
}

}  // namespace

bool StartText(std::string& error) {
    if (TTF_Init() != 0) {
        error = std::string("cannot start font rendering: ") + TTF_GetError();
        return false;
    }
    const std::string file = FindFontFile();
    Text().font = file.empty() ? nullptr : TTF_OpenFont(file.c_str(), FONT_SIZE);
    if (!Text().font)
        std::fprintf(stderr, "quarnel: no Japanese font found (install fonts-ipafont-gothic); text is not shown\n");
    return true;
}

void EndTextFrame() {
    ++Text().frame;
    DropTextsOlderThan(FRAMES_KEPT);
}

void StopText() {
    TextState& t = Text();
    for (auto& [text, entry] : t.cache) TheBackend().renderer.DeleteTexture(entry.texture);
    t.cache.clear();
    if (t.font) TTF_CloseFont(t.font);
    t.font = nullptr;
    TTF_Quit();
}

int dxDrawString(int x, int y, const char* text, unsigned colour, unsigned) {
    if (!TheBackend().window || !Text().font || !text || !*text) return -1;
    const CachedText* rendered = Rendered(text);
    if (!rendered) return -1;
    const GlTexture& tex = rendered->texture;
    TheBackend().renderer.DrawQuad(tex, {0, 0, float(tex.width), float(tex.height)}, float(x), float(y),
                                   float(x + tex.width), float(y + tex.height), colour, true);
    return 0;
}
