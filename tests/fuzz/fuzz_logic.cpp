// The logic file reader: games/f/system/logic.cfg into a world of two maps,
// one with three objects and one with none, then copied into the snapshot.
#include "core/script.h"
#include "tests/fuzz/fuzz_support.h"
#include "world/logic_reader.h"
#include "world/world.h"

namespace {

constexpr int objectsOnMapZero = 3;

void makeWorld()
{
    world.setGameName("f");
    world.allocateMaps(2);
    for (int m = 0; m < 2; ++m) world.worldSetMap(2, 2, "m", m);
    for (int o = 0; o < objectsOnMapZero; ++o) world.worldSetObject(float(o), 0, 0, 1, 1, 1, 0, 0, o, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    enterFuzzFolder();
    makeWorld();
    writeInput("games/f/system/logic.cfg", data, size);
    if (loadGameLogic()) worldBackup = world;
    world = gameWorld();
    worldBackup = gameWorld();
    scriptLogic.clear();
    endInput();
    return 0;
}
