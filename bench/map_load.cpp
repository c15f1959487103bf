// Loading a game as the console's loadgame does (in a copy of data/, without
// a window, so no texture is made):
// - "field": one 700 x 700 map, every tile textured and raised, and 1,000
//   objects, written in the layout the project saver produces (21 MB of
//   map.cfg); beside it the reference, a plain parse of the same file into
//   hash tables with formatted stream input;
// - "declared": 100 maps of 700 x 700 tiles whose map.cfg holds no tile entry.
// Each iteration runs in a fresh process of this program (--probe), as a
// user's first load would: the sample game is loaded first (so that code,
// menus and help are in), then the work is timed and the growth of the
// resident set over it read at its end (bytes per tile) and at its peak.
// The run ends with a summary of the medians against the targets.
#include <benchmark/benchmark.h>

#include "bench/fresh_process.h"
#include "bench/median.h"
#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <boost/filesystem.hpp>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/script.h"
#include "core/system.h"
#include "media/image_loading_internal.h"
#include "world/game_load.h"
#include "world/world.h"

namespace fs = boost::filesystem;

namespace {

constexpr int fieldSide = 700;
constexpr int objectCount = 1000;
const char* const fieldGame = "field";
constexpr int declaredMapCount = 100;
constexpr int declaredSide = 700;
const char* const declaredGame = "declared";
const char* const warmUpGame = "sample";  // loaded before a memory probe
const char* const plainWork = "plain";   // the reference parse, as a probe's work
const char* const probeFlag = "--probe";
constexpr int probeRuns = 5;
constexpr double bytesPerMiB = 1024.0 * 1024.0;

fs::path benchDir;

std::string mapFile(const char* game)
{
    return "games/" + std::string(game) + "/system/map.cfg";
}

void writeFieldMap(const fs::path& file)
{
    std::ofstream out(file.string());
    out << "// This file was created by the Quorvane application.\n"
           "// Please do not change or edit anything in this file as it may\n"
           "// cause errors when the map is trying to be loaded.\n\n"
           "// The version format of this configuration file\nf version 1\n\n";
    out << "// ***\n// Map 0\n// ***\n\n// Tile Stretch\nf map0stretch 0\n// Layer\nf map0layer 7\n\n"
           "// Fog\nf map0fog 1\nf map0fogdensity 0.3\nf map0fogr 0.5\nf map0fogg 0.5\nf map0fogb 0.6\n\n"
           "s map0sky 200 201 202 203 204 205\n// Map Width\nf map0w "
        << fieldSide << "\n\n// Map Height\nf map0h " << fieldSide << "\n\n// Map Name\ns map0name Bench Field\n\n"
        << "// Tile Data \n";
    for (int x = 0; x < fieldSide; ++x) {
        for (int y = 0; y < fieldSide; ++y) {
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

void writeDeclaredMaps(const fs::path& file)
{
    std::ofstream out(file.string());
    out << "f version 1\n";
    for (int i = 0; i < declaredMapCount; ++i) {
        out << "f map" << i << "w " << declaredSide << "\nf map" << i << "h " << declaredSide << "\ns map" << i
            << "name Empty\nf map" << i << "layer 7\ns map" << i << "object0 endObjectLoad\n";
    }
    out << "s map" << declaredMapCount << " endMapLoad\n";
}

// A game folder with the sample game's menus, help and an empty logic file.
void makeGame(const char* game, void (*writeMap)(const fs::path&))
{
    const fs::path system = fs::path("games") / game / "system";
    fs::create_directories(system);
    for (const char* file : {"ui.cfg", "help.cfg"})
        copyFile(fs::path("games") / warmUpGame / "system" / file, system / file);
    std::ofstream(system.string() + "/logic.cfg") << "f version 1\n";
    writeMap(system / "map.cfg");
}

unsigned int noTexture(const checkedImage&)
{
    return 0;
}

void setUpGames()
{
    if (!benchDir.empty()) return;
    benchDir = enterScratchDir();
    copyTree(QV_DATA_DIR, benchDir);
    makeGame(fieldGame, writeFieldMap);
    makeGame(declaredGame, writeDeclaredMaps);
}

// The reference: the file read word by word with formatted stream input into
// one hash table of numbers and one of texts (the first entry of a key kept),
// comments skipped to the line end. The number of entries kept.
size_t plainParse(const std::string& path)
{
    std::ifstream in(path);
    std::unordered_map<std::string, float> numbers;
    std::unordered_map<std::string, std::string> texts;
    std::string kind, key, rest;
    while (in >> kind) {
        if (kind == "f" || kind == "F") {
            float value = 0.0f;
            if (in >> key >> value) numbers.emplace(key, value);
        } else if (kind == "s" || kind == "S") {
            in >> key;
            std::getline(in, rest);
            texts.emplace(key, rest);
        } else {
            std::getline(in, rest);
        }
    }
    return numbers.size() + texts.size();
}

// Resident set and its peak, in bytes, from /proc/self/status.
struct memoryUse {
    long long resident = 0, peak = 0;
};

memoryUse readMemoryUse()
{
    memoryUse use;
    std::ifstream status("/proc/self/status");
    std::string field;
    long long kib = 0;
    while (status >> field) {
        if (field == "VmRSS:" && status >> kib) use.resident = kib * 1024;
        else if (field == "VmHWM:" && status >> kib) use.peak = kib * 1024;
    }
    return use;
}

// What one fresh process measured: the work's time, the tiles of the world
// after it, and the growth of the resident set over it, at its end and at
// its peak.
struct probeResult {
    double ms = 0.0;
    long long tiles = 0, entries = 0, residentGrowth = 0, peakGrowth = 0;
};

// The probe in the fresh process: the warm-up game, then the work (a game's
// load, or the plain parse of the field's map file); writes its result to
// the file named. The whole map must be there.
int runProbe(const std::string& dir, const std::string& work, const std::string& resultFile)
{
    if (!std::freopen("/dev/null", "w", stdout)) return 1;
    fs::current_path(dir);
    setImageFileLoader(noTexture);
    gameSys.setDebugState(true, true);  // no splash sequence after a load
    loadGame(warmUpGame);
    probeResult r;
    const memoryUse before = readMemoryUse();
    const auto start = std::chrono::steady_clock::now();
    if (work == plainWork)
        r.entries = static_cast<long long>(plainParse(mapFile(fieldGame)));
    else
        loadGame(work);
    r.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const memoryUse after = readMemoryUse();
    r.tiles = worldTileCount();
    r.residentGrowth = after.resident - before.resident;
    r.peakGrowth = after.peak - before.resident;
    std::ofstream(resultFile) << r.ms << ' ' << r.tiles << ' ' << r.entries << ' ' << r.residentGrowth << ' '
                              << r.peakGrowth << '\n';
    return 0;
}

bool probe(const char* work, probeResult& r)
{
    const std::string file = (benchDir / "probe.txt").string();
    fs::remove(file);
    if (!runThisProgramAgain({probeFlag, benchDir.string(), work, file})) return false;
    std::ifstream in(file);
    return static_cast<bool>(in >> r.ms >> r.tiles >> r.entries >> r.residentGrowth >> r.peakGrowth);
}

// Every probe's result, per work, for the summary.
std::unordered_map<std::string, std::vector<probeResult>> results;

template <class Field>
double median(const std::string& work, Field field)
{
    std::vector<double> v;
    for (const probeResult& r : results[work]) v.push_back(field(r));
    return ::median(v);
}

double msOf(const probeResult& r)
{
    return r.ms;
}

double bytesPerTile(const probeResult& r)
{
    return r.tiles > 0 ? static_cast<double>(r.residentGrowth) / static_cast<double>(r.tiles) : 0.0;
}

double peakMiB(const probeResult& r)
{
    return static_cast<double>(r.peakGrowth) / bytesPerMiB;
}

// Runs one probe an iteration; `whole` tells a complete result.
void probeIterations(benchmark::State& state, const char* work, bool (*whole)(const probeResult&))
{
    setUpGames();
    for (auto _ : state) {
        probeResult r;
        if (!probe(work, r) || !whole(r)) {
            state.SkipWithError("the probe failed or did not load the whole file");
            return;
        }
        state.SetIterationTime(r.ms / 1000.0);
        results[work].push_back(r);
    }
    if (std::string(work) != plainWork) state.counters["bytes_per_tile"] = median(work, bytesPerTile);
    state.counters["peak_MiB"] = median(work, peakMiB);
}

void plainParseOfField(benchmark::State& state)
{
    probeIterations(state, plainWork, [](const probeResult& r) {
        return r.entries >= static_cast<long long>(fieldSide) * fieldSide * 2;
    });
}
BENCHMARK(plainParseOfField)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(probeRuns);

void loadField(benchmark::State& state)
{
    probeIterations(state, fieldGame,
                    [](const probeResult& r) { return r.tiles == static_cast<long long>(fieldSide) * fieldSide; });
}
BENCHMARK(loadField)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(probeRuns);

void loadDeclared(benchmark::State& state)
{
    probeIterations(state, declaredGame, [](const probeResult& r) {
        return r.tiles == static_cast<long long>(declaredMapCount) * declaredSide * declaredSide;
    });
}
BENCHMARK(loadDeclared)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(probeRuns);

void printSummary()
{
    const double plain = median(plainWork, msOf), field = median(fieldGame, msOf);
    char line[640];
    std::snprintf(line, sizeof line,
                  "\nSummary (medians of %d fresh processes):\n"
                  "  700 x 700 map, %d objects (%.1f MB): load %.1f ms, plain parse %.1f ms, ratio %.3f "
                  "(target <= 0.5)\n"
                  "  resident after the load: %.1f bytes per tile (target <= 64)\n"
                  "  %d maps of %d x %d declared (%.1f KB file): load %.1f ms (target <= 1500), "
                  "peak +%.0f MiB (target <= 1024)\n",
                  probeRuns, objectCount, static_cast<double>(fs::file_size(mapFile(fieldGame))) / 1e6, field,
                  plain, plain > 0.0 ? field / plain : 0.0, median(fieldGame, bytesPerTile), declaredMapCount,
                  declaredSide, declaredSide, static_cast<double>(fs::file_size(mapFile(declaredGame))) / 1e3,
                  median(declaredGame, msOf), median(declaredGame, peakMiB));
    std::cerr << line;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::strcmp(argv[1], probeFlag) == 0) return runProbe(argv[2], argv[3], argv[4]);
    runBenchmarksQuietly(argc, argv);
    if (!benchDir.empty()) printSummary();
    removeScratchDir(benchDir);
    return 0;
}
