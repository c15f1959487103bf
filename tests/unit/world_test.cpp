// The world: map management, play-state clamps, the fallbacks for bad map
// and object indices, the world copy and changeMap.
#include <gtest/gtest.h>

#include <array>

#include "world_test_util.h"

namespace {

class WorldTest : public ::testing::Test {
protected:
    std::string mapName(int m) const
    {
        int w = -1, h = -1;
        std::string name = "untouched";
        world.worldGetMap(w, h, name, m);
        return name;
    }
};

TEST_F(WorldTest, CurrentMapStaysWithinTheMaps)
{
    worldtest::makeWorld(2, 0);
    world.setCurrentMap(1);
    world.setCurrentMap(2);
    world.setCurrentMap(-1);
    EXPECT_EQ(world.getCurrentMap(), 1);
}

TEST_F(WorldTest, AllocateDeleteAndCopyMaps)
{
    worldtest::makeWorld(1, 1);
    world.allocateMaps(3);
    EXPECT_EQ(world.getMapCount(), 3);
    EXPECT_EQ(mapName(0), "Map0");
    EXPECT_EQ(mapName(2), "New Map");
    EXPECT_EQ(world.worldGetMapLayerCount(2), 7);
    EXPECT_EQ(world.worldGetObjectCount(0), 1);
    world.allocateMaps(1);
    EXPECT_EQ(world.getMapCount(), 1);
    EXPECT_EQ(mapName(1), "untouched");

    world.allocateMaps(3);  // regrown maps are new maps, not the old ones
    EXPECT_EQ(mapName(1), "New Map");
    world.worldSetMap(2, 2, "One", 1);
    world.worldSetMap(2, 2, "Two", 2);
    world.setCurrentMap(2);
    world.worldDeleteMap(0);
    EXPECT_EQ(world.getMapCount(), 2);
    EXPECT_EQ(world.getCurrentMap(), 0);
    EXPECT_EQ(mapName(0), "One");
    EXPECT_EQ(mapName(1), "Two");
    world.worldDeleteMap(2);
    world.worldDeleteMap(-1);
    EXPECT_EQ(world.getMapCount(), 2);
    world.copyMap(1, 0);
    EXPECT_EQ(mapName(0), "Two");
    world.copyMap(0, 5);
    world.worldDeleteMap(1);
    world.worldDeleteMap(0);  // the last map stays
    EXPECT_EQ(world.getMapCount(), 1);
}

// The clamps of the score actions are in the action table.
TEST_F(WorldTest, ScoresAndPhrases)
{
    world.setGameScore(-3);
    EXPECT_EQ(world.getGameScore(), -3);
    world.setGameScore(2147483600);
    world.addGameScore(1000);
    EXPECT_EQ(world.getGameScore(), 2147483647);
    world.setGlobalScore(-1, 7);
    EXPECT_EQ(world.getGlobalScore(-1), 0);
    world.setGlobalScore(49, 8);
    EXPECT_EQ(world.getGlobalScore(49), 8);
    world.setPhrase(1024, "x");
    world.setPhrase(-1, "x");
    world.setPhrase(1023, "last");
    EXPECT_EQ(world.getPhrase(1023), "last");
    for (int p : {1024, -1}) EXPECT_EQ(world.getPhrase(p), "") << p;
}

TEST_F(WorldTest, FallbacksForBadMapsAndBadObjects)
{
    worldtest::makeWorld(2, 3);
    EXPECT_EQ(world.worldGetObjectName(0, 99), "NULL");
    EXPECT_EQ(world.worldGetObjectName(99, 0), "");
    EXPECT_EQ(world.worldGetObjectName(0, -1), "NULL");
    EXPECT_TRUE(world.worldGetObjectLife(0, 99));
    EXPECT_FALSE(world.worldGetObjectLife(99, 0));
    EXPECT_TRUE(world.worldGetObjectVisible(0, 2));
    EXPECT_FALSE(world.worldGetObjectObstructionState(0, 2));
    EXPECT_EQ(world.worldGetObjectLabel(0, 2), -1);
    EXPECT_EQ(world.worldGetObjectScore(0, 2), -1);
    EXPECT_EQ(world.worldGetObjectCount(2), -1);
    EXPECT_EQ(world.worldGetMapLayerCount(-1), -1);
    EXPECT_FALSE(world.worldGetTileStretch(2));
    EXPECT_FALSE(world.worldDeleteObject(0, 2));
    EXPECT_TRUE(world.worldDeleteObject(99, 0));
    EXPECT_EQ(world.worldGetObjectCount(0), 3);
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(2), -1);
    EXPECT_EQ(world.mapLocalGetSentenceAmount(0, 2), -1);
    EXPECT_EQ(world.mapLocalGetExecutionState(-1, 0, 0), -1);
    EXPECT_EQ(world.mapGlobalGetSentenceTimer(0, 5), -1);
    EXPECT_FALSE(world.mapGlobalAddSentence(2));
    EXPECT_FALSE(world.mapGlobalDeleteSentence(0, -1));
    EXPECT_EQ(world.mapGlobalGetWholeSentence(9, 0).getSentenceStep(0), 100);
}

TEST_F(WorldTest, TileHeightOutsideTheGridIsZero)
{
    worldtest::makeWorld(1, 0, 3, 3);
    world.worldSetTileHeight(2.0f, 2, 2, 0);
    EXPECT_EQ(world.worldGetTileHeight(2, 2, 0), 2.0f);
    for (auto [x, y, m] : {std::array<int, 3>{-1, 0, 0}, {0, -1, 0}, {3, 0, 0}, {0, 0, 1}})
        EXPECT_EQ(world.worldGetTileHeight(x, y, m), 0.0f) << x << ", " << y << " on map " << m;
}

TEST_F(WorldTest, GlobalRulesAreOwnedByTheirMap)
{
    worldtest::makeWorld(3, 1);
    EXPECT_TRUE(world.mapGlobalAddSentence(2));
    EXPECT_EQ(world.mapGlobalGetWholeSentence(2, 0).getOwner(), 2);
    world.allocateMaps(4);
    EXPECT_TRUE(world.mapGlobalAddSentence(3));  // no objects: no rule, still true
    EXPECT_EQ(world.mapGlobalGetSentenceAmount(3), 0);
}

TEST_F(WorldTest, CopyIsDeepAndKeepsThePendingMapChange)
{
    worldtest::makeWorld(2, 2);
    world.setGameName("copy");
    world.mapGlobalAddSentence(1);
    world.mapLocalAddSentence(1, 1);
    world.worldSetObjectLabel(5, 1, 1);
    world.setGlobalScore(7, 70);
    world.setPhrase(3, "hello");
    world.setCurrentMap(1);
    world.setLookAtObject(1);
    world.setChangeMap(-1);
    worldBackup.setChangeMap(1);

    worldBackup = world;
    EXPECT_EQ(worldBackup.getChangeMap(), 1);
    EXPECT_EQ(worldBackup.getGameName(), "copy");
    EXPECT_EQ(worldBackup.getMapCount(), 2);
    EXPECT_EQ(worldBackup.getCurrentMap(), 1);
    EXPECT_EQ(worldBackup.getLookAtObject(), 1);
    EXPECT_TRUE(worldBackup.getGameLoaded());
    EXPECT_EQ(worldBackup.getGlobalScore(7), 70);
    EXPECT_EQ(worldBackup.getPhrase(3), "hello");
    EXPECT_EQ(worldBackup.mapLocalGetSentenceAmount(1, 1), 1);
    EXPECT_EQ(worldBackup.worldGetObjectLabel(1, 1), -1);  // copies carry no label

    world.worldSetObjectName("changed", 0, 1);
    world.mapLocalChangeSentence(0, 0, 101, 1, 1);
    world.worldDeleteObject(0, 0);
    EXPECT_EQ(worldBackup.worldGetObjectName(0, 1), "Object");
    EXPECT_EQ(worldBackup.mapLocalGetWholeSentence(0, 1, 1).getSentenceStep(0), 100);
    EXPECT_EQ(worldBackup.worldGetObjectCount(0), 2);

    world = worldBackup;
    EXPECT_EQ(world.getChangeMap(), -1);
    EXPECT_EQ(world.worldGetObjectName(0, 1), "Object");
    EXPECT_EQ(world.worldGetObjectCount(0), 2);
    world = world;
    EXPECT_EQ(world.getMapCount(), 2);
}

TEST_F(WorldTest, ClearMapDataOnlyWhenLoaded)
{
    worldtest::makeWorld(2, 1);
    world.setGameLoaded(false);
    world.setGameName("kept");
    world.clearMapData();
    EXPECT_EQ(world.getMapCount(), 2);
    EXPECT_EQ(world.getGameName(), "kept");

    world.setGameLoaded(true);
    world.setGameScore(5);
    world.setGlobalScore(1, 9);
    world.setCurrentMap(1);
    world.clearMapData();
    EXPECT_EQ(world.getMapCount(), 0);
    EXPECT_EQ(world.getCurrentMap(), 0);
    EXPECT_FALSE(world.getGameLoaded());
    EXPECT_EQ(world.getGameName(), "New Game");
    EXPECT_EQ(world.getGameScore(), 0);
    EXPECT_EQ(world.getGlobalScore(1), 9);
}

TEST_F(WorldTest, ChangeMapInPlay)
{
    worldtest::makeWorld(2, 1);
    gameSys.setGameState(gameStatePlay);
    camera.SetPos(5, 5, 5);
    world.setChangeMap(1);
    changeMap(1);
    float x, y, z;
    camera.GetPos(x, y, z);
    EXPECT_EQ(camera.getCamMode(), camModeFirstPerson);
    EXPECT_EQ(x, 0.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(z, 0.0f);
    EXPECT_EQ(world.getCurrentMap(), 1);
    EXPECT_EQ(world.getChangeMap(), 1);  // clearing it is the logic update's work

    camera.SetPos(5, 5, 5);
    changeMap(2);
    changeMap(-1);
    camera.GetPos(x, y, z);
    EXPECT_EQ(x, 5.0f);
    EXPECT_EQ(world.getCurrentMap(), 1);
}

TEST_F(WorldTest, ChangeMapInTheEditorResetsTheSelections)
{
    worldtest::makeWorld(2, 3);
    gameSys.setGameState(gameStateWorldEditor);
    camera.setCamMode(camModeFirstPerson);
    worldEditor.setObjectListAmount(2);
    worldEditor.setObjectList(0, 1);
    worldEditor.setObjectList(1, 2);
    worldEditor.setCurrentObject(2);
    worldEditor.setCurrentTile(3, 3);
    worldEditor.setEndingTile(4, 4);
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setHelpMenu(2);

    changeMap(1);
    int x, y;
    EXPECT_EQ(world.getCurrentMap(), 1);
    EXPECT_EQ(camera.getCamMode(), camModeEditor);
    EXPECT_EQ(worldEditor.getObjectListAmount(), 0);
    EXPECT_EQ(worldEditor.getObjectList(0), -1);
    EXPECT_EQ(worldEditor.getCurrentObject(), 0);
    for (auto get : {&editor::getCurrentTile, &editor::getEndingTile}) {
        (worldEditor.*get)(x, y);
        EXPECT_EQ(x, 0);
        EXPECT_EQ(y, 0);
    }
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);
    EXPECT_EQ(worldEditor.getHelpMenu(), 0);
}

}  // namespace
