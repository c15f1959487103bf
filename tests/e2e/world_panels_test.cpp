// The world editor's panels by mouse on a new game: a rectangle of tiles is
// textured from the image picker (by its tenth picture, in the top right
// corner of the window) and raised, a skybox face is given an
// image, an object is widened and turned and given a logic macro; a playtest
// runs the macro's rules, and the saved map.cfg and logic.cfg hold it all.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/harness.h"
#include "tests/e2e/step_fixture.h"

namespace {

const char* const title = "Quorvane World Panels";
const char* const game = "panels";
constexpr int frontEndCreateTextbox = 2;

// The map lies to the upper left of the new game's editor camera (its x runs leftwards).
constexpr int firstTileX = 300, firstTileY = 250, secondTileX = 200, secondTileY = 150;
// Tile panel, picker and skybox panel controls.
constexpr int tileImageX = 190, tileImageY = 512, heightUpX = 199, heightUpY = 582;
constexpr int skyboxX = 421, skyboxY = 512, backFaceX = 600, backFaceY = 120;
// The picker's cells: the tenth picture of its first row (image 9), at the
// top right of the picker, and image 5.
constexpr int cellY = 60, tileImageCellX = 690, faceImageCellX = 450;
constexpr int closeX = 730, closeY = 410;
// Toolbar, object panel and macro menu controls.
constexpr int toolbarX = 30, saveY = 80, addObjectY = 350;
constexpr int widthUpX = 298, widthUpY = 512, rotYUpX = 628, rotYUpY = 547;
constexpr int macroMenuX = 740, macroMenuY = 584, rpgMacroX = 110, rpgMacroY = 70;

constexpr e2e::Region panel{0, 462, 690, 600};
constexpr e2e::Region view{60, 30, 800, 455};  // the map, and the pickers over it

std::vector<std::string> words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

class WorldPanels : public e2e::StepFixture {};

TEST_F(WorldPanels, TilesSkyboxObjectAndMacroAreEditedPlayedAndSaved)
{
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0));
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.usePlainSplash();
    ASSERT_TRUE(app.start(title));
    const e2e::MenuFile front(app.path("system/ui.cfg"));
    ASSERT_TRUE(app.leaveSplash(400, 580).valid());
    int x = 0, y = 0;
    front.textbox(0, frontEndCreateTextbox, x, y);
    ASSERT_TRUE(app.click(x, y) && app.type(game) && app.key("Return"));
    ASSERT_TRUE(app.waitForScreen(e2e::welcomeCheckmarkShown).valid());
    ASSERT_TRUE(app.click(e2e::welcomeCheckmarkX, e2e::welcomeCheckmarkY));
    shown = app.waitForRest([](const e2e::Image& s) { return !e2e::welcomeCheckmarkShown(s); }, panel);
    ASSERT_TRUE(shown.valid());

    // A rectangle of tiles: the picker's tenth picture, then two steps up.
    ASSERT_TRUE(clickChanges(firstTileX, firstTileY, panel));
    ASSERT_TRUE(clickChanges(secondTileX, secondTileY, view, 3));
    ASSERT_TRUE(clickChanges(tileImageX, tileImageY, view));
    ASSERT_TRUE(clickChanges(tileImageCellX, cellY, view));
    ASSERT_TRUE(clickChanges(closeX, closeY, view));
    ASSERT_TRUE(clickChanges(heightUpX, heightUpY, view));
    ASSERT_TRUE(clickChanges(heightUpX, heightUpY, view));

    // The back face of the skybox takes image 5.
    ASSERT_TRUE(clickChanges(skyboxX, skyboxY, view));
    ASSERT_TRUE(clickChanges(backFaceX, backFaceY, view));
    ASSERT_TRUE(clickChanges(faceImageCellX, cellY, view));
    ASSERT_TRUE(clickChanges(closeX, closeY, view));

    // An object, wider and turned, with the RPG player's rules.
    ASSERT_TRUE(clickChanges(toolbarX, addObjectY, panel));
    ASSERT_TRUE(clickChanges(widthUpX, widthUpY, view));
    ASSERT_TRUE(clickChanges(rotYUpX, rotYUpY, view));
    ASSERT_TRUE(clickChanges(macroMenuX, macroMenuY, view));
    ASSERT_TRUE(clickChanges(rpgMacroX, rpgMacroY, view));

    // In a playtest the right arrow moves the object on: the macro's rules
    // kill it and spawn it one step ahead while the key is held.
    ASSERT_TRUE(app.key("F5"));
    shown = app.waitForRest(e2e::playtestBannerShown, view);
    ASSERT_TRUE(shown.valid());
    ASSERT_TRUE(app.xdotool("keydown Right"));
    const bool moved = changes(view);
    ASSERT_TRUE(app.xdotool("keyup Right"));
    EXPECT_TRUE(moved);
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen([](const e2e::Image& s) { return !e2e::playtestBannerShown(s); }).valid());

    ASSERT_TRUE(app.click(toolbarX, saveY));
    ASSERT_TRUE(app.waitForLog("The project has been successfully saved."));
    const std::string folder = std::string("games/") + game + "/system/";
    const std::string map = app.readFile(folder + "map.cfg"), logic = app.readFile(folder + "logic.cfg");

    const std::regex texturedTile("f map0tile(\\d+)_(\\d+) 9\n");
    int textured = 0;
    for (std::sregex_iterator t(map.begin(), map.end(), texturedTile), end; t != end; ++t, ++textured) {
        const std::string height = "f map0tile" + (*t)[1].str() + "_" + (*t)[2].str() + "h 0.6\n";
        EXPECT_NE(map.find(height), std::string::npos) << height;
    }
    EXPECT_GE(textured, 2);
    EXPECT_NE(map.find("s map0sky 0 0 5 0 0 0\n"), std::string::npos);
    std::smatch line;
    ASSERT_TRUE(std::regex_search(map, line, std::regex("s map0object0 ([^\n]*)\n")));
    const std::vector<std::string> object = words(line[1].str());  // x y z w h d tex layer ... roty rotz
    ASSERT_EQ(object.size(), 17u);
    EXPECT_EQ(object[3], "1.1");
    EXPECT_EQ(object[15], "10");
    EXPECT_NE(logic.find("f map0object0sentencecount 6\n"), std::string::npos);
    EXPECT_NE(logic.find("s map0object0sentence0 104 0 300 400 0 600 710 0"), std::string::npos);
    EXPECT_NE(logic.find("s map0object0sentence5 128 0 300 400 0 600 725 0"), std::string::npos);
}

}  // namespace
