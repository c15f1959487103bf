// The image path of a load: any bytes, under a name the input's first byte
// picks, registered as a game image the way a folder load registers it: the
// check every image file passes, the budget and, for a file they accept, the
// image library handed the checked bytes, told their format. No window is
// open, so the decoded image is dropped where the program would make its
// texture.
#include <IL/il.h>

#include <iterator>

#include "media/image_loading.h"
#include "media/image_loading_budget.h"
#include "media/image_loading_internal.h"
#include "media/texture.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

// The checked formats' own names, names the library used to pick a decoder
// by, and a name without a dot.
const char* const names[] = {"map/10000.png", "map/10000.jpg", "map/10000.gif", "map/10000.bmp",
                             "map/10000.tga", "map/10000.TGA", "map/10000.vst", "map/10000.hdr",
                             "map/10000.ppm", "map/10000.pgm", "map/10000.pcx", "map/10000.psd",
                             "map/10000.dds", "map/10000"};

void startLibrary()
{
    static bool started = false;
    if (started) return;
    ilInit();
    setImageFileLoader(decodeWithoutTexture);
    started = true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    startLibrary();
    if (size == 0) return 0;
    const std::string path = writeInput(names[data[0] % std::size(names)], data + 1, size - 1);
    gameImg.assign(1, img());
    startImageBudget();  // each input is a game of its own
    generateGameImage(path, 0);
    std::vector<img>().swap(gameImg);
    endInput();
    return 0;
}
