// Mouse input without a window: the 800 x 600 mapping, free look (clamps,
// recentring, the reset after a mode switch), the world editor's wheel edits
// and the disabled mouse.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "core/clock_internal.h"
#include "core/mouse.h"
#include "core/mouse_internal.h"
#include "core/window_internal.h"
#include "menus/ui.h"
#include "world_test_util.h"

namespace {

int fakeNow = 0;
int fakeClock() { return fakeNow; }
int noModifiers() { return 0; }
void fakeWindow(int& w, int& h) { w = 1024, h = 768; }
std::vector<std::pair<int, int>> warps;
void recordWarp(int x, int y) { warps.emplace_back(x, y); }

class MouseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::makeWorld(1, 4);
        fakeNow = 5000;
        warps.clear();
        setClockSource(fakeClock);
        setModifierSource(noModifiers);
        setWindowSizeSource(fakeWindow);
        setPointerWarp(recordWarp);
        resetFreelookHistory();
        gameSys.setDisableMouseState(false);
        gameSys.setInputState(inputStateNormal);
    }

    // The camera's pitch and yaw.
    static std::pair<float, float> rot()
    {
        std::pair<float, float> r;
        camera.GetRot(r.first, r.second);
        return r;
    }
    static void enterFreelook(int mode)
    {
        gameSys.setGameState(gameStatePlay);
        camera.setCamMode(mode);
        camera.SetRot(0.0f, 0.0f);
    }
};

TEST_F(MouseTest, WindowPixelsMapOntoTheScreenSpace)
{
    int ox = -1, oy = -1;
    ASSERT_TRUE(screenSpacePosition(512, 384, 1024, 768, ox, oy));
    EXPECT_EQ(std::make_pair(ox, oy), std::make_pair(400, 300));
    ASSERT_TRUE(screenSpacePosition(1023, 767, 1024, 768, ox, oy));
    EXPECT_EQ(std::make_pair(ox, oy), std::make_pair(799, 599));
    EXPECT_FALSE(screenSpacePosition(10, 10, 0, 768, ox, oy));
    EXPECT_FALSE(screenSpacePosition(10, 10, 1024, 0, ox, oy));
    EXPECT_EQ(std::make_pair(ox, oy), std::make_pair(799, 599));
}

TEST_F(MouseTest, TheFirstFreeLookEventAfterAModeSwitchTurnsNothing)
{
    enterFreelook(camModeOverhead);
    updateFreelook(300, 200);
    EXPECT_EQ(rot(), std::make_pair(0.0f, 0.0f));
    EXPECT_FALSE(world.getResetFreelook());
    updateFreelook(310, 195);
    EXPECT_EQ(rot(), std::make_pair(-5.0f, 10.0f));
}

TEST_F(MouseTest, PitchIsClampedByCameraMode)
{
    // No limit in the overhead view: it has a fixed pitch.
    const struct { int mode; std::vector<int> ys; float pitch; } cases[] = {
        {camModeThirdPerson, {100, 400}, thirdPersonPitchLimit},
        {camModeThirdPerson, {100, 400, 0}, -thirdPersonPitchLimit},
        {camModeFirstPerson, {100, 400}, firstPersonPitchLimit}, {camModeOverhead, {100, 400, 700}, 600.0f}};
    for (const auto& c : cases) {
        resetFreelookHistory();
        enterFreelook(c.mode);
        for (int y : c.ys) updateFreelook(500, y);
        EXPECT_EQ(rot().first, c.pitch) << c.mode << " to " << c.ys.back();
    }
}

TEST_F(MouseTest, ThePointerIsRecentredAfterFiveMoves)
{
    enterFreelook(camModeOverhead);
    for (int i = 0; i < 5; ++i) updateFreelook(100 + i, 100);
    EXPECT_TRUE(warps.empty());
    EXPECT_EQ(rot().second, 4.0f);
    updateFreelook(900, 700);  // taken as arriving at the centre
    ASSERT_EQ(warps.size(), 1u);
    EXPECT_EQ(warps[0], std::make_pair(512, 384));
    EXPECT_EQ(rot().second, 4.0f);
    updateFreelook(522, 384);
    EXPECT_EQ(rot().second, 14.0f);
}

TEST_F(MouseTest, FreeLookOnlyInPlayEditorAndPlaytestWithAFollowingCamera)
{
    camera.SetRot(1.0f, 2.0f);
    gameSys.setGameState(gameStatePlay);  // editor camera
    updateFreelook(10, 10);
    updateFreelook(90, 90);
    gameSys.setGameState(gameStateMenu);
    camera.setCamMode(camModeFirstPerson);
    camera.SetRot(1.0f, 2.0f);
    updateFreelook(10, 10);
    updateFreelook(90, 90);
    EXPECT_EQ(rot(), std::make_pair(1.0f, 2.0f));
}

TEST_F(MouseTest, TheWheelRaisesTheSelectedObjectsInTheObjectTool)
{
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setEditorMode(editorModeObject);
    worldEditor.setCurrentObject(1);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    mouse(mouseWheelUp, mouseEventUp, 10, 10);  // ups count as well
    EXPECT_FLOAT_EQ(readObjectRecord(1, 0).z, 0.2f);
    mouse(mouseWheelDown, mouseEventDown, 10, 10);
    EXPECT_FLOAT_EQ(readObjectRecord(1, 0).z, 0.1f);
    EXPECT_FLOAT_EQ(readObjectRecord(2, 0).z, 0.0f);

    worldEditor.setObjectList(0, 2);
    worldEditor.setObjectList(1, 3);
    worldEditor.setObjectListAmount(2);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    for (int o : {1, 2, 3}) EXPECT_FLOAT_EQ(readObjectRecord(o, 0).z, 0.1f) << o;

    camera.setCamMode(camModeFirstPerson);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    EXPECT_FLOAT_EQ(readObjectRecord(2, 0).z, 0.1f);
}

TEST_F(MouseTest, TheWheelRaisesTheTileRectangleInTheTileTool)
{
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setEditorMode(editorModeTile);
    worldEditor.setCurrentTile(1, 1);
    worldEditor.setEndingTile(2, 3);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    mouse(mouseWheelUp, mouseEventUp, 10, 10);
    mouse(mouseWheelDown, mouseEventDown, 10, 10);
    for (int x = 0; x < 4; ++x)
        for (int y = 0; y < 4; ++y) {
            const bool inside = x >= 1 && x <= 2 && y >= 1 && y <= 3;
            EXPECT_NEAR(world.worldGetTileHeight(x, y, 0), inside ? 0.1f : 0.0f, 1e-5) << x << ", " << y;
        }
}

TEST_F(MouseTest, OtherToolsTakeNoWheel)
{
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setEditorMode(editorModeNone);
    worldEditor.setCurrentObject(1);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    EXPECT_FLOAT_EQ(readObjectRecord(1, 0).z, 0.0f);
    EXPECT_FLOAT_EQ(world.worldGetTileHeight(0, 0, 0), 0.0f);
}

TEST_F(MouseTest, ADisabledMouseChangesNothingButTheDragState)
{
    gameSys.setGameState(gameStateWorldEditor);
    camera.setCamMode(camModeOverhead);
    camera.SetRot(3.0f, 4.0f);
    worldEditor.setEditorMode(editorModeObject);
    gameSys.setMousePos(7, 8);
    gameSys.setOrthoPos(9, 10);
    gameSys.setLeftMouse(mouseButtonIdle);
    gameSys.setDragState(true);
    gameSys.setDisableMouseState(true);

    mouse(mouseButtonLeft, mouseEventDown, 100, 100);
    EXPECT_FALSE(gameSys.getDragState());
    mouse(mouseWheelUp, mouseEventDown, 100, 100);
    mousePassive(200, 200);
    mouseDrag(300, 300);

    int x, y;
    gameSys.getMousePos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(7, 8));
    gameSys.getOrthoPos(x, y);
    EXPECT_EQ(std::make_pair(x, y), std::make_pair(9, 10));
    EXPECT_EQ(gameSys.getLeftMouse(), mouseButtonIdle);
    EXPECT_EQ(rot(), std::make_pair(3.0f, 4.0f));
    EXPECT_FLOAT_EQ(readObjectRecord(0, 0).z, 0.0f);
}

TEST_F(MouseTest, ButtonEventsSetTheButtonStatesAndClearTheTooltip)
{
    gameSys.setGameState(gameStateWorldEditor);
    worldEditor.setEditorMode(editorModeTile);
    gameUI.setCurrentTT(37, 2, 100);
    mouse(mouseWheelUp, mouseEventDown, 10, 10);
    EXPECT_EQ(gameSys.getLeftMouse(), mouseButtonIdle);
    EXPECT_EQ(gameSys.getRightMouse(), mouseButtonIdle);
    int id, sub, since;
    gameUI.getCurrentTT(id, sub, since);
    EXPECT_EQ(id, toolTipNone);
}

}  // namespace
