// Start-up settings with their fallbacks, the exact settings file written at
// exit, the frame limiter and the exit statuses of the shutdown.
#include <gtest/gtest.h>

#include <tuple>

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
        EXPECT_EQ(std::vector<int>({bad.x, bad.y, bad.width, bad.height}), std::vector<int>({0, 0, 800, 600}));
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
    for (auto [text, fps] : {std::pair{"f fps 45.9\n", 45}, {"f fps -7\n", -7}}) {
        load(text);
        readFrameCap();
        EXPECT_EQ(gameSys.getFPSRender(), fps) << text;
    }
}

// A missing debug mode means on and the menus; a hidden splash starts in the menus too.
TEST_F(SettingsTest, DebugModeAndTheFirstState)
{
    const struct {
        const char* text;
        bool hideSplash, debug;
        int state;
    } rows[] = {{"", false, true, gameStateMenu}, {"f debugMode 0.7\n", false, false, gameStateSplash},
                {"f debugMode 0\n", true, false, gameStateMenu}};
    for (const auto& r : rows) {
        load(r.text);
        splash.setHideSplash(r.hideSplash);
        readDebugMode();
        splash.setHideSplash(false);
        EXPECT_EQ(gameSys.getDebugState(), r.debug) << r.text;
        EXPECT_EQ(gameSys.getGameState(), r.state) << r.text;
        EXPECT_EQ(gameSys.getInputState(), inputStateNormal) << r.text;
    }
}

TEST_F(SettingsTest, IntroductionPanelOnlyWhileFirstTimeIsNotPositive)
{
    for (auto [text, want] : {std::pair{"", 1000}, {"f firstTime 0\n", 1000}, {"f firstTime -3\n", 1000},
                              {"f firstTime 1\n", 0}}) {
        int timer = 0, menu = 0;
        worldEditor.setWelcome(0, 0);
        load(text);
        raiseIntroductionOnFirstRun();
        worldEditor.getWelcome(timer, menu);
        EXPECT_EQ(timer, want) << text;
        EXPECT_EQ(menu, want ? welcomeMenuIntro : 0) << text;
    }
}

TEST_F(SettingsTest, SoundAndLastGameFallbacks)
{
    for (auto [text, on, volume, last] : {std::tuple{"", true, 0.0f, "NULL"},
                                          {"f sound 0\nf soundVolume 0.5\ns lastGameEdited mygame\n", false, 0.5f, "mygame"}}) {
        load(text);
        readSoundAndLastGame();
        EXPECT_EQ(gameSys.getSoundState(), on) << text;
        EXPECT_FLOAT_EQ(gameSys.getSoundVolume(), volume) << text;
        EXPECT_EQ(gameSys.getLastGameEdited(), last) << text;
    }
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
    for (const char* line : {"\nf windowfscreen 1\n", "\nf fps -1\n", "\nf soundVolume 0\n", "\ns progName NULL\n",
                             "\nf debugMode 1\n", "\ns lastGameEdited NULL\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line;
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
    EXPECT_EXIT({ gameLog.openLog("log.txt"); quitEngine(quitStatusUser); }, ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(dir.read("log.txt"), "Closing log file \n");
    EXPECT_FALSE(dir.read("system/system.cfg").empty());
}

// An error quit exits non-zero; so does a user quit whose save fails, once.
TEST_F(QuitDeathTest, ErrorQuitAndSaveFailureDuringAUserQuitExitWithAnError)
{
    testutil::ScopedCwd cwd(dir.path());
    EXPECT_EXIT(quitEngine(quitStatusError), ::testing::ExitedWithCode(quitStatusError), "");
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
    EXPECT_EQ(nextFrameAfter(t + 1), t + 2);
    gameSys.setFPSRender(2000);  // 1000 / 2000 = 0: any advance draws
    EXPECT_FALSE(renderScene());
    ++fakeNow;
    EXPECT_TRUE(renderScene());
    gameSys.setFPSRender(-5);  // the gate opens on every call
    EXPECT_TRUE(renderScene());
    EXPECT_TRUE(renderScene());
}

}  // namespace
