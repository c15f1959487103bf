// Clicks on the real window resolved by the colour-pick pass: the console's
// close and scroll buttons, the help panel's topics and close button, and the
// notice, each checked by what the window shows afterwards.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

// The console's text lines (left of its buttons, above its command line).
constexpr e2e::Region consoleLines{0, 0, 700, 130};
// The help panel's topic lines and text.
constexpr e2e::Region helpText{40, 60, 760, 500};
// The console's part of the window right of the notice.
constexpr e2e::Region besideNotice{500, 0, 800, 130};
// The whole window.
constexpr e2e::Region whole = e2e::wholeWindow;

// Console buttons, help controls and the notice, in the 800 x 600 space.
constexpr int consoleButtonX = 770;
constexpr int consoleCloseY = 20, consoleUpY = 60, consoleDownY = 100;
constexpr int helpTopicX = 60, helpTopic0Y = 80, helpTopicPitch = 40;
constexpr int helpCloseX = 70, helpCloseY = 535;
constexpr int noticeX = 130, noticeY = 75;

class PickClicks : public ::testing::Test {
protected:
    e2e::App app;

    void SetUp() override
    {
        app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Picking", 0, 0));
        ASSERT_TRUE(app.start("Quorvane Picking"));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
        // Leaves the splash screen: the front end is the first screen at rest unlike the splash.
        const e2e::Image splash = app.waitForRest([](const e2e::Image&) { return true; });
        blank = app.clickUntil(400, 580, [&](const e2e::Image& s) { return !e2e::sameIn(s, splash, whole); });
        ASSERT_TRUE(blank.valid());
    }
    void TearDown() override
    {
        app.closeWindow();
        app.waitExit();
    }

    e2e::Image openConsole()
    {
        if (!app.openConsole()) return e2e::Image();
        return app.waitForRest([this](const e2e::Image& s) { return !e2e::sameIn(s, blank, consoleLines); });
    }

    e2e::Image blank;  // the window with nothing open
};

TEST_F(PickClicks, ConsoleButtonsScrollAndCloseTheConsole)
{
    const e2e::Image open = openConsole();
    ASSERT_TRUE(open.valid());

    ASSERT_TRUE(app.click(consoleButtonX, consoleUpY));
    const e2e::Image older = app.waitForRest([&](const e2e::Image& s) { return !e2e::sameIn(s, open, consoleLines); },
                                             consoleLines);
    EXPECT_TRUE(older.valid()) << "the up button did not scroll";

    ASSERT_TRUE(app.click(consoleButtonX, consoleDownY));
    const e2e::Image back = app.waitForRest([&](const e2e::Image& s) { return e2e::sameIn(s, open, consoleLines); },
                                             consoleLines);
    EXPECT_TRUE(back.valid()) << "the down button did not scroll back";

    ASSERT_TRUE(app.click(consoleButtonX, consoleCloseY));
    EXPECT_TRUE(app.waitConsoleClosed());
    const e2e::Image closed = app.waitForRest([&](const e2e::Image& s) { return e2e::sameIn(s, blank, whole); });
    EXPECT_TRUE(closed.valid()) << "the close button left the console open";
}

TEST_F(PickClicks, HelpTopicsAreSelectedAndTheCloseButtonEndsHelp)
{
    app.key("F3");
    const e2e::Image first = app.waitForRest([&](const e2e::Image& s) { return !e2e::sameIn(s, blank, whole); });
    ASSERT_TRUE(first.valid());

    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y + helpTopicPitch));
    const e2e::Image second = app.waitForRest([&](const e2e::Image& s) { return !e2e::sameIn(s, first, helpText); });
    EXPECT_TRUE(second.valid()) << "topic 1 was not selected";

    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y));
    const e2e::Image again = app.waitForRest([&](const e2e::Image& s) { return e2e::sameIn(s, first, helpText); });
    EXPECT_TRUE(again.valid()) << "topic 0 was not selected again";

    ASSERT_TRUE(app.click(helpCloseX, helpCloseY));
    const e2e::Image closed = app.waitForRest([&](const e2e::Image& s) { return e2e::sameIn(s, blank, whole); });
    EXPECT_TRUE(closed.valid()) << "the close button left help open";
}

TEST_F(PickClicks, AClickOnTheNoticeDismissesIt)
{
    ASSERT_TRUE(openConsole().valid());
    app.type("loadmap 1");
    app.key("Return grave");
    ASSERT_TRUE(app.waitConsoleClosed());
    // The notice is up and the console gone from beside it.
    const e2e::Image shown = app.waitForRest(
        [&](const e2e::Image& s) { return !e2e::sameIn(s, blank, whole) && e2e::sameIn(s, blank, besideNotice); });
    ASSERT_TRUE(shown.valid());
    ASSERT_TRUE(app.waitForLog("There is no game loaded, unable to change map."));

    ASSERT_TRUE(app.click(noticeX + 500, noticeY + 300));  // beside it: the notice stays
    ASSERT_TRUE(app.sync());
    EXPECT_TRUE(e2e::sameIn(app.waitForRest([](const e2e::Image&) { return true; }), shown, whole));

    ASSERT_TRUE(app.click(noticeX, noticeY));
    const e2e::Image gone = app.waitForRest([&](const e2e::Image& s) { return e2e::sameIn(s, blank, whole); });
    EXPECT_TRUE(gone.valid()) << "the notice is still shown";
}

}  // namespace
