// Drives the real drawing calls from commands on standard input, for the end-to-end tests. One
// command a line:
//   load FILE                     prints "model H" (H is -1 when the load fails)
//   delete H
//   camera EX EY EZ TX TY TZ      dxSetCameraPositionAndTarget_UpVecY
//   fov A                         dxSetupCamera_Perspective
//   light X Y Z RANGE A0 A1 A2    dxChangeLightTypePoint
//   direction X Y Z               dxSetLightDirection
//   draw H F                      dxMV1DrawFrame; prints "draw R" with its result
//   box X1 Y1 X2 Y2 RRGGBB        dxDrawBox, filled
//   trans RRGGBB                  dxSetTransColor
//   picture FILE                  dxLoadGraph; prints "graph H"
//   make W H                      dxMakeGraph; prints "graph H"
//   grab X1 Y1 X2 Y2 H            dxGetDrawScreenGraph
//   graph H X Y T                 dxDrawGraph with transparency flag T
//   extend H X1 Y1 X2 Y2 T        dxDrawExtendGraph
//   clear                         dxClearDrawScreen
//   shot FILE.png                 saves the screen, prints "calls N" (GL draws since the last
//                                 shot), then shows it
#include <SDL2/SDL_image.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

void SaveShot(const std::string& file) {
    Backend& b = TheBackend();
    std::vector<uint8_t> rgb = b.renderer.ReadScreen();
    std::printf("calls %d\n", b.renderer.TakeDrawCalls());
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(rgb.data(), SCREEN_WIDTH, SCREEN_HEIGHT, 24,
                                                              SCREEN_WIDTH * 3, SDL_PIXELFORMAT_RGB24);
    if (!surface || IMG_SavePNG(surface, file.c_str()) != 0) std::printf("cannot save %s\n", file.c_str());
    SDL_FreeSurface(surface);
    dxScreenFlip();
}

VECTOR Vector(std::istringstream& in) {
    VECTOR v;
    in >> v.x >> v.y >> v.z;
    return v;
}

void Run(const std::string& command, std::istringstream& in) {
    int h = -1, f = 0, x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::string word;
    if (command == "load") {
        in >> word;
        std::printf("model %d\n", dxMV1LoadModel(word.c_str()).id);
    } else if (command == "delete" && in >> h) {
        dxMV1DeleteModel({h});
    } else if (command == "camera") {
        const VECTOR eye = Vector(in);
        dxSetCameraPositionAndTarget_UpVecY(eye, Vector(in));
    } else if (command == "fov") {
        float a = 0;
        in >> a;
        dxSetupCamera_Perspective(a);
    } else if (command == "light") {
        const VECTOR p = Vector(in);
        float range = 0, a0 = 0, a1 = 0, a2 = 0;
        in >> range >> a0 >> a1 >> a2;
        dxChangeLightTypePoint(p, range, a0, a1, a2);
    } else if (command == "direction") {
        dxSetLightDirection(Vector(in));
    } else if (command == "draw" && in >> h >> f) {
        std::printf("draw %d\n", dxMV1DrawFrame({h}, f));
    } else if (command == "box" && in >> x1 >> y1 >> x2 >> y2 >> word) {
        dxDrawBox(x1, y1, x2, y2, unsigned(std::stoul(word, nullptr, 16)), 1);
    } else if (command == "trans" && in >> word) {
        const unsigned c = unsigned(std::stoul(word, nullptr, 16));
        dxSetTransColor(int(c >> 16), int((c >> 8) & 0xFF), int(c & 0xFF));
    } else if (command == "picture" && in >> word) {
        std::printf("graph %d\n", dxLoadGraph(word.c_str(), 0).id);
    } else if (command == "make" && in >> x1 >> y1) {
        std::printf("graph %d\n", dxMakeGraph(x1, y1, 0).id);
    } else if (command == "grab" && in >> x1 >> y1 >> x2 >> y2 >> h) {
        dxGetDrawScreenGraph(x1, y1, x2, y2, {h}, 1);
    } else if (command == "graph" && in >> h >> x1 >> y1 >> f) {
        dxDrawGraph(x1, y1, {h}, f);
    } else if (command == "extend" && in >> h >> x1 >> y1 >> x2 >> y2 >> f) {
        dxDrawExtendGraph(x1, y1, x2, y2, {h}, f);
    } else if (command == "clear") {
        dxClearDrawScreen();
    } else if (command == "shot" && in >> word) {
        SaveShot(word);
    } else {
        std::printf("bad command: %s\n", command.c_str());
    }
}

}  // namespace

int main() {
    dxSetMainWindowText("QUARNEL model probe");
    if (dxOpenWindow() < 0) return 1;
    dxSetDrawScreen(DX_SCREEN_BACK);
    std::string line;
    while (std::getline(std::cin, line)) {
        std::istringstream in(line);
        std::string command;
        if (!(in >> command) || command[0] == '#') continue;
        Run(command, in);
        std::fflush(stdout);
    }
    dxCloseWindow();
    return 0;
}
