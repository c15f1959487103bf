// One frame pass of the rule executor (updateLogic) over a map of n objects,
// each with five local rules (movement, timer, score and touch rules), plus
// 50 global rules with "any touch", score, timer and chained rules. The
// clock is a fake one that advances one play frame (17 ms) per pass.
#include <benchmark/benchmark.h>

#include "bench/quiet_run.h"

#include <cmath>
#include <string>

#include "core/clock_internal.h"
#include "core/system.h"
#include "logic/executor.h"
#include "logic/steps.h"
#include "world/world.h"

namespace {

constexpr int playFrameMs = 17;
constexpr int globalRules = 50;
constexpr int mapTiles = 60;
int fakeNow = 0;

int fakeClock()
{
    return fakeNow;
}

void addLocal(int o, int condition, int s1, int predicate, int s4, int action, int s7)
{
    const int m = 0;
    world.mapLocalAddSentence(o, m);
    const int s = world.mapLocalGetSentenceAmount(o, m) - 1;
    const int steps[sentenceStepCount] = {condition, s1, stepIs, predicate, s4, stepThen, action, s7};
    for (int k = 0; k < sentenceStepCount; ++k) world.mapLocalChangeSentence(s, k, steps[k], o, m);
}

void addGlobal(int condition, int s1, int s2, int predicate, int s4, int action, int s7)
{
    const int m = 0;
    world.mapGlobalAddSentence(m);
    const int s = world.mapGlobalGetSentenceAmount(m) - 1;
    const int steps[sentenceStepCount] = {condition, s1, s2, predicate, s4, stepThen, action, s7};
    for (int k = 0; k < sentenceStepCount; ++k) world.mapGlobalChangeSentence(m, s, k, steps[k]);
}

// The movement rule of object o: a quarter move every frame, a quarter on a
// timer, the rest on keys (which the frame pass tests but never fires).
void addMovementRule(int o)
{
    switch (o % 4) {
    case 0: addLocal(o, stepRepeatedlyDo, 0, stepTouching, 0, stepMoveObjectRight, o); break;
    case 1: addLocal(o, stepEveryMilliseconds, 100, stepTouching, 0, stepMoveObjectForward, o); break;
    case 2: addLocal(o, stepUpPressed, 0, stepTouching, 0, stepMoveObjectUp, o); break;
    default: addLocal(o, stepLeftPressed, 0, stepTouching, 0, stepMoveObjectLeft, o); break;
    }
}

void buildWorld(int objects)
{
    world = gameWorld();
    world.allocateMaps(1);
    world.worldSetMap(mapTiles, mapTiles, "Bench", 0);
    for (int x = 0; x < mapTiles; ++x)
        for (int y = 0; y < mapTiles; ++y)
            world.worldSetTileHeight(static_cast<float>(std::sin(x * 0.7) + std::cos(y * 0.5)), x, y, 0);
    // Objects in rows 1.5 units apart, so that neighbours touch.
    const int perRow = 200;
    for (int o = 0; o < objects; ++o) {
        const float x = 3.0f + 1.5f * static_cast<float>(o % perRow), y = 3.0f + 1.5f * static_cast<float>(o / perRow);
        world.worldSetObject(x, y, 2.0f, 0.5f, 0.5f, 0.5f, 0, o % 3, o, 0);
        world.setObstructionSize(0.5f, 0.5f, 0.5f, o, 0);
        world.worldSetObjectObstructionState(o % 5 != 4, o, 0);
    }
    for (int o = 0; o < objects; ++o) {
        addMovementRule(o);
        addLocal(o, stepEverySeconds, 1, stepTouching, 0, stepAddToSelfScoreBy, 1);
        addLocal(o, stepWhileObject, o, stepScoreMoreThan, 50, stepSetSelfScoreTo, 0);
        addLocal(o, stepWhileObject, o, stepTouching, (o + 1) % objects, stepAdd1ToGlobalScore, o % globalScoreCount);
        addLocal(o, stepWhileObject, o, stepInvisible, 0, stepShowObject, o);
    }
    for (int g = 0; g < globalRules; ++g) {
        switch (g % 5) {
        case 0: addGlobal(stepWhileObject, g * 7 % objects, stepIs, stepAnyTouch, 0, stepAdd1ToGlobalScore, g); break;
        case 1: addGlobal(stepWhileGlobalScore, g, stepIs, stepGreaterThan, 100, stepResetGlobalScore, g); break;
        case 2: addGlobal(stepEveryMilliseconds, 500, stepIs, stepTouching, 0, stepAdd1ToGlobalScore, g); break;
        case 3: addGlobal(stepDoOnce, 0, stepIs, stepTouching, 0, stepAnd, 0); break;
        default: addGlobal(stepWhileObject, g, stepIs, stepAlive, 0, stepAdd1ToGlobalScore, g); break;
        }
    }
    world.setGameLoaded(true);
    world.setChangeMap(changeMapNone);
}

void logicFramePass(benchmark::State& state)
{
    buildWorld(static_cast<int>(state.range(0)));
    setClockSource(fakeClock);
    gameSys.setGameState(gameStatePlay);
    for (auto _ : state) {
        fakeNow += playFrameMs;
        updateLogic();
    }
    benchmark::DoNotOptimize(world.getGlobalScore(0));
    state.SetComplexityN(state.range(0));
    gameSys.setGameState(gameStateMenu);
    updateLogic();
    setClockSource(nullptr);
}

BENCHMARK(logicFramePass)->Arg(250)->Arg(500)->Arg(1000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv)
{
    runBenchmarksQuietly(argc, argv);
    return 0;
}
