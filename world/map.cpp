// gameMap: grid resizing, map assignment, the object array with its growth,
// copying and deletion (with the renumbering of object references in the
// map's rules), and the checked forwarding to objects and rule lists.
#include "world/map.h"

#include <algorithm>

#include "editor/editor.h"

namespace {

constexpr float copyOffsetX = 1.0f;  // a copied object lands this far along x

bool validSize(int n)
{
    return n >= 0 && n <= mapMaxSize;
}

bool fogValueInRange(float v)
{
    return v >= fogMinValue && v <= fogMaxValue;
}

}  // namespace

void gameMap::resizeGrid(int w, int h, int keepW, int keepH)
{
    tileGrid grown(w, h);
    for (int x = 0; x < keepW; ++x) grown.copyColumn(tiles, x, keepH);
    tiles = std::move(grown);
}

gameMap& gameMap::operator=(const gameMap& other)
{
    if (this == &other) return *this;

    tiles = other.tiles;

    if (other.objectCount > objectCount) {
        // A grown array holds default objects, so every label is -1 again.
        if (static_cast<int>(object.size()) < other.objectCount) object.resize(static_cast<size_t>(other.objectCount));
        for (gameObject& o : object) o.setObjectLabel(objectLabelNone);
    }
    for (int k = 0; k < other.objectCount; ++k) objectAt(k) = other.objectAt(k);

    objectCount = other.objectCount;
    mapw = other.mapw;
    maph = other.maph;
    mapName = other.mapName;
    fog = other.fog;
    fogDens = other.fogDens;
    std::copy(std::begin(other.fogColor), std::end(other.fogColor), fogColor);
    layerCount = other.layerCount;
    globalLogic = other.globalLogic;
    tileStretch = other.tileStretch;
    std::copy(std::begin(other.skybox), std::end(other.skybox), skybox);
    return *this;
}

void gameMap::setMap(int w, int h, std::string name)
{
    if (!validSize(w) || !validSize(h)) return;
    // The grid always has the map's size, so a shrunk map holds no more tiles
    // than it shows (the world's tile budget counts what the maps hold).
    if (w != tiles.width() || h != tiles.height()) resizeGrid(w, h, std::min(mapw, w), std::min(maph, h));
    mapw = w;
    maph = h;
    mapName = std::move(name);
}

void gameMap::mapSetTile(int tex, int x, int y)
{
    if (validTile(x, y)) tiles.writableAt(x, y).setTile(tex);
}

void gameMap::mapGetTile(int& tex, int x, int y) const
{
    if (validTile(x, y)) tiles.at(x, y).getTile(tex);
}

void gameMap::mapSetTileHeight(float height, int x, int y)
{
    if (validTile(x, y)) tiles.writableAt(x, y).setHeight(height);
}

float gameMap::mapGetTileHeight(int x, int y) const
{
    return validTile(x, y) ? tiles.at(x, y).getHeight() : 0.0f;
}

bool gameMap::mapSetTileGrid(tileGrid grid)
{
    if (grid.width() != mapw || grid.height() != maph) return false;
    tiles = std::move(grid);
    return true;
}

void gameMap::mapSetFog(bool on, float density, float r, float g, float b)
{
    fog = on;
    if (fogValueInRange(density)) fogDens = density;
    const float colour[3] = {r, g, b};
    for (int c = 0; c < 3; ++c) {
        if (fogValueInRange(colour[c])) fogColor[c] = colour[c];
    }
}

void gameMap::mapGetFog(bool& on, float& density, float& r, float& g, float& b) const
{
    on = fog;
    density = fogDens;
    r = fogColor[0];
    g = fogColor[1];
    b = fogColor[2];
}

void gameMap::setSkybox(int s0, int s1, int s2, int s3, int s4, int s5)
{
    const int faces[skyboxFaces] = {s0, s1, s2, s3, s4, s5};
    std::copy(std::begin(faces), std::end(faces), skybox);
}

void gameMap::getSkybox(int& s0, int& s1, int& s2, int& s3, int& s4, int& s5) const
{
    s0 = skybox[0];
    s1 = skybox[1];
    s2 = skybox[2];
    s3 = skybox[3];
    s4 = skybox[4];
    s5 = skybox[5];
}

void gameMap::clearObjectLabels()
{
    for (int k = 0; k < objectCount; ++k) objectAt(k).setObjectLabel(objectLabelNone);
}

void gameMap::appendObject()
{
    const size_t n = static_cast<size_t>(objectCount);
    if (object.size() <= n) {
        object.emplace_back();
    } else {
        object[n] = gameObject();  // storage left behind by a deletion
    }
    ++objectCount;
    clearObjectLabels();
}

void gameMap::mapSetObject(float x, float y, float z, float w, float h, float d, int tex, int layer, int o)
{
    if (o < 0 || o > objectCount) return;
    if (o == objectCount) appendObject();
    objectAt(o).setObject(x, y, z, w, h, d, tex, layer);
}

void gameMap::mapGetObject(float& x, float& y, float& z, float& w, float& h, float& d, int& tex, int& layer,
                           int o) const
{
    if (validObject(o)) objectAt(o).getObject(x, y, z, w, h, d, tex, layer);
}

void gameMap::mapCopyObject(int o)
{
    if (objectCount >= mapReaderMaxObjects) return;
    if (!validObject(o)) return;
    const int n = objectCount;
    appendObject();
    gameObject& copy = objectAt(n);
    copy = objectAt(o);
    for (int s = 0; s < copy.localGetSentenceAmount(); ++s) copy.localSetOwner(n, s);

    float x, y, z, w, h, d;
    int tex, layer;
    copy.getObject(x, y, z, w, h, d, tex, layer);
    copy.setObject(x + copyOffsetX, y, z, w, h, d, tex, layer);
    worldEditor.setCurrentObject(n);
}

bool gameMap::mapDeleteObject(int i)
{
    if (!validObject(i)) return false;
    // Object references first, while every rule still sits with its object.
    for (int k = 0; k < objectCount; ++k) {
        if (k != i) objectAt(k).rules().renumberObjects(i);
    }
    globalLogic.renumberObjects(i);

    for (int k = i; k < objectCount - 1; ++k) {
        objectAt(k) = objectAt(k + 1);
        objectAt(k).rules().moveOwner(k);
    }
    --objectCount;
    return true;
}

void gameMap::mapSetObjectLabel(int label, int o)
{
    if (validObject(o)) objectAt(o).setObjectLabel(label);
}

int gameMap::mapGetObjectLabel(int o) const
{
    return validObject(o) ? objectAt(o).getObjectLabel() : 0;
}

void gameMap::mapSetObjectScore(int score, int o)
{
    if (validObject(o)) objectAt(o).setObjectScore(score);
}

int gameMap::mapGetObjectScore(int o) const
{
    return validObject(o) ? objectAt(o).getObjectScore() : 0;
}

void gameMap::mapSetObjectName(std::string name, int o)
{
    if (validObject(o)) objectAt(o).setObjectName(std::move(name));
}

std::string gameMap::mapGetObjectName(int o) const
{
    return validObject(o) ? objectAt(o).getObjectName() : std::string();
}

void gameMap::mapSetObjectLife(bool on, int o)
{
    if (validObject(o)) objectAt(o).setObjectLife(on);
}

bool gameMap::mapGetObjectLife(int o) const
{
    return validObject(o) && objectAt(o).getObjectLife();
}

void gameMap::mapSetObjectVisible(bool on, int o)
{
    if (validObject(o)) objectAt(o).setObjectVisible(on);
}

bool gameMap::mapGetObjectVisible(int o) const
{
    return validObject(o) && objectAt(o).getObjectVisible();
}

void gameMap::mapSetObjectObstructionState(bool on, int o)
{
    if (validObject(o)) objectAt(o).setObstructionState(on);
}

bool gameMap::mapGetObjectObstructionState(int o) const
{
    return validObject(o) && objectAt(o).getObstructionState();
}

void gameMap::setObstructionSize(float w, float h, float d, int o)
{
    if (validObject(o)) objectAt(o).setObstructionSize(w, h, d);
}

void gameMap::getObstructionSize(float& w, float& h, float& d, int o) const
{
    if (validObject(o)) objectAt(o).getObstructionSize(w, h, d);
}

void gameMap::mapSetObjectType(int type, int o)
{
    if (validObject(o)) objectAt(o).setObjectType(type);
}

int gameMap::mapGetObjectType(int o) const
{
    return validObject(o) ? objectAt(o).getObjectType() : objectTypeCube;
}

void gameMap::mapSetRot(float x, float y, float z, int o)
{
    if (validObject(o)) objectAt(o).setRot(x, y, z);
}

void gameMap::mapGetRot(float& x, float& y, float& z, int o) const
{
    if (validObject(o)) objectAt(o).getRot(x, y, z);
}

bool gameMap::globalAddSentence()
{
    if (objectCount == 0) return true;  // a map without objects takes no rule
    return globalLogic.addSentence();
}

bool gameMap::mapLocalAddSentence(int o)
{
    if (!validObject(o)) return false;
    gameObject& obj = objectAt(o);
    obj.localAddSentence();
    obj.localSetOwner(o, obj.localGetSentenceAmount() - 1);
    return true;
}

bool gameMap::mapLocalDeleteSentence(int s, int o)
{
    return validObject(o) && objectAt(o).localDeleteSentence(s);
}

void gameMap::mapLocalChangeSentence(int s, int slot, int value, int o)
{
    if (validObject(o)) objectAt(o).localChangeSentence(s, slot, value);
}

sentence gameMap::mapLocalGetWholeSentence(int s, int o) const
{
    return validObject(o) ? objectAt(o).localGetWholeSentence(s) : sentence();
}

int gameMap::mapLocalGetSentenceAmount(int o) const
{
    return validObject(o) ? objectAt(o).localGetSentenceAmount() : sentenceMissingValue;
}

void gameMap::mapLocalSetExecutionState(int state, int s, int o)
{
    if (validObject(o)) objectAt(o).localSetExecutionState(state, s);
}

int gameMap::mapLocalGetExecutionState(int s, int o) const
{
    return validObject(o) ? objectAt(o).localGetExecutionState(s) : sentenceMissingValue;
}

void gameMap::mapLocalSetSentenceTimer(int timer, int s, int o)
{
    if (validObject(o)) objectAt(o).localSetTimer(timer, s);
}

int gameMap::mapLocalGetSentenceTimer(int s, int o) const
{
    return validObject(o) ? objectAt(o).localGetTimer(s) : sentenceMissingValue;
}
