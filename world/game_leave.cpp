// Leaving and resetting a game, and the switches between play and the game's menus.
#include "world/game_leave.h"

#include <GL/freeglut.h>

#include <string>
#include <vector>

#include "core/camera.h"
#include "core/log.h"
#include "core/memory_use.h"
#include "core/script.h"
#include "core/system.h"
#include "core/window.h"
#include "editor/editor.h"
#include "media/image_loading.h"
#include "media/model.h"
#include "media/sound.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "world/world.h"

namespace {

const char* const notLoaded = "Unable to leave game because it is currently not loaded";

// The state the in-game menu was opened from, and so the one it resumes.
int ingameMenuOpenedFrom = gameStatePlay;

void showArrowCursor()
{
    if (glutGet(GLUT_INIT_STATE)) glutSetCursor(GLUT_CURSOR_LEFT_ARROW);
}

void idleNamedKeys()
{
    for (int key : {keyEnter, keySpace, keyUp, keyDown, keyLeft, keyRight}) gameSys.setKeyState(key, keyStateIdle);
}

void clearGlobalScores()
{
    for (int i = 0; i < globalScoreCount; ++i) world.setGlobalScore(i, 0);
}

void clearPhrases()
{
    for (int i = 0; i < phraseCount; ++i) world.setPhrase(i, "");
}

void releaseImages()
{
    const int gameImages = world.getGameImageCount();
    deleteGameImageTextures(gameImages);
    if (gameImages > 0) std::vector<img>().swap(gameImg);
    world.setGameImageCount(0);
    deleteUIImageTextures(gameUI.getUIImageCount());
    gameUI.setUIImageCount(0);
}

void releaseSounds()
{
    stopGameSounds();
    if (world.getGameSoundCount() > 0) freeGameSounds(world.getGameSoundCount());
    world.setGameSoundCount(0);
}

void resetEditorState()
{
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setCurrentTextbox(-1);
    worldEditor.setCurrentTextline(-1);
    worldEditor.setCurrentButton(-1);
}

}  // namespace

void leaveGame()
{
    setAutoRepeat(true);
    idleNamedKeys();
    clearGlobalScores();
    clearPhrases();
    // Nothing to leave: the front end keeps its menu images.
    if (!world.getGameLoaded()) {
        console.echo(QV_ERROR + std::string(notLoaded));
        notice.setNotice("^yERROR", notLoaded);
        return;
    }
    releaseImages();

    console.echo("Leaving current game.");
    ingameMenuOpenedFrom = gameStatePlay;
    world.clearMapData();
    scriptMap.clear();
    worldEditor.setPhraseMenu(phraseMenuClosed);
    worldEditor.setSAO(0);
    world.setGameBox(-1, 0);
    world.setDisplayPhrase(-1, 0);
    clearPhrases();
    releaseSounds();
    freeModels();
    camera.setCamMode(camModeEditor);
    loadUI("default", true);
    initHelp("default");
    resetEditorState();
    gameSys.setInputState(inputStateNormal);
    gameSys.setGameState(gameStateMenu);
    loadMenu(truncateNumber(scriptUI.findLineF("intromenu")));
    giveFreedMemoryBack();
}

void resetGame()
{
    if (!world.getGameLoaded()) return;
    world = worldBackup;
    gameSys.resetKeyState();
    stopGameSounds();
}

void loadIngameMainMenu()
{
    int boxTimer = 0, image = 0, phraseTimer = 0, phrase = 0;
    world.getGameBox(boxTimer, image);
    world.getDisplayPhrase(phraseTimer, phrase);
    if (!isPlayState(gameSys.getGameState()) || boxTimer > 0 || phraseTimer > 0) return;
    stopGameSounds();
    loadMenu(0);
    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateNormal);
    gameUI.setPressedButton(pressedButtonNone);
    gameUI.setHoverButton(-1);
    gameSys.setLeftMouse(mouseButtonIdle);
    clearGlobalScores();
    idleNamedKeys();
    showArrowCursor();
}

void loadIngameMenu()
{
    const int state = gameSys.getGameState();
    if (!isPlayState(state)) return;
    ingameMenuOpenedFrom = state;
    showArrowCursor();
    loadMenu(gameUI.getIngameMenu());
    gameSys.setGameState(gameStateIngameMenu);
    gameSys.setInputState(inputStateNormal);
}

void leaveIngameMenu()
{
    if (gameSys.getGameState() != gameStateIngameMenu) return;
    gameSys.setGameState(ingameMenuOpenedFrom);
    gameSys.setInputState(inputStateNormal);
    ingameMenuOpenedFrom = gameStatePlay;
}
