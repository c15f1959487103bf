// The logic executor on a fake clock, one row per case: which rules fire how
// often over a run of frames (once or every frame, timers, "and" chains, the
// order of the lists, the pending map change) or in one key or mouse pass
// (the key and click conditions, the input lock). Rules count their firings
// in global scores.
#include <gtest/gtest.h>

#include "core/clock_internal.h"
#include "core/system.h"
#include "logic/executor.h"
#include "logic/steps.h"
#include "tests/unit/test_util.h"
#include "tests/unit/world_test_util.h"

namespace {

using testutil::change;

constexpr int G = -1;  // a rule of the map rather than of an object
constexpr int is = stepIs, isNot = stepIsNot, count = stepAdd1ToGlobalScore;
constexpr int scoresSeen = 24;

struct rule {
    int where, condition, s1, s2, s3, s4, action, value;
};

// A rule with no predicate that adds 1 to global score k when it fires.
rule counts(int where, int condition, int s1, int k) { return {where, condition, s1, is, stepTouching, 0, count, k}; }
// A rule of the map that chains on to the next one.
rule chained(int condition, int s1 = 0, int s3 = stepVisible, int s2 = is)
{
    return {G, condition, s1, s2, s3, 0, stepAnd, 0};
}

struct executorRow {
    std::vector<rule> rules;
    std::vector<change> changes;
    void (*setup)() = nullptr;
    std::vector<int> frames = {17, 17, 17};  // ms before each frame
    void (*pass)() = nullptr;                // an event pass after the frames
};

const std::vector<int> seconds5 = {1001, 1001, 1001, 1001, 1001};

void win() { world.setGameCondition(gameConditionWin); }
void lose() { world.setGameCondition(gameConditionLose); }
void killFirst() { world.worldSetObjectLife(false, 0, 0); }
void killSecond() { world.worldSetObjectLife(false, 1, 0); }
void labelSecond() { world.worldSetObjectLabel(7, 1, 0); }
void lock() { world.setIngameInputDisallow(true); }
void key(int k, int state) { gameSys.setKeyState(k, state); }
void leftOnSecond() { gameSys.setLeftMouse(mouseButtonPressed); world.setSelectedObject(1); }

// Key conditions 104 to 119 count in global scores 0 to 15 (letter d is the one
// asked for); click conditions 134 to 137 in 16 to 19, and object 1's click
// predicates 435 to 438 in 20 to 23.
std::vector<rule> inputRules(bool clicks)
{
    std::vector<rule> rules;
    for (int c = stepUpPressed; c <= stepKeyReleased && !clicks; ++c)
        rules.push_back(counts(G, c, 3, c - stepUpPressed));
    for (int c = stepLeftClick; c <= stepRightClickReleased && clicks; ++c)
        rules.push_back(counts(G, c, 0, 16 + c - stepLeftClick));
    for (int p = stepLClicked; p <= stepRReleased && clicks; ++p)
        rules.push_back({1, stepWhenObject, 0, is, p, 0, count, 20 + p - stepLClicked});
    return rules;
}

const std::vector<rule> keys = inputRules(false), clicks = inputRules(true);

const executorRow rows[] = {
    // Once or every frame. Objects 0 and 1 touch; both are alive and visible.
    {{{G, stepWhenObject, 0, is, stepTouching, 1, count, 0}}, {{"g0", 1}}},
    {{{G, stepWhileObject, 0, is, stepTouching, 1, count, 0}}, {{"g0", 3}}},
    {{{G, stepWhenObject, 0, isNot, stepTouching, 1, count, 0}}, {}},
    {{{G, stepWhenObject, 0, isNot, stepDead, 1, count, 0}}, {{"g0", 1}}},
    {{{G, stepWhileObject, 0, isNot, stepDead, 1, count, 0}}, {{"g0", 3}}},
    {{{G, stepWhileObject, 0, isNot + 1, stepDead, 1, count, 0}}, {}},
    {{{G, stepWhileObject, 0, is, stepDead, 1, count, 0}}, {}},
    {{counts(G, stepWhenWin, 0, 0)}, {{"g0", 3}}, win},
    {{counts(G, stepWhenWin, 0, 0)}, {}, lose},
    {{counts(G, stepWhenLose, 0, 0)}, {{"g0", 3}}, lose},
    {{counts(G, stepWhenLose, 0, 0)}, {}, win},
    // The game score is 5.
    {{counts(G, stepWhenGameScoreEqual, 5, 0), counts(G, stepWhenGameScoreEqual, 4, 1)}, {{"g0", 1}}},
    {{counts(G, stepWhenGameScoreLess, 6, 0), counts(G, stepWhenGameScoreLess, 5, 1)}, {{"g0", 1}}},
    {{counts(G, stepWhenGameScoreMore, 4, 0), counts(G, stepWhenGameScoreMore, 5, 1)}, {{"g0", 1}}},
    {{counts(G, stepWhileGameScoreEqual, 5, 0), counts(G, stepWhileGameScoreEqual, 6, 1)}, {{"g0", 3}}},
    {{counts(G, stepWhileGameScoreLess, 6, 0), counts(G, stepWhileGameScoreLess, 5, 1)}, {{"g0", 3}}},
    {{counts(G, stepWhileGameScoreMore, 4, 0), counts(G, stepWhileGameScoreMore, 5, 1)}, {{"g0", 3}}},
    // Global score 30 is 5.
    {{{G, stepWhenGlobalScore, 30, is, stepEqualTo, 5, count, 0}}, {{"g0", 1}}},
    {{{G, stepWhileGlobalScore, 30, is, stepEqualTo, 5, count, 0}}, {{"g0", 3}}},
    {{{G, stepWhenGlobalScore, 30, isNot + 1, stepGreaterThan, 5, count, 0}}, {{"g0", 1}}},
    {{{G, stepWhileGlobalScore, 30, isNot, stepEqualTo, 5, count, 0}}, {}},
    {{{G, stepWhileGlobalScore, 30, is, stepGreaterThan, 5, count, 0}}, {}},
    {{counts(G, stepDoOnce, 0, 0), counts(G, stepRepeatedlyDo, 0, 1)}, {{"g0", 1}, {"g1", 3}}},
    {{{G, stepLabel130, 7, is, 0, 0, count, 0}, {G, stepLabel131, 7, isNot, 0, 0, count, 1},
      {G, stepLabel131, 8, isNot, 0, 0, count, 2}, {G, stepLabel130, 7, isNot + 1, 0, 0, count, 3}},
     {{"g0", 3}, {"g2", 3}}, labelSecond},
    {{counts(G, stepEverySeconds, 0, 0), counts(G, stepEveryMilliseconds, 0, 1)}, {{"g0", 3}, {"g1", 3}}},
    {{counts(G, stepUpPressed, 0, 0), counts(G, stepLeftClick, 0, 1), counts(G, stepWhenObject - 1, 0, 2)}, {},
     [] { key(keyUp, keyStatePressed); gameSys.setLeftMouse(mouseButtonPressed); }},
    {{counts(G, stepDoOnce, 0, 0)}, {}, [] { gameSys.setGameState(gameStateIngameMenu); }},
    {{counts(G, stepDoOnce, 0, 0)}, {{"g0", 1}}, [] { gameSys.setGameState(gameStatePlaytest); }},
    // A rule of an object tests and acts on its holder, whatever slot 1 says;
    // a rule of the map acts on the object in slot 1.
    {{{1, stepWhileObject, 0, is, stepDead, 0, count, 0}}, {}, killFirst},
    {{{1, stepWhileObject, 0, is, stepDead, 0, count, 0}}, {{"g0", 3}}, killSecond},
    {{{1, stepRepeatedlyDo, 0, is, 0, 0, stepAddToSelfScoreBy, 2}}, {{"o1.score", 8}}},
    {{{G, stepRepeatedlyDo, 1, is, 0, 0, stepAddToSelfScoreBy, 2}}, {{"o1.score", 8}}},
    // Timers: a second tick comes when more than 1000 ms have passed since the
    // last; the first frame of play starts the clocks.
    {{counts(G, stepEverySeconds, 3, 0)}, {{"g0", 1}, {"gt0", 1}}, nullptr, seconds5},
    {{counts(G, stepEverySeconds, 1, 0)}, {{"g0", 2}}, nullptr, {1000, 1000, 1000, 1000, 1000}},
    {{counts(G, stepEverySeconds, 1, 0)}, {{"g0", 2}}, nullptr, {600, 600, 600, 600, 600}},
    {{counts(G, stepEveryMilliseconds, 100, 0)}, {{"g0", 2}}, nullptr, std::vector<int>(13, 17)},
    {{counts(G, stepEveryMilliseconds, 100, 0)}, {{"g0", 1}, {"gt0", 2}}, nullptr, std::vector<int>(103, 1)},
    {{counts(G, stepEveryMilliseconds, 100, 0)}, {{"g0", 3}}, nullptr, {350, 350, 350, 350}},
    {{counts(G, stepEveryMilliseconds, 3, 0)}, {{"gt0", 2}}, nullptr, {1, 1, 1, 1}},  // a tick needs 2 ms
    {{counts(1, stepEverySeconds, 2, 0)}, {{"g0", 2}, {"o1.timer", 0}}, nullptr, seconds5},
    // "And" chains: the last rule acts only when every member fires on the frame.
    {{chained(stepDoOnce), chained(stepWhileObject, 1), counts(G, stepRepeatedlyDo, 0, 0)}, {{"g0", 1}}},
    {{chained(stepRepeatedlyDo), chained(stepRepeatedlyDo), counts(G, stepRepeatedlyDo, 0, 0)}, {{"g0", 3}}},
    {{chained(stepRepeatedlyDo), chained(stepWhileObject, 1, stepInvisible), counts(G, stepRepeatedlyDo, 0, 0),
      counts(G, stepRepeatedlyDo, 0, 1)},
     {{"g1", 3}}},
    {{chained(stepWhileObject, 1, stepInvisible), chained(stepRepeatedlyDo), chained(stepRepeatedlyDo),
      counts(G, stepRepeatedlyDo, 0, 0), counts(G, stepRepeatedlyDo, 0, 1)},
     {{"g1", 3}}},
    {{{G, stepWhileObject, 0, is, stepInvisible, 0, count, 2}, counts(G, stepRepeatedlyDo, 0, 0)}, {{"g0", 3}}},
    {{chained(stepUpPressed), counts(G, stepEverySeconds, 2, 0), counts(G, stepRepeatedlyDo, 0, 1)},
     {{"g1", 5}, {"gt1", 4}}, [] { key(keyUp, keyStatePressed); }, seconds5},
    {{chained(stepWhileObject, 1, stepInvisible), counts(0, stepRepeatedlyDo, 0, 0),
      {0, stepWhileObject, 0, is, stepInvisible, 0, stepAnd, 0}, counts(1, stepRepeatedlyDo, 0, 1)},
     {{"g0", 3}, {"g1", 3}}},
    // The map's rules first, then each object's in object order.
    {{{0, stepWhileGameScoreEqual, 9, is, 0, 0, count, 0}, {G, stepRepeatedlyDo, 0, is, 0, 0, stepSetGameScore, 9}},
     {{"g0", 1}, {"gameScore", 9}}, nullptr, {17}},
    {{{1, stepWhileGameScoreEqual, 6, is, 0, 0, count, 0}, {0, stepRepeatedlyDo, 0, is, 0, 0, stepAddGameScore, 1}},
     {{"g0", 1}, {"gameScore", 6}}, nullptr, {17}},
    {{{0, stepDoOnce, 0, is, 0, 0, count, 0}, {1, stepEverySeconds, 2, is, 0, 0, stepResetLogic, 0}},
     {{"g0", 3}, {"o1.timer", 1}}, nullptr, {1001, 1001, 1001, 1001, 1001, 1001}},
    // A map change waits for the next frame's logic; the frame's later rules still run.
    {{{G, stepRepeatedlyDo, 0, is, 0, 0, stepGotoMap, 1}, counts(G, stepRepeatedlyDo, 0, 0)},
     {{"changeMap", 1}, {"g0", 1}}, nullptr, {17}},
    {{{G, stepRepeatedlyDo, 0, is, 0, 0, stepGotoMap, 1}, counts(G, stepRepeatedlyDo, 0, 0)},
     {{"currentMap", 1}, {"g0", 1}}, nullptr, {17, 17}},
    // Key and mouse passes: every rule whose key or button is in its state
    // fires; the input lock stops both passes; a finished image box closes.
    {keys, {{"g0", 1}, {"g6", 1}}, [] { key(keyUp, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g1", 1}, {"g6", 1}}, [] { key(keyDown, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g2", 1}, {"g6", 1}}, [] { key(keyLeft, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g3", 1}, {"g6", 1}}, [] { key(keyRight, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g4", 1}}, [] { key(keySpace, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g5", 1}}, [] { key(keyEnter, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g7", 1}}, [] { gameSys.setAlphabetKeyState(3, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {}, [] { gameSys.setAlphabetKeyState(4, keyStatePressed); }, {}, updateKeyLogic},
    {keys, {{"g8", 1}, {"g14", 1}}, [] { key(keyUp, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g9", 1}, {"g14", 1}}, [] { key(keyDown, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g10", 1}, {"g14", 1}}, [] { key(keyLeft, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g11", 1}, {"g14", 1}}, [] { key(keyRight, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g12", 1}}, [] { key(keySpace, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g13", 1}}, [] { key(keyEnter, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {{"g15", 1}}, [] { gameSys.setAlphabetKeyState(3, keyStateReleased); }, {}, updateKeyLogic},
    {keys, {}, [] { key(keyUp, keyStateDisabled); }, {}, updateKeyLogic},
    {keys, {}, [] { key(keyUp, keyStatePressed); lock(); }, {}, updateKeyLogic},
    {keys, {}, [] { key(keyUp, keyStatePressed); gameSys.setGameState(gameStateMenu); }, {}, updateKeyLogic},
    {keys, {{"g0", 1}, {"g6", 1}}, [] { key(keyUp, keyStatePressed); gameSys.setGameState(gameStatePlaytest); }, {},
     updateKeyLogic},
    {keys, {}, [] { key(keyUp, keyStatePressed); }, {}, updateMouseLogic},
    {clicks, {{"g16", 1}, {"g20", 1}}, leftOnSecond, {}, updateMouseLogic},
    {clicks, {{"g16", 1}}, [] { leftOnSecond(); world.setSelectedObject(0); }, {}, updateMouseLogic},
    {clicks, {{"g17", 1}, {"g21", 1}},
     [] { gameSys.setRightMouse(mouseButtonPressed); world.setSelectedObject(1); }, {}, updateMouseLogic},
    {clicks, {{"g18", 1}, {"g22", 1}},
     [] { gameSys.setLeftMouse(mouseButtonReleased); world.setSelectedObject(1); }, {}, updateMouseLogic},
    {clicks, {{"g19", 1}, {"g23", 1}},
     [] { gameSys.setRightMouse(mouseButtonReleased); world.setSelectedObject(1); }, {}, updateMouseLogic},
    {clicks, {}, [] { leftOnSecond(); lock(); }, {}, updateMouseLogic},
    {clicks, {}, leftOnSecond, {}, updateKeyLogic},
    {{}, {{"box.timer", 0}, {"box.image", 0}}, [] { world.setGameBox(gameBoxTimerReady, 4); }, {}, updateKeyLogic},
    {{}, {{"box.timer", 0}, {"box.image", 0}}, [] { world.setGameBox(gameBoxTimerReady, 4); }, {}, updateMouseLogic},
    {{}, {}, [] { world.setGameBox(gameBoxTimerReady + 1, 4); }, {}, updateKeyLogic},
    {{}, {}, [] { world.setGameBox(gameBoxTimerReady, 4); lock(); }, {}, updateMouseLogic},
    {{}, {}, [] { world.setGameBox(gameBoxTimerReady, 4); gameSys.setGameState(gameStateMenu); }, {}, updateKeyLogic},
};

int fakeNow = 0;
int fakeClock() { return fakeNow; }

testutil::observed observe()
{
    testutil::observed v;
    for (int g = 0; g < scoresSeen; ++g) v["g" + std::to_string(g)] = world.getGlobalScore(g);
    int box, image;
    world.getGameBox(box, image);
    v.insert({{"o0.score", world.worldGetObjectScore(0, 0)}, {"o1.score", world.worldGetObjectScore(1, 0)},
              {"o0.timer", world.mapLocalGetSentenceTimer(0, 0, 0)},
              {"o1.timer", world.mapLocalGetSentenceTimer(0, 1, 0)},
              {"gt0", world.mapGlobalGetSentenceTimer(0, 0)}, {"gt1", world.mapGlobalGetSentenceTimer(1, 0)},
              {"gameScore", world.getGameScore()}, {"currentMap", world.getCurrentMap()},
              {"changeMap", world.getChangeMap()}, {"box.timer", box}, {"box.image", image}});
    return v;
}

void addRule(const rule& r)
{
    const int steps[sentenceStepCount] = {r.condition, r.s1, r.s2, r.s3, r.s4, stepThen, r.action, r.value};
    if (r.where == G) world.mapGlobalAddSentence(0);
    else world.mapLocalAddSentence(r.where, 0);
    for (int k = 0; k < sentenceStepCount; ++k) {
        if (r.where == G) world.mapGlobalChangeSentence(0, world.mapGlobalGetSentenceAmount(0) - 1, k, steps[k]);
        else world.mapLocalChangeSentence(world.mapLocalGetSentenceAmount(r.where, 0) - 1, k, steps[k], r.where, 0);
    }
}

class ExecutorTable : public ::testing::Test {
protected:
    void SetUp() override { setClockSource(fakeClock); }
};

TEST_F(ExecutorTable, RulesFireAsOftenAsTheirCaseWants)
{
    int n = 0;
    for (const executorRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << n++);
        worldtest::resetGlobals();
        worldtest::makeWorld(2, 2, 10, 10);
        for (int o = 0; o < 2; ++o) world.setObstructionSize(0.5f, 0.5f, 0.5f, o, 0);  // side by side, touching
        world.worldSetObjectScore(2, 1, 0);
        world.setGameScore(5);
        world.setGlobalScore(30, 5);
        world.setChangeMap(changeMapNone);
        gameSys.resetKeyState();
        gameSys.setLeftMouse(mouseButtonIdle);
        gameSys.setRightMouse(mouseButtonIdle);
        for (const rule& r : row.rules) addRule(r);
        updateLogic();  // outside play: the first frame of play starts the clocks
        gameSys.setGameState(gameStatePlay);
        if (row.setup) row.setup();
        const testutil::observed before = observe();
        for (int ms : row.frames) {
            fakeNow += ms;
            updateLogic();
        }
        if (row.pass) row.pass();
        testutil::expectChanges(before, observe(), row.changes);
    }
}

}  // namespace
