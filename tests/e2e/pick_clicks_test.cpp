// Clicks on the real window resolved by the colour-pick pass: the console's
// close and scroll buttons, the help panel's topics and close button, and the
// notice, each checked by what the window shows afterwards.
#include <gtest/gtest.h>

#include "tests/e2e/harness.h"

namespace {

// A part of the window, in window pixels.
struct region {
    int x0, y0, x1, y1;
};
// The console's text lines (left of its buttons, above its command line).
constexpr region consoleLines{0, 0, 700, 130};
// The help panel's topic lines and text.
constexpr region helpText{40, 60, 760, 500};
// The whole window.
constexpr region whole{0, 0, 800, 600};

// Console buttons, help controls and the notice, in the 800 x 600 space.
constexpr int consoleButtonX = 770;
constexpr int consoleCloseY = 20, consoleUpY = 60, consoleDownY = 100;
constexpr int helpTopicX = 60, helpTopic0Y = 80, helpTopicPitch = 40;
constexpr int helpCloseX = 70, helpCloseY = 535;
constexpr int noticeX = 130, noticeY = 75;

bool same(const e2e::Image& a, const e2e::Image& b, const region& r)
{
    if (!a.valid() || !b.valid()) return false;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x)
            if (a.at(x, y) != b.at(x, y)) return false;
    return true;
}

// Waits until the window shows what `ready` asks for and has stopped moving
// (two shots in a row alike in the region); that shot, or an invalid one.
e2e::Image settle(e2e::App& app, const e2e::ScreenTest& ready, const region& r)
{
    e2e::Image last;
    return app.waitForScreen([&](const e2e::Image& shot) {
        const bool steady = ready(shot) && same(shot, last, r);
        last = shot;
        return steady;
    });
}

class PickClicks : public ::testing::Test {
protected:
    e2e::App app;

    void SetUp() override
    {
        app.writeFile("system/system.cfg", e2e::settingsFile("Quorvane Picking", 0, 0));
        ASSERT_TRUE(app.start("Quorvane Picking"));
        ASSERT_TRUE(app.waitForLog("Building file structure for Quorvane Directory"));
        ASSERT_TRUE(app.click(400, 580));  // leaves the splash screen
        blank = settle(app, [](const e2e::Image&) { return true; }, whole);
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
        return settle(app, [this](const e2e::Image& s) { return !same(s, blank, consoleLines); }, whole);
    }

    e2e::Image blank;  // the window with nothing open
};

TEST_F(PickClicks, ConsoleButtonsScrollAndCloseTheConsole)
{
    const e2e::Image open = openConsole();
    ASSERT_TRUE(open.valid());

    ASSERT_TRUE(app.click(consoleButtonX, consoleUpY));
    const e2e::Image older = settle(app, [&](const e2e::Image& s) { return !same(s, open, consoleLines); },
                                    consoleLines);
    EXPECT_TRUE(older.valid()) << "the up button did not scroll";

    ASSERT_TRUE(app.click(consoleButtonX, consoleDownY));
    const e2e::Image back = settle(app, [&](const e2e::Image& s) { return same(s, open, consoleLines); },
                                   consoleLines);
    EXPECT_TRUE(back.valid()) << "the down button did not scroll back";

    ASSERT_TRUE(app.click(consoleButtonX, consoleCloseY));
    EXPECT_TRUE(app.waitConsoleClosed());
    const e2e::Image closed = settle(app, [&](const e2e::Image& s) { return same(s, blank, whole); }, whole);
    EXPECT_TRUE(closed.valid()) << "the close button left the console open";
}

TEST_F(PickClicks, HelpTopicsAreSelectedAndTheCloseButtonEndsHelp)
{
    app.key("F3");
    const e2e::Image first = settle(app, [&](const e2e::Image& s) { return !same(s, blank, whole); }, whole);
    ASSERT_TRUE(first.valid());

    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y + helpTopicPitch));
    const e2e::Image second = settle(app, [&](const e2e::Image& s) { return !same(s, first, helpText); }, whole);
    EXPECT_TRUE(second.valid()) << "topic 1 was not selected";

    ASSERT_TRUE(app.click(helpTopicX, helpTopic0Y));
    const e2e::Image again = settle(app, [&](const e2e::Image& s) { return same(s, first, helpText); }, whole);
    EXPECT_TRUE(again.valid()) << "topic 0 was not selected again";

    ASSERT_TRUE(app.click(helpCloseX, helpCloseY));
    const e2e::Image closed = settle(app, [&](const e2e::Image& s) { return same(s, blank, whole); }, whole);
    EXPECT_TRUE(closed.valid()) << "the close button left help open";
}

TEST_F(PickClicks, AClickOnTheNoticeDismissesIt)
{
    ASSERT_TRUE(openConsole().valid());
    app.type("loadmap 1");
    app.key("Return grave");
    ASSERT_TRUE(app.waitConsoleClosed());
    const e2e::Image shown = settle(app, [&](const e2e::Image& s) { return !same(s, blank, whole); }, whole);
    ASSERT_TRUE(shown.valid());
    ASSERT_TRUE(app.waitForLog("There is no game loaded, unable to change map."));

    ASSERT_TRUE(app.click(noticeX + 500, noticeY + 300));  // beside it: the notice stays
    ASSERT_TRUE(app.sync());
    EXPECT_TRUE(same(settle(app, [](const e2e::Image&) { return true; }, whole), shown, whole));

    ASSERT_TRUE(app.click(noticeX, noticeY));
    const e2e::Image gone = settle(app, [&](const e2e::Image& s) { return same(s, blank, whole); }, whole);
    EXPECT_TRUE(gone.valid()) << "the notice is still shown";
}

}  // namespace
