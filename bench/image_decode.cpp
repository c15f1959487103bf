// Checking and decoding the image fuzz target's seeds (tests/fuzz/image_seeds.py:
// good images from data/, damaged ones, and small files made to keep the
// image library busy or flood its memory), each the way a load registers a
// game image: read once, checked, counted against the budget and decoded by
// the image library (no window: no texture is made). Image files named on
// the command line are timed too. Then the images of two games load as a
// game load loads them: ten JPEGs, and the same ten each followed by zeros
// (taking no disk) to just under the size refused unread; the padded game
// is to load within 1.2 times the time of the plain one, since only the
// images are read. The run ends with the slowest file against the target of
// a second and the two games against theirs, and fails when one is missed.
//
// Run from the build directory: bench/bench_image_decode [IMAGE...]
#include <benchmark/benchmark.h>

#include <IL/il.h>

#include "bench/median.h"
#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <boost/filesystem.hpp>
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "media/image_header.h"
#include "media/image_loading.h"
#include "media/image_loading_budget.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "world/game_files.h"

namespace fs = boost::filesystem;

namespace {

constexpr double targetSeconds = 1.0;
constexpr double paddedGameRatioMax = 1.2;
constexpr int gameJpegs = 10;
constexpr unsigned long long paddedJpegBytes = imageFileBytesMax - (1ull << 20);  // about 519 MiB

std::map<std::string, double> slowest;           // seconds of the slowest run, by file
std::map<std::string, std::vector<double>> gameLoads;  // seconds of each run, by game

std::string readFile(const fs::path& path)
{
    std::ifstream in(path.string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// The seeds, each under a name with its own extension; a seed's first byte
// is the fuzz target's choice of name and is left out.
std::vector<fs::path> seedImages()
{
    const fs::path seeds = enterScratchDir() / "seeds";
    const std::string make = "python3 " QV_IMAGE_SEEDS " " + seeds.string();
    if (std::system(make.c_str()) != 0) return {};
    std::vector<fs::path> images;
    for (fs::directory_iterator it(seeds), end; it != end; ++it) {
        const std::string bytes = readFile(it->path());
        const fs::path image = enterScratchDir() / "images" / it->path().filename().string().substr(5);
        fs::create_directories(image.parent_path());
        std::ofstream(image.string(), std::ios::binary) << bytes.substr(1);
        images.push_back(image);
    }
    std::sort(images.begin(), images.end());
    return images;
}

// The game `name` with the JPEG `jpeg` ten times in its map folder, each
// padded with zeros that take no disk when `padded`.
void makeJpegGame(const std::string& name, const fs::path& jpeg, bool padded)
{
    const fs::path folder = enterScratchDir() / "games" / name / "map";
    fs::create_directories(folder);
    for (int i = 0; i < gameJpegs; ++i) {
        const fs::path image = folder / (std::to_string(10000 + i) + ".jpg");
        copyFile(jpeg, image);
        if (padded) fs::resize_file(image, paddedJpegBytes);
    }
}

void loadGameImagesOf(benchmark::State& state, const std::string& name)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        startImageBudget();
        loadGameImages(name, gameFolder(name));
        gameLoads[name].push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}

void checkAndDecode(benchmark::State& state, const std::string& path)
{
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        gameImg.assign(1, img());
        startImageBudget();
        generateGameImage(path, 0);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        slowest[path] = std::max(slowest[path], seconds);
    }
}

}  // namespace

int main(int argc, char** argv)
{
    ilInit();
    setImageFileLoader(decodeWithoutTexture);
    std::vector<fs::path> images = seedImages();
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '-') images.push_back(fs::absolute(argv[i]));
    for (const fs::path& image : images)
        benchmark::RegisterBenchmark(image.filename().string().c_str(), checkAndDecode, image.string())
            ->Unit(benchmark::kMillisecond)
            ->MinTime(0.2);
    const auto jpeg = std::find_if(images.begin(), images.end(), [](const fs::path& image) {
        return image.filename().string().rfind("data-", 0) == 0 && image.extension() == ".jpg";
    });
    if (jpeg != images.end()) {
        makeJpegGame("plain", *jpeg, false);
        makeJpegGame("padded", *jpeg, true);
        for (const char* game : {"plain", "padded"})
            benchmark::RegisterBenchmark((std::string("game of ten ") + game + " JPEGs").c_str(), loadGameImagesOf,
                                         std::string(game))
                ->Unit(benchmark::kMillisecond)
                ->MinTime(0.5);
    }
    runBenchmarksQuietly(argc, argv);
    removeScratchDir(enterScratchDir());

    const auto worst = std::max_element(slowest.begin(), slowest.end(),
                                        [](const auto& a, const auto& b) { return a.second < b.second; });
    if (worst == slowest.end()) {
        std::cerr << "no image was timed\n";
        return 1;
    }
    const bool met = worst->second <= targetSeconds;
    std::cerr << "slowest: " << fs::path(worst->first).filename().string() << " " << worst->second * 1000.0
              << " ms (target " << targetSeconds * 1000.0 << " ms): " << (met ? "met" : "MISSED") << "\n";
    if (gameLoads["plain"].empty() || gameLoads["padded"].empty()) {
        std::cerr << "the games of ten JPEGs were not timed\n";
        return 1;
    }
    const double plain = median(gameLoads["plain"]), padded = median(gameLoads["padded"]);
    const bool gameMet = padded <= paddedGameRatioMax * plain;
    std::cerr << "game of ten JPEGs: " << plain * 1000.0 << " ms plain, " << padded * 1000.0
              << " ms each padded to " << paddedJpegBytes << " bytes (target " << paddedGameRatioMax
              << " x plain): " << (gameMet ? "met" : "MISSED") << "\n";
    return met && gameMet ? 0 : 1;
}
