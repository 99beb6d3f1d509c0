// The controls file read over the defaults, with the backend's own key and button names.
#include <gtest/gtest.h>

#include "platform/common/controls.h"
#include "platform/dx.h"
#include "platform/sdl/backend.h"

namespace {

std::string Keys(const ActionControls& action) {
    std::string keys;
    for (const std::string& key : action.keys) keys += (keys.empty() ? "" : "|") + key;
    return keys + " @" + action.origin;
}

TEST(Controls, LinesOverTheDefaultsAndOneMessageForEachBadLine) {
    const std::string up = "Up|Keypad 8|W|pad dpup @default";
    const struct {
        const char* text;
        std::string up, error;
    } cases[] = {
        {"up = I, keypad 8  # left hand\r\n", "I|keypad 8 @f:1", ""},
        {"\n  # nothing\ndown = K\nup=pad Start", "pad Start @f:4", ""},
        {"jump = X", up, "f:1: unknown action 'jump'"},
        {"up = I, Nowhere", up, "f:1: unknown key 'Nowhere'"},
        {"up = I,\nup = pad z", up, "f:1: a key name is missing|f:2: unknown key 'pad z'"},
        {"up I", up, "f:1: expected ACTION = KEY, KEY, ..."},
        {"lang = en\nup = I", "I @f:2", ""},
    };
    for (const auto& c : cases) {
        Controls controls = DefaultControls();
        std::vector<std::string> errors;
        ReadControls(c.text, "f", KnownControlName, controls, errors);
        std::string error;
        for (const std::string& e : errors) error += (error.empty() ? "" : "|") + e;
        EXPECT_EQ(Keys(controls[ACTION_UP]), c.up) << c.text;
        EXPECT_EQ(error, c.error) << c.text;
    }
    EXPECT_EQ(LanguageLine("up = I\n lang = en  # English\n") + LanguageLine("up = I"), "en");
    EXPECT_EQ(ControlsFilePath("relative", "/h"), "/h/.config/quarnel/controls.txt");
    EXPECT_EQ(ControlsFilePath("/x", "/h"), "/x/quarnel/controls.txt");
}

// Every default name is one SDL knows, and a key named for two actions means both.
TEST(Controls, DefaultsAllBoundAndSharedKeysMeanEveryAction) {
    Controls controls = DefaultControls();
    size_t names = 0;
    for (const ActionControls& action : controls) names += action.keys.size();
    EXPECT_EQ(BindControls(controls).size(), names);
    controls[ACTION_GIVEUP].keys = {"Up"};
    const BoundInput up = BindControls(controls)[0];
    EXPECT_EQ(up.padBits, PAD_INPUT_UP);
    EXPECT_EQ(up.keyCodes, std::vector<int>{KEY_INPUT_E});
}

// The default start keys act as they always did: Return and Keypad Enter leave the result screens,
// Z and Space only start; the pad's south button, and any key the player binds to start, do both.
TEST(Controls, StartKeysKeepTheirMeaningUntilThePlayerBindsThem) {
    Controls controls = DefaultControls();
    const auto meaning = [&](size_t key) {
        const BoundInput input = BindControls(controls)[ACTION_START * 4 + key];
        return std::to_string(input.padBits) + "/" + std::to_string(input.keyCodes.size());
    };
    EXPECT_EQ(meaning(0) + " " + meaning(1) + " " + meaning(2) + " " + meaning(3) + " " + meaning(4),
              "0/1 0/1 16/0 16/0 16/1");
    std::vector<std::string> errors;
    ReadControls("start = Z", "f", KnownControlName, controls, errors);
    EXPECT_EQ(meaning(0), "16/1");
}

}  // namespace
