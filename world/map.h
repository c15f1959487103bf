// gameMap: one map of a game: its tile grid, its objects, its global rules,
// name, layer count, fog, tile stretch and skybox. Object operations check the
// object index and forward to the object.
#pragma once
#include <string>
#include <vector>

#include "logic/sentence.h"
#include "world/object.h"
#include "world/map_reader.h"
#include "world/tile_grid.h"

constexpr int mapMaxSize = 700;        // tiles on a side
constexpr float tileSize = 6.0f;       // world units on a side
constexpr int skyboxFaces = 6;
constexpr int defaultLayerCount = 7;
constexpr float fogMinValue = 0.1f;    // density and colour components are
constexpr float fogMaxValue = 1.0f;    // taken only within these bounds

class gameMap {
public:
    gameMap() = default;
    gameMap(gameMap&&) noexcept = default;
    gameMap(const gameMap&) = delete;
    gameMap& operator=(gameMap&&) noexcept = default;
    // The copy shares the other map's tiles until either changes one; every
    // copied object keeps the label this map's object at its index had.
    gameMap& operator=(const gameMap& other);

    void setMap(int w, int h, std::string name);
    void getMap(int& w, int& h, std::string& name) const { w = mapw; h = maph; name = mapName; }
    // The tiles the map holds in memory.
    long long mapTilesHeld() const { return static_cast<long long>(tiles.width()) * tiles.height(); }
    void mapSetTile(int tex, int x, int y);
    void mapGetTile(int& tex, int x, int y) const;
    void mapSetTileHeight(float height, int x, int y);
    float mapGetTileHeight(int x, int y) const;
    // Takes `grid` as its tiles when it has the map's size; false otherwise.
    bool mapSetTileGrid(tileGrid grid);
    void setMapLayerCount(int n) { layerCount = n; }
    int getMapLayerCount() const { return layerCount; }
    void mapSetFog(bool on, float density, float r, float g, float b);
    void mapGetFog(bool& on, float& density, float& r, float& g, float& b) const;
    void mapSetTileStretch(bool on) { tileStretch = on; }
    bool mapGetTileStretch() const { return tileStretch; }
    void setSkybox(int s0, int s1, int s2, int s3, int s4, int s5);
    void getSkybox(int& s0, int& s1, int& s2, int& s3, int& s4, int& s5) const;

    void mapSetObject(float x, float y, float z, float w, float h, float d, int tex, int layer, int o);
    void mapGetObject(float& x, float& y, float& z, float& w, float& h, float& d, int& tex, int& layer,
                      int o) const;
    void mapCopyObject(int o);
    bool mapDeleteObject(int o);
    int mapGetObjectCount() const { return objectCount; }
    void mapSetObjectLabel(int label, int o);
    int mapGetObjectLabel(int o) const;
    void mapSetObjectScore(int score, int o);
    int mapGetObjectScore(int o) const;
    void mapSetObjectName(std::string name, int o);
    std::string mapGetObjectName(int o) const;
    void mapSetObjectLife(bool on, int o);
    bool mapGetObjectLife(int o) const;
    void mapSetObjectVisible(bool on, int o);
    bool mapGetObjectVisible(int o) const;
    void mapSetObjectObstructionState(bool on, int o);
    bool mapGetObjectObstructionState(int o) const;
    void setObstructionSize(float w, float h, float d, int o);
    void getObstructionSize(float& w, float& h, float& d, int o) const;
    void mapSetObjectType(int type, int o);
    int mapGetObjectType(int o) const;
    void mapSetRot(float x, float y, float z, int o);
    void mapGetRot(float& x, float& y, float& z, int o) const;

    bool globalAddSentence();
    bool globalDeleteSentence(int s) { return globalLogic.deleteSentence(s); }
    void globalChangeSentence(int s, int slot, int value) { globalLogic.changeSentence(s, slot, value); }
    sentence globalGetWholeSentence(int s) const { return globalLogic.getWholeSentence(s); }
    int globalGetSentenceAmount() const { return globalLogic.getSentenceAmount(); }
    void globalSetOwner(int owner, int s) { globalLogic.sentenceSetOwner(owner, s); }
    void globalSetExecutionState(int state, int s) { globalLogic.setSentenceExecutionState(state, s); }
    int globalGetExecutionState(int s) const { return globalLogic.getSentenceExecutionState(s); }
    void globalSetSentenceTimer(int timer, int s) { globalLogic.setSentenceTimer(timer, s); }
    int globalGetSentenceTimer(int s) const { return globalLogic.getSentenceTimer(s); }

    bool mapLocalAddSentence(int o);
    bool mapLocalDeleteSentence(int s, int o);
    void mapLocalChangeSentence(int s, int slot, int value, int o);
    sentence mapLocalGetWholeSentence(int s, int o) const;
    int mapLocalGetSentenceAmount(int o) const;
    void mapLocalSetExecutionState(int state, int s, int o);
    int mapLocalGetExecutionState(int s, int o) const;
    void mapLocalSetSentenceTimer(int timer, int s, int o);
    int mapLocalGetSentenceTimer(int s, int o) const;

    // Gives every object the label -1 (what a grown object array holds).
    void clearObjectLabels();

private:
    std::vector<gameObject> object;  // at least objectCount objects
    tileGrid tiles;                  // mapw x maph
    logicStrings globalLogic;
    std::string mapName = "New Map";
    int mapw = 0;
    int maph = 0;
    int objectCount = 0;
    int layerCount = defaultLayerCount;
    bool fog = false;
    float fogColor[3] = {1.0f, 1.0f, 1.0f};
    float fogDens = 0.0f;
    bool tileStretch = false;
    int skybox[skyboxFaces] = {0, 0, 0, 0, 0, 0};

    bool validTile(int x, int y) const { return x >= 0 && x < mapw && y >= 0 && y < maph; }
    bool validObject(int o) const { return o >= 0 && o < objectCount; }
    gameObject& objectAt(int o) { return object[static_cast<size_t>(o)]; }
    const gameObject& objectAt(int o) const { return object[static_cast<size_t>(o)]; }
    void appendObject();
    void resizeGrid(int w, int h, int keepW, int keepH);
};
