// A small map built with the world editor's mouse and keys on the bundled
// data: in a new game a second map is created, left and entered again by the
// map switcher, renamed, given an object and fog, copied as a third map that
// is then deleted through its dialog, and the project is saved with the
// toolbar's icon; the saved map.cfg holds each change.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"
#include "tests/e2e/step_fixture.h"

namespace {

const char* const title = "Quorvane World Editor";
const char* const game = "e2eworld";
constexpr int frontEndCreateTextbox = 2;
// The welcome panel's checkmark and the dialog's first button show the OK
// image, which the test makes plain green.
constexpr int checkmarkX = 700, checkmarkY = 523, dialogOkX = 300, dialogOkY = 370;

// Toolbar icons and panel controls of the world editor's screen.
constexpr int toolbarX = 30, saveY = 80, editMapY = 185, newMapY = 215, deleteMapY = 245, fogY = 275, addObjectY = 350;
constexpr int widthFieldX = 175, heightFieldX = 245, newMapFieldsY = 535, copyMapX = 160, copyMapY = 570;
constexpr int nameFieldX = 350, nameFieldY = 510;
constexpr int nextMapX = 715, previousMapX = 755, mapButtonY = 530;
constexpr int fogToggleX = 145, fogToggleY = 512, densityUpX = 118, densityUpY = 547;

constexpr e2e::Region panel{0, 462, 690, 600};     // the bottom panel, left of the map switcher
constexpr e2e::Region mapLine{690, 545, 800, 570};  // the current map's number and name
constexpr e2e::Region fogHeader{0, 475, 690, 495};
constexpr e2e::Region dialogText{200, 180, 600, 300};

bool greenAt(const e2e::Image& s, int x, int y)
{
    const std::array<int, 3> p = s.at(x, y);
    return p[0] < 40 && p[1] > 215 && p[2] < 40;
}
bool checkmarkShown(const e2e::Image& s)
{
    return greenAt(s, checkmarkX, checkmarkY) && greenAt(s, checkmarkX - 20, checkmarkY + 20);
}

class WorldEditorMap : public e2e::StepFixture {
protected:
    bool typeInto(int x, int y, const std::string& text) { return app.click(x, y) && app.type(text); }
};

TEST_F(WorldEditorMap, MapsObjectsAndFogAreBuiltAndSaved)
{
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0));
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    app.usePlainSplash();
    ASSERT_TRUE(app.start(title));
    const e2e::MenuFile front(app.path("system/ui.cfg"));
    ASSERT_TRUE(app.leaveSplash(400, 580).valid());
    int x = 0, y = 0;
    front.textbox(0, frontEndCreateTextbox, x, y);
    ASSERT_TRUE(typeInto(x, y, game));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForScreen(checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    shown = app.waitForRest([](const e2e::Image& s) { return !checkmarkShown(s); }, panel);
    ASSERT_TRUE(shown.valid());

    // A second map of 6 x 4 tiles, made current by Enter in its height field.
    ASSERT_TRUE(clickChanges(toolbarX, newMapY, panel));
    ASSERT_TRUE(typeInto(widthFieldX, newMapFieldsY, "6"));
    ASSERT_TRUE(typeInto(heightFieldX, newMapFieldsY, "4"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(changes(mapLine));
    const e2e::Image secondMap = shown;
    ASSERT_TRUE(clickChanges(previousMapX, mapButtonY, mapLine));
    ASSERT_TRUE(clickChanges(nextMapX, mapButtonY, mapLine));
    EXPECT_TRUE(e2e::sameIn(shown, secondMap, mapLine));

    ASSERT_TRUE(clickChanges(toolbarX, editMapY, panel));
    ASSERT_TRUE(typeInto(nameFieldX, nameFieldY, "Meadow"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(changes(mapLine));

    ASSERT_TRUE(clickChanges(toolbarX, addObjectY, panel));
    ASSERT_TRUE(clickChanges(toolbarX, fogY, panel));
    ASSERT_TRUE(clickChanges(fogToggleX, fogToggleY, fogHeader));
    ASSERT_TRUE(clickChanges(densityUpX, densityUpY, fogHeader));
    ASSERT_TRUE(clickChanges(densityUpX, densityUpY, fogHeader));

    // A copy of it as a third map, deleted again through the dialog.
    ASSERT_TRUE(clickChanges(toolbarX, newMapY, panel));
    ASSERT_TRUE(clickChanges(copyMapX, copyMapY, mapLine));
    ASSERT_TRUE(clickChanges(toolbarX, deleteMapY, dialogText));
    ASSERT_TRUE(greenAt(shown, dialogOkX, dialogOkY));
    ASSERT_TRUE(clickChanges(dialogOkX, dialogOkY, mapLine));

    ASSERT_TRUE(app.click(toolbarX, saveY));
    ASSERT_TRUE(app.waitForLog("The project has been successfully saved."));
    const std::string saved = app.readFile(std::string("games/") + game + "/system/map.cfg");
    const auto has = [&saved](const std::string& line) { return saved.find(line + "\n") != std::string::npos; };
    EXPECT_TRUE(has(std::string("s map0name ") + game));
    EXPECT_TRUE(has("f map1w 6") && has("f map1h 4") && has("s map1name Meadow"));
    EXPECT_FALSE(has("s map1object0 endObjectLoad"));
    EXPECT_TRUE(has("s map1object1 endObjectLoad"));
    EXPECT_TRUE(has("f map1fog 1") && has("f map1fogdensity 0.2"));
    EXPECT_TRUE(has("s map2 endMapLoad"));
}

}  // namespace
