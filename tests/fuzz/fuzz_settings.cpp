// The settings file: system/system.cfg read into scriptSys, every start-up
// setting applied from it, and the text the settings writer makes of them.
#include "core/init.h"
#include "core/system.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

int setting(const char* key)
{
    return truncateNumber(scriptSys.findLineF(key));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    scriptSys.clear();
    scriptSys.readFile(writeInput("system/system.cfg", data, size));
    windowGeometry geometry{setting("windowx"), setting("windowy"), setting("windowwidth"), setting("windowheight")};
    validateWindowGeometry(geometry);
    readFrameCap();
    readDebugMode();
    readSoundAndLastGame();
    raiseIntroductionOnFirstRun();
    const std::string written = systemSettingsText();
    if (written.empty()) __builtin_trap();
    scriptSys.clear();
    endInput();
    return 0;
}
