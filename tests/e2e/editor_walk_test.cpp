// A newcomer's way through the editors on the bundled data, mouse and keys
// alone: the last game edited opens from the front end in the editor's hub,
// then its world; F5 playtests, the player walks, Escape returns, and a second
// playtest starts as the first did (the walk left no trace in the world); the
// hub's dialog leaves the editor, and a name typed into the front end makes a
// new game in the world editor.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Editor Walk";
constexpr int funcOpenDialog = 4, funcLoadGameEditor = 9, funcEditGame = 11, funcEditMenu = 12;
constexpr int dialogLeaveEditor = 2, textGameToEdit = 1, textboxGameToCreate = 2;
// The welcome panel's checkmark and the dialog's first button show the OK
// image, which the test makes plain green.
constexpr int checkmarkX = e2e::welcomeCheckmarkX, checkmarkY = e2e::welcomeCheckmarkY;
constexpr int dialogOkX = 300, dialogOkY = 370;
constexpr e2e::Region ground{0, 480, 800, 600};  // below the player, clear of its phrase and score

using e2e::plainGreenAt;
const auto checkmarkShown = e2e::welcomeCheckmarkShown;
const auto bannerShown = e2e::playtestBannerShown;

e2e::ScreenTest unlikeIn(const e2e::Image& before, const e2e::Region& r = e2e::wholeWindow)
{
    return [&before, r](const e2e::Image& s) { return !e2e::sameIn(s, before, r); };
}
e2e::ScreenTest like(const e2e::Image& shown, const e2e::Region& r)
{
    return [&shown, r](const e2e::Image& s) { return e2e::sameIn(s, shown, r); };
}

TEST(EditorWalk, SampleGamePlaytestedLeftAndANewGameCreated)
{
    e2e::App app;
    app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0) + "s lastGameEdited sample\n");
    app.copyFixture("images/font_green.png", "uireq/ok.png");
    ASSERT_TRUE(app.start(title));
    const e2e::MenuFile front(app.path("system/ui.cfg")), game(app.path("games/sample/system/ui.cfg"));
    const int hubMenu = game.number("editormainmenu");
    int x = 0, y = 0, menuX = 0, menuY = 0, w = 0, h = 0;
    ASSERT_TRUE(game.button(game.number("editormenu"), funcEditMenu, menuX, menuY, w, h));
    const e2e::Region menuButton{menuX - w + 5, menuY - h + 8, menuX - w + 17, menuY + h - 8};  // clear of its label

    const e2e::Image splash = app.waitForRest([](const e2e::Image&) { return true; });
    const e2e::Image frontEnd = app.clickUntil(400, 580, unlikeIn(splash));
    ASSERT_TRUE(frontEnd.valid());
    ASSERT_TRUE(front.button(0, funcLoadGameEditor, x, y, textGameToEdit));
    const e2e::Image hub = app.clickUntil(x, y, unlikeIn(frontEnd));
    ASSERT_TRUE(hub.valid());
    EXPECT_TRUE(app.logHas("Game: sample has been loaded successfully."));
    ASSERT_TRUE(game.button(hubMenu, funcEditGame, x, y));
    ASSERT_TRUE(app.clickUntil(x, y, checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    const e2e::Image editor = app.waitForRest([](const e2e::Image& s) { return !checkmarkShown(s); }, menuButton);
    ASSERT_TRUE(editor.valid());
    ASSERT_FALSE(bannerShown(editor));

    ASSERT_TRUE(app.key("F5"));
    const e2e::Image firstTest = app.waitForRest(bannerShown, ground);
    ASSERT_TRUE(firstTest.valid());
    ASSERT_TRUE(app.xdotool("keydown Up"));
    const bool walked = app.waitForScreen(unlikeIn(firstTest, ground)).valid();
    ASSERT_TRUE(app.xdotool("keyup Up"));
    ASSERT_TRUE(walked);
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, menuButton)).valid());
    ASSERT_TRUE(app.key("F5"));
    const e2e::Image secondTest = app.waitForRest(bannerShown, ground);
    EXPECT_TRUE(e2e::sameIn(secondTest, firstTest, ground));
    ASSERT_TRUE(app.key("Escape"));
    ASSERT_TRUE(app.waitForScreen(like(editor, menuButton)).valid());

    ASSERT_TRUE(app.clickUntil(menuX, menuY, like(hub, e2e::wholeWindow)).valid());
    ASSERT_TRUE(game.button(hubMenu, funcOpenDialog, x, y, dialogLeaveEditor));
    ASSERT_TRUE(app.clickUntil(x, y, [](const e2e::Image& s) { return plainGreenAt(s, dialogOkX, dialogOkY); }).valid());
    ASSERT_TRUE(app.clickUntil(dialogOkX, dialogOkY, like(frontEnd, e2e::wholeWindow)).valid());

    front.textbox(0, textboxGameToCreate, x, y);
    ASSERT_TRUE(app.click(x, y));
    ASSERT_TRUE(app.type("newworld"));
    ASSERT_TRUE(app.key("Return"));
    ASSERT_TRUE(app.waitForLog("Game: newworld has been created successfully."));
    ASSERT_TRUE(app.waitForScreen(checkmarkShown).valid());
    ASSERT_TRUE(app.click(checkmarkX, checkmarkY));
    EXPECT_TRUE(app.waitForScreen(like(editor, menuButton)).valid());
}

}  // namespace
