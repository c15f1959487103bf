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
    const struct { int state, set, expected; } cases[] = {
        {gameStateWorldEditor, -1, 18}, {gameStateWorldEditor, 19, 0}, {gameStateWorldEditor, 18, 18},
        {gameStateUIEditor, -1, 16},    {gameStateUIEditor, 17, 0},    {gameStateUIEditor, 16, 16}};
    for (const auto& c : cases) {
        gameSys.setGameState(c.state);
        e.setCurrentTip(c.set);
        EXPECT_EQ(e.getCurrentTip(), c.expected) << c.state << " " << c.set;
    }
}

TEST_F(EditorTest, PhraseMenuAndSelectorBounds)
{
    const struct { bool selector; int set, expected; } cases[] = {
        {false, -5, -1}, {false, 1023, 1023}, {false, 1024, 0}, {true, -1, 1023}, {true, 1024, 0}, {true, 512, 512}};
    for (const auto& c : cases) {
        c.selector ? e.setPhraseSelectorChoice(c.set) : e.setPhraseMenu(c.set);
        EXPECT_EQ(c.selector ? e.getPhraseSelectorChoice() : e.getPhraseMenu(), c.expected) << c.selector << c.set;
    }
}

TEST_F(EditorTest, TileSelection)
{
    int x, y;
    auto expectTile = [&](void (editor::*get)(int&, int&) const, int ex, int ey, const char* what) {
        (e.*get)(x, y);
        EXPECT_EQ(x, ex) << what;
        EXPECT_EQ(y, ey) << what;
    };
    e.setCurrentTile(3, 4);
    expectTile(&editor::getStartingTile, 3, 4, "start from the current tile");
    expectTile(&editor::getEndingTile, 3, 4, "end from the current tile");
    e.setStartingTile(-1, 5);
    expectTile(&editor::getStartingTile, 3, 5, "negative start x ignored");
    e.setEndingTile(-1, -1);
    expectTile(&editor::getEndingTile, 3, 4, "negative end ignored");
    e.setEndingTile(7, -1);
    expectTile(&editor::getEndingTile, 7, 4, "negative end y ignored");
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
    for (int i : {0, 1}) EXPECT_EQ(e.getObjectList(i), -1) << i;
    EXPECT_EQ(e.getObjectList(2), 6);
}

TEST_F(EditorTest, IndicesOutsideTheArraysAreIgnored)
{
    e.setRenderLayer(8, false);
    e.setRenderLayer(-1, false);
    EXPECT_FALSE(e.getRenderLayer(8));
    for (int i = 0; i < renderLayerCount; ++i) EXPECT_TRUE(e.getRenderLayer(i));
    e.setObjectList(50, 1);
    e.setObjectList(-1, 1);
    EXPECT_EQ(e.getObjectList(50), -1);
    e.setObjectListAmount(500);
    EXPECT_FALSE(e.notInObjectList(1));
}

}  // namespace
