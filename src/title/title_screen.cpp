#include "title/title_screen.h"

#include "core/colour.h"
#include "platform/dx.h"

namespace {

constexpr int COLOUR_CYAN = 5;
constexpr int COLOUR_YELLOW = 6;
constexpr int COLOUR_WHITE = 7;

// State of one visit; all of it starts at zero.
struct TitleVisit {
    uint8_t button1 = 0;
    uint8_t returnKey = 0;
    uint8_t rKey = 0;
    uint8_t up = 0;
    uint8_t down = 0;
    int rLineColour = COLOUR_WHITE;
};

// A start input counts on its release, never on its press.
bool StartReleased(TitleVisit& visit, int input) {
    if (!visit.button1 && (input & PAD_INPUT_1)) visit.button1 = 1;
    if (visit.button1 && !(input & PAD_INPUT_1)) return true;
    if (!visit.returnKey && dxCheckHitKey(KEY_INPUT_RETURN)) visit.returnKey = 1;
    return visit.returnKey && !dxCheckHitKey(KEY_INPUT_RETURN);
}

void HandleReseed(TitleVisit& visit, TitleOptions& options, Random& random) {
    if (!visit.rKey && dxCheckHitKey(KEY_INPUT_R)) visit.rKey = 1;
    if (visit.rKey && !dxCheckHitKey(KEY_INPUT_R)) {
        Randomize(random);
        options.reseeded = 1;
        visit.rLineColour = COLOUR_YELLOW;
        visit.rKey = 0;
    }
}

// Up and down choose on their press; down is tested after up, so it wins when both are new.
void HandleChoice(TitleVisit& visit, TitleOptions& options, int input) {
    if (!visit.up && (input & PAD_INPUT_UP)) {
        visit.up = 1;
        options.algorithmChoice = 0;
    }
    if (!visit.down && (input & PAD_INPUT_DOWN)) {
        visit.down = 1;
        options.algorithmChoice = 1;
    }
    if (visit.up && !(input & PAD_INPUT_UP)) visit.up = 0;
    if (visit.down && !(input & PAD_INPUT_DOWN)) visit.down = 0;
}

void DrawTitle(const TitleVisit& visit, const TitleOptions& options, int32_t stageNumber, const GameImages& images,
               const std::string& best) {
    const unsigned chosen = dxGetColor(255, 255, 255);
    const unsigned other = dxGetColor(128, 128, 128);
    const bool first = options.algorithmChoice == 0;
    dxClearDrawScreen();
    dxDrawGraph(175, 60, images.titleMaze, 1);
    dxDrawFormatString(280, 180, ColourByNumber(COLOUR_WHITE), "STAGE % 3d", stageNumber);
    dxDrawString(280, 220, "[↑]    DadiZider 1", first ? chosen : other, 0);
    dxDrawString(280, 240, "[↓]    DadiZider 2", first ? other : chosen, 0);
    dxDrawString(280, 260, "[R]     乱数の初期化(Randomize)", ColourByNumber(visit.rLineColour), 0);
    if (visit.rLineColour == COLOUR_YELLOW) dxDrawString(580, 260, "済", ColourByNumber(COLOUR_YELLOW), 0);
    dxDrawString(280, 300, "[Enter] ゲームを開始します", ColourByNumber(COLOUR_WHITE), 0);
    if (!best.empty()) dxDrawString(280, 340, best.c_str(), ColourByNumber(COLOUR_CYAN), 0);
    dxScreenFlip();
}

void ShowStartPicture(const GameImages& images) {
    dxClearDrawScreen();
    dxDrawGraph(255, 100, images.start, 1);
    dxScreenFlip();
}

}  // namespace

uint8_t TitleScreen(TitleOptions& options, Random& random, int32_t stageNumber, const GameImages& images,
                    const std::string& best) {
    TitleVisit visit;
    visit.rLineColour = options.reseeded ? COLOUR_YELLOW : COLOUR_WHITE;
    uint8_t result = TITLE_START;
    while (true) {
        const int input = dxGetJoypadInputState(DX_INPUT_KEY_PAD1);
        if (dxProcessMessage() != 0 || dxCheckHitKey(KEY_INPUT_ESCAPE)) {
            result = TITLE_QUIT;
            break;
        }
        if (StartReleased(visit, input)) break;
        HandleReseed(visit, options, random);
        HandleChoice(visit, options, input);
        DrawTitle(visit, options, stageNumber, images, best);
    }
    if (visit.button1 || visit.returnKey) ShowStartPicture(images);
    return result;
}
