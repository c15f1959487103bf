// Helpers of the game-world tests: putting the global world, editor, camera
// and game state back to their start-up values, and a world of plain maps.
#pragma once
#include <string>

#include "core/camera.h"
#include "core/system.h"
#include "editor/editor.h"
#include "tests/unit/test_util.h"
#include "world/movement.h"
#include "world/world.h"

namespace worldtest {

inline void resetGlobals()
{
    world = gameWorld();
    world.setChangeMap(0);
    worldBackup = gameWorld();
    worldBackup.setChangeMap(0);
    worldEditor = editor();
    camera = Camera();
    gameSys.setGameState(gameStateMenu);
}

// A world of `maps` maps of w x h tiles with `objects` objects on each.
inline void makeWorld(int maps, int objects, int w = 4, int h = 4)
{
    world.allocateMaps(maps);
    for (int m = 0; m < maps; ++m) {
        world.worldSetMap(w, h, "Map" + std::to_string(m), m);
        for (int o = 0; o < objects; ++o)
            world.worldSetObject(float(o), 0, 0, 1, 1, 1, o, 0, o, m);
    }
    world.setGameLoaded(true);
}

}  // namespace worldtest
