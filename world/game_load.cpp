// Creating and loading a game, and opening a registered menu project. A game
// that cannot be loaded whole (its maps refused, or memory running out on the
// way) is taken out of memory again and the program goes on with its own
// menus and no game loaded.
#include "world/game_load.h"

#include <exception>
#include <new>

#include "core/file_kind.h"
#include "core/log.h"
#include "core/memory_use.h"
#include "core/script.h"
#include "core/system.h"
#include "editor/editor.h"
#include "editor/editor_entry.h"
#include "media/image_loading.h"
#include "media/model.h"
#include "media/sound.h"
#include "media/texture.h"
#include "menus/console.h"
#include "menus/help.h"
#include "menus/notice.h"
#include "menus/splash.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "world/game_files.h"
#include "world/logic_reader.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

constexpr const char* editorActive = "Cannot load game, the editor is currently active.";
constexpr float clearedStepLoadGame = 0.0f;
constexpr float clearedStepPredefined = 0.2f;
constexpr int newGameWelcomeTimer = 1;
constexpr const char* ownMenuSystem = "default";

enum loadFailure { loadFailureNone, loadFailureMaps, loadFailureMemory, loadFailureOther };

// What the notice of a failed map load says, by the reader's reason.
const struct {
    mapLoadFailure failure;
    std::string message;
} mapFailureNotices[] = {
    {mapLoadFailureMissing, "^rERROR:^w Cannot load game because the map file is missing!"},
    {mapLoadFailureUnreadable, "^rERROR:^w Cannot load game because the map file cannot be read!"},
    {mapLoadFailureTileBudget, "^rERROR:^w Cannot load game because its maps hold more tiles than a game may!"},
    {mapLoadFailureMapLimit, "^rERROR:^w Cannot load game because its map file lists more than " +
                                 std::to_string(mapReaderMaxMaps) + " maps (no endMapLoad?)"},
    {mapLoadFailureObjectLimit, "^rERROR:^w Cannot load game because a map lists more than " +
                                    std::to_string(mapReaderMaxObjects) + " objects (no endObjectLoad?)"},
};

const std::string& mapFailureNotice(mapLoadFailure failure)
{
    for (const auto& n : mapFailureNotices)
        if (n.failure == failure) return n.message;
    return mapFailureNotices[0].message;
}

void refuse(bool logged, const std::string& line, const std::string& title, const std::string& message)
{
    if (logged)
        systemMsg(line);
    else
        console.echo(line);
    notice.setNotice(title, message);
}

void deleteImageTextures()
{
    deleteGameImageTextures(world.getGameImageCount());
    world.setGameImageCount(0);
    deleteUIImageTextures(gameUI.getUIImageCount());
    gameUI.setUIImageCount(0);
}

void releaseGameMedia()
{
    deleteImageTextures();
    stopGameSounds();
    freeGameSounds(world.getGameSoundCount());
    world.setGameSoundCount(0);
    freeModels();
}

// Takes the loaded game out of memory before another is put in its place:
// its textures, sounds, models, maps, phrases, scores and tables.
void clearLoadedGame(bool clearLogic, bool showStep, float fraction)
{
    console.echo("Game already loaded, clearing previous game");
    releaseGameMedia();
    world.clearMapData();
    for (int i = 0; i < globalScoreCount; ++i) world.setGlobalScore(i, 0);
    for (int i = 0; i < phraseCount; ++i) world.setPhrase(i, "");
    worldEditor.setCurrentAnimImage(0);
    scriptMap.clear();
    if (clearLogic) scriptLogic.clear();
    if (showStep) showLoadingStep("Previous Game Data Cleared", fraction);
}

// Takes a game that failed to load out of memory whole, its snapshot too, and
// brings back the program's own menus and help.
void abandonLoad()
{
    releaseGameMedia();
    world = gameWorld();
    worldBackup = gameWorld();
    scriptMap.clear();
    scriptLogic.clear();
    worldEditor.setCurrentAnimImage(0);
    loadUI(ownMenuSystem, true);
    initHelp(ownMenuSystem);
    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateNormal);
}

void reportFailedLoad(const std::string& game, loadFailure failure, const std::string& what)
{
    switch (failure) {
    case loadFailureMaps:
        systemMsg("Error loading Game: " + game + ". Map Loading Error!");
        notice.setNotice("Load Game", mapFailureNotice(getMapLoadFailure()));
        break;
    case loadFailureMemory:
        systemMsg(QV_ERROR "Not enough memory to load the game ^y" + game + "^w; no game is loaded.");
        notice.setNotice("Load Game", "Not enough memory to load the game ^y" + game);
        break;
    default:
        systemMsg(QV_ERROR "The game ^y" + game + "^w could not be loaded (" + what + "); no game is loaded.");
        notice.setNotice("Load Game", "The game ^y" + game + "^w could not be loaded.");
        break;
    }
}

// Everything of a game's folder into memory, up to the snapshot.
loadFailure readGameFolder(const std::string& game)
{
    stopSystemSound(sysSoundMainMenu);
    deleteImageTextures();
    if (world.getGameLoaded()) clearLoadedGame(true, true, clearedStepLoadGame);

    world.setGameName(game);
    loadUI(game, true);
    initHelp(game);

    showLoadingStep("Loading Game Images", 0.8f);
    console.echo("");
    console.echo("^2^y" + game + "^w Game Initializing...");
    console.echo("");
    const std::string folder = gameFolder(world.getGameName());
    world.setGameImageCount(loadGameImages(world.getGameName(), folder));
    loadGameModels(folder);

    showLoadingStep("Loading Game Maps", 0.85f);
    if (!loadGameMaps()) return loadFailureMaps;

    showLoadingStep("Setting up Image Animations", 0.9f);
    applyImageAnimations(gameImg, world.getGameImageCount(), scriptMap, false);

    showLoadingStep("Loading Game Sounds", 0.92f);
    world.setGameSoundCount(loadGameSounds(folder));

    showLoadingStep("Loading Game Logic", 0.95f);
    loadGameLogic();
    // The world is built: nothing reads the map and logic tables any more.
    scriptMap.clear();
    scriptLogic.clear();

    world.setGameCondition(gameConditionNone);
    world.setGameBox(gameBoxTimerNone, 0);
    world.setIngameInputDisallow(false);

    showLoadingStep("Loading Interactive Help System", 0.97f);
    world.setGameLoaded(true);

    if (!gameSys.getDebugState()) {
        splash.setCurrentSplash(-1);
        splash.setHideSplash(false);
        splash.setResetSplash(true);
        gameSys.setGameState(gameStateSplash);
    } else {
        gameSys.setGameState(gameStateMenu);
    }
    gameSys.setInputState(inputStateNormal);
    showLoadingStep("Game Successfully loaded", 1.0f);

    worldBackup = world;
    return loadFailureNone;
}

}  // namespace

void loadGame(std::string game, bool filesHeld)
{
    if (gameSys.getGameState() == gameStateWorldEditor) {
        refuse(false, editorActive, "^yERROR", editorActive);
        return;
    }
    if (game.empty()) {
        refuse(true, "^rERROR:^w Enter a valid game name for a game to be loaded.", "Game Load",
               "Enter a valid game name for a game to be loaded.");
        return;
    }
    if (checkGameName(game)) {
        refuse(true, "^rERROR:^w You cannot load ^ymainui ^wor ^yingameui^w as a game!", "Game Load",
               "You cannot load ^ymainui ^wor ^yingameui^w as a game!");
        return;
    }
    console.echo("");
    console.echo("^2^y" + game + "^g Game World Initializing...");
    folderLock files;
    if (!filesHeld && !holdGameFiles(game, files)) return;  // finished: a killed first save may hold map.cfg yet
    if (!gameMapFilePresent(game)) {
        refuse(true, QV_ERROR "Unable to open game: ^y" + game, "^yERROR", "Unable to open game: ^y" + game);
        return;
    }

    // The one place a failure thrown on the way is caught (the readers keep
    // what they can to the file that failed): nothing below keeps a
    // half-loaded game, so the whole of it is dropped.
    loadFailure failure = loadFailureNone;
    std::string what;
    try {
        failure = readGameFolder(game);
    } catch (const std::bad_alloc&) {
        failure = loadFailureMemory;
    } catch (const std::exception& e) {
        failure = loadFailureOther;
        what = e.what();
    }
    files.release();  // every file of the game is read
    if (failure != loadFailureNone) abandonLoad();
    giveFreedMemoryBack();  // the previous game's and the loading buffers
    if (failure != loadFailureNone) {
        reportFailedLoad(game, failure, what);
        return;
    }

    systemMsg("Game: " + game + " has been loaded successfully.");
    systemMsg("");
    console.echo("^2^y" + game + "^g Game World Initialization Successful");
    console.echo("");
}

void createGame(std::string game, int tilew, int tileh)
{
    if (gameSys.getGameState() == gameStateWorldEditor) {
        refuse(true, QV_ERROR "Cannot create game, the editor is currently active.", "^yERROR",
               "Cannot create game, the editor is currently active.");
        return;
    }
    if (checkGameName(game) || !gameNameIsSafe(game)) {
        refuse(true, "^rERROR:^w Cannot create game, the name: ^y" + game + "^w is a registered name", "^yERROR",
               "Cannot create game, the name: ^y" + game + "^w is a registered name");
        return;
    }
    if (game.empty()) {
        refuse(true, QV_ERROR "Cannot create game, no game name has been entered.", "^yERROR",
               "Cannot create game, no game name has been entered.");
        return;
    }
    if (game == "default") {
        refuse(true, "^rERROR:^w ^yDefault^w is a reserved name and CANNOT be used.", "Game Load",
               "^yDefault^w is a reserved name and CANNOT be used.");
        return;
    }
    if (tilew <= 0 || tileh <= 0) {
        refuse(true, QV_ERROR "Cannot create game, invalid map size specified.", "^yERROR",
               "Cannot create game, invalid map size specified.");
        return;
    }
    if (fileKindOf(gameFolder(game)) != fileKindMissing) {  // its first save would replace that game's files
        refuse(true, QV_ERROR "Cannot create game, a game named ^y" + game + "^w already exists.", "Create Game",
               "A game named ^y" + game + "^w already exists. Choose another name.");
        return;
    }

    if (world.getGameLoaded()) clearLoadedGame(true, false, clearedStepLoadGame);
    world.setGameName(game);
    loadUI(game, true);
    stopSystemSound(sysSoundMainMenu);
    world.setGameImageCount(loadGameImages(world.getGameName(), gameFolder(world.getGameName())));
    uiScriptString.setString("", uiStringGameToCreate);

    world.allocateMaps(1);
    world.worldSetMap(tilew, tileh, game, 0);
    world.setGameLoaded(true);
    gameSys.setInputState(inputStateNormal);

    editGame();
    resetEditorSelections();
    for (int k = 0; k < renderLayerCount; ++k) worldEditor.setRenderLayer(k, true);
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setWelcome(newGameWelcomeTimer, welcomeMenuNewGame);
    systemMsg("Game: " + game + " has been created successfully.");
}

void loadPredefinedUI(std::string game)
{
    if (!checkGameName(game)) return;
    if (gameSys.getGameState() == gameStateWorldEditor) {
        refuse(false, editorActive, "^yERROR", editorActive);
        return;
    }
    showLoadingStep("Predefined UI Initializing...", 0.1f);
    console.echo("");
    console.echo("^2^y" + game + "^g Predefined UI Initializing...");
    if (world.getGameLoaded()) clearLoadedGame(false, true, clearedStepPredefined);

    world.setGameName(game);
    loadUI(game, true);

    showLoadingStep("Loading Interactive Help System", 0.7f);
    initHelp("default");

    showLoadingStep("Configuring UI Settings", 0.8f);
    applyImageAnimations(uiImage, gameUI.getUIImageCount(), scriptUI, true);

    showLoadingStep("Setting Editor Controls", 0.9f);
    world.setGameLoaded(true);
    resetEditorSelections();
    loadMenu(0);
    gameSys.setGameState(gameStateUIEditor);
    gameSys.setInputState(inputStateNormal);
    if (game == "mainui") playSystemSound(sysSoundMainMenu, 1);
    showLoadingStep("Predefined UI Successfully Loaded", 1.0f);
}
