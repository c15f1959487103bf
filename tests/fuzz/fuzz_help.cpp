// The help reader: games/f/system/help.cfg read into the help topics.
#include "menus/help.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    writeInput("games/f/system/help.cfg", data, size);
    initHelp("f");
    for (int t = 0; t < uiHelp.getMenuCount(); ++t) {
        uiHelp.menuGetMenuTitle(t);
        for (int j = 0; j < uiHelp.getLineCount(t); ++j) uiHelp.menuGetMenuLine(t, j);
    }
    uiHelp.clearData();
    endInput();
    return 0;
}
