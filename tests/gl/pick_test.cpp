// Picking on a real window: the 3D selection of a scene drawn here with names
// pushed around its quads, the colour-pick pass over a stale back buffer, and
// dragging an object by the world point under the pointer.
#include <GL/freeglut.h>
#include <gtest/gtest.h>

#include <array>

#include "core/init.h"
#include "core/mouse.h"
#include "core/pick.h"
#include "core/pick_codes.h"
#include "core/pick_internal.h"
#include "core/system.h"
#include "core/window_internal.h"
#include "editor/editor.h"
#include "media/quad.h"
#include "menus/ui.h"
#include "world/movement.h"
#include "world/world.h"

namespace {

constexpr int windowW = 800, windowH = 600;

int plainClick() { return 0; }

// A name-carrying square facing the camera, centred at (x, y, z).
void square(float x, float y, float z, float half, int name)
{
    EXPECT_TRUE(displayTexture(x, y, z, half, half, 1.0f, 1.0f, 1.0f, 0, false, false, 1.0f, name));
}

// Object 5 far behind object 2 (drawn first), a tile to the left, an object
// beyond the pick range above and one nearer than the view's near plane.
void drawScene()
{
    square(0.0f, 0.0f, -20.0f, 3.0f, pickObjectNameBase + 5);
    square(0.0f, 0.0f, -10.0f, 1.0f, pickObjectNameBase + 2);
    glPushName(4);
    glPushName(6);
    square(-4.0f, 0.0f, -10.0f, 1.0f, pickNone);
    glPopName();
    glPopName();
    square(0.0f, 40.0f, -130.0f, 10.0f, pickObjectNameBase + 7);
    square(0.15f, 0.0f, -0.5f, 0.05f, pickObjectNameBase + 8);
}

class Picking : public ::testing::Test {
protected:
    void SetUp() override
    {
        changeSize(windowW, windowH);
        glDisable(GL_CULL_FACE);
        setModifierSource(plainClick);
        world = gameWorld();
        world.allocateMaps(1);
        world.worldSetMap(8, 8, "Map", 0);
        for (int o = 0; o < 10; ++o) world.worldSetObject(0, 0, 0, 1, 1, 1, 0, 0, o, 0);
        world.setGameLoaded(true);
        worldEditor = editor();
        gameUI = UI();
        gameSys.setGameState(gameStateWorldEditor);
        gameSys.setInputState(inputStateNormal);
        gameSys.setLeftMouse(mouseButtonPressed);
        gameSys.setRightMouse(mouseButtonIdle);
        gameSys.setDragState(false);
        gameSys.setHoverCheck(false);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
    void TearDown() override
    {
        setModifierSource(nullptr);
        world = gameWorld();
        worldEditor = editor();
        gameSys.setGameState(gameStateMenu);
        gameSys.setLeftMouse(mouseButtonIdle);
        glEnable(GL_CULL_FACE);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }

    static int pickAt(int x, int y)
    {
        uint32_t selection[pickBufferSize] = {};
        startPicking(x, y, selection);
        drawScene();
        return stopPicking(selection);
    }
};

// A tile hit carries its two names; the range runs from nearly 0 to 120.
TEST_F(Picking, TheNearestHitInThePickRangeIsSelected)
{
    EXPECT_EQ(pickAt(400, 300), 2);
    EXPECT_EQ(worldEditor.getCurrentObject(), 2);
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeObject);
    EXPECT_EQ(pickAt(400, 210), 1);  // above the near square only the far one
    EXPECT_EQ(worldEditor.getCurrentObject(), 5);

    EXPECT_EQ(pickAt(112, 300), 1);
    int x, y;
    worldEditor.getCurrentTile(x, y);
    EXPECT_EQ((std::array<int, 2>{x, y}), (std::array<int, 2>{4, 6}));
    EXPECT_EQ(worldEditor.getEditorMode(), editorModeTile);

    worldEditor.setCurrentObject(1);
    EXPECT_EQ(pickAt(20, 20), 0);
    EXPECT_EQ(pickAt(400, 80), 0);  // object 7 lies beyond 120
    EXPECT_EQ(worldEditor.getCurrentObject(), 1);
    EXPECT_EQ(pickAt(617, 300), 1);  // object 8 lies nearer than the view's near plane
    EXPECT_EQ(worldEditor.getCurrentObject(), 8);
}

TEST_F(Picking, TheColourPassNeverReadsWhatTheLastFrameLeft)
{
    glClearColor(1.0f, 0.0f, 0.0f, 1.0f);  // a stale frame the pass must not read as codes
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gameSys.setGameState(gameStateMenu);
    gameSys.setInputState(inputStateMenuTextbox);
    gameSys.setMousePos(400, 300);
    EXPECT_FALSE(colorPickRender());
    EXPECT_EQ(gameSys.getInputState(), inputStateNormal);  // a press on the background ends typing
    for (const pickCode& c : {readPickPixel(400, 300), readPickPixel(5, 590)})
        EXPECT_EQ((std::array<int, 3>{c.r, c.g, c.b}), (std::array<int, 3>{254, 254, 254}));
    EXPECT_FALSE(gameSys.getColorPick());
}

TEST_F(Picking, DraggingMovesTheObjectByTheWorldDistanceCovered)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0.0, 20.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0, -1.0);  // straight down on the ground
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(3);
    worldEditor.setLOS(-1);  // as after the click that starts the drag

    mouseDrag(400, 300);  // only records where the drag starts
    EXPECT_EQ(readObjectRecord(3, 0).x, 0.0f);
    EXPECT_EQ(worldEditor.getLOS(), 3);
    double x0, z0, x1, z1;
    gameSys.getNormalPos(x0, z0);
    mouseDrag(460, 300);
    gameSys.getNormalPos(x1, z1);
    EXPECT_GT(x1 - x0, 0.1);
    EXPECT_NEAR(readObjectRecord(3, 0).x, x1 - x0, 1e-4);

    mouseDrag(460, 580);  // over the bottom panel: the object stays
    EXPECT_NEAR(readObjectRecord(3, 0).x, x1 - x0, 1e-4);
    int ox, oy;
    gameSys.getOrthoPos(ox, oy);
    EXPECT_EQ(oy, 580);
}

}  // namespace
