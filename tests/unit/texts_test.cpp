// The screen texts' catalogues as built: complete for what the screens draw, and English that fits.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "frame/game.h"
#include "frame/texts.h"
#include "platform/fake/fake_dx.h"
#include "play/result_screen.h"
#include "title/title_screen.h"

namespace {

// Each catalogue has every text the title (re-seeded) and the result screen draw; in English no
// drawn text is left in Japanese, and none is wider than the Japanese it is drawn in place of.
TEST(Texts, EveryDrawnTextInEachCatalogueAndNoWiderThanItsSource) {
    static Game game;
    for (const std::string language : {"ja", "en"}) {
        Catalogue catalogue;
        std::ifstream file(QUARNEL_BUILD_DIR "/locale/" + language + ".mo", std::ios::binary);
        std::stringstream bytes;
        bytes << file.rdbuf();
        ASSERT_TRUE(catalogue.Parse(bytes.str())) << language;
        UseCatalogue(&catalogue);
        fake::Reset();
        fake::SetInputScriptText("1 r\n2 -\n1 return\n1 -");
        TitleScreen(game.title, game.random, 1, game.images);
        fake::SetInputScriptText("1 escape");
        ResultScreen(game.maze, {1, 0, 1, 1'000, false}, GraphHandle{}, game.images);
        UseCatalogue(nullptr);
        EXPECT_EQ(catalogue.Missing(), std::vector<std::string>{}) << language;
        for (const fake::Call& c : fake::Calls())
            EXPECT_TRUE(language == "ja" || c.text.find_first_of("\xE3\xE4\xE5\xE6\xE7\xE8\xE9") == std::string::npos)
                << c.text;
        for (const auto& [source, text] : catalogue.Entries()) EXPECT_LE(TextWidth(text), TextWidth(source)) << text;
    }
    EXPECT_FALSE(Catalogue().Parse("not a catalogue at all"));
}

}  // namespace
