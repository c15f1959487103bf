// Every button function, one row each, in a copy of the bundled data with a
// small game "t": what it changes of the program's state, the menus, the
// loaded game and the sounds, the notice it raises, and the click before it.
#include <gtest/gtest.h>

#include <AL/al.h>

#include "core/clock_internal.h"
#include "core/input.h"
#include "core/pick.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "editor/editor.h"
#include "editor/editor_entry.h"
#include "media/image_loading_internal.h"
#include "media/sound.h"
#include "media/sound_internal.h"
#include "menus/button_actions.h"
#include "menus/dialog.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "tests/unit/test_util.h"
#include "tests/unit/world_test_util.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

using testutil::change;

int fakeNow = 0;
int fakeClock() { return fakeNow; }

constexpr int entryGame = 4, entryCreate = 5, lastEntry = 6;  // uiScriptString entries

bool playing(unsigned int source)
{
    ALint state = 0;
    if (source != 0) alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

// The mouse state when an image was last read: a load turns the mouse off while it runs.
bool mouseOffInLoad = false;
unsigned int recordMouseState(const checkedImage&)
{
    mouseOffInLoad = gameSys.getDisableMouseState();
    return 0;
}

testutil::observed observe()
{
    int timer, menu;
    worldEditor.getWelcome(timer, menu);
    return {{"state", gameSys.getGameState()}, {"input", gameSys.getInputState()}, {"debug", gameSys.getDebugState()},
            {"mouseOff", gameSys.getDisableMouseState()}, {"mouseOffInLoad", mouseOffInLoad}, {"fullscreen", gameSys.getFS()},
            {"sound", gameSys.getSoundState()}, {"volume", gameSys.getSoundVolume()},
            {"volTimer", gameSys.getVolTimer()},
            {"browser", gameSys.getDirTextbox()}, {"click", systemSounds[sysSoundClick].getSource() != 0},
            {"music", playing(systemSounds[sysSoundMainMenu].getSource())},
            {"gameSound", !gameSounds.empty() && playing(gameSounds[0].getSource())},
            {"menu", gameUI.getCurrentMenu()}, {"dialog", gameUI.getCurrentDialogBox()},
            {"lastState", gameUI.getLastGS()},
            {"loaded", world.getGameLoaded() && world.getGameName() == "t"},
            {"created", world.getGameLoaded() && world.getGameName() == "fresh"}, {"maps", world.getMapCount()},
            {"score", world.getGlobalScore(0)}, {"editorMode", worldEditor.getEditorMode()}, {"welcome.timer", timer},
            {"welcome.menu", menu}, {"notice", notice.isShown()}};
}

struct buttonRow {
    int func, func2;
    void (*setup)();
    std::vector<change> changes;
    std::string noticeText = "";  // title and message
    std::string line = "";        // a console line
};

void inState(int state) { gameSys.setGameState(state); }
void loadT() { loadGame("t"); }
// The game "t" loaded and played, with its sound playing and a score earned.
void playT()
{
    loadT();
    world.enterGame();
    world.setGlobalScore(0, 3);
    playGameSound(0, 1);
}
const char* const noGameName = "Load Game/Enter a valid ^yGame Name^w to load a game.";

const buttonRow rows[] = {
    {buttonFuncLoadMenu, 2, [] { inState(gameStatePlay); gameSys.setInputState(inputStateMenuTextbox); },
     {{"state", gameStateMenu}, {"input", inputStateNormal}, {"menu", 2}}},
    {buttonFuncSetGameState, gameStateWorldEditor, nullptr, {{"state", gameStateWorldEditor}}},
    {buttonFuncSetInputState, inputStateHelp, nullptr, {{"input", inputStateHelp}}},
    {buttonFuncOpenDialog, 2, [] { inState(gameStatePlay); },
     {{"state", gameStateDialog}, {"dialog", 2}, {"lastState", gameStatePlay}}},
    {buttonFuncCloseDialog, 0, [] { inState(gameStatePlay); enableDialog(1); },
     {{"state", gameStatePlay}, {"dialog", 0}}},
    {buttonFuncDebugMode, 1, nullptr, {{"debug", 1}}},
    {buttonFuncDebugMode, 0, [] { gameSys.setDebugState(true, true); }, {{"debug", 0}}},
    {buttonFuncDebugMode, 1, [] { gameSys.setDebugState(true, true); }, {}, "",
     "Cannot change debug state, it is already ^yEnabled^w."},
    {buttonFuncDebugMode, 2, nullptr, {}},
    {buttonFuncLoadGame, entryGame, nullptr, {{"loaded", 1}, {"maps", 1}, {"music", 1}, {"mouseOffInLoad", 1}}},
    {buttonFuncLoadGame, lastEntry, [] { uiScriptString.setString("t", lastEntry); },
     {{"loaded", 1}, {"maps", 1}, {"music", 1}, {"mouseOffInLoad", 1}}},
    {buttonFuncLoadGame, lastEntry + 1, nullptr, {{"notice", 1}}, noGameName},
    {buttonFuncLoadGame, -1, nullptr, {{"notice", 1}}, noGameName},
    {buttonFuncLeaveGame, 0, playT,
     {{"state", gameStateMenu}, {"loaded", 0}, {"maps", 0}, {"gameSound", 0}, {"score", 0}}, "", "Leaving current game."},
    // The editor opens on the editor main menu of the bundled menus, which the game falls back to.
    {buttonFuncLoadGameEditor, entryGame, nullptr,
     {{"loaded", 1}, {"maps", 1}, {"state", gameStateWorldEditor}, {"menu", 2}, {"music", 1}, {"mouseOffInLoad", 1}}},
    {buttonFuncLoadGameEditor, lastEntry + 1, nullptr, {}},
    {buttonFuncLeaveGameEditor, 0, [] { loadGameEditor("t"); },
     {{"state", gameStateMenu}, {"loaded", 0}, {"maps", 0}, {"menu", 0}}},
    {buttonFuncLeaveGameEditor, 0, [] { loadT(); inState(gameStatePlay); }, {{"notice", 1}},
     "^yERROR/Game editor is not active, cannot exit editor"},
    {buttonFuncEditGame, 0, [] { worldEditor.setEditorMode(editorModeTile); },
     {{"menu", 2}, {"editorMode", editorModeNone}, {"welcome.timer", 1}, {"welcome.menu", welcomeMenuWorldEditor}}},
    {buttonFuncEditMenu, 0, nullptr, {{"menu", 3}}},
    {buttonFuncLoadIngameMenu, 0, [] { inState(gameStatePlay); }, {{"state", gameStateIngameMenu}, {"menu", 1}}},
    {buttonFuncLoadIngameMenu, 0, nullptr, {}},
    {buttonFuncLeaveIngameMenu, 0, [] { inState(gameStatePlaytest); loadIngameMenu(); },
     {{"state", gameStatePlaytest}}},
    {buttonFuncLeaveIngameMenu, 0, [] { inState(gameStatePlay); }, {}},
    {buttonFuncCreateGame, entryCreate, nullptr,
     {{"created", 1}, {"maps", 1}, {"state", gameStateWorldEditor}, {"menu", 3}, {"welcome.timer", 1},
      {"welcome.menu", welcomeMenuNewGame}}},
    {buttonFuncCreateGame, lastEntry + 1, nullptr, {{"notice", 1}}, "",
     "Cannot create game, no game name has been entered."},
    {buttonFuncEnterGame, 0, [] { loadT(); world.setGlobalScore(0, 3); },
     {{"state", gameStatePlay}, {"score", 0}}},
    {buttonFuncReenterGame, 0, [] { loadT(); inState(gameStateIngameMenu); world.setGlobalScore(0, 3); },
     {{"state", gameStatePlay}}},
    {buttonFuncLoadUIEditor, 0, [] { gameUI.setCurrentMenu(2); },
     {{"state", gameStateUIEditor}, {"menu", 0}, {"editorMode", editorModeMenuNone}, {"welcome.timer", 1},
      {"welcome.menu", welcomeMenuMenuEditor}}},
    {buttonFuncReturnToMainMenu, 0, [] { playT(); loadIngameMenu(); },
     {{"menu", 0}, {"gameSound", 0}}},
    {buttonFuncReturnToMainMenu, 0, playT, {{"state", gameStateIngameMenu}, {"menu", 0}, {"gameSound", 0}}},
    {buttonFuncFullscreenOn, 0, [] { gameSys.setFS(true); }, {}, "",
     "Cannot enter fullscreen mode because it is currently enabled!"},
    {buttonFuncFullscreenOff, 0, nullptr, {}, "", "Cannot enter Window mode because it is currently enabled!"},
    {buttonFuncDeleteMap, 0,
     [] {
         loadGameEditor("t");
         world.allocateMaps(3);
         world.setCurrentMap(2);
         worldEditor.setEditorMode(editorModeEditMap);
         enableDialog(3);
     },
     {{"maps", 2}, {"editorMode", editorModeNone}, {"state", gameStateWorldEditor}, {"dialog", 0}}},
    {buttonFuncDeleteMap, 0, [] { loadGameEditor("t"); enableDialog(3); },
     {{"state", gameStateWorldEditor}, {"dialog", 0}}},
    {buttonFuncSoundOn, 0, [] { gameSys.setSoundState(false); }, {{"sound", 1}, {"music", 1}, {"notice", 1}},
     "Sound/Sound has been ^yenabled^w."},
    {buttonFuncSoundOn, 0, [] { gameSys.setSoundState(false); inState(gameStatePlay); }, {{"sound", 1}, {"notice", 1}},
     "Sound/Sound has been ^yenabled^w."},
    {buttonFuncSoundOff, 0, [] { playSystemSound(sysSoundMainMenu, 1); },
     {{"sound", 0}, {"music", 0}, {"click", 1}, {"notice", 1}}, "Sound/Sound has been ^ydisabled^w."},
    {buttonFuncSoundOff, 0, [] { playSystemSound(sysSoundMainMenu, 1); inState(gameStateIngameMenu); },
     {{"sound", 0}, {"click", 1}, {"notice", 1}}, "Sound/Sound has been ^ydisabled^w."},
    {buttonFuncVolumeUp, 0, nullptr, {{"volume", 0.6}, {"volTimer", 1000}}},
    {buttonFuncVolumeUp, 0, [] { gameSys.setSoundVolume(1); }, {{"volTimer", 1000}}},
    {buttonFuncVolumeDown, 0, nullptr, {{"volume", 0.4}, {"volTimer", 1000}}},
    {buttonFuncVolumeDown, 0, [] { gameSys.setSoundVolume(0); }, {{"volTimer", 1000}}},
    {buttonFuncNoAction27, 0, nullptr, {}},
    {buttonFuncNoAction28, 0, nullptr, {}},
    {buttonFuncShowIntro, 0, nullptr, {{"welcome.timer", 1000}, {"welcome.menu", welcomeMenuIntro}}},
    {buttonFuncOpenGameBrowser, entryGame, nullptr, {{"browser", entryGame}}},
    {buttonFuncOpenGameBrowser, -1, [] { gameSys.setDirTextbox(2); }, {{"browser", dirTextboxNone}}},
    {buttonFuncCount, 0, nullptr, {}},
    {-1, 0, nullptr, {}},
};

class ButtonTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ALSOFT_DRIVERS", "null", 1);
        testutil::copyTree(QV_DATA_DIR, dir.path());
        dir.write("games/t/system/map.cfg", "f version 1\nf map0w 3\nf map0h 3\ns map0name T\nf map0layer 7\n"
                                            "s map0object0 endObjectLoad\ns map1 endMapLoad\n");
        dir.write("games/t/sound/a.wav", testutil::wavBytes(5.0));
        cwd = std::make_unique<testutil::ScopedCwd>(dir.path());
        setImageFileLoader(recordMouseState);
        setClockSource(fakeClock);
        setAutoRepeatSwitch([](bool) {});
        gameSys.setSoundState(true);
        ASSERT_TRUE(initSound());
        loadSystemSounds();
    }
    void TearDown() override
    {
        freeGameSounds(static_cast<int>(gameSounds.size()));
        freeSystemSounds();
        cwd.reset();
    }
    // The front end of the bundled menus, sound on at half volume, nothing loaded.
    static void frontEnd()
    {
        for (unsigned int source : systemSourcePool()) alSourceStop(source);
        for (int s : {sysSoundClick, sysSoundMainMenu}) systemSounds[s].setSource(0);
        stopGameSounds();
        worldtest::resetGlobals();
        notice = uiNotice();
        console = debugConsole();
        gameUI = UI();
        gameUI.allocateMenu(4);
        gameUI.setIngameMenu(1);
        gameUI.setEditorMenu(2);
        gameUI.setEditorMainMenu(3);
        uiScriptString = uiString();
        for (const auto& [text, entry] : {std::pair{"t", entryGame}, {"fresh", entryCreate}, {"", lastEntry}})
            uiScriptString.setString(text, entry);
        gameSys.reset();
        mouseOffInLoad = false;
        gameSys.setDebugState(true, true);  // no splash after a load
        gameSys.setSoundVolume(0.5f);
    }
    testutil::TempDir dir;
    std::unique_ptr<testutil::ScopedCwd> cwd;
};

TEST_F(ButtonTable, EachFunctionChangesWhatItNames)
{
    for (const buttonRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "function " << row.func << " argument " << row.func2);
        frontEnd();
        if (row.setup) row.setup();
        notice.leaveNotice();
        systemSounds[sysSoundClick].setSource(0);  // the setup's own clicks
        const testutil::observed before = observe();
        fakeNow += 1000;
        testing::internal::CaptureStdout();
        buttonAction(row.func, row.func2);
        testing::internal::GetCapturedStdout();
        std::vector<change> changes = row.changes;
        if (row.func != buttonFuncSoundOn) changes.push_back({"click", 1});
        testutil::expectChanges(before, observe(), changes);
        if (!row.noticeText.empty()) {
            EXPECT_EQ(notice.getTitle() + "/" + notice.getMessage(), row.noticeText);
        }
        if (!row.line.empty()) {
            EXPECT_TRUE(testutil::consoleHas(row.line)) << row.line;
        }
    }
    // A call closer than 200 ms to the last accepted one is dropped, click and
    // all; the gaps are from call to call.
    const struct {
        int gapMs;
        bool runs;
    } calls[] = {{1000, true}, {150, false}, {49, false}, {1, true}, {200, true}};
    for (const auto& c : calls) {
        frontEnd();
        fakeNow += c.gapMs;
        buttonAction(buttonFuncOpenGameBrowser, 1);
        EXPECT_EQ(gameSys.getDirTextbox(), c.runs ? 1 : dirTextboxNone) << c.gapMs;
        EXPECT_EQ(systemSounds[sysSoundClick].getSource() != 0, c.runs) << c.gapMs;
    }
}

TEST(ButtonTableEnd, QuitEndsTheProgramAfterSavingItsSettings)
{
    const testutil::TempDir dir;
    const testutil::ScopedCwd cwd(dir.path());
    boost::filesystem::create_directories(dir.path() / "system");
    fakeNow += 1000;
    setClockSource(fakeClock);
    EXPECT_EXIT(buttonAction(buttonFuncQuit, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_NE(dir.read("system/system.cfg"), "");
}

}  // namespace
