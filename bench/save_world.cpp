// Saving a game world: one 700 x 700 map, every tile textured and raised, and
// 1,024 objects with a local rule each, as map.cfg and logic.cfg put in
// place together and flushed to the disk; then loading the saved files back
// with the game's readers.
#include <benchmark/benchmark.h>

#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <boost/filesystem.hpp>
#include <string>

#include "core/script.h"
#include "editor/save_world.h"
#include "world/logic_reader.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

constexpr int mapSide = 700;
constexpr int objectCount = 1024;
const char* gameName = "bench";

boost::filesystem::path benchDir;

void buildWorld(gameWorld& target)
{
    target = gameWorld();
    target.setGameName(gameName);
    target.allocateMaps(1);
    target.worldSetMap(mapSide, mapSide, "Bench Field", 0);
    target.worldSetFog(true, 0.3f, 0.5f, 0.5f, 0.6f, 0);
    target.worldSetSkybox(200, 201, 202, 203, 204, 205, 0);
    for (int x = 0; x < mapSide; ++x) {
        for (int y = 0; y < mapSide; ++y) {
            target.worldSetTile(200 + (x * 7 + y) % 40, x, y, 0);
            target.worldSetTileHeight(0.5f + static_cast<float>((x + y) % 9) * 0.25f, x, y, 0);
        }
    }
    for (int o = 0; o < objectCount; ++o) {
        target.worldSetObject(static_cast<float>(o % 400 * 6), static_cast<float>(o / 400 * 6), 1.5f, 1, 2, 1,
                              200 + o % 40, o % 7, o, 0);
        target.worldSetObjectName("crate" + std::to_string(o), o, 0);
        target.worldSetObjectType(o % 4, o, 0);
        target.worldSetRot(0, static_cast<float>(o % 360), 0, o, 0);
        target.mapLocalAddSentence(o, 0);
        target.mapLocalChangeSentence(0, 6, 713, o, 0);
    }
    target.mapGlobalAddSentence(0);
    target.setPhrase(0, "Welcome to the bench");
}

void setUpGame()
{
    if (!benchDir.empty()) return;
    benchDir = enterScratchDir();
    buildWorld(world);
}

void saveWorld(benchmark::State& state)
{
    setUpGame();
    for (auto _ : state) {
        if (!saveGameWorld()) {
            state.SkipWithError("the game could not be saved");
            break;
        }
    }
    state.counters["map_MB"] =
        static_cast<double>(boost::filesystem::file_size("games/bench/system/map.cfg")) / (1024.0 * 1024.0);
}

void loadSavedWorld(benchmark::State& state)
{
    setUpGame();
    if (!boost::filesystem::exists("games/bench/system/map.cfg") && !saveGameWorld()) {
        state.SkipWithError("the game could not be saved");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        world = gameWorld();
        world.setGameName(gameName);
        scriptMap.clear();
        state.ResumeTiming();
        if (!loadGameMaps() || !loadGameLogic()) {
            state.SkipWithError("the saved game could not be read");
            break;
        }
    }
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, 0);
    if (w != mapSide || h != mapSide || world.worldGetObjectCount(0) != objectCount ||
        world.mapLocalGetSentenceAmount(objectCount - 1, 0) != 1)
        state.SkipWithError("the saved game was not read whole");
}

BENCHMARK(saveWorld)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(loadSavedWorld)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    runBenchmarksQuietly(argc, argv);
    removeScratchDir(benchDir);
    return 0;
}
