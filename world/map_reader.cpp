// The map file reader. The maps the file declares are first measured against
// the world's tile budget; then each map is read in the file's order: size and
// name, tile stretch, skybox, tiles, objects (one key per field, or one line
// per object), layer count and fog; then the phrases. The tiles are taken out
// of the table while the file is read (world/map_tiles.h).
#include "world/map_reader.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <string>
#include <string_view>

#include "core/file_kind.h"
#include "core/log.h"
#include "core/script.h"
#include "world/cfg_words.h"
#include "world/game_files.h"
#include "world/map_tiles.h"
#include "world/world.h"
#include "world/world_limits.h"

namespace {

constexpr const char* endMapMarker = "endMapLoad";
constexpr const char* endObjectMarker = "endObjectLoad";
constexpr const char* missingText = "NULL";
constexpr int lineWordsWithoutName = 16;  // the fields of an object line but its name
constexpr int lineLeadingFields = 12;     // x y z w h d tex layer obw obh obd obstruction
constexpr int lineTrailingFields = 4;     // type rotx roty rotz

// One key, formatted into a reused buffer.
class keyBuilder {
public:
    std::string_view operator()(const char* format, ...) __attribute__((format(printf, 2, 3)))
    {
        va_list args;
        va_start(args, format);
        const int n = std::vsnprintf(buffer, sizeof buffer, format, args);
        va_end(args);
        return std::string_view(buffer, n < 0 ? 0 : std::min<size_t>(static_cast<size_t>(n), sizeof buffer - 1));
    }

private:
    char buffer[128];
};

// A number key, or `fallback` when the file holds no such key (a stored -1 is kept).
float numberOr(std::string_view key, float fallback)
{
    const float v = scriptMap.findLineF(key);
    if (v == scriptObject::missingNumber && !scriptMap.hasKey(key)) return fallback;
    return v;
}

struct objectFields {
    float x, y, z, w, h, d;
    int tex, layer;
    float obw, obh, obd;
    int obstruction;
    std::string name;
    int type;
    float rotx, roty, rotz;
};

// The values of a new object.
objectFields defaultObjectFields()
{
    const gameObject fresh;
    objectFields f;
    fresh.getObject(f.x, f.y, f.z, f.w, f.h, f.d, f.tex, f.layer);
    fresh.getObstructionSize(f.obw, f.obh, f.obd);
    f.obstruction = fresh.getObstructionState() ? 1 : 0;
    f.name = fresh.getObjectName();
    f.type = fresh.getObjectType();
    fresh.getRot(f.rotx, f.roty, f.rotz);
    return f;
}

objectFields readObjectPerField(keyBuilder& key, int i, int j)
{
    objectFields f = defaultObjectFields();
    f.x = scriptMap.findLineF(key("map%iobject%ix", i, j));
    f.y = scriptMap.findLineF(key("map%iobject%iy", i, j));
    f.z = scriptMap.findLineF(key("map%iobject%iz", i, j));
    f.w = scriptMap.findLineF(key("map%iobject%iw", i, j));
    f.h = scriptMap.findLineF(key("map%iobject%ih", i, j));
    f.d = scriptMap.findLineF(key("map%iobject%id", i, j));
    f.tex = truncateNumber(scriptMap.findLineF(key("map%iobject%itex", i, j)));
    f.layer = truncateNumber(scriptMap.findLineF(key("map%iobject%ilayer", i, j)));
    f.obstruction = truncateNumber(scriptMap.findLineF(key("map%iobject%iobstruction", i, j)));
    f.obw = scriptMap.findLineF(key("map%iobject%iow", i, j));
    f.obh = scriptMap.findLineF(key("map%iobject%ioh", i, j));
    f.obd = 0.0f;  // this layout stores no depth, type or rotation
    f.name = scriptMap.findLineS(key("map%iobject%iname", i, j));
    f.type = objectTypeCube;
    f.rotx = f.roty = f.rotz = 0.0f;
    return f;
}

// x y z w h d tex layer obw obh obd obstruction name... type rotx roty rotz;
// the name is every word between the twelfth and the last four.
objectFields readObjectLine(const std::string& text)
{
    objectFields f = defaultObjectFields();
    const std::vector<std::string_view> w = splitWords(text);
    const int n = static_cast<int>(w.size());
    if (n < lineWordsWithoutName) return f;

    f.x = wordToFloat(w[0]);
    f.y = wordToFloat(w[1]);
    f.z = wordToFloat(w[2]);
    f.w = wordToFloat(w[3]);
    f.h = wordToFloat(w[4]);
    f.d = wordToFloat(w[5]);
    f.tex = wordToInt(w[6]);
    f.layer = wordToInt(w[7]);
    f.obw = wordToFloat(w[8]);
    f.obh = wordToFloat(w[9]);
    f.obd = wordToFloat(w[10]);
    f.obstruction = wordToInt(w[11]);
    const int nameEnd = n - lineTrailingFields;
    f.name.clear();
    for (int k = lineLeadingFields; k < nameEnd; ++k) {
        if (k > lineLeadingFields) f.name += ' ';
        f.name += w[static_cast<size_t>(k)];
    }
    f.type = wordToInt(w[static_cast<size_t>(nameEnd)]);
    f.rotx = wordToFloat(w[static_cast<size_t>(nameEnd + 1)]);
    f.roty = wordToFloat(w[static_cast<size_t>(nameEnd + 2)]);
    f.rotz = wordToFloat(w[static_cast<size_t>(nameEnd + 3)]);
    return f;
}

void storeObject(const objectFields& f, int j, int i)
{
    world.worldSetObject(f.x, f.y, f.z, f.w, f.h, f.d, f.tex, f.layer, j, i);
    world.worldSetObjectObstructionState(f.obstruction != 0, j, i);
    world.setObstructionSize(f.obw, f.obh, f.obd, j, i);
    world.worldSetObjectName(f.name, j, i);
    world.worldSetObjectType(f.type, j, i);
    world.worldSetRot(f.rotx, f.roty, f.rotz, j, i);
}

void readMapSettings(keyBuilder& key, int i)
{
    const int w = truncateNumber(scriptMap.findLineF(key("map%iw", i)));
    const int h = truncateNumber(scriptMap.findLineF(key("map%ih", i)));
    world.worldSetMap(w, h, scriptMap.findLineS(key("map%iname", i)), i);
    world.worldSetTileStretch(truncateNumber(scriptMap.findLineF(key("map%istretch", i))) > 0, i);

    const std::string sky = scriptMap.findLineS(key("map%isky", i));
    const std::vector<std::string_view> words = splitWords(sky);
    int faces[skyboxFaces] = {};
    for (size_t k = 0; k < skyboxFaces && k < words.size(); ++k) faces[k] = wordToInt(words[k]);
    world.worldSetSkybox(faces[0], faces[1], faces[2], faces[3], faces[4], faces[5], i);
}

// The maps a file declares: how many the reader will read (up to the map
// limit) and the tiles of the sizes they will take.
struct mapPlan {
    int maps = 0;
    long long tiles = 0;
};

mapPlan planMaps(keyBuilder& key)
{
    mapPlan plan;
    while (plan.maps < mapReaderMaxMaps) {
        const int i = plan.maps++;
        const int w = truncateNumber(scriptMap.findLineF(key("map%iw", i)));
        const int h = truncateNumber(scriptMap.findLineF(key("map%ih", i)));
        if (mapTakesSize(w, h)) plan.tiles += static_cast<long long>(w) * h;
        if (scriptMap.findLineS(key("map%i", i + 1)) == endMapMarker) break;
    }
    return plan;
}

mapLoadFailure lastFailure = mapLoadFailureNone;

bool fail(mapLoadFailure failure)
{
    lastFailure = failure;
    return false;
}

// False when the object list runs into its limit.
bool readObjects(keyBuilder& key, int i, int version)
{
    for (int j = 0;; ++j) {
        const std::string text = scriptMap.findLineS(key("map%iobject%i", i, j));
        if (text == endObjectMarker) return true;
        if (j >= mapReaderMaxObjects) {
            systemMsg("Terminating due to exceeding maximum objects");
            return fail(mapLoadFailureObjectLimit);
        }
        if (version <= cfgVersionPerField) {
            storeObject(readObjectPerField(key, i, j), j, i);
        } else if (version == cfgVersionPerLine) {
            storeObject(readObjectLine(text), j, i);
        } else {
            storeObject(defaultObjectFields(), j, i);
        }
    }
}

void readLayerCount(keyBuilder& key, int i)
{
    const int count = truncateNumber(scriptMap.findLineF(key("map%ilayer", i)));
    if (count == -1) {
        systemMsg(QV_ERROR "Invalid layer count specified for a map");
        world.worldSetMapLayerCount(0, i);
    } else {
        world.worldSetMapLayerCount(count, i);
    }
}

// Density and colour are taken whenever the file holds them; a missing one
// (passed as -1, which the map refuses) keeps the map's value.
void readFog(keyBuilder& key, int i)
{
    constexpr float keepValue = -1.0f;
    const bool on = truncateNumber(scriptMap.findLineF(key("map%ifog", i))) != 0;
    const float density = numberOr(key("map%ifogdensity", i), keepValue);
    const float r = numberOr(key("map%ifogr", i), keepValue);
    const float g = numberOr(key("map%ifogg", i), keepValue);
    const float b = numberOr(key("map%ifogb", i), keepValue);
    world.worldSetFog(on, density, r, g, b, i);
}

void readPhrases(keyBuilder& key)
{
    for (int p = 0; p < phraseCount; ++p) {
        std::string text = scriptMap.findLineS(key("phrase%i", p));
        if (text != missingText && !text.empty()) world.setPhrase(p, std::move(text));
    }
}

}  // namespace

bool loadGameMaps()
{
    const std::string name = world.getGameName();
    const std::string path = gameFilePath(name, mapFileName);
    systemMsg(path);
    systemMsg("Loading map configuration files for the game " + name);
    lastFailure = mapLoadFailureNone;
    mapTileReader tiles;
    const bool read =
        scriptMap.readFile(path, [&tiles](std::string_view key, float value) { return tiles.take(key, value); });
    if (!read) {
        systemMsg("Filename Error");
        return fail(fileKindOf(path) == fileKindMissing ? mapLoadFailureMissing : mapLoadFailureUnreadable);
    }
    const int version = truncateNumber(scriptMap.findLineF("version"));

    keyBuilder key;
    const mapPlan plan = planMaps(key);
    if (plan.tiles > worldTileBudget) {
        systemMsg(QV_ERROR "The maps of ^y" + name + "^w hold " + std::to_string(plan.tiles) + " tiles, more than the " +
                  std::to_string(worldTileBudget) + " a game may hold; the maps are not read");
        return fail(mapLoadFailureTileBudget);
    }
    world.allocateMaps(0);  // each map is read into a new one, all its tiles default
    for (int i = 0;; ++i) {
        if (i >= mapReaderMaxMaps) {
            systemMsg("Terminating due to exceeding maximum maps");
            return fail(mapLoadFailureMapLimit);
        }
        world.allocateMaps(i + 1);
        readMapSettings(key, i);
        tiles.readTiles(i);
        if (!readObjects(key, i, version)) return false;
        readLayerCount(key, i);
        readFog(key, i);
        if (scriptMap.findLineS(key("map%i", i + 1)) == endMapMarker) break;
    }
    readPhrases(key);
    return true;
}

mapLoadFailure getMapLoadFailure()
{
    return lastFailure;
}
