// The splash sequence's timing on a fake clock, one call per 33 ms frame:
// fade in, hold, fade out, the switch to the next image once dark after 7 s,
// the menus after the last, and the sequence without images.
#include <gtest/gtest.h>

#include "core/clock_internal.h"
#include "core/system.h"
#include "menus/console.h"
#include "menus/splash.h"
#include "menus/ui.h"

namespace {

int now = 0;
int fakeClock() { return now; }

class Splash : public ::testing::Test {
protected:
    void SetUp() override
    {
        setClockSource(fakeClock);
        now = 1000;
        splash = uiSplash();
        gameSys.setGameState(gameStateSplash);
        gameSys.setStartingSystemTime(0);
    }
    void TearDown() override
    {
        setClockSource(nullptr);
        splash = uiSplash();
        gameSys.setGameState(gameStateMenu);
    }
    // Frames of 33 ms until `ms` after the start of the current image.
    static void runUntil(int start, int ms)
    {
        while (now < start + ms) {
            splashRender();
            now += 33;
        }
    }
};

TEST_F(Splash, EachImageFadesInHoldsFadesOutAndTheLastLeadsToTheMenus)
{
    startSplashSequence(5, 2);
    EXPECT_EQ(splash.getStartingSplash(), 5);
    EXPECT_FALSE(splash.getHideSplash());
    splash.setCurrentSplash(-1);  // as loading a game leaves it
    const int first = now;

    splashRender();
    EXPECT_EQ(splash.getCurrentSplash(), 0);
    EXPECT_FLOAT_EQ(splash.getSplashAlpha(), splashAlphaStep);
    int id = 0, sub = 0, time = 0;
    gameUI.getCurrentTT(id, sub, time);
    EXPECT_EQ(id, toolTipNone);

    now += 33;
    runUntil(first, 3000);
    const float bright = splash.getSplashAlpha();
    EXPECT_GT(bright, 1.0f);  // 91 steps: brightness is clamped when drawn
    runUntil(first, 4000);
    EXPECT_FLOAT_EQ(splash.getSplashAlpha(), bright);  // held
    runUntil(first, 7000);
    EXPECT_LT(splash.getSplashAlpha(), bright);
    EXPECT_EQ(splash.getCurrentSplash(), 0);  // not dark yet: the switch waits

    while (splash.getCurrentSplash() == 0 && now < first + 20000) {
        splashRender();
        now += 33;
    }
    EXPECT_EQ(splash.getCurrentSplash(), 1);
    EXPECT_EQ(gameSys.getGameState(), gameStateSplash);
    const int second = now - 33;
    EXPECT_LT(splash.getSplashAlpha(), splashDarkAlpha);

    splashRender();  // the second image starts black, with its own timing
    now += 33;
    EXPECT_FLOAT_EQ(splash.getSplashAlpha(), splashAlphaStep);
    runUntil(second, 7000);
    EXPECT_EQ(gameSys.getGameState(), gameStateSplash);
    while (gameSys.getGameState() == gameStateSplash && now < second + 20000) {
        splashRender();
        now += 33;
    }
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
    EXPECT_EQ(gameSys.getStartingSystemTime(), now - 33);
    EXPECT_EQ(splash.getCurrentSplash(), 1);
}

TEST_F(Splash, WithoutImagesTheFirstCallEndsTheSequence)
{
    startSplashSequence(5, 0);  // a menu system without splash images
    const int lines = console.getLineCount();
    splashRender();
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
    EXPECT_FALSE(splash.getHideSplash());
    EXPECT_EQ(console.getLineCount(), lines + 1);  // the restart's one error line
    EXPECT_EQ(console.getLine(0), "^rERROR: ^wAttempt to set splash texture out of array");
}

}  // namespace
