// Rules at run time: the executor against a fake clock, object movement and
// touching, and the actions with the values they must refuse.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <set>

#include "core/clock_internal.h"
#include "core/input.h"
#include "core/window_internal.h"
#include "logic/actions.h"
#include "logic/condition_tests.h"
#include "logic/executor.h"
#include "logic/steps.h"
#include "menus/help.h"
#include "tests/unit/world_test_util.h"
#include "world/movement.h"

namespace {

int fakeNow = 0;
int fakeClock() { return fakeNow; }
void noAutoRepeat(bool) {}

using steps = std::initializer_list<int>;

void setSteps(steps s, int rule, int o, bool global)
{
    int k = 0;
    for (int id : s) {
        if (global) world.mapGlobalChangeSentence(0, rule, k++, id);
        else world.mapLocalChangeSentence(rule, k++, id, o, 0);
    }
}

void addGlobal(steps s)
{
    world.mapGlobalAddSentence(0);
    setSteps(s, world.mapGlobalGetSentenceAmount(0) - 1, 0, true);
}

void addLocal(int o, steps s)
{
    world.mapLocalAddSentence(o, 0);
    setSteps(s, world.mapLocalGetSentenceAmount(o, 0) - 1, o, false);
}

void place(int o, float x, float y, float z, int layer = 0, float half = 0.5f)
{
    world.worldSetObject(x, y, z, 1, 1, 1, 0, layer, o, 0);
    world.setObstructionSize(half, half, half, o, 0);
}

float objectX(int o) { float x, y, z, w, h, d; int t, l; world.worldGetObject(x, y, z, w, h, d, t, l, o, 0); return x; }
float objectY(int o) { float x, y, z, w, h, d; int t, l; world.worldGetObject(x, y, z, w, h, d, t, l, o, 0); return y; }
float objectZ(int o) { float x, y, z, w, h, d; int t, l; world.worldGetObject(x, y, z, w, h, d, t, l, o, 0); return z; }
int score(int o) { return world.worldGetObjectScore(o, 0); }

class LogicRuntime : public ::testing::Test {
protected:
    void SetUp() override
    {
        worldtest::resetGlobals();
        worldtest::makeWorld(2, 8, 10, 10);
        for (int o = 0; o < 8; ++o) place(o, 6.0f * o + 3.0f, 30.0f, 1.0f);
        world.setChangeMap(changeMapNone);
        setClockSource(fakeClock);
        setAutoRepeatSwitch(noAutoRepeat);
        gameSys.resetKeyState();
        uiHelp.setHelpState(false);
        fakeNow = 1000;
        updateLogic();  // outside play: the next play frame starts the clocks afresh
        gameSys.setGameState(gameStatePlay);
    }
    void TearDown() override
    {
        setClockSource(nullptr);
        setAutoRepeatSwitch(nullptr);
        gameSys.resetKeyState();
        worldtest::resetGlobals();
    }
    void frame(int ms)
    {
        fakeNow += ms;
        updateLogic();
    }
};

TEST_F(LogicRuntime, FrameRulesChainsTimersAndTheMapChange)
{
    // Do once and / While object 1 visible and / Repeatedly do: add to global score 0.
    addGlobal({stepDoOnce, 0, stepIs, stepTouching, 0, stepThen, stepAnd, 0});
    addGlobal({stepWhileObject, 1, stepIs, stepVisible, 0, stepThen, stepAnd, 0});
    addGlobal({stepRepeatedlyDo, 0, stepIs, stepTouching, 0, stepThen, stepAdd1ToGlobalScore, 0});
    // A chain opened by a key condition blocks its end in every frame pass.
    addGlobal({stepUpPressed, 0, stepIs, stepTouching, 0, stepThen, stepAnd, 0});
    addGlobal({stepRepeatedlyDo, 0, stepIs, stepTouching, 0, stepThen, stepAdd1ToGlobalScore, 1});
    // Once only: object 3 touching object 5; a local "When object" tests its holder, not slot 1.
    place(5, 22.0f, 30.0f, 1.0f);
    addGlobal({stepWhenObject, 3, stepIs, stepTouching, 5, stepThen, stepAddObjectScoreBy1, 5});
    addLocal(3, {stepWhenObject, 0, stepIs, stepTouching, 5, stepThen, stepAddObjectScoreBy1, 3});
    addLocal(2, {stepEverySeconds, 3, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 2});
    addLocal(4, {stepEveryMilliseconds, 100, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 4});
    for (int f = 0; f < 6; ++f) frame(1001);
    EXPECT_EQ(world.getGlobalScore(0), 1);
    EXPECT_EQ(world.getGlobalScore(1), 0);
    EXPECT_EQ(score(5), 1);
    EXPECT_EQ(score(3), 1);
    EXPECT_EQ(score(2), 1);  // the first play frame starts the clock: five ticks since
    EXPECT_EQ(score(4), 5);  // at most once a frame, however long it was

    world.mapLocalSetExecutionState(executionStateFired, 0, 3, 0);
    gameAction(stepResetLogic, 3, 0);
    frame(17);
    EXPECT_EQ(score(3), 2);

    // A pause never reaches the timers: no tick on the first frame back.
    gameSys.setGameState(gameStateIngameMenu);
    frame(60000);
    gameSys.setGameState(gameStatePlay);
    frame(17);
    EXPECT_EQ(score(4), 5);
    EXPECT_EQ(world.mapLocalGetSentenceTimer(0, 2, 0), 2);
    frame(120);
    EXPECT_EQ(score(4), 6);

    // The map changes at the start of the next frame's logic.
    addLocal(7, {stepRepeatedlyDo, 0, stepIs, stepTouching, 0, stepThen, stepGotoMap, 1});
    frame(17);
    EXPECT_EQ(world.getCurrentMap(), 0);
    EXPECT_EQ(world.getChangeMap(), 1);
    frame(17);
    EXPECT_EQ(world.getCurrentMap(), 1);
    EXPECT_EQ(world.getChangeMap(), changeMapNone);
}

TEST_F(LogicRuntime, KeyAndMousePasses)
{
    addGlobal({stepUpPressed, 0, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 1});
    addGlobal({stepUpReleased, 0, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 2});
    addGlobal({stepKeyPressed, -1, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 3});
    addGlobal({stepLeftClick, 0, stepIs, stepTouching, 0, stepThen, stepAddObjectScoreBy1, 6});
    addLocal(4, {stepWhenObject, 0, stepIs, stepLClicked, 0, stepThen, stepAddObjectScoreBy1, 4});
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    for (int f = 0; f < 10; ++f) updateKeyLogic();  // what the frame does while Up is held
    specialKeysUp(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(score(1), 11);
    EXPECT_EQ(score(2), 1);
    EXPECT_EQ(score(3), 0);  // a letter outside a to z matches no key

    // A click on object 4 runs the pass with it selected, then with none.
    gameSys.setLeftMouse(mouseButtonPressed);
    world.setSelectedObject(4);
    updateMouseLogic();
    world.setSelectedObject(selectedObjectNone);
    updateMouseLogic();
    EXPECT_EQ(score(4), 1);
    EXPECT_EQ(score(6), 2);

    // A disabled key ignores its callbacks until a rule enables it again.
    gameAction(stepDisableUpArrow, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(gameSys.getKeyState(keyUp), keyStateDisabled);
    EXPECT_EQ(score(1), 11);
    gameAction(stepEnableUpArrow, 0, 0);
    processSpecialKeys(GLUT_KEY_UP, 0, 0);
    EXPECT_EQ(score(1), 12);
    gameAction(stepEnableUpArrow, 0, 0);  // a held key stays held
    EXPECT_EQ(gameSys.getKeyState(keyUp), keyStatePressed);

    // The input lock stops both passes and leaves a finished image box alone.
    gameAction(stepDisallowInput, 0, 0);
    world.setGameBox(gameBoxTimerReady, 2);
    updateKeyLogic();
    updateMouseLogic();
    int timer = 0, image = 0;
    world.getGameBox(timer, image);
    EXPECT_EQ(timer, gameBoxTimerReady);
    EXPECT_EQ(score(1), 12);
    EXPECT_EQ(score(6), 2);
}

TEST_F(LogicRuntime, MovementAtEdgesOverTerrainAndAgainstSolids)
{
    struct moveCase {
        float x, y, z, dx, dy, dz;
        float wantX, wantY, wantZ;
    } cases[] = {
        {53.9f, 20, 5, 1, 0, 0, 53.9f, 20, 5},   {53.7f, 20, 5, 1, 0, 0, 53.9f, 20, 5},
        {20, 0.1f, 5, 0, -1, 0, 20, 0.1f, 5},    {20, 0.3f, 5, 0, -1, 0, 20, 0.1f, 5},
        {-2, 20, 5, 1, 0, 0, 0.2f, 20, 5},       {20, 20, 0.5f, 0, 0, 0, 20, 20, 0.9999f},
        {20, 20, 1.0f, 0, 0, -1, 20, 20, 0.8f},  {20, 20, 1.0f, 0, 0, 1, 20, 20, 1.2f},
    };
    for (const moveCase& c : cases) {
        place(0, c.x, c.y, c.z, 0, 1.0f);
        moveObject(c.dx, c.dy, c.dz, 0, 0);
        EXPECT_NEAR(objectX(0), c.wantX, 1e-3f) << c.x << " " << c.y << " " << c.z;
        EXPECT_NEAR(objectY(0), c.wantY, 1e-3f) << c.x << " " << c.y << " " << c.z;
        EXPECT_NEAR(objectZ(0), c.wantZ, 1e-3f) << c.x << " " << c.y << " " << c.z;
    }
    // Raised terrain lifts the box bottom onto it; off the grid the terrain is 0.
    for (int x = 0; x < 10; ++x)
        for (int y = 0; y < 10; ++y) world.worldSetTileHeight(2.0f, x, y, 0);
    place(0, 20, 20, 0, 0, 1.0f);
    moveObject(0, 0, 0, 0, 0);
    EXPECT_NEAR(objectZ(0), 3.0f, 0.21f);
    world.allocateMaps(3);
    world.worldSetMap(1, 1, "Tiny", 2);
    world.setCurrentMap(2);
    world.worldSetObject(-7, -7, 0.5f, 1, 1, 1, 0, 0, 0, 2);
    EXPECT_TRUE(checkTerrainCollide(0));
    world.setCurrentMap(0);

    // Solids 0.1 apart along x: that axis is blocked, y still moves; a non-solid passes.
    place(0, 10, 10, 1);
    place(1, 11.1f, 10, 1);
    moveObject(1, 1, 0, 0, 0);
    EXPECT_FLOAT_EQ(objectX(0), 10);
    EXPECT_NEAR(objectY(0), 10.2f, 1e-4f);
    world.worldSetObjectObstructionState(false, 0, 0);
    moveObject(1, 0, 0, 0, 0);
    EXPECT_NEAR(objectX(0), 10.2f, 1e-4f);

    // Touching with layers: 1.0 apart along x, then the upper one 1 above a lower one.
    place(0, 10, 10, 1);
    world.worldSetObjectObstructionState(true, 0, 0);
    place(1, 12, 10, 1);
    EXPECT_TRUE(compareObjects(0, stepTouching, 1));
    EXPECT_FALSE(compareObjects(0, stepTouchingRight, 1));
    place(1, 10, 10, 2, 1);
    EXPECT_FALSE(compareObjects(0, stepTouching, 1));
    EXPECT_FALSE(compareObjects(0, stepNotTouching, 1));
    EXPECT_TRUE(compareObjects(1, stepBottomAnyTouch, 0));
    EXPECT_FALSE(compareObjects(1, stepTopAnyTouch, 0));
}

TEST_F(LogicRuntime, ActionsSpawnScoreAndRefuseValuesOutOfRange)
{
    place(0, 10, 10, 0, 0, 1.0f);
    world.worldSetObject(40, 40, 3, 2, 2, 2, 5, 4, 1, 0);
    world.worldSetObjectLife(false, 1, 0);
    addLocal(1, {stepEverySeconds, 9, stepIs, stepTouching, 0, stepThen, stepAnd, 0});
    world.mapLocalSetSentenceTimer(4, 0, 1, 0);
    gameAction(stepSpawnObjectUp, 1, 0);
    EXPECT_FLOAT_EQ(objectX(1), 10);
    EXPECT_FLOAT_EQ(objectY(1), 12.05f);
    EXPECT_FLOAT_EQ(objectZ(1), 0);
    EXPECT_TRUE(world.worldGetObjectLife(1, 0));
    EXPECT_EQ(world.mapLocalGetSentenceTimer(0, 1, 0), 0);
    world.worldSetRot(0, 90, 0, 0, 0);
    gameAction(stepSpawnObjectLeft, 1, 0);
    float rx, ry, rz;
    world.worldGetRot(rx, ry, rz, 1, 0);
    EXPECT_NEAR(objectX(1), 10, 1e-5f);
    EXPECT_NEAR(objectY(1), 9, 1e-5f);
    EXPECT_FLOAT_EQ(ry, 90);

    world.worldSetObjectScore(3, 2, 0);
    gameAction(stepSubFromSelfScoreBy, 7, 2);
    EXPECT_EQ(score(2), 0);
    gameAction(stepAddObjRand, 0, 2);
    EXPECT_EQ(score(2), 0);
    gameAction(stepSub1FromGlobalScore, 4, 0);
    EXPECT_EQ(world.getGlobalScore(4), 0);
    std::set<int> drawn;
    std::srand(7);
    for (int i = 0; i < 300; ++i) {
        gameAction(stepSetObjRand, 3, 2);
        drawn.insert(score(2));
    }
    EXPECT_EQ(drawn, (std::set<int>{0, 1, 2, 3}));

    // Values that name nothing change nothing.
    const int objects = world.worldGetObjectCount(0);
    for (int bad : {objects, -1}) {
        gameAction(stepSpawnObjectUp, bad, 0);
        gameAction(stepSpawnObjOnObj, 1, bad);
        gameAction(stepKillObject, bad, 0);
        gameAction(stepAddToSelfScoreBy, 5, bad);
        gameAction(stepAdd1ToGlobalScore, bad == -1 ? -1 : globalScoreCount, 0);
        gameAction(stepDisplayPhrase, bad == -1 ? -1 : phraseCount, 0);
        gameAction(stepDisableKey, bad == -1 ? -1 : 26, 0);
        gameAction(stepPlaySound, bad, 0);
        gameAction(stepStopSound, bad, 0);
    }
    EXPECT_EQ(world.worldGetObjectCount(0), objects);
    EXPECT_FLOAT_EQ(objectY(1), 9);
    for (int g = 0; g < globalScoreCount; ++g) EXPECT_EQ(world.getGlobalScore(g), 0) << g;
    int timer = 0, phrase = 0;
    world.getDisplayPhrase(timer, phrase);
    EXPECT_NE(timer, phraseTimerStart);
    for (int k = 0; k < alphabetKeyCount; ++k) EXPECT_EQ(gameSys.getAlphabetKeyState(k), keyStateIdle);
    world.setGlobalScore(0, 0);
    gameAction(stepGotoMapGblScore, 60, 0);
    EXPECT_EQ(world.getChangeMap(), 0);
}

}  // namespace
