// gameWorld: the world copy, map management, the play-state accessors with
// their clamps, the checked forwarding to maps, and changeMap.
#include "world/world.h"

#include <algorithm>
#include <climits>

#include "core/camera.h"
#include "core/system.h"
#include "editor/editor.h"
#include "menus/notice.h"
#include "world/game_leave.h"

gameWorld world;
gameWorld worldBackup;

namespace {

int clampToInt(long long v)
{
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

}  // namespace

gameWorld::gameWorld() : phrases(phraseCount) {}

gameWorld& gameWorld::operator=(const gameWorld& other)
{
    if (this == &other) return *this;
    std::vector<gameMap> copied(static_cast<size_t>(other.mapCount));
    for (int m = 0; m < other.mapCount; ++m) copied[static_cast<size_t>(m)] = other.mapAt(m);
    map.swap(copied);

    currentMap = other.currentMap;
    mapCount = other.mapCount;
    gameName = other.gameName;
    gameImageCount = other.gameImageCount;
    gameConditionState = other.gameConditionState;
    gameBoxTimer = other.gameBoxTimer;
    gameBoxTex = other.gameBoxTex;
    gameLoaded = other.gameLoaded;
    gameScore = other.gameScore;
    freeLook = other.freeLook;
    ingameInputDisallow = other.ingameInputDisallow;
    gameSoundCount = other.gameSoundCount;
    std::copy(std::begin(other.globalScore), std::end(other.globalScore), globalScore);
    phrases = other.phrases;
    phraseTimer = other.phraseTimer;
    phraseDisplay = other.phraseDisplay;
    selectedObject = other.selectedObject;
    modelCount = other.modelCount;
    modelTexCount = other.modelTexCount;
    lookAtObject = other.lookAtObject;
    resetFreelook = other.resetFreelook;
    return *this;
}

void gameWorld::setCurrentMap(int m)
{
    if (validMap(m)) currentMap = m;
}

void gameWorld::addGameScore(int n)
{
    gameScore = clampToInt(static_cast<long long>(gameScore) + n);
}

void gameWorld::subGameScore(int n)
{
    gameScore = std::max(0, clampToInt(static_cast<long long>(gameScore) - n));
}

void gameWorld::setGlobalScore(int i, int value)
{
    if (i >= 0 && i < globalScoreCount) globalScore[i] = std::max(0, value);
}

int gameWorld::getGlobalScore(int i) const
{
    return i >= 0 && i < globalScoreCount ? globalScore[i] : 0;
}

void gameWorld::setPhrase(int i, std::string text)
{
    if (i >= 0 && i < phraseCount) phrases[static_cast<size_t>(i)] = std::move(text);
}

std::string gameWorld::getPhrase(int i) const
{
    return i >= 0 && i < phraseCount ? phrases[static_cast<size_t>(i)] : std::string();
}

void gameWorld::enterGame()
{
    resetGame();
    gameSys.setGameState(gameStatePlay);
}

void gameWorld::reenterGame()
{
    gameSys.setGameState(gameStatePlay);
}

void gameWorld::allocateMaps(int n)
{
    if (n > mapCount) {
        // The grown array holds default maps with the old ones assigned in,
        // so their objects carry no labels any more.
        for (int m = 0; m < mapCount; ++m) mapAt(m).clearObjectLabels();
        if (static_cast<int>(map.size()) < n) map.resize(static_cast<size_t>(n));
        for (int m = mapCount; m < n; ++m) mapAt(m) = gameMap();
    }
    mapCount = std::max(n, 0);
}

void gameWorld::worldDeleteMap(int i)
{
    if (mapCount <= 1 || !validMap(i)) return;
    currentMap = 0;
    for (int m = i; m < mapCount - 1; ++m) mapAt(m) = mapAt(m + 1);
    --mapCount;
}

void gameWorld::copyMap(int src, int dst)
{
    if (validMap(src) && validMap(dst)) mapAt(dst) = mapAt(src);
}

void gameWorld::clearMapData()
{
    if (!gameLoaded) return;
    std::vector<gameMap>().swap(map);
    currentMap = 0;
    gameLoaded = false;
    mapCount = 0;
    gameName = newGameName;
    gameConditionState = gameConditionNone;
    gameScore = 0;
}

// Map settings and tiles.

void gameWorld::worldSetMap(int w, int h, std::string name, int m)
{
    if (validMap(m)) mapAt(m).setMap(w, h, std::move(name));
}

void gameWorld::worldGetMap(int& w, int& h, std::string& name, int m) const
{
    if (validMap(m)) mapAt(m).getMap(w, h, name);
}

void gameWorld::worldSetTile(int tex, int x, int y, int m)
{
    if (validMap(m)) mapAt(m).mapSetTile(tex, x, y);
}

void gameWorld::worldGetTile(int& tex, int x, int y, int m) const
{
    if (validMap(m)) mapAt(m).mapGetTile(tex, x, y);
}

void gameWorld::worldSetTileGrid(tileGrid grid, int m)
{
    if (validMap(m)) mapAt(m).mapSetTileGrid(std::move(grid));
}

void gameWorld::worldSetTileHeight(float height, int x, int y, int m)
{
    if (validMap(m)) mapAt(m).mapSetTileHeight(height, x, y);
}

float gameWorld::worldGetTileHeight(int x, int y, int m) const
{
    return validMap(m) ? mapAt(m).mapGetTileHeight(x, y) : 0.0f;
}

void gameWorld::worldSetMapLayerCount(int n, int m)
{
    if (validMap(m)) mapAt(m).setMapLayerCount(n);
}

int gameWorld::worldGetMapLayerCount(int m) const
{
    return validMap(m) ? mapAt(m).getMapLayerCount() : badMapCount;
}

void gameWorld::worldSetFog(bool on, float density, float r, float g, float b, int m)
{
    if (validMap(m)) mapAt(m).mapSetFog(on, density, r, g, b);
}

void gameWorld::worldGetFog(bool& on, float& density, float& r, float& g, float& b, int m) const
{
    if (validMap(m)) mapAt(m).mapGetFog(on, density, r, g, b);
}

void gameWorld::worldSetTileStretch(bool on, int m)
{
    if (validMap(m)) mapAt(m).mapSetTileStretch(on);
}

bool gameWorld::worldGetTileStretch(int m) const
{
    return validMap(m) && mapAt(m).mapGetTileStretch();
}

void gameWorld::worldSetSkybox(int s0, int s1, int s2, int s3, int s4, int s5, int m)
{
    if (validMap(m)) mapAt(m).setSkybox(s0, s1, s2, s3, s4, s5);
}

void gameWorld::worldGetSkybox(int& s0, int& s1, int& s2, int& s3, int& s4, int& s5, int m) const
{
    if (validMap(m)) mapAt(m).getSkybox(s0, s1, s2, s3, s4, s5);
}

// Objects.

int gameWorld::worldGetObjectCount(int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectCount() : badMapCount;
}

void gameWorld::worldSetObject(float x, float y, float z, float w, float h, float d, int tex, int layer, int o,
                               int m)
{
    if (validMap(m)) mapAt(m).mapSetObject(x, y, z, w, h, d, tex, layer, o);
}

void gameWorld::worldGetObject(float& x, float& y, float& z, float& w, float& h, float& d, int& tex, int& layer,
                               int o, int m) const
{
    if (validMap(m)) mapAt(m).mapGetObject(x, y, z, w, h, d, tex, layer, o);
}

void gameWorld::worldCopyObject(int o, int m)
{
    if (!validMap(m)) return;
    if (mapAt(m).mapGetObjectCount() >= mapReaderMaxObjects) {
        noticeObjectLimit();
        return;
    }
    mapAt(m).mapCopyObject(o);
}

bool gameWorld::worldDeleteObject(int o, int m)
{
    if (!validMap(m)) return false;
    mapAt(m).mapDeleteObject(o);
    return true;
}

void gameWorld::worldSetObjectLabel(int label, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectLabel(label, o);
}

int gameWorld::worldGetObjectLabel(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectLabel(o) : objectLabelNone;
}

void gameWorld::worldSetObjectScore(int score, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectScore(score, o);
}

int gameWorld::worldGetObjectScore(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectScore(o) : badMapCount;
}

void gameWorld::worldSetObjectName(std::string name, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectName(std::move(name), o);
}

std::string gameWorld::worldGetObjectName(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectName(o) : std::string(badMapObjectName);
}

void gameWorld::worldSetObjectLife(bool on, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectLife(on, o);
}

bool gameWorld::worldGetObjectLife(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectLife(o) : true;
}

void gameWorld::worldSetObjectVisible(bool on, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectVisible(on, o);
}

bool gameWorld::worldGetObjectVisible(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectVisible(o) : true;
}

void gameWorld::worldSetObjectObstructionState(bool on, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectObstructionState(on, o);
}

bool gameWorld::worldGetObjectObstructionState(int o, int m) const
{
    return validMap(m) && mapAt(m).mapGetObjectObstructionState(o);
}

void gameWorld::setObstructionSize(float w, float h, float d, int o, int m)
{
    if (validMap(m)) mapAt(m).setObstructionSize(w, h, d, o);
}

void gameWorld::getObstructionSize(float& w, float& h, float& d, int o, int m) const
{
    if (validMap(m)) mapAt(m).getObstructionSize(w, h, d, o);
}

void gameWorld::worldSetObjectType(int type, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetObjectType(type, o);
}

int gameWorld::worldGetObjectType(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapGetObjectType(o) : objectTypeCube;
}

void gameWorld::worldSetRot(float x, float y, float z, int o, int m)
{
    if (validMap(m)) mapAt(m).mapSetRot(x, y, z, o);
}

void gameWorld::worldGetRot(float& x, float& y, float& z, int o, int m) const
{
    if (validMap(m)) mapAt(m).mapGetRot(x, y, z, o);
}

// Global rules.

bool gameWorld::mapGlobalAddSentence(int m)
{
    if (!validMap(m)) return false;
    gameMap& target = mapAt(m);
    const int before = target.globalGetSentenceAmount();
    target.globalAddSentence();
    const int after = target.globalGetSentenceAmount();
    if (after > before) target.globalSetOwner(m, after - 1);
    return true;
}

bool gameWorld::mapGlobalDeleteSentence(int m, int s)
{
    return validMap(m) && mapAt(m).globalDeleteSentence(s);
}

void gameWorld::mapGlobalChangeSentence(int m, int s, int slot, int value)
{
    if (validMap(m)) mapAt(m).globalChangeSentence(s, slot, value);
}

sentence gameWorld::mapGlobalGetWholeSentence(int m, int s) const
{
    return validMap(m) ? mapAt(m).globalGetWholeSentence(s) : sentence();
}

int gameWorld::mapGlobalGetSentenceAmount(int m) const
{
    return validMap(m) ? mapAt(m).globalGetSentenceAmount() : badMapCount;
}

void gameWorld::mapGlobalSetExecutionState(int state, int s, int m)
{
    if (validMap(m)) mapAt(m).globalSetExecutionState(state, s);
}

int gameWorld::mapGlobalGetExecutionState(int s, int m) const
{
    return validMap(m) ? mapAt(m).globalGetExecutionState(s) : sentenceMissingValue;
}

void gameWorld::mapGlobalSetSentenceTimer(int timer, int s, int m)
{
    if (validMap(m)) mapAt(m).globalSetSentenceTimer(timer, s);
}

int gameWorld::mapGlobalGetSentenceTimer(int s, int m) const
{
    return validMap(m) ? mapAt(m).globalGetSentenceTimer(s) : sentenceMissingValue;
}

// Local rules.

bool gameWorld::mapLocalAddSentence(int o, int m)
{
    return validMap(m) && mapAt(m).mapLocalAddSentence(o);
}

bool gameWorld::mapLocalDeleteSentence(int s, int o, int m)
{
    return validMap(m) && mapAt(m).mapLocalDeleteSentence(s, o);
}

void gameWorld::mapLocalChangeSentence(int s, int slot, int value, int o, int m)
{
    if (validMap(m)) mapAt(m).mapLocalChangeSentence(s, slot, value, o);
}

sentence gameWorld::mapLocalGetWholeSentence(int s, int o, int m) const
{
    return validMap(m) ? mapAt(m).mapLocalGetWholeSentence(s, o) : sentence();
}

int gameWorld::mapLocalGetSentenceAmount(int o, int m) const
{
    return validMap(m) ? mapAt(m).mapLocalGetSentenceAmount(o) : sentenceMissingValue;
}

void gameWorld::mapLocalSetExecutionState(int state, int s, int o, int m)
{
    if (validMap(m)) mapAt(m).mapLocalSetExecutionState(state, s, o);
}

int gameWorld::mapLocalGetExecutionState(int s, int o, int m) const
{
    return validMap(m) ? mapAt(m).mapLocalGetExecutionState(s, o) : sentenceMissingValue;
}

void gameWorld::mapLocalSetSentenceTimer(int timer, int s, int o, int m)
{
    if (validMap(m)) mapAt(m).mapLocalSetSentenceTimer(timer, s, o);
}

int gameWorld::mapLocalGetSentenceTimer(int s, int o, int m) const
{
    return validMap(m) ? mapAt(m).mapLocalGetSentenceTimer(s, o) : sentenceMissingValue;
}

void changeMap(int m)
{
    if (m < 0 || m >= world.getMapCount()) return;
    if (gameSys.getGameState() != gameStateWorldEditor) {
        camera.setCamMode(camModeFirstPerson);
        camera.SetPos(0.0f, 0.0f, 0.0f);
        world.setCurrentMap(m);
        return;
    }
    worldEditor.resetObjectList();
    worldEditor.setCurrentObject(0);
    worldEditor.setCurrentTile(0, 0);
    worldEditor.setStartingTile(0, 0);
    worldEditor.setEndingTile(0, 0);
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setHelpMenu(0);
    world.setCurrentMap(m);
    camera.setCamMode(camModeEditor);
}

void noticeObjectLimit()
{
    notice.setNotice("Too many objects", "You have exceeded the maximum # of objects for this map");
}

long long worldTileCount()
{
    long long tiles = 0;
    for (int m = 0; m < world.getMapCount(); ++m) {
        int w = 0, h = 0;
        std::string name;
        world.worldGetMap(w, h, name, m);
        tiles += static_cast<long long>(w) * h;
    }
    return tiles;
}
