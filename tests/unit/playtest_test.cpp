// The world editor's own operations on a hand-made world: a playtest hands
// back the edited world, the editor camera and idle keys; edge scrolling's
// margins, bounds and speed; adding objects up to the map reader's limit; the
// menu editor starts from its own image indices.
#include <gtest/gtest.h>

#include "core/input.h"
#include "core/window_internal.h"
#include "editor/add_object.h"
#include "editor/edge_scroll.h"
#include "editor/edge_scroll_internal.h"
#include "editor/editor_entry.h"
#include "editor/playtest.h"
#include "editor/save_world.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/map_reader.h"
#include "world_test_util.h"

namespace {

constexpr int editorMenu = 3, hubMenu = 2;
bool autoRepeat = false;

std::vector<float> cameraView()
{
    float x, y, z, lx, ly, lz;
    camera.GetPos(x, y, z);
    camera.GetLook(lx, ly, lz);
    return {x, y, z, lx, ly, lz};
}

class EditorOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::resetGlobals();
        worldtest::makeWorld(2, 3, 10, 10);
        gameUI.setEditorMenu(editorMenu);
        gameUI.setEditorMainMenu(hubMenu);
        gameUI.setCurrentMenu(editorMenu);
        gameSys.setGameState(gameStateWorldEditor);
        notice = uiNotice();
        setAutoRepeatSwitch([](bool on) { autoRepeat = on; });
        setWindowSizeSource([](int& w, int& h) { w = 800; h = 600; });
    }
    void TearDown() override
    {
        setAutoRepeatSwitch(nullptr);
        setWindowSizeSource(nullptr);
        worldtest::resetGlobals();
    }
};

TEST_F(EditorOperations, PlaytestHandsBackTheEditedWorldCameraAndIdleKeys)
{
    world.setGlobalScore(4, 7);
    world.mapLocalAddSentence(1, 0);
    const std::string edited = mapFileText() + logicFileText();
    camera.SetPos(12, 18, 30);
    gameUI.setCurrentMenu(hubMenu);  // F5 on the hub starts nothing
    enterTest();
    EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
    gameUI.setCurrentMenu(editorMenu);
    enterTest();
    ASSERT_EQ(gameSys.getGameState(), gameStatePlaytest);

    // Play moves, kills, spawns and deletes objects, changes scores, map, camera and keys.
    world.worldSetObject(5, 5, 2, 1, 1, 1, 0, 0, 0, 0);
    world.worldSetObjectLife(false, 1, 0);
    world.worldSetObject(1, 1, 1, 1, 1, 1, 0, 0, 3, 0);
    world.worldDeleteObject(2, 0);
    world.setGlobalScore(4, 99);
    world.worldSetObjectScore(5, 0, 0);
    world.setCurrentMap(1);
    camera.setCamMode(camModeThirdPerson);
    camera.SetPos(1, 2, 3);
    gameSys.setKeyState(keyLeft, keyStatePressed);
    gameSys.setAlphabetKeyState(0, keyStateDisabled);
    gameSys.setAlphabetKeyState(7, keyStatePressed);
    autoRepeat = false;

    for (int request = 0; request < 2; ++request) {  // the second, outside a playtest, is dropped
        worldEditor.setEndTest(1);
        updatePlaytestEnd();
        EXPECT_EQ(worldEditor.getEndTest(), 0);
        EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
        EXPECT_EQ(mapFileText() + logicFileText(), edited);
        EXPECT_EQ(world.getGlobalScore(4), 7);
        EXPECT_EQ(world.getCurrentMap(), 0);
        EXPECT_EQ(camera.getCamMode(), camModeEditor);
        EXPECT_EQ(cameraView(), (std::vector<float>{12, 18, 30, 12, 2.9f, 46.3f}));
        EXPECT_EQ(gameSys.getKeyState(keyLeft) + gameSys.getAlphabetKeyState(0) + gameSys.getAlphabetKeyState(7), 0);
        EXPECT_TRUE(autoRepeat);
    }
}

TEST_F(EditorOperations, EdgeScrollingMarginsBoundsAndSpeed)
{
    struct scrollCase {
        bool fullScreen;
        int mx, my;
        float camX, camZ, dx, dz;
        bool moved;
    };
    const float s = 0.09f;  // the step at speed 0.5; the map is 60 units square
    const scrollCase cases[] = {
        {false, 5, 300, 0, 0, s, 0, true},         {false, 6, 300, 0, 0, 0, 0, false},
        {true, 2, 300, 0, 0, s, 0, true},          {true, 3, 300, 0, 0, 0, 0, false},
        {false, 800, 0, 0, 0, -s, s, true},        {false, 400, 600, 0, 0, 0, -s, true},
        {false, 0, 300, 60.5f, 0, 0, 0, false},    {false, 800, 300, 60.5f, 0, -s, 0, true},
        {false, 800, 300, -18.5f, 0, 0, 0, false}, {false, 0, 0, 0, 60.5f, s, 0, false},
        {false, 400, 600, 0, -18.5f, 0, 0, false},
    };
    for (const scrollCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mx << "," << c.my << " camera " << c.camX << "," << c.camZ);
        gameSys.setFS(c.fullScreen);
        gameSys.setMousePos(c.mx, c.my);
        camera.SetPos(c.camX, 18, c.camZ);
        camera.SetLook(c.camX, 3, c.camZ + 16);
        EXPECT_EQ(editorScroll(0.5f), c.moved);
        const std::vector<float> v = cameraView();
        EXPECT_NEAR(v[0] - c.camX, c.dx, 1e-5f);
        EXPECT_NEAR(v[2] - c.camZ, c.dz, 1e-5f);
        EXPECT_EQ(std::vector<float>({v[1], v[3] - v[0], v[5] - v[2]}), std::vector<float>({18, 0, 16}));
    }
    gameSys.setFS(false);
    gameSys.setMousePos(0, 300);
    camera.SetPos(-18, 18, 0);
    setScrollMultiplier(scrollSpeedRestart);  // it grows up to its cap, and restarts after a frame at rest
    for (int frame = 0; frame < 70; ++frame) updateEditorScroll();
    EXPECT_FLOAT_EQ(getScrollMultiplier(), scrollSpeedMax);
    gameSys.setMousePos(400, 300);
    updateEditorScroll();
    EXPECT_FLOAT_EQ(getScrollMultiplier(), scrollSpeedRestart);
    gameSys.setMousePos(0, 300);  // the image picker, the macro picker, a logic editor
    for (int open = 0; open < 3; ++open) {
        worldEditor.setImageMenuTimer(open == 0);
        worldEditor.setTemplateSelect(open == 1);
        worldEditor.setEditorMode(open == 2 ? editorModeObjectLogic : editorModeNone);
        EXPECT_FALSE(editorScroll(0.5f));
    }
}

TEST_F(EditorOperations, AddedObjectsStopAtTheReaderLimit)
{
    for (int o = world.worldGetObjectCount(0); o < mapReaderMaxObjects - 1; ++o)
        world.worldSetObject(0, 0, 0, 1, 1, 1, 0, 0, o, 0);
    worldEditor.setObjectList(0, 1);
    worldEditor.setObjectListAmount(1);
    camera.SetPos(4, 18, -5);
    addObject();
    const int added = mapReaderMaxObjects - 1;
    ASSERT_EQ(world.worldGetObjectCount(0), mapReaderMaxObjects);
    float x, y, z, w, h, d;
    int tex, layer;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, added, 0);
    EXPECT_EQ(std::vector<float>({x, y, z, w, h, d}), std::vector<float>({4, 20, 0.5f, 1, 1, 1}));
    EXPECT_EQ(std::vector<int>({tex, layer, worldEditor.getCurrentObject(), worldEditor.getEditorMode(),
                                worldEditor.getObjectListAmount()}),
              std::vector<int>({1, 0, added, editorModeObject, 0}));
    EXPECT_EQ(world.worldGetObjectName(added, 0), "Object");

    worldEditor.setEditorMode(editorModeTile);
    addObject();
    world.worldCopyObject(0, 0);
    EXPECT_EQ(world.worldGetObjectCount(0), mapReaderMaxObjects);
    EXPECT_EQ(notice.getTitle(), "Too many objects");
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeTile);
}

TEST_F(EditorOperations, TheMenuEditorStartsFromItsOwnImageIndices)
{
    worldEditor.setCurrentAnimImage(205);  // a game image of the world editor
    worldEditor.setImageMenuRow(20);
    loadUIEditor();
    EXPECT_EQ(gameSys.getGameState(), gameStateUIEditor);
    EXPECT_EQ(worldEditor.getCurrentAnimImage() + worldEditor.getImageMenuRow(), 0);
}

}  // namespace
