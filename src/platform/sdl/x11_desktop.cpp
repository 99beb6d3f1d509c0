#include "platform/sdl/x11_desktop.h"

#include <SDL2/SDL_syswm.h>
#include <X11/keysym.h>
#include <linux/input-event-codes.h>

namespace {

Display* X11Display(SDL_Window* window, Window* xWindow = nullptr) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    if (xWindow) *xWindow = info.info.x11.window;
    return info.info.x11.display;
}

// The X server numbers keys by their Linux code plus 8 wherever it reads them through the kernel's
// input layer, as Xorg, Xwayland and Xvfb do; any other numbering is not guessed at.
bool NumbersKeysAsLinux(Display* display) {
    return XKeysymToKeycode(display, XK_Escape) == KEY_ESC + 8 && XKeysymToKeycode(display, XK_Return) == KEY_ENTER + 8;
}

// One icon as _NET_WM_ICON holds it: width, height, then ARGB pixels; the game's key green is clear.
void AppendIcon(std::vector<unsigned long>& data, SDL_Surface* icon) {
    SDL_Surface* rgba = SDL_ConvertSurfaceFormat(icon, SDL_PIXELFORMAT_ARGB8888, 0);
    if (!rgba) return;
    data.push_back(static_cast<unsigned long>(rgba->w));
    data.push_back(static_cast<unsigned long>(rgba->h));
    for (int y = 0; y < rgba->h; ++y) {
        const auto* row = reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(rgba->pixels) + y * rgba->pitch);
        for (int x = 0; x < rgba->w; ++x) {
            const Uint32 rgb = row[x] & 0xFFFFFF;
            data.push_back(rgb == 0x00FF00 ? 0 : (0xFF000000u | rgb));
        }
    }
    SDL_FreeSurface(rgba);
}

}  // namespace

std::vector<bool> KeysDownNow(SDL_Window* window, const std::vector<int>& linuxCodes) {
    Display* display = X11Display(window);
    if (!display || !NumbersKeysAsLinux(display)) return {};
    char keys[32] = {};
    XQueryKeymap(display, keys);
    std::vector<bool> down;
    for (int code : linuxCodes) {
        const int x = code + 8;
        down.push_back(x >= 0 && x < 256 && (keys[x / 8] & (1 << (x % 8))) != 0);
    }
    return down;
}

void SetIconSizes(SDL_Window* window, const std::vector<SDL_Surface*>& icons) {
    Window xWindow = 0;
    Display* display = X11Display(window, &xWindow);
    if (!display) return;
    std::vector<unsigned long> data;
    for (SDL_Surface* icon : icons) AppendIcon(data, icon);
    const Atom property = XInternAtom(display, "_NET_WM_ICON", False);
    XChangeProperty(display, xWindow, property, XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(data.data()), int(data.size()));
    XFlush(display);
}
