// The world editor's panel clicks on synthetic pick codes: picker paging over
// the gap before the game's own images and its double click, images given
// to tiles, animation, height and terrain steps, object size, type and label
// limits, the logic macros and deleting a selection.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/clock_internal.h"
#include "core/pick_codes.h"
#include "editor/world_editor_picking.h"
#include "media/texture.h"
#include "world_test_util.h"

namespace {

int fakeNow = 0;  // moved far on by each test, past any earlier double click

void setImages(int n)
{
    gameImg.assign(static_cast<size_t>(n), img());
    world.setGameImageCount(n);
}

bool click(int r, int b = pickNoIndex, int g = pickControlMark)
{
    const unsigned char pixel[3] = {static_cast<unsigned char>(r), static_cast<unsigned char>(g),
                                    static_cast<unsigned char>(b)};
    return gameEditorPicking(pixel);
}

int rowAfter(int row, int code)
{
    worldEditor.setImageMenuRow(row);
    click(code);
    return worldEditor.getImageMenuRow();
}

std::vector<int> rule(int s, int o)
{
    std::vector<int> steps;
    for (int k = 0; k < 8; ++k) steps.push_back(world.mapLocalGetWholeSentence(s, o, 0).getSentenceStep(k));
    return steps;
}

// Width, height, depth, image and x of object o.
std::vector<float> object(int o)
{
    float x, y, z, w, h, d;
    int tex = -1, layer;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, o, 0);
    return {w, h, d, float(tex), x};
}

class PanelPicking : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::resetGlobals();
        worldtest::makeWorld(1, 6, 10, 10);
        gameSys.setGameState(gameStateWorldEditor);
        gameSys.setLeftMouse(mouseButtonPressed);
        setImages(300);
        fakeNow += 100000;
        setClockSource([] { return fakeNow; });
    }
    void TearDown() override
    {
        setClockSource(nullptr);
        gameSys.setLeftMouse(mouseButtonIdle);
        gameSys.setRightMouse(mouseButtonIdle);
        gameImg.clear();
        worldtest::resetGlobals();
    }
};

TEST_F(PanelPicking, PickerPagesChoosesImagesAndClosesOnADoubleClick)
{
    const int paging[][3] = {{7, pickImageRowDown, 8},   {8, pickImageRowDown, 21}, {21, pickImageRowUp, 8},
                             {28, pickImageRowDown, 29}, {29, pickImageRowDown, 29}, {0, pickImageRowUp, 0}};
    for (const auto& p : paging) EXPECT_EQ(rowAfter(p[0], p[1]), p[2]) << p[0];
    setImages(215);  // a table that ends before row 21 pages on by one
    EXPECT_EQ(rowAfter(8, pickImageRowDown), 9);

    // Two presses on one image inside 500 ms close the picker; at 500 ms they do not.
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(1);
    const int presses[][3] = {{0, 300, 1}, {400, 301, 1}, {800, 301, -1}, {1300, 301, 1}};
    const int start = fakeNow;
    for (const auto& p : presses) {
        fakeNow = start + p[0];
        worldEditor.setImageMenuTimer(1);
        EXPECT_TRUE(click(pickImageCell, p[1] % 256, p[1] / 256));
        EXPECT_EQ(worldEditor.getImageMenuTimer(), p[2]) << p[0];
    }
    EXPECT_EQ(object(1), (std::vector<float>{1, 1, 1, 301, 1}));

    // Tiles take a chosen image below the image count whatever they held, on
    // the part of the rectangle that lies on the map.
    worldEditor.setEditorMode(editorModeTile);
    world.worldSetTile(999, 8, 8, 0);
    worldEditor.setCurrentTile(8, 8);
    worldEditor.setEndingTile(14, 12);
    click(pickImageCell, 5, 0);
    click(pickImageCell, 44, 1);  // 300: past the table
    int tex = -1;
    world.worldGetTile(tex, 9, 9, 0);
    EXPECT_EQ(tex, 5);
}

TEST_F(PanelPicking, AnimationAndTerrainStepsKeepTheirBoundsAndModes)
{
    worldEditor.setEditorMode(editorModeAnimation);
    EXPECT_FALSE(click(pickTileHeightUp));
    worldEditor.setCurrentAnimImage(3);
    for (int i = 0; i < 12; ++i) click(pickAnimFramesUp);
    EXPECT_EQ(gameImg[3].getFrameCount(), 9);
    click(pickAnimSpeedDown);
    EXPECT_EQ(gameImg[3].getAnimSpeed(), 1000);
    for (int i = 0; i < 12; ++i) click(pickAnimSpeedUp);
    EXPECT_EQ(gameImg[3].getAnimSpeed(), 100);

    worldEditor.setEditorMode(editorModeTile);
    EXPECT_FALSE(click(pickAnimFramesUp));
    gameSys.setLeftMouse(mouseButtonReleased);
    EXPECT_FALSE(click(pickTileHeightUp));
    gameSys.setLeftMouse(mouseButtonPressed);
    worldEditor.setCurrentTile(1, 1);
    worldEditor.setEndingTile(2, 3);
    for (int code : {pickTileHeightUp, pickTileHeightUp, pickTileHeightDown}) click(code);
    EXPECT_NEAR(world.worldGetTileHeight(2, 3, 0), 0.3f, 1e-5);
    EXPECT_EQ(world.worldGetTileHeight(0, 0, 0), 0.0f);
    for (int code : {pickTerrainReset, pickTerrainRandomUp}) click(code);
    for (int x = 1; x <= 2; ++x)
        for (int y = 1; y <= 3; ++y) {
            const float h = world.worldGetTileHeight(x, y, 0) * 10.0f;
            EXPECT_TRUE(h > 0.99f && h < 3.01f && std::abs(h - std::round(h)) < 1e-4f) << h;
        }
    for (int code : {pickTerrainReset, pickTerrainBorderUp}) click(code);  // x or y in 0..3 or 7..9
    EXPECT_EQ(world.worldGetTileHeight(3, 5, 0) + world.worldGetTileHeight(7, 5, 0), 0.5f);
    EXPECT_EQ(world.worldGetTileHeight(4, 6, 0), 0.0f);
}

TEST_F(PanelPicking, ObjectPanelLimitsMacrosAndDeletion)
{
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(2);
    world.worldSetObject(2, 0, 0, 0.4f, 0.7f, 0.35f, 5, 0, 2, 0);
    world.worldSetObjectType(objectTypeBillboard, 2, 0);
    for (int code : {pickObjectWidthDown, pickObjectWidthDown, pickObjectDepthDown}) click(code);
    gameSys.setLeftMouse(mouseButtonIdle);
    gameSys.setRightMouse(mouseButtonPressed);
    for (int code : {pickObjectHeightDown, pickObjectTypeUp}) click(code);
    const std::vector<float> o2 = object(2);
    EXPECT_NEAR(o2[0], 0.3f, 1e-5);
    EXPECT_NEAR(o2[1], 0.4f, 1e-5);
    EXPECT_NEAR(o2[2], 0.35f, 1e-5);
    EXPECT_EQ(o2[3], 0.0f);
    EXPECT_EQ(world.worldGetObjectType(2, 0), objectTypeBillboard);
    for (int i = 0; i < 22; ++i) click(pickObjectLabelUp);
    EXPECT_EQ(world.worldGetObjectLabel(2, 0), 19);
    worldEditor.setCurrentObject(6);  // no object: nothing is appended
    EXPECT_TRUE(click(pickObjectWidthUp));
    EXPECT_EQ(world.worldGetObjectCount(0), 6);

    // A macro replaces all local rules, each naming the object.
    worldEditor.setCurrentObject(4);
    for (int i = 0; i < 7; ++i) world.mapLocalAddSentence(4, 0);
    EXPECT_TRUE(click(pickApplyMacro, 1));
    EXPECT_EQ(world.mapLocalGetSentenceAmount(4, 0), 11);
    EXPECT_EQ(rule(2, 4), (std::vector<int>{108, 4, 300, 400, 4, 600, 738, 26}));
    EXPECT_EQ(rule(5, 4), (std::vector<int>{101, 4, 300, 417, 0, 600, 737, 1}));
    worldEditor.setTemplateSelect(1);
    EXPECT_TRUE(click(pickApplyMacro, 0));
    EXPECT_EQ(world.mapLocalGetSentenceAmount(4, 0), 6);
    EXPECT_EQ(rule(3, 4), (std::vector<int>{107, 0, 300, 400, 0, 600, 713, 4}));
    EXPECT_EQ(worldEditor.getTemplateSelectState(), 0);

    // Deleting the selection {3, 5}: the others keep their order, rules follow them.
    world.mapGlobalAddSentence(0);
    world.mapGlobalChangeSentence(0, 0, sentenceStepConditionValue, 4);
    worldEditor.setObjectList(0, 3);
    worldEditor.setObjectList(1, 5);
    worldEditor.setObjectListAmount(2);
    EXPECT_TRUE(click(pickDeleteObjects));
    ASSERT_EQ(world.worldGetObjectCount(0), 4);
    for (int o = 0; o < 4; ++o) EXPECT_EQ(object(o)[4], float(o < 3 ? o : 4));
    EXPECT_EQ(world.mapGlobalGetWholeSentence(0, 0).getSentenceStep(sentenceStepConditionValue), 3);
    EXPECT_EQ(world.mapLocalGetSentenceAmount(3, 0), 6);
    EXPECT_EQ(worldEditor.getObjectListAmount(), 0);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeNone);
    EXPECT_EQ(worldEditor.getCurrentObject(), 4);
}

}  // namespace
