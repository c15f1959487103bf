// The map file reader on fixture files of both object layouts: sizes, names,
// stretch, skybox, tiles, objects, layer counts, fog, phrases and the limits.
#include <gtest/gtest.h>

#include <sstream>
#include <tuple>

#include "core/script.h"
#include "test_util.h"
#include "core/log.h"
#include "world/map_reader.h"
#include "world/world_limits.h"
#include "world_test_util.h"

namespace {

class MapReaderTest : public ::testing::Test {
protected:
    testutil::TempDir dir;
    testutil::ScopedCwd cwd{dir.path()};

    void SetUp() override
    {
        worldtest::resetGlobals();
        world.setGameName("g");
    }
    void TearDown() override
    {
        scriptMap.clear();
        worldtest::resetGlobals();
    }
    bool load(const std::string& text)
    {
        dir.write("games/g/system/map.cfg", text);
        scriptMap.clear();
        return loadGameMaps();
    }
    struct objectValues {
        float x = -9, y = -9, z = -9, w = -9, h = -9, d = -9;
        int tex = -9, layer = -9;
        float obw = -9, obh = -9, obd = -9;
        float rx = -9, ry = -9, rz = -9;
    };
    objectValues object(int o, int m = 0) const
    {
        objectValues v;
        world.worldGetObject(v.x, v.y, v.z, v.w, v.h, v.d, v.tex, v.layer, o, m);
        world.getObstructionSize(v.obw, v.obh, v.obd, o, m);
        world.worldGetRot(v.rx, v.ry, v.rz, o, m);
        return v;
    }
    int tile(int x, int y, int m = 0) const
    {
        int t = -99;
        world.worldGetTile(t, x, y, m);
        return t;
    }
};

// One map of w x h tiles ending its objects and the map list.
std::string simpleMap(int w, int h, const std::string& extra = "")
{
    std::ostringstream s;
    s << "f map0w " << w << "\nf map0h " << h << "\ns map0name Field\n" << extra
      << "s map0object0 endObjectLoad\ns map1 endMapLoad\n";
    return s.str();
}

TEST_F(MapReaderTest, MissingFileLeavesTheWorldUnchanged)
{
    EXPECT_FALSE(loadGameMaps());
    EXPECT_TRUE(testutil::consoleHas("Filename Error"));
    EXPECT_EQ(getMapLoadFailure(), mapLoadFailureMissing);
    EXPECT_EQ(world.getMapCount(), 0);
}

TEST_F(MapReaderTest, MapSettingsStretchAndSkybox)
{
    ASSERT_TRUE(load(
        "f version 1\n"
        "f map0w 3\nf map0h 2\ns map0name Big Field\nf map0stretch 2\ns map0sky 3 4 5 6 7 8\nf map0layer 4\n"
        "s map0object0 endObjectLoad\n"
        "f map1stretch -1\ns map1sky 3 4\ns map1object0 endObjectLoad\n"
        "f map2stretch 0\ns map2sky 1.9 x 0x10 -2\ns map2object0 endObjectLoad\n"
        "s map3 endMapLoad\n"));
    ASSERT_EQ(world.getMapCount(), 3);
    int w, h;
    std::string name;
    world.worldGetMap(w, h, name, 0);
    EXPECT_EQ(std::to_string(w) + "x" + std::to_string(h) + " " + name, "3x2 Big Field");
    EXPECT_EQ(std::vector<bool>({world.worldGetTileStretch(0), world.worldGetTileStretch(1), world.worldGetTileStretch(2)}),
              std::vector<bool>({true, false, false}));
    EXPECT_EQ(world.worldGetMapLayerCount(0), 4);

    const std::vector<int> skies[] = {{3, 4, 5, 6, 7, 8}, {3, 4, 0, 0, 0, 0}, {1, 0, 0, -2, 0, 0}};
    for (int m = 0; m < 3; ++m) {
        int s[6];
        world.worldGetSkybox(s[0], s[1], s[2], s[3], s[4], s[5], m);
        EXPECT_EQ(std::vector<int>(s, s + 6), skies[m]) << m;
    }

    // A map without size keys keeps a new map's size and name, reads no tiles
    // and, without a layer key, gets layer count 0 with an error.
    world.worldGetMap(w, h, name, 1);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(name, "New Map");
    EXPECT_EQ(world.worldGetMapLayerCount(1), 0);
    EXPECT_TRUE(testutil::consoleHas("^rERROR: ^wInvalid layer count specified for a map"));
}

TEST_F(MapReaderTest, SkyboxMissingGivesZeros)
{
    ASSERT_TRUE(load(simpleMap(1, 1)));
    int s[6] = {9, 9, 9, 9, 9, 9};
    world.worldGetSkybox(s[0], s[1], s[2], s[3], s[4], s[5], 0);
    EXPECT_EQ(std::vector<int>(s, s + 6), std::vector<int>(6, 0));
}

TEST_F(MapReaderTest, TilesReadStoredMinusOneAsTheDefault)
{
    world.allocateMaps(1);  // a map already holding tiles gets every tile again
    world.worldSetMap(3, 2, "old", 0);
    world.worldSetTile(3, 1, 1, 0);
    world.worldSetTileHeight(3.0f, 1, 1, 0);
    ASSERT_TRUE(load(simpleMap(3, 2,
                               "f map0tile0_0 5\nf map0tile0_0h 1.5\n"
                               "f map0tile1_0 -1\nf map0tile1_0h -1\n"
                               "f map0tile2_1 -2\nf map0tile2_1h -2.25\n"
                               // the first entry of a key answers; only keys as written by the saver count
                               "f map0tile0_1 7\nf map0tile0_1 8\ns map0tile2_0 12\nf map0tile01_1 9\n"
                               "f map0tile1_1h1 4\nf map0tile+1_1 4\nf map1tile1_1 4\n")));
    EXPECT_EQ(tile(0, 1), 7);
    EXPECT_EQ(tile(2, 0), 0);
    // (1, 1) has no entries.
    for (auto [x, y, t, h] : {std::tuple{0, 0, 5, 1.5f}, {1, 0, 0, 0.0f}, {2, 1, -2, -2.25f}, {1, 1, 0, 0.0f}}) {
        EXPECT_EQ(tile(x, y), t) << x << y;
        EXPECT_EQ(world.worldGetTileHeight(x, y, 0), h) << x << y;
    }
}

TEST_F(MapReaderTest, TilesBeforeTheMapSizeStillWinAsFirstEntries)
{
    // The size is known from the fourth entry (width) and seventh (height) on.
    ASSERT_TRUE(load("f map0tile0_0 3\nf map0tile1_1h 2.5\nf map0tile0_1h -1\nf map0w 2\nf map0tile0_0 4\n"
                     "f map0tile1_0 6\nf map0h 2\n"
                     "f map0tile1_1h 9\nf map0tile1_0 7\nf map0tile0_1 8\nf map0tile0_1 5\n"
                     "s map0object0 endObjectLoad\ns map1 endMapLoad\n"));
    EXPECT_EQ(std::vector<int>({tile(0, 0), tile(1, 0), tile(0, 1), tile(1, 1)}), std::vector<int>({3, 6, 8, 0}));
    EXPECT_EQ(world.worldGetTileHeight(1, 1, 0), 2.5f);
    EXPECT_EQ(world.worldGetTileHeight(0, 1, 0), 0.0f);  // a stored -1, as in a grid
}

TEST_F(MapReaderTest, MapsBeyondTheTileBudgetAreRefusedBeforeAnyIsMade)
{
    constexpr int side = 700;
    const long long maps = worldTileBudget / (side * side) + 1;
    std::ostringstream s;
    for (long long i = 0; i < maps; ++i)
        s << "f map" << i << "w " << side << "\nf map" << i << "h " << side << "\ns map" << i << "object0 endObjectLoad\n";
    s << "s map" << maps << " endMapLoad\n";
    EXPECT_FALSE(load(s.str()));
    EXPECT_EQ(world.getMapCount(), 0);
    EXPECT_TRUE(testutil::consoleHas(QV_ERROR "The maps of ^yg^w hold " + std::to_string(maps * side * side)));
}

TEST_F(MapReaderTest, RefusedSizeReadsNoTiles)
{
    ASSERT_TRUE(load("f map0w 2000000000\nf map0h 2000000000\nf map0tile0_0 5\n"
                     "s map0object0 endObjectLoad\ns map1 endMapLoad\n"));
    int w = -1, h = -1;
    std::string name;
    world.worldGetMap(w, h, name, 0);
    EXPECT_EQ(std::vector<int>({w, h, tile(0, 0)}), std::vector<int>({0, 0, -99}));
}

TEST_F(MapReaderTest, FogOnAndOff)
{
    ASSERT_TRUE(load(
        "f map0fog 0\nf map0fogdensity 0.4\nf map0fogr 0.2\nf map0fogg 0.3\nf map0fogb 0.5\n"
        "s map0object0 endObjectLoad\n"
        "f map1fog 0\ns map1object0 endObjectLoad\n"
        "f map2fog 1\nf map2fogdensity 0.6\nf map2fogr 0.7\ns map2object0 endObjectLoad\n"
        "s map3object0 endObjectLoad\n"
        "s map4 endMapLoad\n"));
    // Map 1: fog off, nothing stored, the new map's values; map 3: no fog key, on.
    const std::vector<float> want[] = {{0, 0.4f, 0.2f, 0.3f, 0.5f}, {0, 0, 1, 1, 1}, {1, 0.6f, 0.7f, 1, 1}, {1, 0, 1, 1, 1}};
    for (int m = 0; m < 4; ++m) {
        bool on;
        float d, r, g, b;
        world.worldGetFog(on, d, r, g, b, m);
        EXPECT_EQ(std::vector<float>({float(on), d, r, g, b}), want[m]) << m;
    }
}

TEST_F(MapReaderTest, PerFieldObjects)
{
    ASSERT_TRUE(load(
        "f map0object0x 1\nf map0object0y 2\nf map0object0z 3\nf map0object0w 4\nf map0object0h 5\n"
        "f map0object0d 6\nf map0object0tex 7\nf map0object0layer 2\nf map0object0obstruction 0\n"
        "f map0object0ow 2\nf map0object0oh 3\ns map0object0name door\ns map0object0 x\n"
        "s map0object1 x\n"
        "s map0object2 endObjectLoad\ns map1 endMapLoad\n"));
    ASSERT_EQ(world.worldGetObjectCount(0), 2);
    const objectValues a = object(0);
    // No depth in this layout, so the box the object had stays.
    EXPECT_EQ(std::vector<float>({a.x, a.d, float(a.tex), float(a.layer), a.obw, a.obd, a.ry}),
              std::vector<float>({1, 6, 7, 2, 1, 1, 0}));
    EXPECT_FALSE(world.worldGetObjectObstructionState(0, 0));
    EXPECT_EQ(world.worldGetObjectName(0, 0), "door");

    // Every key missing: -1 values, obstructing (-1 is not 0).
    const objectValues b = object(1);
    EXPECT_EQ(std::vector<float>({b.x, b.w, b.d, float(b.tex)}), std::vector<float>({-1, 0.01f, -1, -1}));
    EXPECT_TRUE(world.worldGetObjectObstructionState(1, 0));
    EXPECT_EQ(world.worldGetObjectName(1, 0), "NULL");
}

TEST_F(MapReaderTest, PerLineObjects)
{
    ASSERT_TRUE(load(
        "f version 1\n"
        "s map0object0 1 2 3 4 5 6 7 2 1 1 1 0 door 3 0 90 0\n"
        "s map0object1 1 1 1 1 1 1 1 1 2 3 4 1 big red door 1 5 6 7\n"
        "s map0object2 1 1 1 1 1 1 1 1 2 3 4 1 0 0 0 0\n"
        "s map0object3 9 9 9\n"
        "s map0object4 0.5x 30 y 1 1 1 2.9 -1 1 1 1 7 n 9 1 1 1\n"
        "s map0object5 endObjectLoad\ns map1 endMapLoad\n"));
    ASSERT_EQ(world.worldGetObjectCount(0), 5);
    const objectValues a = object(0);
    EXPECT_EQ(std::vector<float>({a.x, a.y, a.z, a.w, a.h, a.d, float(a.tex), float(a.layer), a.obw, a.obh, a.obd,
                                  a.rx, a.ry, a.rz}),
              std::vector<float>({1, 2, 3, 4, 5, 6, 7, 2, 1, 1, 1, 0, 90, 0}));
    EXPECT_FALSE(world.worldGetObjectObstructionState(0, 0));
    EXPECT_EQ(world.worldGetObjectName(0, 0), "door");
    EXPECT_EQ(world.worldGetObjectType(0, 0), 3);

    // A name of several words keeps them; the fields after it stay in place.
    const objectValues b = object(1);
    EXPECT_EQ(world.worldGetObjectName(1, 0), "big red door");
    EXPECT_EQ(world.worldGetObjectType(1, 0), 1);
    EXPECT_EQ(std::vector<float>({b.obw, b.obd, b.rx, b.rz}), std::vector<float>({2, 4, 5, 7}));
    EXPECT_TRUE(world.worldGetObjectObstructionState(1, 0));

    // Sixteen words: the name is empty.
    EXPECT_EQ(world.worldGetObjectName(2, 0), "");
    EXPECT_EQ(world.worldGetObjectType(2, 0), 0);
    EXPECT_EQ(object(2).obd, 4.0f);

    // Too short a line gives a new object, not the last one's values.
    const objectValues d = object(3);
    EXPECT_EQ(std::vector<float>({d.x, d.w, d.obw, d.ry}), std::vector<float>({0, 1, 1, 0}));
    EXPECT_EQ(world.worldGetObjectName(3, 0), "Object");
    EXPECT_TRUE(world.worldGetObjectObstructionState(3, 0));

    // Decimal prefixes; non-numbers read 0; the object clamps apply.
    const objectValues e = object(4);
    EXPECT_EQ(std::vector<float>({e.x, e.y, e.z, float(e.tex), float(e.layer)}), std::vector<float>({0.5f, 30, 0, 2, -1}));
    EXPECT_EQ(world.worldGetObjectType(4, 0), 3);
}

TEST_F(MapReaderTest, LaterVersionsGiveNewObjects)
{
    ASSERT_TRUE(load("f version 2\ns map0object0 1 2 3 4 5 6 7 2 1 1 1 0 door 3 0 90 0\n"
                     "s map0object1 endObjectLoad\ns map1 endMapLoad\n"));
    ASSERT_EQ(world.worldGetObjectCount(0), 1);
    EXPECT_EQ(object(0).x, 0.0f);
    EXPECT_EQ(world.worldGetObjectName(0, 0), "Object");
}

TEST_F(MapReaderTest, Phrases)
{
    for (int p = 0; p < 3; ++p) world.setPhrase(p, "old " + std::to_string(p));
    ASSERT_TRUE(load(simpleMap(1, 1) + "s phrase0 NULL\ns phrase2 Hello there\ns phrase1023 last\n"));
    EXPECT_EQ(std::vector<std::string>({world.getPhrase(0), world.getPhrase(1), world.getPhrase(2), world.getPhrase(1023)}),
              std::vector<std::string>({"old 0", "old 1", "Hello there", "last"}));
}

std::string objectsMap(int objects)
{
    std::ostringstream s;
    s << "f version 1\n";
    for (int j = 0; j < objects; ++j) s << "s map0object" << j << " " << j << " 0 0 1 1 1 0 0 1 1 1 1 o 0 0 0 0\n";
    s << "s map0object" << objects << " endObjectLoad\ns map1 endMapLoad\n";
    return s.str();
}

std::string mapsFile(int maps)
{
    std::ostringstream s;
    for (int i = 0; i < maps; ++i) s << "s map" << i << "object0 endObjectLoad\n";
    s << "s map" << maps << " endMapLoad\n";
    return s.str();
}

TEST_F(MapReaderTest, FullObjectAndMapListsLoad)
{
    ASSERT_TRUE(load(objectsMap(mapReaderMaxObjects)));
    EXPECT_EQ(world.worldGetObjectCount(0), 1024);
    EXPECT_EQ(object(1023).x, 1023.0f);
    SetUp();
    ASSERT_TRUE(load(mapsFile(mapReaderMaxMaps)));
    EXPECT_EQ(world.getMapCount(), 1023);
}

// A list that runs into its limit fails the load with the limit's message
// and its reason, and the program goes on.
TEST_F(MapReaderTest, ListsPastTheirLimitsFailTheLoad)
{
    const struct {
        std::string file, line;
        mapLoadFailure failure;
    } rows[] = {
        {objectsMap(mapReaderMaxObjects + 1), "Terminating due to exceeding maximum objects", mapLoadFailureObjectLimit},
        {mapsFile(mapReaderMaxMaps + 1), "Terminating due to exceeding maximum maps", mapLoadFailureMapLimit},
    };
    for (const auto& r : rows) {
        SetUp();
        EXPECT_FALSE(load(r.file));
        EXPECT_TRUE(testutil::consoleHas(r.line)) << r.line;
        EXPECT_EQ(getMapLoadFailure(), r.failure) << r.line;
    }
}

}  // namespace
