// The world's tile budget: how many tiles all maps of one game may hold
// together. About a hundred maps of the largest size; it keeps a game (and
// its snapshot in worldBackup) within the memory of an ordinary machine.
// Whatever makes or grows maps checks a request against it before it
// allocates: the map reader for a whole file, the editor for a new map, a
// copied map or a resize.
#pragma once

constexpr long long worldTileBudget = 50000000;
