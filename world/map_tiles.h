// The tiles of a game's map file, taken out of the table while the file is
// read (so a tile costs no table entry and no lookup), and written into the
// new maps. Once the file has given a map's size (its first "map<m>w" and
// "map<m>h" entries, which a saved file writes before the tiles), the map's
// tile entries go straight into a grid of that size, the first entry of a
// key winning as in a lookup; the map takes that grid whole when it is read.
// Entries that come before their map's size are kept in file order and
// written over the grid afterwards, from the last to the first.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "world/tile_grid.h"

// Whether a map takes a size: each side from 0 to mapMaxSize tiles.
bool mapTakesSize(int w, int h);

class mapTileReader {
public:
    // The entry taker of the map file: takes the tile entries
    // ("map<m>tile<x>_<y>" texture, "map<m>tile<x>_<y>h" height) and notes
    // the first size entries of every map, which stay in the table.
    bool take(std::string_view key, float value);
    // Gives map m of `world`, new and of the size the file gave it, its tiles,
    // and lets go of what was kept for them.
    void readTiles(int m);

private:
    struct tileEntry {
        uint16_t x = 0;
        uint16_t y : 15;
        uint16_t height : 1;
        float value = 0.0f;
    };
    // Where a map's tile entries go: kept in file order until both sizes are
    // known, then into the grid, or nowhere when the map refuses its size (it
    // reads no tiles), or still kept when the grid would pass the world's
    // tile budget.
    enum tileTarget { targetKept, targetGrid, targetNone, targetKeptPastBudget };
    struct mapTiles {
        int w = 0, h = 0;
        bool hasW = false, hasH = false;
        tileTarget target = targetKept;
        tileGrid grid;                 // w x h
        std::vector<uint8_t> written;  // two bits a tile: texture and height written
        std::vector<tileEntry> early;  // entries before the size, in file order
    };
    std::vector<mapTiles> maps;
    long long stagedTiles = 0;  // within the world's tile budget

    mapTiles& mapAt(int m);
    void noteSize(int m, bool width, float value);
    void addTile(int m, int x, int y, bool height, float value);
    void chooseTarget(mapTiles& t);
};
