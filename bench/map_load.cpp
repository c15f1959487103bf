// Loading a game's map.cfg: one 400 x 400 map, every tile textured and raised,
// and 1,000 objects, written in the layout the project saver produces; and
// 100 maps of 700 x 700 tiles whose file holds no tile entry at all.
#include <benchmark/benchmark.h>

#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <boost/filesystem.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "core/script.h"
#include "world/map_reader.h"
#include "world/world.h"

namespace {

constexpr int mapSide = 400;
constexpr int objectCount = 1000;
const char* gameName = "bench";
constexpr int emptyMapCount = 100;
constexpr int emptyMapSide = 700;
const char* emptyGameName = "empty";

boost::filesystem::path benchDir;

void writeMapFile(const boost::filesystem::path& file)
{
    boost::filesystem::create_directories(file.parent_path());
    std::ofstream out(file.string());
    out << "// This file was created by the Quorvane application.\n"
           "// Please do not change or edit anything in this file as it may\n"
           "// cause errors when the map is trying to be loaded.\n\n"
           "// The version format of this configuration file\nf version 1\n\n";
    out << "// ***\n// Map 0\n// ***\n\n// Tile Stretch\nf map0stretch 0\n// Layer\nf map0layer 7\n\n"
           "// Fog\nf map0fog 1\nf map0fogdensity 0.3\nf map0fogr 0.5\nf map0fogg 0.5\nf map0fogb 0.6\n\n"
           "s map0sky 200 201 202 203 204 205\n// Map Width\nf map0w "
        << mapSide << "\n\n// Map Height\nf map0h " << mapSide << "\n\n// Map Name\ns map0name Bench Field\n\n"
        << "// Tile Data \n";
    for (int x = 0; x < mapSide; ++x) {
        for (int y = 0; y < mapSide; ++y) {
            out << "f map0tile" << x << '_' << y << ' ' << 200 + (x * 7 + y) % 40 << '\n';
            out << "f map0tile" << x << '_' << y << "h " << 0.5 + (x + y) % 9 * 0.25 << '\n';
        }
    }
    out << "\n// Object Data \n";
    for (int o = 0; o < objectCount; ++o) {
        out << "s map0object" << o << ' ' << (o % 400) * 6 << ' ' << (o / 400) * 6 << " 1.5 1 2 1 " << 200 + o % 40
            << " 0 1 2 1 1 crate" << o << ' ' << o % 4 << " 0 " << o % 360 << " 0\n";
    }
    out << "s map0object" << objectCount << " endObjectLoad\n\n// Stop map loading\ns map1 endMapLoad\n"
        << "// Game Phrases\ns phrase0 Welcome to the bench\n";
}

void writeEmptyMapsFile(const boost::filesystem::path& file)
{
    boost::filesystem::create_directories(file.parent_path());
    std::ofstream out(file.string());
    out << "f version 1\n";
    for (int i = 0; i < emptyMapCount; ++i) {
        out << "f map" << i << "w " << emptyMapSide << "\nf map" << i << "h " << emptyMapSide << "\ns map" << i
            << "name Empty\nf map" << i << "layer 7\ns map" << i << "object0 endObjectLoad\n";
    }
    out << "s map" << emptyMapCount << " endMapLoad\n";
}

void setUpGames()
{
    if (!benchDir.empty()) return;
    benchDir = enterScratchDir();
    writeMapFile(benchDir / "games" / gameName / "system" / "map.cfg");
    writeEmptyMapsFile(benchDir / "games" / emptyGameName / "system" / "map.cfg");
}

// Times loadGameMaps of the game; false when a load failed.
bool timeLoads(benchmark::State& state, const char* game)
{
    setUpGames();
    for (auto _ : state) {
        state.PauseTiming();
        world = gameWorld();
        world.setGameName(game);
        scriptMap.clear();
        state.ResumeTiming();
        if (!loadGameMaps()) {
            state.SkipWithError("the map file could not be read");
            return false;
        }
    }
    return true;
}

void loadMap(benchmark::State& state)
{
    if (!timeLoads(state, gameName)) return;
    int w = 0, h = 0, tex = 0;
    std::string name;
    world.worldGetMap(w, h, name, 0);
    world.worldGetTile(tex, mapSide - 1, mapSide - 1, 0);
    if (w != mapSide || h != mapSide || world.worldGetObjectCount(0) != objectCount || tex < 200 ||
        world.worldGetTileHeight(mapSide - 1, mapSide - 1, 0) <= 0.0f)
        state.SkipWithError("the map was not read whole");
}

BENCHMARK(loadMap)->Unit(benchmark::kMillisecond)->Iterations(5);

void loadEmptyMaps(benchmark::State& state)
{
    if (!timeLoads(state, emptyGameName)) return;
    int w = 0, h = 0, tex = -1;
    std::string name;
    world.worldGetMap(w, h, name, emptyMapCount - 1);
    world.worldGetTile(tex, emptyMapSide - 1, emptyMapSide - 1, emptyMapCount - 1);
    if (world.getMapCount() != emptyMapCount || w != emptyMapSide || h != emptyMapSide || tex != 0)
        state.SkipWithError("the maps were not read whole");
}

BENCHMARK(loadEmptyMaps)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    runBenchmarksQuietly(argc, argv);
    removeScratchDir(benchDir);
    return 0;
}
