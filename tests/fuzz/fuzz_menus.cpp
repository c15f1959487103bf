// The menu reader: games/f/system/ui.cfg built into the menu system of a
// game (images are not decoded: every image load gives no texture).
#include <string>

#include "core/script.h"
#include "media/image_loading.h"
#include "media/image_loading_internal.h"
#include "menus/ui.h"
#include "menus/ui_loader.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

unsigned int noTexture(const checkedImage&)
{
    return 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    setImageFileLoader(noTexture);
    writeInput("games/f/system/ui.cfg", data, size);
    loadUI("f", true);
    gameUI = UI();
    scriptUI.clear();
    endInput();
    return 0;
}
