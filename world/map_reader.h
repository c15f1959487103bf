// The reader of a game's `map.cfg`: maps, tiles, objects, layer counts, fog,
// skyboxes and phrases into `world`, through the table `scriptMap`.
#pragma once

constexpr int mapReaderMaxMaps = 1023;      // map indices 0 to 1022
constexpr int mapReaderMaxObjects = 1024;   // object indices 0 to 1023 a map

enum cfgVersionId { cfgVersionPerField = 0, cfgVersionPerLine = 1 };

// Reads games/<name>/system/map.cfg of the game named in `world`. False when
// the file cannot be read or its maps would hold more tiles than the world's
// budget (world/world_limits.h); the world is unchanged then. Ends the program
// when a map or object list passes its limit.
bool loadGameMaps();
