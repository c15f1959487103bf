// The check every image file passes before the image library sees it (read
// and checked, not decoded), over folders of large images made at run time,
// one folder a format: photo-like PNGs, JPEGs and GIFs (their codes
// compressed as encoders compress them), BMPs and TGAs. Each pass checks
// every file of a folder; its time and the page faults it takes are kept,
// for passes one after the other in this process and for passes each in a
// fresh process (as a user's first load finds the memory). Each check pass
// is paired with a plain read of the same files (open, fstat, one read of
// the whole file into memory of its size, close), the two in turns.
// Then a game folder of 400 images of 256 x 256 pixels (of the five formats
// in turn) loads as a game load loads it, decoded by the image library but
// made into no texture. The run ends with the medians, one line a measure,
// in a form a script can read:
//   check <format> <files> <MB> <ms> <page faults> <ms fresh> <page faults fresh>
//   plain <format> <files> <MB> <ms> <page faults> <ms fresh> <page faults fresh>
//   folder <images> <ms> <page faults> <ms fresh> <page faults fresh>
// where "fresh" is a pass in a fresh process.
//
// Run from the build directory: bench/bench_image_check [--benchmark_filter=...]
#include <benchmark/benchmark.h>

#include <IL/il.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "bench/fresh_process.h"
#include "bench/median.h"
#include "bench/quiet_run.h"
#include "bench/scratch_dir.h"

#include <boost/filesystem.hpp>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <iostream>
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

constexpr int checkPasses = 15;
constexpr int freshChecks = 9;
constexpr int freshLoads = 5;
const char* const probeFlag = "--probe";
constexpr int folderLoads = 5;
constexpr int folderImages = 400;
constexpr unsigned folderSide = 256;
const char* const folderGame = "folder";
const std::string plainPrefix = "plain ";  // a work of plain reads: "plain png"

// A folder of large images of one format.
struct imageSet {
    const char* format;
    int files;
    unsigned width, height;
};
const imageSet sets[] = {
    {"png", 100, 480, 480}, {"jpg", 30, 3200, 2400}, {"gif", 30, 800, 600},
    {"bmp", 20, 1024, 768}, {"tga", 20, 1024, 768},
};

// A photo-like picture of `w` x `h` RGB pixels, different for each `seed`:
// soft shapes of colour with a grain of noise, which compresses about as
// photos do.
std::vector<uint8_t> picture(unsigned w, unsigned h, unsigned seed)
{
    std::vector<uint8_t> rgb(3ull * w * h);
    uint32_t noise = 2463534242u + seed * 7919u;
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) {
            noise ^= noise << 13, noise ^= noise >> 17, noise ^= noise << 5;
            const double u = x / 97.0 + seed, v = y / 83.0;
            const double shape[3] = {std::sin(u) * std::cos(v * 1.3), std::sin(u * 0.7 + v), std::cos(u * 1.9 - v * 0.6)};
            for (int c = 0; c < 3; ++c) {
                const int value = static_cast<int>(128 + 100 * shape[c]) + static_cast<int>(noise >> (8 * c) & 15) - 8;
                rgb[3 * (size_t{y} * w + x) + c] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
            }
        }
    return rgb;
}

// Bits written least significant first, in sub-blocks of 255 bytes.
struct gifBitWriter {
    std::string data;
    uint32_t word = 0;
    int held = 0;
    void put(int code, int bits)
    {
        word |= static_cast<uint32_t>(code) << held;
        for (held += bits; held >= 8; held -= 8, word >>= 8) data += static_cast<char>(word & 0xff);
    }
    std::string subBlocks()
    {
        if (held > 0) data += static_cast<char>(word & 0xff);
        std::string blocks;
        for (size_t at = 0; at < data.size(); at += 255)
            blocks += static_cast<char>(std::min<size_t>(255, data.size() - at)) + data.substr(at, 255);
        return blocks + '\0';
    }
};

// A GIF of the picture in 256 colours (3-3-2 bits of red, green and blue),
// LZW-compressed as encoders compress: a clear code first, a new one when
// the table is full, an end code last.
std::string gifOf(const std::vector<uint8_t>& rgb, unsigned w, unsigned h)
{
    constexpr int codeSize = 8, clear = 1 << codeSize, end = clear + 1, tableMax = 4096;
    std::string out = "GIF89a";
    const auto word = [&](unsigned v) { out += static_cast<char>(v & 0xff), out += static_cast<char>(v >> 8); };
    word(w), word(h);
    out += std::string("\xf7\0\0", 3);
    for (int i = 0; i < 256; ++i)
        out += {static_cast<char>((i >> 5) * 255 / 7), static_cast<char>((i >> 2 & 7) * 255 / 7),
                static_cast<char>((i & 3) * 255 / 3)};
    out += ',', word(0), word(0), word(w), word(h), out += '\0', out += static_cast<char>(codeSize);
    std::map<std::pair<int, int>, int> table;
    gifBitWriter bits;
    int next = end + 1, width = codeSize + 1, prefix = -1;
    bits.put(clear, width);
    for (size_t p = 0; p < size_t{w} * h; ++p) {
        const int index = (rgb[3 * p] >> 5) << 5 | (rgb[3 * p + 1] >> 5) << 2 | rgb[3 * p + 2] >> 6;
        if (prefix < 0) {
            prefix = index;
            continue;
        }
        const auto found = table.find({prefix, index});
        if (found != table.end()) {
            prefix = found->second;
            continue;
        }
        bits.put(prefix, width);
        if (next < tableMax) {
            table[{prefix, index}] = next++;
            if (next > 1 << width && width < 12) ++width;
        } else {
            bits.put(clear, width);
            table.clear();
            next = end + 1, width = codeSize + 1;
        }
        prefix = index;
    }
    bits.put(prefix, width);
    bits.put(end, width);
    return out + bits.subBlocks() + ';';
}

// Writes the picture as an image file of `format` at `path`.
void writeImage(const std::string& format, const fs::path& path, unsigned w, unsigned h, unsigned seed)
{
    const std::vector<uint8_t> rgb = picture(w, h, seed);
    if (format == "gif") {
        std::ofstream(path.string(), std::ios::binary) << gifOf(rgb, w, h);
        return;
    }
    static const std::map<std::string, ILenum> types = {
        {"png", IL_PNG}, {"jpg", IL_JPG}, {"bmp", IL_BMP}, {"tga", IL_TGA}};
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ilTexImage(w, h, 1, 3, IL_RGB, IL_UNSIGNED_BYTE, const_cast<uint8_t*>(rgb.data()));
    ilEnable(IL_FILE_OVERWRITE);
    ilSetInteger(IL_JPG_QUALITY, 90);
    const bool saved = ilSave(types.at(format), path.string().c_str());
    ilDeleteImages(1, &image);
    if (!saved) std::cerr << "could not write " << path.string() << "\n";
}

std::map<std::string, unsigned long long> folderBytes;  // by format

void makeImages()
{
    const fs::path root = enterScratchDir() / "check";
    for (const imageSet& s : sets) {
        fs::create_directories(root / s.format);
        for (int i = 0; i < s.files; ++i) {
            const fs::path path = root / s.format / (std::to_string(i) + "." + s.format);
            writeImage(s.format, path, s.width, s.height, static_cast<unsigned>(i));
            folderBytes[s.format] += fs::file_size(path);
        }
    }
    const fs::path folder = enterScratchDir() / "games" / folderGame / "map";
    fs::create_directories(folder);
    for (int i = 0; i < folderImages; ++i) {
        const char* format = sets[i % std::size(sets)].format;
        writeImage(format, folder / (std::to_string(10000 + i) + "." + format), folderSide, folderSide,
                   static_cast<unsigned>(i));
    }
}

long minorFaults()
{
    rusage use{};
    getrusage(RUSAGE_SELF, &use);
    return use.ru_minflt;
}

// One pass of a work: a format's folder checked, or the game folder loaded.
struct passResult {
    double ms = 0.0;
    long faults = 0;
    bool whole = false;  // every image accepted (and decoded, in the game folder)
};

// Reads the file at `path` as a plain read does: open, fstat, one read of
// the whole file into memory of its size, close; true when it held bytes.
bool readPlainly(const std::string& path)
{
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    struct stat info {};
    bool read = false;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        const size_t size = static_cast<size_t>(info.st_size);
        if (char* bytes = static_cast<char*>(std::malloc(size))) {
            read = ::read(fd, bytes, size) == static_cast<ssize_t>(size);
            std::free(bytes);
        }
    }
    ::close(fd);
    return read;
}

// The files of a format's folder in the scratch folder `dir`, in name order.
std::vector<fs::path> filesOf(const fs::path& dir, const std::string& format)
{
    std::vector<fs::path> paths;
    for (fs::directory_iterator it(dir / "check" / format), end; it != end; ++it) paths.push_back(it->path());
    std::sort(paths.begin(), paths.end());
    return paths;
}

// Runs the work `work` once: the check of every file of that format's
// folder in the scratch folder `dir`, for plainPrefix and the format their
// plain reads, or for folderGame the load of the game folder's images,
// decoded but made into no texture.
passResult runPass(const fs::path& dir, const std::string& work)
{
    passResult pass;
    const bool plain = work.compare(0, plainPrefix.size(), plainPrefix) == 0;
    const std::string format = plain ? work.substr(plainPrefix.size()) : work;
    const std::vector<fs::path> paths = work == folderGame ? std::vector<fs::path>() : filesOf(dir, format);
    const long faults = minorFaults();
    const auto start = std::chrono::steady_clock::now();
    size_t done = 0;
    if (work == folderGame) {
        startImageBudget();
        const int count = loadGameImages(folderGame, gameFolder(folderGame));
        for (const img& record : gameImg) done += record.GetTex() != 0;
        pass.whole = count == gameImgOwnBase + folderImages && done == folderImages;
    } else if (plain) {
        for (const fs::path& path : paths) done += readPlainly(path.string());
        pass.whole = done == paths.size();
    } else {
        for (const fs::path& path : paths) done += readAcceptedImage(path.string()).format != imageFormatNone;
        pass.whole = done == paths.size();
    }
    pass.ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    pass.faults = minorFaults() - faults;
    return pass;
}

// The probe, run in a fresh process: one pass of `work` in the scratch
// folder `dir`, its time and page faults written to `resultFile`.
int runProbe(const std::string& dir, const std::string& work, const std::string& resultFile)
{
    if (!std::freopen("/dev/null", "w", stdout)) return 1;
    fs::current_path(dir);
    ilInit();
    setImageFileLoader(decodeWithoutTexture);
    const passResult pass = runPass(dir, work);
    if (!pass.whole) return 1;
    std::ofstream(resultFile) << pass.ms << ' ' << pass.faults << '\n';
    return 0;
}

// The passes of each work: one after the other in this process, and each in a fresh process.
struct workResults {
    std::vector<double> ms, faults, freshMs, freshFaults;
};
std::map<std::string, workResults> results;

// The works measured together with `work`, in turns: a format's check and
// the plain reads of its files, or the game folder's load alone.
std::vector<std::string> pairedWorks(const std::string& work)
{
    if (work == folderGame) return {work};
    return {work, plainPrefix + work};
}

// A pass of `work` an iteration (and one of the plain reads of its files,
// the two in turns), in this process after one to warm up; then the passes
// in fresh processes, in turns as well. The iteration's time is the pass of
// `work`.
void measure(benchmark::State& state, const std::string& work, int freshPasses)
{
    const fs::path dir = enterScratchDir();
    std::vector<std::string> works = pairedWorks(work);
    runPass(dir, work);  // the files into the page cache
    for (auto _ : state) {
        for (const std::string& w : works) {
            const passResult pass = runPass(dir, w);
            if (!pass.whole) {
                state.SkipWithError("an image was refused or not decoded");
                return;
            }
            if (w == work) state.SetIterationTime(pass.ms / 1000.0);
            results[w].ms.push_back(pass.ms);
            results[w].faults.push_back(static_cast<double>(pass.faults));
        }
        std::reverse(works.begin(), works.end());
    }
    const std::string result = (dir / "probe.txt").string();
    for (int i = 0; i < freshPasses; ++i) {
        for (const std::string& w : works) {
            passResult pass;
            if (!runThisProgramAgain({probeFlag, dir.string(), w, result}) ||
                !(std::ifstream(result) >> pass.ms >> pass.faults)) {
                state.SkipWithError("the probe failed");
                return;
            }
            results[w].freshMs.push_back(pass.ms);
            results[w].freshFaults.push_back(static_cast<double>(pass.faults));
        }
        std::reverse(works.begin(), works.end());
    }
}

void printSummary()
{
    std::cerr << "\nSummary (medians; ms and page faults of a pass one after another, then in a fresh process):\n";
    for (const imageSet& s : sets)
        for (const char* kind : {"check", "plain"}) {
            const workResults& r = results[kind == std::string("check") ? s.format : plainPrefix + s.format];
            if (r.ms.empty() || r.freshMs.empty()) continue;
            std::fprintf(stderr, "%s %s %d %.1f %.3f %.0f %.3f %.0f\n", kind, s.format, s.files,
                         folderBytes[s.format] / 1e6, median(r.ms), median(r.faults), median(r.freshMs),
                         median(r.freshFaults));
        }
    const workResults& r = results[folderGame];
    if (!r.ms.empty() && !r.freshMs.empty())
        std::fprintf(stderr, "folder %d %.2f %.0f %.2f %.0f\n", folderImages, median(r.ms), median(r.faults),
                     median(r.freshMs), median(r.freshFaults));
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 5 && std::string(argv[1]) == probeFlag) return runProbe(argv[2], argv[3], argv[4]);
    ilInit();
    setImageFileLoader(decodeWithoutTexture);
    makeImages();
    for (const imageSet& s : sets)
        benchmark::RegisterBenchmark((std::string("check ") + s.format).c_str(), measure, std::string(s.format),
                                     freshChecks)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(checkPasses);
    benchmark::RegisterBenchmark("folder of 400 images", measure, std::string(folderGame), freshLoads)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond)
        ->Iterations(folderLoads);
    runBenchmarksQuietly(argc, argv);
    printSummary();
    removeScratchDir(enterScratchDir());
    return 0;
}
