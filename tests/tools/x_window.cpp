// Acts on a window of the X display for the end-to-end tests, as a window manager or a user would:
//   x_window close ID       asks the window to close (WM_DELETE_WINDOW), as a title-bar button does
//   x_window grab ID FILE   saves what the window shows now as a PNG picture
//   x_window cover ID       lays a window over it and takes it away, which loses what it showed
// Under a bare Xvfb there is no window manager to send the close request, so this sends it itself.
#include <SDL2/SDL_image.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

int Close(Display* display, Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = long(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    if (!XSendEvent(display, window, False, NoEventMask, &event)) return 1;
    XSync(display, False);
    return 0;
}

int Grab(Display* display, Window window, const char* file) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return 1;
    XImage* image =
        XGetImage(display, window, 0, 0, unsigned(attributes.width), unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image) {
        std::fprintf(stderr, "x_window: cannot read window 0x%lx\n", window);
        return 1;
    }
    SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, image->width, image->height, 24, SDL_PIXELFORMAT_RGB24);
    for (int y = 0; y < image->height; ++y) {
        auto* row = static_cast<Uint8*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < image->width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);  // a TrueColor visual: 0x00RRGGBB
            row[3 * x] = Uint8(pixel >> 16);
            row[3 * x + 1] = Uint8(pixel >> 8);
            row[3 * x + 2] = Uint8(pixel);
        }
    }
    XDestroyImage(image);
    const int result = IMG_SavePNG(picture, file);
    SDL_FreeSurface(picture);
    if (result != 0) std::fprintf(stderr, "x_window: cannot save %s: %s\n", file, IMG_GetError());
    return result != 0;
}

int Cover(Display* display, Window window) {
    XWindowAttributes a{};
    Window child = 0;
    int x = 0, y = 0;
    if (!XGetWindowAttributes(display, window, &a) ||
        !XTranslateCoordinates(display, window, a.root, 0, 0, &x, &y, &child))
        return 1;
    XSetWindowAttributes over{};
    over.override_redirect = True;
    over.background_pixel = 0xFF00FF;
    const Window cover = XCreateWindow(display, a.root, x, y, unsigned(a.width), unsigned(a.height), 0, CopyFromParent,
                                       InputOutput, CopyFromParent, CWOverrideRedirect | CWBackPixel, &over);
    XMapRaised(display, cover);
    XSync(display, False);
    XDestroyWindow(display, cover);
    XSync(display, False);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool close = argc == 3 && std::strcmp(argv[1], "close") == 0;
    const bool grab = argc == 4 && std::strcmp(argv[1], "grab") == 0;
    const bool cover = argc == 3 && std::strcmp(argv[1], "cover") == 0;
    if (!close && !grab && !cover) {
        std::fprintf(stderr, "usage: x_window close ID | grab ID FILE.png | cover ID\n");
        return 2;
    }
    const Window window = Window(std::strtoul(argv[2], nullptr, 0));
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "x_window: cannot open the display\n");
        return 1;
    }
    const int result = close ? Close(display, window) : cover ? Cover(display, window) : Grab(display, window, argv[3]);
    XCloseDisplay(display);
    return result;
}
