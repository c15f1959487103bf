// The world editor's panel clicks on synthetic pick codes: the picker's pages
// over the gap before the game's own images, its rows and its double click, images given
// to tiles, animation, height and terrain steps, object size, type and label
// limits, the logic macros and deleting a selection.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/clock_internal.h"
#include "core/pick_codes.h"
#include "editor/image_pickers.h"
#include "editor/world_editor_picking.h"
#include "media/image_loading.h"
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

// Built-in images 0 to builtIn - 1, empty slots up to the game's own images
// from 200, `own` of them.
void setBuiltInAndOwnImages(int builtIn, int own)
{
    setImages(gameImgOwnBase + own);
    for (int i = builtIn; i < gameImgOwnBase; ++i) gameImg[static_cast<size_t>(i)].SetPointer(identNumEmpty);
}

std::vector<int> range(int first, int last)
{
    std::vector<int> images;
    for (int i = first; i <= last; ++i) images.push_back(i);
    return images;
}

std::vector<int> concat(std::vector<int> a, const std::vector<int>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

imagePage pageAt(int row)
{
    return imagePickerPage(gameImg, world.getGameImageCount(), row);
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
    const objectRecord r = readObjectRecord(o, 0);
    return {r.w, r.h, r.d, float(r.tex), r.x};
}

class PanelPicking : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::makeWorld(1, 6, 10, 10);
        gameSys.setGameState(gameStateWorldEditor);
        gameSys.setLeftMouse(mouseButtonPressed);
        setImages(300);
        fakeNow += 100000;
        setClockSource([] { return fakeNow; });
    }
};

TEST_F(PanelPicking, PickerPagesChoosesImagesAndClosesOnADoubleClick)
{
    // A row counts ten present images; empty slots end no page.
    const struct {
        int builtIn, own, row;
        std::vector<int> shown;
        bool full;
    } pages[] = {
        {18, 5, 0, concat(range(0, 17), range(200, 204)), false},  // the sample's table
        {90, 50, 8, concat(range(80, 89), range(200, 249)), true},
        {90, 50, 9, range(200, 249), false},
        {90, 51, 7, concat(range(70, 89), range(200, 239)), true},
    };
    for (const auto& p : pages) {
        setBuiltInAndOwnImages(p.builtIn, p.own);
        EXPECT_EQ(pageAt(p.row).images, p.shown) << p.builtIn << " " << p.own << " " << p.row;
        EXPECT_EQ(pageAt(p.row).full, p.full) << p.builtIn << " " << p.own << " " << p.row;
    }

    // Row down walks every page of 18 built-in and 150 own images, each page
    // unlike the one before, to the last one; every image is shown on the way.
    setBuiltInAndOwnImages(18, 150);
    worldEditor.setImageMenuRow(0);
    std::vector<int> seen = pageAt(0).images;
    for (imagePage page = pageAt(0); page.full;) {
        const int row = worldEditor.getImageMenuRow();
        EXPECT_TRUE(click(pickImageRowDown));
        ASSERT_EQ(worldEditor.getImageMenuRow(), row + 1);
        const imagePage next = pageAt(row + 1);
        EXPECT_NE(next.images, page.images) << row;
        seen = concat(seen, next.images);
        page = next;
    }
    click(pickImageRowDown);
    EXPECT_EQ(worldEditor.getImageMenuRow(), 11);  // the last row: 168 images, 60 a page
    std::sort(seen.begin(), seen.end());
    seen.erase(std::unique(seen.begin(), seen.end()), seen.end());
    EXPECT_EQ(seen, concat(range(0, 17), range(200, 349)));
    click(pickImageRowUp);
    EXPECT_EQ(worldEditor.getImageMenuRow(), 10);
    worldEditor.setImageMenuRow(0);
    click(pickImageRowUp);
    EXPECT_EQ(worldEditor.getImageMenuRow(), 0);
    setImages(300);

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
