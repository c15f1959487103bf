// Runs image files through the program's load path and through the image
// library alone, and compares them. For each file named on the command line
// (or, with none, one a line on the standard input) of the formats the
// program loads (.png, .jpg, .jpeg, .gif, .bmp, .tga): whether the library
// decodes the file read from its path, whether the program's check accepts
// it, and whether the program's decoding shows the same pixels (8-bit RGBA,
// top row first). Prints one line a file, then the counts; a file that keeps
// either busy for a minute ends the run with its name. Not part of the
// tests: tools/image_corpus.sh feeds it corpora of images made elsewhere.
//
// With --program-path first, each file (of any name) goes through the
// program's path alone, as a load takes it: the check, then the library
// handed the bytes the check passed on, then the decoded pixels made 8-bit
// RGBA as a texture takes them. The library never reads the file itself.
// Under valgrind (tools/image_valgrind.sh) every pixel is checked to be one
// the file filled: a pixel made from memory nothing wrote is reported there.
#include <IL/il.h>

#include <unistd.h>
#if __has_include(<valgrind/memcheck.h>)
#include <valgrind/memcheck.h>
#else
#define VALGRIND_CHECK_MEM_IS_DEFINED(address, bytes) 0
#endif

#include <algorithm>
#include <csignal>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "media/image_bmp.h"
#include "media/image_decode.h"
#include "media/image_header.h"

namespace {

struct typeByExtension {
    const char* extension;
    ILenum type;
};
const typeByExtension types[] = {{".png", IL_PNG}, {".jpg", IL_JPG}, {".jpeg", IL_JPG},
                                 {".gif", IL_GIF}, {".bmp", IL_BMP}, {".tga", IL_TGA}};

ILenum typeOf(const std::string& path)
{
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    for (const auto& t : types) {
        const std::string e = t.extension;
        if (lower.size() > e.size() && lower.compare(lower.size() - e.size(), e.size(), e) == 0) return t.type;
    }
    return IL_TYPE_UNKNOWN;
}

// The bound image in 8-bit RGBA, top row first; empty when it cannot be converted.
std::vector<unsigned char> boundPixels()
{
    if (!ilConvertImage(IL_RGBA, IL_UNSIGNED_BYTE)) return {};
    const size_t w = static_cast<size_t>(ilGetInteger(IL_IMAGE_WIDTH));
    const size_t h = static_cast<size_t>(ilGetInteger(IL_IMAGE_HEIGHT));
    const bool bottomUp = ilGetInteger(IL_IMAGE_ORIGIN) == IL_ORIGIN_LOWER_LEFT;
    std::vector<unsigned char> pixels;
    pixels.reserve(4 * w * h);
    for (size_t y = 0; y < h; ++y) {
        const ILubyte* row = ilGetData() + 4 * w * (bottomUp ? h - 1 - y : y);
        pixels.insert(pixels.end(), row, row + 4 * w);
    }
    return pixels;
}

// The library alone, reading the file from its path.
bool libraryDecodes(const std::string& path, ILenum type, std::vector<unsigned char>& pixels)
{
    ILuint name = 0;
    ilGenImages(1, &name);
    ilBindImage(name);
    const bool decoded = ilLoad(type, path.c_str());
    if (decoded) pixels = boundPixels();
    ilDeleteImages(1, &name);
    while (ilGetError() != IL_NO_ERROR) {
    }
    return decoded && !pixels.empty();
}

constexpr unsigned secondsPerFileMax = 60;
const char* current = "";

void tookTooLong(int)
{
    const char text[] = "\nkept busy for a minute by ";
    (void)!write(STDOUT_FILENO, text, sizeof text - 1);
    (void)!write(STDOUT_FILENO, current, std::strlen(current));
    _exit(3);
}

// The program's path alone over `paths`: one line a file, saying whether the
// check passed it and whether it was shown.
int programPathAlone(const std::vector<std::string>& paths)
{
    for (const std::string& path : paths) {
        current = path.c_str();
        alarm(secondsPerFileMax);
        std::fprintf(stderr, "%s\n", path.c_str());  // valgrind's reports follow the file they are of
        const checkedImage image = readAcceptedImage(path);
        const bool passed = image.format != imageFormatNone;
        const unsigned int name = passed ? decodeImage(image) : 0;
        std::vector<unsigned char> pixels;
        if (name != 0) pixels = boundPixels();
        if (!pixels.empty()) (void)VALGRIND_CHECK_MEM_IS_DEFINED(pixels.data(), pixels.size());
        releaseDecodedImage(name);
        std::printf("%s check=%s shown=%s\n", path.c_str(), passed ? "passes" : "refuses",
                    pixels.empty() ? "no" : "yes");
        std::fflush(stdout);
    }
    return 0;
}

struct counts {
    unsigned files = 0, decoded = 0, passed = 0, same = 0, maskedBmps = 0, loaded = 0;
};

}  // namespace

int main(int argc, char** argv)
{
    ilInit();
    std::signal(SIGALRM, tookTooLong);
    const bool programPathOnly = argc > 1 && std::strcmp(argv[1], "--program-path") == 0;
    std::vector<std::string> paths(argv + 1 + programPathOnly, argv + argc);
    if (paths.empty())
        for (std::string line; std::getline(std::cin, line);) paths.push_back(line);
    if (programPathOnly) return programPathAlone(paths);
    counts c;
    for (const std::string& path : paths) {
        const ILenum type = typeOf(path);
        if (type == IL_TYPE_UNKNOWN) continue;
        ++c.files;
        std::fflush(stdout);
        current = path.c_str();
        alarm(secondsPerFileMax);
        std::vector<unsigned char> alone, loaded;
        const bool decoded = libraryDecodes(path, type, alone);
        const checkedImage image = readAcceptedImage(path);
        const bool passed = image.format != imageFormatNone;
        const unsigned int name = passed ? decodeImage(image) : 0;
        if (name != 0) loaded = boundPixels();
        releaseDecodedImage(name);
        // BMP pixels laid out by masks the library reads wrong; the program
        // turns them into the colours they hold, so they differ by design.
        const bool masked = passed && image.format == imageFormatBmp && bmpPixelsByMasks(bmpRead(image.bytes));
        const bool same = decoded && !loaded.empty() && loaded == alone;
        c.decoded += decoded;
        c.passed += passed;
        c.same += same;
        c.loaded += !loaded.empty();
        c.maskedBmps += decoded && passed && masked && !same;
        std::string pixels = same ? "same" : (masked ? "masks-turned" : "differ");
        if (!same && !loaded.empty() && loaded.size() == alone.size()) {
            size_t differing = 0;
            for (size_t p = 0; p < alone.size(); p += 4) differing += !std::equal(&alone[p], &alone[p] + 4, &loaded[p]);
            pixels += " (" + std::to_string(differing) + " of " + std::to_string(alone.size() / 4) + ")";
        }
        std::printf("%s library=%s check=%s pixels=%s\n", path.c_str(), decoded ? "decodes" : "fails",
                    passed ? "passes" : "refuses", pixels.c_str());
    }
    std::printf("files %u, decoded by the library %u, passed the check %u, same pixels %u, masked BMPs turned %u, "
                "shown by the program %u\n",
                c.files, c.decoded, c.passed, c.same, c.maskedBmps, c.loaded);
    return 0;
}
