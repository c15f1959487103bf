// Reading a large map-shaped .cfg and looking up every key once.
#include <benchmark/benchmark.h>

#include "bench/quiet_run.h"

#include <boost/filesystem.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "core/script.h"

namespace {

struct generatedFile {
    std::string path;
    std::vector<std::string> keys;
};

// A map file of `entries` lines: a texture and a height line per tile.
std::map<int, generatedFile> files;

const generatedFile& mapShapedFile(int entries)
{
    auto found = files.find(entries);
    if (found != files.end()) return found->second;
    generatedFile& file = files[entries];
    file.path = (boost::filesystem::temp_directory_path() /
                 boost::filesystem::unique_path("qv-bench-%%%%%%.cfg")).string();
    std::ofstream out(file.path);
    out << "f version 1\ns map0 Overworld\n";
    const int tiles = entries / 2;
    file.keys.reserve(size_t(entries));
    for (int t = 0; t < tiles; ++t) {
        const int x = t % 1000, y = t / 1000;
        const std::string base = "map0tile" + std::to_string(x) + "x" + std::to_string(y);
        out << "f " << base << "image " << (200 + t % 37) << "\n";
        out << "f " << base << "height " << (t % 13) * 0.5 << "\n";
        file.keys.push_back(base + "image");
        file.keys.push_back(base + "height");
    }
    return file;
}

void readAndLookUp(benchmark::State& state)
{
    const generatedFile& file = mapShapedFile(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        scriptObject table;
        table.readFile(file.path);
        double sum = 0.0;
        for (const std::string& key : file.keys) sum += table.findLineF(key);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

BENCHMARK(readAndLookUp)->Arg(1000000)->Arg(4000000)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv)
{
    runBenchmarksQuietly(argc, argv);
    for (const auto& entry : files) std::remove(entry.second.path.c_str());
    return 0;
}
