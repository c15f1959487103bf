// The editor state record: the accessors that clamp, wrap, ignore or search.
#include <gtest/gtest.h>

#include "world_test_util.h"

namespace {

class EditorTest : public ::testing::Test {
protected:
    editor e;
};

TEST_F(EditorTest, TipsWrapAroundTheTableShown)
{
    gameSys.setGameState(gameStateWorldEditor);
    e.setCurrentTip(-1);
    EXPECT_EQ(e.getCurrentTip(), 18);
    e.setCurrentTip(19);
    EXPECT_EQ(e.getCurrentTip(), 0);
    e.setCurrentTip(18);
    EXPECT_EQ(e.getCurrentTip(), 18);
    gameSys.setGameState(gameStateUIEditor);
    e.setCurrentTip(-1);
    EXPECT_EQ(e.getCurrentTip(), 16);
    e.setCurrentTip(17);
    EXPECT_EQ(e.getCurrentTip(), 0);
    e.setCurrentTip(16);
    EXPECT_EQ(e.getCurrentTip(), 16);
}

TEST_F(EditorTest, PhraseMenuAndSelectorBounds)
{
    e.setPhraseMenu(-5);
    EXPECT_EQ(e.getPhraseMenu(), -1);
    e.setPhraseMenu(1023);
    EXPECT_EQ(e.getPhraseMenu(), 1023);
    e.setPhraseMenu(1024);
    EXPECT_EQ(e.getPhraseMenu(), 0);
    e.setPhraseSelectorChoice(-1);
    EXPECT_EQ(e.getPhraseSelectorChoice(), 1023);
    e.setPhraseSelectorChoice(1024);
    EXPECT_EQ(e.getPhraseSelectorChoice(), 0);
    e.setPhraseSelectorChoice(512);
    EXPECT_EQ(e.getPhraseSelectorChoice(), 512);
}

TEST_F(EditorTest, TileSelection)
{
    int x, y;
    e.setCurrentTile(3, 4);
    e.getStartingTile(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    e.getEndingTile(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    e.setStartingTile(-1, 5);
    e.getStartingTile(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 5);
    e.setEndingTile(-1, -1);
    e.getEndingTile(x, y);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(y, 4);
    e.setEndingTile(7, -1);
    e.getEndingTile(x, y);
    EXPECT_EQ(x, 7);
    EXPECT_EQ(y, 4);
}

TEST_F(EditorTest, NegativeValuesIgnored)
{
    e.setCurrentObject(5);
    e.setCurrentObject(-1);
    EXPECT_EQ(e.getCurrentObject(), 5);
    e.setTopSentence(2);
    e.setTopSentence(-1);
    EXPECT_EQ(e.getTopSentence(), 2);
    e.setObjectList(3, 8);
    e.setObjectList(3, -1);
    EXPECT_EQ(e.getObjectList(3), 8);
}

TEST_F(EditorTest, MultiSelection)
{
    EXPECT_FALSE(e.notInObjectList(-1));
    EXPECT_FALSE(e.notInObjectList(0));
    e.setObjectList(0, 4);
    e.setObjectList(1, 9);
    e.setObjectList(2, 6);  // beyond the amount
    e.setObjectListAmount(2);
    EXPECT_TRUE(e.notInObjectList(9));
    EXPECT_FALSE(e.notInObjectList(6));
    e.resetObjectList();
    EXPECT_EQ(e.getObjectListAmount(), 0);
    EXPECT_EQ(e.getObjectList(0), -1);
    EXPECT_EQ(e.getObjectList(1), -1);
    EXPECT_EQ(e.getObjectList(2), 6);
}

TEST_F(EditorTest, IndicesOutsideTheArraysAreIgnored)
{
    e.setRenderLayer(8, false);
    e.setRenderLayer(-1, false);
    EXPECT_FALSE(e.getRenderLayer(8));
    for (int i = 0; i < renderLayerCount; ++i) EXPECT_TRUE(e.getRenderLayer(i));
    e.setRenderLayer(3, false);
    EXPECT_FALSE(e.getRenderLayer(3));
    e.setObjectList(50, 1);
    e.setObjectList(-1, 1);
    EXPECT_EQ(e.getObjectList(50), -1);
    e.setObjectListAmount(500);
    EXPECT_FALSE(e.notInObjectList(1));
    e.resetObjectList();
    EXPECT_EQ(e.getObjectListAmount(), 0);
}

}  // namespace
