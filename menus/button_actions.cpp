// The button functions, one small function per id in a table indexed by id.
#include "menus/button_actions.h"

#include "core/clock.h"
#include "core/frame.h"
#include "core/init.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/editor_entry.h"
#include "media/sound.h"
#include "menus/dialog.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

constexpr float volumeStep = 0.1f;
constexpr int volumeDisplayMs = 1000;
constexpr int introWelcomeTimer = 1000;

int timeSinceCheck = 0;

// True when `index` names an entry of uiScriptString (0 to its highest index).
bool validStringEntry(int index)
{
    return index >= 0 && index <= uiScriptString.getStringCount();
}

// Game loads run with the mouse off, so no click lands on a half-built menu.
template <typename load>
void withMouseDisabled(load run)
{
    gameSys.setDisableMouseState(true);
    run();
    gameSys.setDisableMouseState(false);
}

void noAction(int) {}

void quit(int)
{
    quitEngine(quitStatusUser);
}

void openMenu(int menu)
{
    gameSys.setGameState(gameStateMenu);
    loadMenu(menu);
}

void setGameState(int state)
{
    gameSys.setGameState(state);
}

void setInputState(int state)
{
    gameSys.setInputState(state);
}

void openDialog(int dialog)
{
    enableDialog(dialog);
}

void closeDialog(int)
{
    disableDialog();
}

void setDebugMode(int on)
{
    if (on == 0 || on == 1) gameSys.setDebugState(on == 1, false);
}

void loadGameNamed(int entry)
{
    if (!validStringEntry(entry)) {
        notice.setNotice("Load Game", "Enter a valid ^yGame Name^w to load a game.");
        return;
    }
    withMouseDisabled([entry] { loadGame(uiScriptString.getString(entry)); });
}

void leave(int)
{
    leaveGame();
}

// An entry beyond the table opens nothing.
void openGameEditor(int entry)
{
    if (!validStringEntry(entry)) return;
    withMouseDisabled([entry] { loadGameEditor(uiScriptString.getString(entry)); });
}

void leaveEditor(int)
{
    leaveGameEditor();
}

void edit(int)
{
    editGame();
}

void showHub(int)
{
    editMenu();
}

void openMenuEditor(int)
{
    loadUIEditor();
}

void pause(int)
{
    loadIngameMenu();
}

void resume(int)
{
    leaveIngameMenu();
}

// A negative entry reads as the empty name, which createGame refuses.
void createGameNamed(int entry)
{
    createGame(validStringEntry(entry) ? uiScriptString.getString(entry) : std::string(), createdGameMapSize,
               createdGameMapSize);
}

void enter(int)
{
    world.enterGame();
}

void returnToMainMenu(int)
{
    loadIngameMenu();
    stopGameSounds();
    gameUI.setCurrentMenu(0);
}

void fullscreenOn(int)
{
    setFullScreen(true, false);
}

void fullscreenOff(int)
{
    setFullScreen(false, false);
}

void deleteMap(int)
{
    worldEditor.setEditorMode(editorModeNone);
    world.worldDeleteMap(world.getCurrentMap());
    disableDialog();
}

void reenter(int)
{
    world.reenterGame();
}

void soundOn(int)
{
    gameSys.setSoundState(true);
    if (gameSys.getGameState() == gameStateMenu) playSystemSound(sysSoundMainMenu, 1);
    notice.setNotice("Sound", "Sound has been ^yenabled^w.");
}

void soundOff(int)
{
    gameSys.setSoundState(false);
    if (gameSys.getGameState() == gameStateMenu) stopSystemSound(sysSoundMainMenu);
    notice.setNotice("Sound", "Sound has been ^ydisabled^w.");
}

void changeVolume(float step)
{
    gameSys.setSoundVolume(gameSys.getSoundVolume() + step);
    gameSys.setVolTimer(volumeDisplayMs);
}

void volumeUp(int)
{
    changeVolume(volumeStep);
}

void volumeDown(int)
{
    changeVolume(-volumeStep);
}

void showIntro(int)
{
    worldEditor.setWelcome(introWelcomeTimer, welcomeMenuIntro);
}

// A negative entry leaves the browser closed.
void openGameBrowser(int entry)
{
    gameSys.setDirTextbox(entry >= 0 ? entry : dirTextboxNone);
}

using buttonFunction = void (*)(int func2);

// By function id.
const buttonFunction buttonFunctions[buttonFuncCount] = {
    quit,             // 0
    openMenu,         // 1
    setGameState,     // 2
    setInputState,    // 3
    openDialog,       // 4
    closeDialog,      // 5
    setDebugMode,     // 6
    loadGameNamed,    // 7
    leave,            // 8
    openGameEditor,   // 9
    leaveEditor,      // 10
    edit,             // 11
    showHub,          // 12
    pause,            // 13
    resume,           // 14
    createGameNamed,  // 15
    enter,            // 16
    openMenuEditor,   // 17
    returnToMainMenu, // 18
    fullscreenOn,     // 19
    fullscreenOff,    // 20
    deleteMap,        // 21
    reenter,          // 22
    soundOn,          // 23
    soundOff,         // 24
    volumeUp,         // 25
    volumeDown,       // 26
    noAction,         // 27
    noAction,         // 28
    showIntro,        // 29
    openGameBrowser,  // 30
};

}  // namespace

void buttonAction(int func, int func2)
{
    const int now = elapsedMs();
    if (timeSinceCheck + buttonDebounceMs > now) return;
    timeSinceCheck = now;
    playSystemSound(sysSoundClick, 0);
    if (func >= 0 && func < buttonFuncCount) buttonFunctions[func](func2);
}
