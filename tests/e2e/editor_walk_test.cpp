// A newcomer's way through the editors on the bundled data with the mouse and
// keys alone: the last game edited opens from the front end in the world
// editor's hub, then its world; F5 starts a playtest, the player walks, Escape
// returns to the editor, and a second playtest starts exactly as the first
// (the walk left no trace in the world); the editor is left through its hub
// and dialog, and a game typed into the front end's textbox is created in
// the world editor.
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Editor Walk";

constexpr int funcOpenDialog = 4, funcLoadGameEditor = 9, funcEditGame = 11, funcEditMenu = 12;
constexpr int dialogLeaveEditor = 2;
constexpr int textGameToEdit = 1, textboxGameToCreate = 2;
// A click on nothing of the front end's splash.
constexpr int emptyX = 400, emptyY = 580;
// The welcome panel's checkmark and the dialog's first button, both drawn with
// the OK image, which the test makes plain green.
constexpr int checkmarkX = 700, checkmarkY = 523;
constexpr int dialogOkX = 300, dialogOkY = 370;

using region = e2e::Region;
constexpr region whole = e2e::wholeWindow;
constexpr region banner{6, 12, 580, 28};  // the playtest banner's line of text
constexpr region ground{0, 480, 800, 600};  // below the player, clear of its phrase and score

bool greenAt(const e2e::Image& s, int x, int y)
{
    const std::array<int, 3> p = s.at(x, y);
    return p[0] < 40 && p[1] > 215 && p[2] < 40;
}

bool checkmarkShown(const e2e::Image& s)
{
    return greenAt(s, checkmarkX, checkmarkY) && greenAt(s, checkmarkX - 20, checkmarkY + 20);
}

bool bannerShown(const e2e::Image& s)
{
    int white = 0;
    for (int y = banner.y0; y < banner.y1; ++y)
        for (int x = banner.x0; x < banner.x1; ++x) {
            const std::array<int, 3> p = s.at(x, y);
            white += p[0] > 240 && p[1] > 240 && p[2] > 240;
        }
    return white > 100;
}

class EditorWalk : public ::testing::Test {
protected:
    e2e::App app;
    void SetUp() override
    {
        app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0) + "s lastGameEdited sample\n");
        app.copyFixture("images/font_green.png", "uireq/ok.png");
        ASSERT_TRUE(app.start(title));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    }
    static e2e::ScreenTest unlike(const e2e::Image& before)
    {
        return [&before](const e2e::Image& s) { return !e2e::sameIn(s, before, whole); };
    }
    static e2e::ScreenTest like(const e2e::Image& shown, const region& r)
    {
        return [&shown, r](const e2e::Image& s) { return e2e::sameIn(s, shown, r); };
    }
    // The playtest at rest below the player.
    e2e::Image playtest() { return app.waitForRest(bannerShown, ground); }
};

TEST_F(EditorWalk, SampleGamePlaytestedLeftAndANewGameCreated)
{
    const e2e::MenuFile front(app.path("system/ui.cfg"));
    const e2e::MenuFile game(app.path("games/sample/system/ui.cfg"));
    const int hubMenu = game.number("editormainmenu"), editorMenu = game.number("editormenu");
    int x = 0, y = 0, w = 0, h = 0;

    const e2e::Image splash = app.waitForRest([](const e2e::Image&) { return true; });
    const e2e::Image frontEnd = app.clickUntil(emptyX, emptyY, unlike(splash));
    ASSERT_TRUE(frontEnd.valid());

    // The front end offers the last game edited; its button opens the hub.
    ASSERT_TRUE(front.button(0, funcLoadGameEditor, x, y, textGameToEdit));
    const e2e::Image hub = app.clickUntil(x, y, unlike(frontEnd));
    ASSERT_TRUE(hub.valid());
    EXPECT_TRUE(app.logHas("Game: sample has been loaded successfully."));

    // Edit World: the welcome panel, then the world under the editor menu.
    ASSERT_TRUE(game.button(hubMenu, funcEditGame, x, y));
    ASSERT_TRUE(app.clickUntil(x, y, checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    int menuX = 0, menuY = 0;  // the editor menu's way back to the hub
    ASSERT_TRUE(game.button(editorMenu, funcEditMenu, menuX, menuY, w, h));
    // The button's left end, clear of its label, whose edges let the world through.
    const region editorButton{menuX - w + 5, menuY - h + 8, menuX - w + 17, menuY + h - 8};
    const e2e::Image editor = app.waitForRest([](const e2e::Image& s) { return !checkmarkShown(s); }, editorButton);
    ASSERT_TRUE(editor.valid());
    ASSERT_FALSE(bannerShown(editor));

    // F5, a walk forward, Escape: back in the editor.
    ASSERT_TRUE(app.key("F5"));
    const e2e::Image firstTest = playtest();
    ASSERT_TRUE(firstTest.valid());
    ASSERT_TRUE(app.xdotool("keydown Up"));
    const bool walked =
        app.waitForScreen([&](const e2e::Image& s) { return !e2e::sameIn(s, firstTest, ground); }).valid();
    ASSERT_TRUE(app.xdotool("keyup Up"));
    ASSERT_TRUE(walked);
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, editorButton)).valid());

    // The edited world came back: a second playtest starts where the first did.
    ASSERT_TRUE(app.key("F5"));
    const e2e::Image secondTest = playtest();
    ASSERT_TRUE(secondTest.valid());
    EXPECT_TRUE(e2e::sameIn(secondTest, firstTest, ground));
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, editorButton)).valid());

    // Leave through the hub and its dialog, back to the front end.
    ASSERT_TRUE(app.clickUntil(menuX, menuY, like(hub, whole)).valid());
    ASSERT_TRUE(game.button(hubMenu, funcOpenDialog, x, y, dialogLeaveEditor));
    ASSERT_TRUE(app.clickUntil(x, y, [](const e2e::Image& s) { return greenAt(s, dialogOkX, dialogOkY); }).valid());
    ASSERT_TRUE(app.clickUntil(dialogOkX, dialogOkY, like(frontEnd, whole)).valid());

    // A new game's name and Enter: the new game in the world editor.
    front.textbox(0, textboxGameToCreate, x, y);
    ASSERT_TRUE(app.click(x, y));
    ASSERT_TRUE(app.type("newworld"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForLog("Game: newworld has been created successfully."));
    ASSERT_TRUE(app.waitForScreen(checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    EXPECT_TRUE(app.waitForScreen(like(editor, editorButton)).valid());
}

}  // namespace
