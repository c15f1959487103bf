// gameWorld: the loaded game: its maps, name and loaded flag, current map,
// image, sound and model counts, and the play state (win/lose condition,
// scores, message box, phrases, pending map change, free look, input lock,
// selected and followed object). Held twice, as `world` and `worldBackup`.
// Every map and object operation checks the map index and forwards to it.
#pragma once
#include <string>
#include <vector>

#include "logic/sentence.h"
#include "world/map.h"

enum gameConditionId { gameConditionNone = 0, gameConditionWin = 1, gameConditionLose = 2 };

constexpr int gameBoxTimerNone = 0;
constexpr int gameBoxTimerStart = 1000;
constexpr int gameBoxTimerReady = 1;
constexpr int phraseTimerNone = 0;
constexpr int phraseTimerStart = 1000;
constexpr int phraseTimerReady = 1;
constexpr int phraseDisplayNone = -1;
constexpr int selectedObjectNone = -1;
constexpr int changeMapNone = -1;
constexpr int globalScoreCount = 50;
constexpr int phraseCount = 1024;
constexpr const char* newGameName = "New Game";

// The fallbacks of the world's forwarding for a map index that is no map.
constexpr int badMapCount = -1;
constexpr const char* badMapObjectName = "NULL";

class gameWorld {
public:
    gameWorld();
    gameWorld(const gameWorld&) = delete;
    // A deep copy of everything but the pending map change, which the target keeps.
    gameWorld& operator=(const gameWorld& other);

    void setCurrentMap(int m);
    int getCurrentMap() const { return currentMap; }
    int getMapCount() const { return mapCount; }
    void setGameLoaded(bool on) { gameLoaded = on; }
    bool getGameLoaded() const { return gameLoaded; }
    void setGameName(std::string name) { gameName = std::move(name); }
    std::string getGameName() const { return gameName; }
    void setGameImageCount(int n) { gameImageCount = n; }
    int getGameImageCount() const { return gameImageCount; }
    void setGameSoundCount(int n) { gameSoundCount = n; }
    int getGameSoundCount() const { return gameSoundCount; }
    void worldSetModel(int models, int textures) { modelCount = models; modelTexCount = textures; }
    void worldGetModel(int& models, int& textures) const { models = modelCount; textures = modelTexCount; }
    void setGameCondition(int c) { gameConditionState = c; }
    int getGameCondition() const { return gameConditionState; }
    void setGameBox(int timer, int image) { gameBoxTimer = timer; gameBoxTex = image; }
    void getGameBox(int& timer, int& image) const { timer = gameBoxTimer; image = gameBoxTex; }
    void addGameScore(int n);
    void subGameScore(int n);
    void setGameScore(int n) { gameScore = n; }
    int getGameScore() const { return gameScore; }
    void setChangeMap(int m) { changeMapNextLoop = m; }
    int getChangeMap() const { return changeMapNextLoop; }
    void setFreeLook(bool on) { freeLook = on; }
    bool getFreeLook() const { return freeLook; }
    void setIngameInputDisallow(bool on) { ingameInputDisallow = on; }
    bool getIngameInputDisallow() const { return ingameInputDisallow; }
    void setResetFreelook(bool on) { resetFreelook = on; }
    bool getResetFreelook() const { return resetFreelook; }
    void setGlobalScore(int i, int value);
    int getGlobalScore(int i) const;
    void setPhrase(int i, std::string text);
    std::string getPhrase(int i) const;
    void setDisplayPhrase(int timer, int phrase) { phraseTimer = timer; phraseDisplay = phrase; }
    void getDisplayPhrase(int& timer, int& phrase) const { timer = phraseTimer; phrase = phraseDisplay; }
    void setSelectedObject(int o) { selectedObject = o; }
    int getSelectedObject() const { return selectedObject; }
    void setLookAtObject(int o) { lookAtObject = o; }
    int getLookAtObject() const { return lookAtObject; }
    // Restores the loaded game's snapshot and plays it.
    void enterGame();
    // Back to play without a reset.
    void reenterGame();

    void allocateMaps(int n);
    void worldDeleteMap(int i);
    void copyMap(int src, int dst);
    void clearMapData();

    void worldSetMap(int w, int h, std::string name, int m);
    void worldGetMap(int& w, int& h, std::string& name, int m) const;
    void worldSetTile(int tex, int x, int y, int m);
    void worldGetTile(int& tex, int x, int y, int m) const;
    void worldSetTileHeight(float height, int x, int y, int m);
    float worldGetTileHeight(int x, int y, int m) const;
    // Map m takes `grid` as its tiles when the grid has its size.
    void worldSetTileGrid(tileGrid grid, int m);
    void worldSetMapLayerCount(int n, int m);
    int worldGetMapLayerCount(int m) const;
    void worldSetFog(bool on, float density, float r, float g, float b, int m);
    void worldGetFog(bool& on, float& density, float& r, float& g, float& b, int m) const;
    void worldSetTileStretch(bool on, int m);
    bool worldGetTileStretch(int m) const;
    void worldSetSkybox(int s0, int s1, int s2, int s3, int s4, int s5, int m);
    void worldGetSkybox(int& s0, int& s1, int& s2, int& s3, int& s4, int& s5, int m) const;

    int worldGetObjectCount(int m) const;
    void worldSetObject(float x, float y, float z, float w, float h, float d, int tex, int layer, int o, int m);
    void worldGetObject(float& x, float& y, float& z, float& w, float& h, float& d, int& tex, int& layer, int o,
                        int m) const;
    // A map that already holds as many objects as the map reader accepts
    // (mapReaderMaxObjects) refuses with noticeObjectLimit.
    void worldCopyObject(int o, int m);
    bool worldDeleteObject(int o, int m);
    void worldSetObjectLabel(int label, int o, int m);
    int worldGetObjectLabel(int o, int m) const;
    void worldSetObjectScore(int score, int o, int m);
    int worldGetObjectScore(int o, int m) const;
    void worldSetObjectName(std::string name, int o, int m);
    std::string worldGetObjectName(int o, int m) const;
    void worldSetObjectLife(bool on, int o, int m);
    bool worldGetObjectLife(int o, int m) const;
    void worldSetObjectVisible(bool on, int o, int m);
    bool worldGetObjectVisible(int o, int m) const;
    void worldSetObjectObstructionState(bool on, int o, int m);
    bool worldGetObjectObstructionState(int o, int m) const;
    void setObstructionSize(float w, float h, float d, int o, int m);
    void getObstructionSize(float& w, float& h, float& d, int o, int m) const;
    void worldSetObjectType(int type, int o, int m);
    int worldGetObjectType(int o, int m) const;
    void worldSetRot(float x, float y, float z, int o, int m);
    void worldGetRot(float& x, float& y, float& z, int o, int m) const;

    bool mapGlobalAddSentence(int m);
    bool mapGlobalDeleteSentence(int m, int s);
    void mapGlobalChangeSentence(int m, int s, int slot, int value);
    sentence mapGlobalGetWholeSentence(int m, int s) const;
    int mapGlobalGetSentenceAmount(int m) const;
    void mapGlobalSetExecutionState(int state, int s, int m);
    int mapGlobalGetExecutionState(int s, int m) const;
    void mapGlobalSetSentenceTimer(int timer, int s, int m);
    int mapGlobalGetSentenceTimer(int s, int m) const;

    bool mapLocalAddSentence(int o, int m);
    bool mapLocalDeleteSentence(int s, int o, int m);
    void mapLocalChangeSentence(int s, int slot, int value, int o, int m);
    sentence mapLocalGetWholeSentence(int s, int o, int m) const;
    int mapLocalGetSentenceAmount(int o, int m) const;
    void mapLocalSetExecutionState(int state, int s, int o, int m);
    int mapLocalGetExecutionState(int s, int o, int m) const;
    void mapLocalSetSentenceTimer(int timer, int s, int o, int m);
    int mapLocalGetSentenceTimer(int s, int o, int m) const;

private:
    std::vector<gameMap> map;  // at least mapCount maps
    bool gameLoaded = false;
    int currentMap = 0;
    int mapCount = 0;
    std::string gameName = newGameName;
    int gameImageCount = 0;
    int gameConditionState = gameConditionNone;
    int gameBoxTimer = 0;
    int gameBoxTex = 0;
    int gameScore = 0;
    int changeMapNextLoop = 0;
    bool freeLook = false;
    bool ingameInputDisallow = false;
    int gameSoundCount = 0;
    int globalScore[globalScoreCount] = {};
    std::vector<std::string> phrases;
    int phraseTimer = -1;
    int phraseDisplay = phraseDisplayNone;
    int selectedObject = selectedObjectNone;
    int modelCount = 0;
    int modelTexCount = 0;
    int lookAtObject = 0;
    bool resetFreelook = false;

    bool validMap(int m) const { return m >= 0 && m < mapCount; }
    gameMap& mapAt(int m) { return map[static_cast<size_t>(m)]; }
    const gameMap& mapAt(int m) const { return map[static_cast<size_t>(m)]; }
};

extern gameWorld world;
extern gameWorld worldBackup;

// Switches `world` to map m: the play camera outside the world editor, the
// editor's selections reset inside it. Nothing happens for a map that is none.
void changeMap(int m);

// The notice of a map that holds as many objects as a map can.
void noticeObjectLimit();

// Tiles of every map of `world`.
long long worldTileCount();
