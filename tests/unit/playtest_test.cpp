// The world editor's own operations on a hand-made world: a playtest that
// changed the world hands back the edited one, the editor camera and idle
// keys; edge scrolling's margins and bounds; adding objects up to the limit
// the map reader accepts; the menu editor starts from its own image indices.
#include <gtest/gtest.h>

#include "core/input.h"
#include "core/pick.h"
#include "editor/add_object.h"
#include "editor/edge_scroll.h"
#include "editor/editor_entry.h"
#include "editor/playtest.h"
#include "editor/save_world.h"
#include "menus/notice.h"
#include "menus/ui.h"
#include "world/map_reader.h"
#include "world_test_util.h"

namespace {

constexpr int editorMenu = 3, editorMainMenu = 2;
bool autoRepeat = false;

void window800x600(int& w, int& h)
{
    w = 800;
    h = 600;
}

class EditorOperations : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::resetGlobals();
        worldtest::makeWorld(2, 3, 10, 10);
        gameUI.setEditorMenu(editorMenu);
        gameUI.setEditorMainMenu(editorMainMenu);
        gameUI.setCurrentMenu(editorMenu);
        gameSys.setGameState(gameStateWorldEditor);
        notice = uiNotice();
        setAutoRepeatSwitch([](bool on) { autoRepeat = on; });
        setWindowSizeSource(window800x600);
    }
    void TearDown() override
    {
        setAutoRepeatSwitch(nullptr);
        setWindowSizeSource(nullptr);
        worldtest::resetGlobals();
    }
    static std::string worldText() { return mapFileText() + logicFileText(); }
};

TEST_F(EditorOperations, PlaytestReturnsTheEditedWorldCameraAndIdleKeys)
{
    world.setGlobalScore(4, 7);
    world.mapLocalAddSentence(1, 0);
    const std::string edited = worldText();
    camera.SetPos(12.0f, 18.0f, 30.0f);

    gameUI.setCurrentMenu(editorMainMenu);  // the hub shows: F5 starts nothing
    enterTest();
    EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
    gameUI.setCurrentMenu(editorMenu);
    enterTest();
    ASSERT_EQ(gameSys.getGameState(), gameStatePlaytest);

    // Play moves, kills and spawns objects, changes scores and map, holds keys.
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

    worldEditor.setEndTest(1);
    updatePlaytestEnd();
    EXPECT_EQ(gameSys.getGameState(), gameStateWorldEditor);
    EXPECT_EQ(worldEditor.getEndTest(), 0);
    EXPECT_EQ(worldText(), edited);
    EXPECT_EQ(world.getGlobalScore(4), 7);
    EXPECT_EQ(world.getCurrentMap(), 0);
    float x, y, z, lx, ly, lz;
    camera.GetPos(x, y, z);
    camera.GetLook(lx, ly, lz);
    EXPECT_EQ(camera.getCamMode(), camModeEditor);
    EXPECT_FLOAT_EQ(x, 12.0f);
    EXPECT_FLOAT_EQ(z, 30.0f);
    EXPECT_FLOAT_EQ(lx, 12.0f);
    EXPECT_FLOAT_EQ(ly, 2.9f);
    EXPECT_FLOAT_EQ(lz, 46.3f);
    EXPECT_EQ(gameSys.getKeyState(keyLeft), keyStateIdle);
    for (int letter : {0, 7}) EXPECT_EQ(gameSys.getAlphabetKeyState(letter), keyStateIdle);
    EXPECT_TRUE(autoRepeat);

    worldEditor.setEndTest(1);  // a stray request outside a playtest is dropped
    updatePlaytestEnd();
    EXPECT_EQ(worldEditor.getEndTest(), 0);
    EXPECT_EQ(worldText(), edited);
}

TEST_F(EditorOperations, EdgeScrollingMarginsAndBounds)
{
    struct scrollCase {
        bool fullScreen;
        int mx, my;
        float camX, camZ;
        bool moved;
        float dx, dz;
    };
    const float s = 0.09f;  // speed 0.5
    const scrollCase cases[] = {
        {false, 5, 300, 0, 0, true, s, 0},       {false, 6, 300, 0, 0, false, 0, 0},
        {true, 2, 300, 0, 0, true, s, 0},        {true, 3, 300, 0, 0, false, 0, 0},
        {false, 795, 300, 0, 0, true, -s, 0},    {false, 400, 0, 0, 0, true, 0, s},
        {false, 400, 600, 0, 0, true, 0, -s},    {false, 0, 0, 0, 0, true, s, s},
        {false, 0, 300, 60.5f, 0, false, 0, 0},  {false, 800, 300, 60.5f, 0, true, -s, 0},
        {false, 800, 300, -18.5f, 0, false, 0, 0}, {false, 0, 0, 0, 60.5f, false, s, 0},
        {false, 400, 600, 0, -18.5f, false, 0, 0},
    };
    for (const scrollCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mx << "," << c.my << " camera " << c.camX << "," << c.camZ);
        gameSys.setFS(c.fullScreen);
        gameSys.setMousePos(c.mx, c.my);
        camera.SetPos(c.camX, 18.0f, c.camZ);
        camera.SetLook(c.camX, 3.0f, c.camZ + 16.0f);
        EXPECT_EQ(editorScroll(0.5f), c.moved);
        float x, y, z, lx, ly, lz;
        camera.GetPos(x, y, z);
        camera.GetLook(lx, ly, lz);
        EXPECT_NEAR(x - c.camX, c.dx, 1e-5f);
        EXPECT_NEAR(z - c.camZ, c.dz, 1e-5f);
        EXPECT_NEAR(lz - z, 16.0f, 1e-5f);
        EXPECT_FLOAT_EQ(y, 18.0f);
    }
    // The renderer's speed grows by 0.08 a frame up to 6 and restarts at 0.5
    // on a frame without movement.
    gameSys.setFS(false);
    gameSys.setMousePos(0, 300);
    camera.SetPos(-18.0f, 18.0f, 0.0f);
    setScrollMultiplier(scrollSpeedRestart);
    for (int frame = 0; frame < 70; ++frame) updateEditorScroll();
    EXPECT_FLOAT_EQ(getScrollMultiplier(), scrollSpeedMax);
    gameSys.setMousePos(400, 300);
    updateEditorScroll();
    EXPECT_FLOAT_EQ(getScrollMultiplier(), scrollSpeedRestart);

    gameSys.setMousePos(0, 300);
    for (int blocker : {0, 1, 2}) {
        worldEditor.setImageMenuTimer(blocker == 0);
        worldEditor.setTemplateSelect(blocker == 1);
        worldEditor.setEditorMode(blocker == 2 ? editorModeObjectLogic : editorModeNone);
        EXPECT_FALSE(editorScroll(0.5f));
    }
}

TEST_F(EditorOperations, AddedObjectsStopAtTheReaderLimit)
{
    for (int o = world.worldGetObjectCount(0); o < mapReaderMaxObjects - 1; ++o)
        world.worldSetObject(0, 0, 0, 1, 1, 1, 0, 0, o, 0);
    worldEditor.setObjectList(0, 1);
    worldEditor.setObjectListAmount(1);
    camera.SetPos(4.0f, 18.0f, -5.0f);

    addObject();
    const int added = mapReaderMaxObjects - 1;
    ASSERT_EQ(world.worldGetObjectCount(0), mapReaderMaxObjects);
    float x, y, z, w, h, d;
    int tex, layer;
    world.worldGetObject(x, y, z, w, h, d, tex, layer, added, 0);
    EXPECT_EQ(std::vector<float>({x, y, z, w, h, d}), std::vector<float>({4.0f, 20.0f, 0.5f, 1, 1, 1}));
    EXPECT_EQ(tex, 1);
    EXPECT_EQ(layer, 0);
    EXPECT_EQ(world.worldGetObjectName(added, 0), "Object");
    EXPECT_EQ(worldEditor.getCurrentObject(), added);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);
    EXPECT_EQ(worldEditor.getObjectListAmount(), 0);

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
    EXPECT_EQ(worldEditor.getCurrentAnimImage(), 0);
    EXPECT_EQ(worldEditor.getImageMenuRow(), 0);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeMenuNone);
}

}  // namespace
