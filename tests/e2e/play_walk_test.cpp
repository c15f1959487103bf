// A newcomer's walk on the bundled data with the mouse and the keys alone:
// a tool tip in the options menu shows only after its rest time; the game
// name is typed into the front end and the sample game loaded by its button;
// play starts from the game's menu and shows the map (its grass, which the
// menu does not show), the view follows the camera keys,
// Escape pauses and the in-game menu resumes, the game is left through its
// dialog, and the program quits from the quit dialog with status 0. Buttons
// are found by their function in the menu files, as the program reads them.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>

#include "tests/e2e/harness.h"

namespace {

const char* const title = "Quorvane Walk";

// Button functions the walk looks for.
constexpr int funcEnterGame = 16, funcLeaveIngameMenu = 14, funcOpenDialog = 4;
constexpr int funcLoadGame = 7, funcLoadMenu = 1, funcSoundOn = 23;
// The first button of a dialog box (its layout is fixed).
constexpr int dialogOkX = 300, dialogOkY = 370;
// Where a click lands on nothing of the splash or the game's first menu.
constexpr int emptyX = 400, emptyY = 580;
constexpr int toolTipRestMs = 1500;
constexpr int clickAttempts = 5;
constexpr int attemptMs = 3000;

using region = e2e::Region;
constexpr region whole = e2e::wholeWindow;
constexpr region crosshair{392, 292, 408, 308};

// The share of the window's pixels, sampled on a grid, that pass `test`.
template <typename predicate>
double share(const e2e::Image& shot, predicate test)
{
    int hits = 0, total = 0;
    for (int y = 0; y < shot.height; y += 10)
        for (int x = 0; x < shot.width; x += 10, ++total) hits += test(shot.at(x, y));
    return total ? static_cast<double>(hits) / total : 0.0;
}
bool grass(const std::array<int, 3>& p) { return p[1] > p[0] + 40 && p[1] > p[2] + 40 && p[1] > 110; }

class PlayWalk : public ::testing::Test {
protected:
    e2e::App app;
    void SetUp() override
    {
        app.writeFile("system/system.cfg", e2e::settingsFile(title, 0, 0));
        app.usePlainSplash();
        ASSERT_TRUE(app.start(title));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
    }
    // Play never comes to rest as a whole (animated tiles, the phrase box), so
    // a play screen is taken at rest over `still`, a region without them.
    e2e::Image settled(const e2e::ScreenTest& ready, int timeoutMs = 15000, const region& still = whole)
    {
        return app.waitForRest(ready, still, timeoutMs);
    }
    // The window at rest once it no longer shows `before`.
    e2e::Image changedFrom(const e2e::Image& before)
    {
        return settled([&](const e2e::Image& shot) { return !e2e::sameIn(shot, before, whole); });
    }
    e2e::Image clickUntil(int x, int y, const e2e::ScreenTest& ready, const region& still = whole)
    {
        return app.clickUntil(x, y, ready, still, clickAttempts, attemptMs);
    }
    e2e::Image clickAndWait(int x, int y, const e2e::Image& before, const region& still = whole)
    {
        return clickUntil(x, y, [&](const e2e::Image& shot) { return !e2e::sameIn(shot, before, whole); }, still);
    }
    // Clicks until the program has ended; its exit status.
    int clickUntilExit(int x, int y)
    {
        for (int attempt = 0; attempt < clickAttempts && app.running(); ++attempt) {
            app.click(x, y);
            const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(e2e::scaledMs(attemptMs));
            while (app.running() && std::chrono::steady_clock::now() < until)
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return app.waitExit();
    }
};

TEST_F(PlayWalk, FromTheFrontEndIntoPlayAndBackThenQuit)
{
    const e2e::MenuFile front(app.path("system/ui.cfg"));
    const e2e::MenuFile game(app.path("games/sample/system/ui.cfg"));
    int x = 0, y = 0, w = 0, h = 0;

    const e2e::Image menu = app.leaveSplash(emptyX, emptyY);
    ASSERT_TRUE(menu.valid());

    // A tool tip waits for the pointer to rest on the control.
    ASSERT_TRUE(front.button(0, funcLoadMenu, x, y, 1));
    const e2e::Image options = clickAndWait(x, y, menu);
    ASSERT_TRUE(options.valid());
    ASSERT_TRUE(front.button(1, funcSoundOn, x, y, w, h));
    const region button{x - w - 4, y - h - 4, x + w + 4, y + h + 4};  // grows by a tenth when hovered
    const region tip{x + 20, y + 36, x + 120, y + 52};
    const auto moved = std::chrono::steady_clock::now();
    app.xdotool("mousemove --window " + app.windowId() + " " + std::to_string(x) + " " + std::to_string(y));
    bool hoveredWithoutTip = false;
    const e2e::Image tipShown = app.waitForScreen([&](const e2e::Image& shot) {
        if (e2e::sameIn(shot, options, button)) return false;  // the hover has not been drawn yet
        if (e2e::sameIn(shot, options, tip)) hoveredWithoutTip = true;
        return !e2e::sameIn(shot, options, tip);
    });
    const auto restedMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - moved).count();
    ASSERT_TRUE(tipShown.valid());
    EXPECT_TRUE(hoveredWithoutTip);
    EXPECT_GE(restedMs, toolTipRestMs);

    // Back in the front end, type the game's name and load it.
    ASSERT_TRUE(front.button(1, funcLoadMenu, x, y, 0));
    const e2e::Image back = clickAndWait(x, y, tipShown);
    front.textbox(0, 0, x, y);
    app.click(x, y);
    app.type("sample");
    const region nameBox{x - 100, y - 8, x + 100, y + 8};
    ASSERT_TRUE(app.waitForScreen([&](const e2e::Image& s) { return !e2e::sameIn(s, back, nameBox); }).valid());
    ASSERT_TRUE(front.button(0, funcLoadGame, x, y));
    const char* const loaded = "Game: sample has been loaded successfully.";
    for (int attempt = 0; attempt < clickAttempts && !app.logHas(loaded); ++attempt) {
        app.click(x, y);
        app.waitForLog(loaded, attemptMs);
    }
    ASSERT_TRUE(app.waitForLog(loaded, 30000));

    // Past the game's splash to its first menu, and into play.
    app.click(emptyX, emptyY);
    const e2e::Image intro = settled([&](const e2e::Image& s) { return !e2e::sameIn(s, back, whole); });
    ASSERT_TRUE(intro.valid());
    const int firstMenu = game.number("intromenu");
    ASSERT_TRUE(game.button(firstMenu, funcEnterGame, x, y));
    ASSERT_TRUE(clickAndWait(x, y, intro, crosshair).valid());

    // The game plays in its overhead view, which shows the meadow's grass;
    // F6 turns to the editor camera, and F7 to the first-person one with its
    // crosshair.
    EXPECT_LT(share(intro, grass), 0.05);
    const auto showsMap = [](const e2e::Image& s) { return share(s, grass) > 0.25; };
    const e2e::Image overhead = settled(showsMap, 15000, crosshair);
    ASSERT_TRUE(overhead.valid()) << "the map did not appear";
    app.key("F6");
    const e2e::Image play =
        settled([&](const e2e::Image& s) { return !e2e::sameIn(s, overhead, crosshair); }, 15000, crosshair);
    ASSERT_TRUE(play.valid());
    app.key("F7");
    EXPECT_TRUE(app.waitForScreen([&](const e2e::Image& s) { return !e2e::sameIn(s, play, crosshair); }).valid());
    app.key("F6");
    EXPECT_TRUE(app.waitForScreen([&](const e2e::Image& s) { return e2e::sameIn(s, play, crosshair); }).valid());

    // Escape pauses; the in-game menu resumes; Escape again, and leave.
    app.key("Escape");
    const e2e::Image paused = changedFrom(play);
    ASSERT_TRUE(paused.valid());
    const int pauseMenu = game.number("ingamemenu");
    ASSERT_TRUE(game.button(pauseMenu, funcLeaveIngameMenu, x, y));
    const e2e::Image resumed = clickAndWait(x, y, paused, crosshair);
    ASSERT_TRUE(resumed.valid());
    EXPECT_TRUE(e2e::sameIn(resumed, play, crosshair));
    app.key("Escape");
    const e2e::Image pausedAgain = changedFrom(resumed);
    ASSERT_TRUE(pausedAgain.valid());
    ASSERT_TRUE(game.button(pauseMenu, funcOpenDialog, x, y));
    const e2e::Image leaveDialog = clickAndWait(x, y, pausedAgain);
    ASSERT_TRUE(leaveDialog.valid());

    // The front end again, its quit button where it was.
    ASSERT_TRUE(front.button(0, funcOpenDialog, x, y, w, h));
    const region quitButton{x - w, y - h, x + w, y + h};
    const e2e::Image left =
        clickUntil(dialogOkX, dialogOkY, [&](const e2e::Image& s) { return e2e::sameIn(s, menu, quitButton); });
    ASSERT_TRUE(left.valid());
    ASSERT_TRUE(clickAndWait(x, y, left).valid());
    EXPECT_EQ(clickUntilExit(dialogOkX, dialogOkY), 0);
}

}  // namespace
