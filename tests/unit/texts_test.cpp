// The screen texts' catalogues as built: complete for what the screens draw, and English that fits.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/texts.h"
#include "frame/game.h"
#include "platform/fake/fake_dx.h"
#include "play/result_screen.h"
#include "title/title_screen.h"

namespace {

std::string CatalogueBytes(const std::string& language) {
    std::ifstream file(QUARNEL_BUILD_DIR "/locale/" + language + ".mo", std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Each catalogue has every text the title (re-seeded) and the result screen draw; in English no
// drawn text is left in Japanese, and none is wider than the Japanese it is drawn in place of.
TEST(Texts, EveryDrawnTextInEachCatalogueAndNoWiderThanItsSource) {
    static Game game;
    for (const std::string language : {"ja", "en"}) {
        Catalogue catalogue;
        ASSERT_TRUE(catalogue.Parse(CatalogueBytes(language))) << language;
        UseCatalogue(&catalogue);
        fake::Reset();
        fake::SetInputScriptText("1 r\n2 -\n1 return\n1 -");
        TitleScreen(game.title, game.random, 1, game.images);
        fake::SetInputScriptText("1 escape");
        ResultScreen(game.maze, {1, 0, 1, 1'000, false}, Scores{}, GraphHandle{}, game.images);
        UseCatalogue(nullptr);
        EXPECT_EQ(catalogue.Missing(), std::vector<std::string>{}) << language;
        for (const fake::Call& c : fake::Calls())
            EXPECT_TRUE(language == "ja" || c.text.find_first_of("\xE3\xE4\xE5\xE6\xE7\xE8\xE9") == std::string::npos)
                << c.text;
        for (const auto& [source, text] : catalogue.Entries()) EXPECT_LE(TextWidth(text), TextWidth(source)) << text;
    }
}

// A damaged catalogue is refused, and a translation that would print other values is left out.
TEST(Texts, DamagedCatalogueRefusedAndMismatchedFormatLeftOut) {
    std::string bytes = CatalogueBytes("en");
    EXPECT_FALSE(Catalogue().Parse("not a catalogue at all"));
    EXPECT_FALSE(Catalogue().Parse(bytes.substr(0, bytes.size() - 8)));
    bytes.replace(bytes.find("Distance % 6.1f"), 15, "Distance % 6.1s");
    Catalogue catalogue;
    ASSERT_TRUE(catalogue.Parse(bytes));
    EXPECT_STREQ(catalogue.Translate("距離得点 % 6.1f"), "距離得点 % 6.1f");
    EXPECT_STREQ(catalogue.Translate("済"), "OK");
}

}  // namespace
