// The reader of a game's `map.cfg`: maps, tiles, objects, layer counts, fog,
// skyboxes and phrases into `world`, through the table `scriptMap`.
#pragma once

constexpr int mapReaderMaxMaps = 1023;      // map indices 0 to 1022
constexpr int mapReaderMaxObjects = 1024;   // object indices 0 to 1023 a map

enum cfgVersionId { cfgVersionPerField = 0, cfgVersionPerLine = 1 };

// Why the last loadGameMaps returned false.
enum mapLoadFailure {
    mapLoadFailureNone,
    mapLoadFailureMissing,
    mapLoadFailureUnreadable,   // no regular file, or it cannot be read
    mapLoadFailureTileBudget,   // world/world_limits.h
    mapLoadFailureMapLimit,     // a map list without its end within mapReaderMaxMaps
    mapLoadFailureObjectLimit,  // an object list without its end within mapReaderMaxObjects
};

// Reads games/<name>/system/map.cfg of the game named in `world`. False when
// the file cannot be read or its maps would hold more tiles than the world's
// budget (the world is unchanged then), or when a map or object list runs
// into its limit (the world then holds part of the file; the caller drops it).
bool loadGameMaps();
mapLoadFailure getMapLoadFailure();
