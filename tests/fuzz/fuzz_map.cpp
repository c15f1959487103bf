// The map file reader: games/f/system/map.cfg into a fresh world, which is
// then copied into the snapshot as a load does.
#include "core/script.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/map_reader.h"
#include "world/world.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    world.setGameName("f");
    writeInput("games/f/system/map.cfg", data, size);
    if (loadGameMaps()) worldBackup = world;
    world = gameWorld();
    worldBackup = gameWorld();
    scriptMap.clear();
    endInput();
    return 0;
}
