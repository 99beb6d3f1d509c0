// The calls the game makes to the outside world: window, drawing, text, input, clock, models.
// Game code includes this header and nothing else from the platform. Two libraries implement it:
// platform/sdl (the real game) and platform/fake (tests and headless tools).
//
// Pictures and models are named by handles of their own types; a failed load gives the empty
// handle, and every call takes it (or a handle whose picture or model was released) and does
// nothing. Colours are 0x00RRGGBB. Text is UTF-8. Arguments the game passes but this library does
// not need (flags such as notUse3DFlag) are kept as the game's calls have them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The screen the game draws on, whatever the size of the window that shows it.
inline constexpr int SCREEN_WIDTH = 800;
inline constexpr int SCREEN_HEIGHT = 400;

// Draw-screen names and key codes the game uses.
inline constexpr int DX_SCREEN_BACK = -2;
inline constexpr int DX_INPUT_KEY_PAD1 = 0x1001;
inline constexpr int KEY_INPUT_ESCAPE = 1;
inline constexpr int KEY_INPUT_E = 18;
inline constexpr int KEY_INPUT_R = 19;
inline constexpr int KEY_INPUT_RETURN = 28;

// Bits of dxGetJoypadInputState(DX_INPUT_KEY_PAD1).
inline constexpr int PAD_INPUT_DOWN = 0x1;
inline constexpr int PAD_INPUT_LEFT = 0x2;
inline constexpr int PAD_INPUT_RIGHT = 0x4;
inline constexpr int PAD_INPUT_UP = 0x8;
inline constexpr int PAD_INPUT_1 = 0x10;

// A picture (graph) and a model made by the library. id -1 names nothing.
struct GraphHandle {
    int id = -1;
    bool operator==(const GraphHandle&) const = default;
};
struct ModelHandle {
    int id = -1;
    bool operator==(const ModelHandle&) const = default;
};

// Three single-precision floats, as the 3-D calls take them.
struct VECTOR {
    float x = 0, y = 0, z = 0;
};

// Window life. The set-up calls take effect when the window opens; the window is always a window
// of the screen's size scaled by the size rate, shown at 60 frames a second.
int dxChangeWindowMode(int windowed);
int dxSetGraphMode(int width, int height, int colourBits, int refreshRate);
int dxSetWindowSizeExtendRate(double rate);
int dxSetMainWindowText(const char* text);
int dxSetWindowIconID(int id);
// Opens the window with everything drawn in it (OpenGL 3.3, text, models) and starts reading input;
// below 0, and nothing open, when that cannot be had.
int dxOpenWindow();
int dxCloseWindow();     // releases everything dxOpenWindow made
int dxProcessMessage();  // non-zero once the window is closed

// Screens and images. Drawing goes to an 800 x 400 screen that dxScreenFlip shows.
int dxSetDrawScreen(int screen);
int dxClearDrawScreen();
int dxScreenFlip();  // shows the screen and paces the game at 60 frames a second
int dxSetTransColor(int red, int green, int blue);
GraphHandle dxLoadGraph(const char* file, int notUse3DFlag);
// Fills handles[0..count) with the cells, left to right, top to bottom; 0, or -1 with every handle
// empty.
int dxLoadDivGraph(const char* file, int count, int columns, int rows, int cellWidth, int cellHeight,
                   GraphHandle* handles, int notUse3DFlag);
GraphHandle dxMakeGraph(int width, int height, int notUse3DFlag);
int dxDeleteGraph(GraphHandle image);
// The image then draws as the area did, except that a whole-screen copy made right after dxClearDrawScreen with only
// models drawn may keep them: the image drawn whole and untinted draws them afresh at that size, finer than shrunk.
int dxGetDrawScreenGraph(int x1, int y1, int x2, int y2, GraphHandle image, int useClientFlag);
int dxDrawGraph(int x, int y, GraphHandle image, int transFlag);
int dxDrawRectGraph(int destX, int destY, int srcX, int srcY, int width, int height, GraphHandle image, int transFlag,
                    int turnFlag);
int dxDrawExtendGraph(int x1, int y1, int x2, int y2, GraphHandle image, int transFlag);
int dxDrawBox(int x1, int y1, int x2, int y2, unsigned colour, int fillFlag);  // right, bottom excluded
unsigned dxGetColor(int red, int green, int blue);

// Text in the 16-pixel Japanese-capable font.
int dxDrawString(int x, int y, const char* text, unsigned colour, unsigned edgeColour);
int dxDrawFormatString(int x, int y, unsigned colour, const char* format, ...) __attribute__((format(printf, 4, 5)));

// Input, clock and chance. Every read of one pass of a screen loop (from one flip to the next, or
// one dxProcessMessage to the next where a loop polls without flipping) sees the same input, taken
// at the pass's first read or dxProcessMessage.
int dxGetJoypadInputState(int inputType);
int dxCheckHitKey(int keyCode);
// Says which inputs (joypad bits, key codes) the game acts on when they are let go, rather than
// while held; called once before the window opens. Such an input held through a focus change reads
// held until it is let go in the window, so that leaving the window never acts for the player.
int dxSetActOnRelease(int padBits, const std::vector<int>& keyCodes);
int dxGetNowCount(int useRdtscFlag);  // milliseconds of a steady clock
int dxGetRand(int maxValue);          // 0..maxValue, each equally likely
uint32_t dxGetSystemTickCount();      // milliseconds since the system started, for re-seeding

// 3-D: Metasequoia models drawn frame by frame, a perspective camera and one point light.
ModelHandle dxMV1LoadModel(const char* file);
int dxMV1DeleteModel(ModelHandle model);
int dxMV1SetPosition(ModelHandle model, VECTOR position);
int dxMV1DrawFrame(ModelHandle model, int frame);
int dxSetCameraPositionAndTarget_UpVecY(VECTOR position, VECTOR target);
int dxSetupCamera_Perspective(float fieldOfView);  // the vertical angle; the 2:1 screen widens it
int dxSetLightDirection(VECTOR direction);
int dxChangeLightTypePoint(VECTOR position, float range, float atten0, float atten1, float atten2);

// The player's own file `name` (records.txt): $XDG_DATA_HOME/quarnel/name, by default under
// ~/.local/share. "" in a replay, which leaves the player's files alone, or when there is no home.
std::string dxPlayerFilePath(const char* name);

// The game's own files, named relative to the working folder ("res/...", "QUARNEL_ini.txt"): the
// path to open is the working folder's copy when there is one, else the installed copy. The picture
// and model calls look their files up this way themselves.
std::string dxResolveDataPath(const char* name);

// Start-up option from the command line, set before the window opens: take all input from an
// input script and run on its virtual clock, unpaced. On a malformed script returns false with a
// message.
bool dxUseReplayScript(const char* path, std::string& error);
// Start-up option: play live and write an input script of the run as play goes, which
// dxUseReplayScript plays back to the same run. False with a message when the file cannot be written.
bool dxRecordInputScript(const char* path, std::string& error);
// A value the run starts from that its replay must start from too: "seed" (the maze generator's
// first seed, a number) and "best" (the best totals the title shows, as "98.1 -"). Live play
// returns `live`, keeping it in a script being recorded; a replay returns its script's value, or
// `live` when the script has none.
std::string dxStartValue(const char* name, const std::string& live);
// The player's controls as a controls file writes them, with the file they came from; the file's
// bad lines are said on stderr.
std::string dxDescribeControls();
// The language the player's controls file asks the screen texts in ("lang = en"); "" for the game's own.
std::string dxPreferredLanguage();
// When the window closes, print one line of play frame times and draw calls on standard output.
void dxEnableFrameStats();
