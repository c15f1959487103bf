// tileGrid: the tiles of one map, column-major. A new grid holds default
// tiles in zeroed storage that is not written until a tile is set, so tiles
// never set take no memory. Copies share their tiles until one of them sets
// a tile: a map and its copy in the world snapshot hold one set of tiles
// until play or the editor changes one of them.
#pragma once
#include <cstddef>
#include <memory>

#include "world/tile.h"

class tileGrid {
public:
    tileGrid() = default;
    // w x h default tiles; throws std::bad_alloc when there is no memory.
    tileGrid(int w, int h);

    int width() const { return w; }
    int height() const { return h; }
    const mapTile& at(int x, int y) const { return tiles.get()[index(x, y)]; }
    // The tile to change; the grid first takes its own copy of shared tiles.
    mapTile& writableAt(int x, int y)
    {
        if (tiles.use_count() > 1) unshare();
        return tiles.get()[index(x, y)];
    }
    // Copies the first `rows` tiles of column x of `from` into column x.
    void copyColumn(const tileGrid& from, int x, int rows);

private:
    std::shared_ptr<mapTile> tiles;
    int w = 0, h = 0;

    size_t index(int x, int y) const { return static_cast<size_t>(x) * static_cast<size_t>(h) + static_cast<size_t>(y); }
    void unshare();
};
