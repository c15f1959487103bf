// Entering and leaving the world editor and the menu editor.
#include "editor/editor_entry.h"

#include "core/log.h"
#include "core/pick_codes.h"
#include "core/system.h"
#include "editor/editor.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "world/game_files.h"
#include "world/game_leave.h"
#include "world/game_load.h"
#include "world/world.h"

namespace {

constexpr int welcomeTimerShown = 1;
constexpr const char* programHelp = "default";
constexpr const char* gameAlreadyLoaded = "Cannot load game editor, a current game is already loaded";
constexpr const char* editorNotActive = "Game editor is not active, cannot exit editor";

void showEveryRenderLayer()
{
    for (int layer = 0; layer < renderLayerCount; ++layer) worldEditor.setRenderLayer(layer, true);
}

// Collapsing hides the panel from any tool; expanding restores it with no
// tool selected.
int toggledPanelMode(int mode, int hidden)
{
    return mode == hidden ? editorModeNone : hidden;
}

}  // namespace

void resetEditorSelections()
{
    worldEditor.setCurrentAnimImage(0);
    worldEditor.setCurrentButton(0);
    worldEditor.setCurrentTextbox(0);
    worldEditor.setCurrentTextline(0);
    worldEditor.setCurrentTile(0, 0);
    worldEditor.setCurrentObject(0);
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setStartingTile(0, 0);
    worldEditor.setEndingTile(0, 0);
    worldEditor.setHelpMenu(0);
    worldEditor.resetObjectList();
    worldEditor.setImageMenuRow(0);
}

void loadGameEditor(std::string name)
{
    console.echo("");
    console.echo("^2^gWorld Editor Initializing...");
    if (checkGameName(name)) {
        loadPredefinedUI(name);
        return;
    }
    folderLock files;  // from the look at the game's files to the end of their reading
    if (!holdGameFiles(name, files)) return;
    if (!gameMapFilePresent(name)) {
        systemMsg(QV_ERROR "Unable to open game: ^y" + name);
        notice.setNotice("^yERROR", "^wUnable to open game: ^y" + name);
        return;
    }
    if (isWorldState(gameSys.getGameState())) {  // played, playtested or already edited
        console.echo(QV_ERROR + std::string(gameAlreadyLoaded));
        notice.setNotice("^yERROR", gameAlreadyLoaded);
        return;
    }
    loadGame(name, true);
    files.release();
    // loadGame reports its own failures; the editor opens only on the game it loaded.
    if (!world.getGameLoaded() || world.getGameName() != name) return;
    gameSys.setLastGameEdited(name);
    console.echo(QV_NOTE "Default Quorvane help is enabled while the World Editor is in use.");

    resetEditorSelections();
    worldEditor.setCurrentTip(0);
    showEveryRenderLayer();
    initHelp(programHelp);
    gameUI.setCurrentMenu(gameUI.getEditorMainMenu());
    gameSys.setGameState(gameStateWorldEditor);

    console.echo("");
    console.echo("^2^gWorld Editor Successfully Initialized");
    console.echo("");
}

void leaveGameEditor()
{
    const int state = gameSys.getGameState();
    if (state != gameStateDialog && state != gameStateWorldEditor) {
        systemMsg(QV_ERROR + std::string(editorNotActive));
        notice.setNotice("^yERROR", editorNotActive);
        return;
    }
    worldEditor.setImageMenuRow(0);
    worldEditor.setPhraseSelectorChoice(0);
    worldEditor.setPhraseMenu(phraseMenuClosed);
    leaveGame();
}

void editGame()
{
    loadMenu(gameUI.getEditorMenu());
    worldEditor.setCurrentTip(0);
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setHelpMenu(0);
    worldEditor.setWelcome(welcomeTimerShown, welcomeMenuWorldEditor);
}

void editMenu()
{
    worldEditor.setCurrentAnimImage(0);
    loadMenu(gameUI.getEditorMainMenu());
}

void loadUIEditor()
{
    loadMenu(0);
    gameSys.setGameState(gameStateUIEditor);
    // The menu editor indexes the menu images: no world image index may carry over.
    worldEditor.setCurrentAnimImage(0);
    worldEditor.setImageMenuRow(0);
    worldEditor.setCurrentTip(0);
    worldEditor.setEditorMode(editorModeMenuNone);
    worldEditor.setHelpMenu(0);
    worldEditor.setWelcome(welcomeTimerShown, welcomeMenuMenuEditor);
}

bool uiAndGameEditorPicking(const unsigned char* pixel)
{
    const int state = gameSys.getGameState();
    if (gameSys.getLeftMouse() != mouseButtonPressed || !isEditorState(state) || pixel[0] != pickToggleSidePanel)
        return false;
    const int hidden = state == gameStateWorldEditor ? editorModePanelHidden : editorModeMenuHidden;
    worldEditor.setEditorMode(toggledPanelMode(worldEditor.getEditorMode(), hidden));
    return true;
}
