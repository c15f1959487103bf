// Start-up settings with their fallbacks, the exact settings file written at
// exit, the frame limiter and the exit statuses of the shutdown.
#include <gtest/gtest.h>

#include "core/clock_internal.h"
#include "core/frame.h"
#include "core/frame_internal.h"
#include "core/init.h"
#include "core/log.h"
#include "core/system.h"
#include "editor/editor.h"
#include "menus/splash.h"
#include "menus/console.h"
#include "test_util.h"

namespace {

class SettingsTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    void load(const std::string& text)
    {
        scriptSys.clear();
        scriptSys.readFile(dir.write("system/system.cfg", text));
    }
    void TearDown() override { scriptSys.clear(); }
};

TEST_F(SettingsTest, WindowRuleIsAllOrNothing)
{
    windowGeometry g{10, 20, 1024, 768};
    EXPECT_TRUE(validateWindowGeometry(g));
    EXPECT_EQ(g.width, 1024);
    for (windowGeometry bad : {windowGeometry{10, 20, 799, 768}, windowGeometry{-1, 0, 800, 600},
                               windowGeometry{0, -5, 800, 600}, windowGeometry{0, 0, 800, 599}}) {
        EXPECT_FALSE(validateWindowGeometry(bad));
        EXPECT_EQ(bad.x, 0);
        EXPECT_EQ(bad.y, 0);
        EXPECT_EQ(bad.width, 800);
        EXPECT_EQ(bad.height, 600);
    }
    windowGeometry edge{0, 0, 800, 600};
    EXPECT_TRUE(validateWindowGeometry(edge));
    windowGeometry truncated{truncateNumber(-0.5f), 0, 800, 600};
    EXPECT_TRUE(validateWindowGeometry(truncated));
}

TEST_F(SettingsTest, FrameCapFallsBackTo30WhenMissingOrZero)
{
    for (const char* text : {"", "f fps 0\n", "f fps -1\n"}) {
        load(text);
        readFrameCap();
        EXPECT_EQ(gameSys.getFPSRender(), 30) << text;
        EXPECT_EQ(console.getLine(0), "^rERROR: ^wInvalid FPS Value entered, resetting to 30 fps");
    }
    load("f fps 45.9\n");
    readFrameCap();
    EXPECT_EQ(gameSys.getFPSRender(), 45);
    load("f fps -7\n");
    readFrameCap();
    EXPECT_EQ(gameSys.getFPSRender(), -7);
}

TEST_F(SettingsTest, DebugModeMissingMeansOnAndMenus)
{
    load("");
    readDebugMode();
    EXPECT_TRUE(gameSys.getDebugState());
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);
    load("f debugMode 0.7\n");
    readDebugMode();
    EXPECT_FALSE(gameSys.getDebugState());
    EXPECT_EQ(gameSys.getGameState(), gameStateSplash);
}

TEST_F(SettingsTest, AHiddenSplashStartsInTheMenus)
{
    load("f debugMode 0\n");
    splash.setHideSplash(true);
    readDebugMode();
    splash.setHideSplash(false);
    EXPECT_FALSE(gameSys.getDebugState());
    EXPECT_EQ(gameSys.getGameState(), gameStateMenu);
}

TEST_F(SettingsTest, IntroductionPanelOnlyWhileFirstTimeIsNotPositive)
{
    int timer = 0, menu = 0;
    for (const char* text : {"", "f firstTime 0\n", "f firstTime -3\n"}) {
        worldEditor.setWelcome(0, 0);
        load(text);
        raiseIntroductionOnFirstRun();
        worldEditor.getWelcome(timer, menu);
        EXPECT_EQ(timer, 1000) << text;
        EXPECT_EQ(menu, welcomeMenuIntro) << text;
    }
    worldEditor.setWelcome(0, 0);
    load("f firstTime 1\n");
    raiseIntroductionOnFirstRun();
    worldEditor.getWelcome(timer, menu);
    EXPECT_EQ(timer, 0);
}

TEST_F(SettingsTest, SoundAndLastGameFallbacks)
{
    load("");
    readSoundAndLastGame();
    EXPECT_TRUE(gameSys.getSoundState());
    EXPECT_FLOAT_EQ(gameSys.getSoundVolume(), 0.0f);
    EXPECT_EQ(gameSys.getLastGameEdited(), "NULL");
    load("f sound 0\nf soundVolume 0.5\ns lastGameEdited mygame\n");
    readSoundAndLastGame();
    EXPECT_FALSE(gameSys.getSoundState());
    EXPECT_FLOAT_EQ(gameSys.getSoundVolume(), 0.5f);
    EXPECT_EQ(gameSys.getLastGameEdited(), "mygame");
}

// The bundled settings file is exactly what the program writes back for it.
TEST_F(SettingsTest, SavedFileMatchesTheBundledOneByteForByte)
{
    std::ifstream in(std::string(QV_DATA_DIR) + "/system/system.cfg", std::ios::binary);
    std::ostringstream golden;
    golden << in.rdbuf();
    ASSERT_FALSE(golden.str().empty());
    load(golden.str());
    windowGeometry g{truncateNumber(scriptSys.findLineF("windowx")), truncateNumber(scriptSys.findLineF("windowy")),
                     truncateNumber(scriptSys.findLineF("windowwidth")),
                     truncateNumber(scriptSys.findLineF("windowheight"))};
    ASSERT_TRUE(validateWindowGeometry(g));
    gameSys.SetSystem(g.x, g.y, g.width, g.height, scriptSys.findLineS("progName").c_str());
    gameSys.setFS(false);
    readFrameCap();
    readDebugMode();
    readSoundAndLastGame();
    EXPECT_EQ(systemSettingsText(), golden.str().substr(0, golden.str().find("f firstTime ")) + "f firstTime 1\n\n");
}

TEST_F(SettingsTest, MissingSettingsSaveBackTheirFallbacks)
{
    load("");
    gameSys.SetSystem(0, 0, 800, 600, "NULL");
    gameSys.setFS(true);
    readFrameCap();
    readDebugMode();
    readSoundAndLastGame();
    const std::string text = systemSettingsText();
    EXPECT_NE(text.find("\nf windowfscreen 1\n"), std::string::npos);
    EXPECT_NE(text.find("\nf fps -1\n"), std::string::npos);
    EXPECT_NE(text.find("\nf soundVolume 0\n"), std::string::npos);
    EXPECT_NE(text.find("\ns progName NULL\n"), std::string::npos);
    EXPECT_NE(text.find("\nf debugMode 1\n"), std::string::npos);
    EXPECT_NE(text.find("\ns lastGameEdited NULL\n"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 15), "f firstTime 1\n\n");
    gameSys.setFS(false);
}

TEST_F(SettingsTest, SaveSystemWritesTheFileAndCreatesTheFolder)
{
    testutil::ScopedCwd cwd(dir.path());
    boost::filesystem::remove_all(dir.path() / "system");
    load("f fps 30\n");
    gameSys.SetSystem(0, 0, 800, 600, "Quorvane");
    saveSystem();
    EXPECT_EQ(dir.read("system/system.cfg"), systemSettingsText());
    EXPECT_EQ(console.getLine(0), "Successfully saved system settings.");
}

using QuitDeathTest = SettingsTest;

TEST_F(QuitDeathTest, UserQuitExitsWithZeroAndClosesTheLog)
{
    testutil::ScopedCwd cwd(dir.path());
    EXPECT_EXIT(
        {
            gameLog.openLog("log.txt");
            quitEngine(quitStatusUser);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(dir.read("log.txt"), "Closing log file \n");
    EXPECT_FALSE(dir.read("system/system.cfg").empty());
}

TEST_F(QuitDeathTest, ErrorQuitExitsNonZero)
{
    testutil::ScopedCwd cwd(dir.path());
    EXPECT_EXIT(quitEngine(quitStatusError), ::testing::ExitedWithCode(quitStatusError), "");
}

TEST_F(QuitDeathTest, SaveFailureDuringAUserQuitExitsOnceWithAnError)
{
    testutil::ScopedCwd cwd(dir.path());
    boost::filesystem::remove_all(dir.path() / "system");
    dir.write("system", "a file where the folder should be");
    EXPECT_EXIT(quitEngine(quitStatusUser), ::testing::ExitedWithCode(quitStatusError), "");
    EXPECT_EQ(dir.read("system"), "a file where the folder should be");
}

// The frame limiter against a clock the test moves by hand.
int fakeNow = 0;
int fakeClock() { return fakeNow; }

class FrameLimiterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setClockSource(fakeClock);
        resetFrameLimiter();
        fakeNow = 0;
    }
    void TearDown() override
    {
        setClockSource(nullptr);
        gameSys.setGameState(gameStateMenu);
    }
    // The first time from `from` on at which a frame is due.
    int nextFrameAfter(int from)
    {
        for (fakeNow = from;; ++fakeNow)
            if (renderScene()) return fakeNow;
    }
};

TEST_F(FrameLimiterTest, MenusFollowTheCapAndPlayRunsEvery17ms)
{
    gameSys.setFPSRender(30);
    gameSys.setGameState(gameStateMenu);
    const int first = nextFrameAfter(0);
    EXPECT_EQ(first, 34);
    EXPECT_EQ(nextFrameAfter(first), first + 34);
    gameSys.setGameState(gameStatePlay);
    const int play = nextFrameAfter(fakeNow);
    EXPECT_EQ(nextFrameAfter(play) - play, 17);
    gameSys.setGameState(gameStatePlaytest);
    EXPECT_EQ(nextFrameAfter(fakeNow) - play, 34);
}

TEST_F(FrameLimiterTest, HighCapsAndNegativeCaps)
{
    gameSys.setGameState(gameStateWorldEditor);
    gameSys.setFPSRender(600);  // 1000 / 600 = 1
    const int t = nextFrameAfter(10);
    EXPECT_FALSE(renderScene());
    fakeNow = t + 1;
    EXPECT_FALSE(renderScene());
    fakeNow = t + 2;
    EXPECT_TRUE(renderScene());
    gameSys.setFPSRender(2000);  // 1000 / 2000 = 0: any advance draws
    EXPECT_FALSE(renderScene());
    ++fakeNow;
    EXPECT_TRUE(renderScene());
    gameSys.setFPSRender(-5);  // the gate opens on every call
    EXPECT_TRUE(renderScene());
    EXPECT_TRUE(renderScene());
}

}  // namespace
