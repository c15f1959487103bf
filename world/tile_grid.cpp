// tileGrid storage: zeroed on allocation (an all-zero tile is the default
// tile), copied when shared tiles are about to change.
#include "world/tile_grid.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>

namespace {

static_assert(std::is_trivially_copyable_v<mapTile> && std::is_trivially_destructible_v<mapTile>,
              "tiles live in zeroed storage and are copied as bytes");

struct freeTiles {
    void operator()(mapTile* p) const { std::free(p); }
};

// Storage for n tiles, zeroed or not. Large zeroed blocks come straight from
// the system as zero pages, so tiles that are never written never become
// resident.
std::shared_ptr<mapTile> allocateTiles(size_t n, bool zeroed)
{
    if (n == 0) return nullptr;
    void* p = zeroed ? std::calloc(n, sizeof(mapTile)) : std::malloc(n * sizeof(mapTile));
    if (!p) throw std::bad_alloc();
    return std::shared_ptr<mapTile>(static_cast<mapTile*>(p), freeTiles());
}

}  // namespace

tileGrid::tileGrid(int width, int height) : w(width > 0 ? width : 0), h(height > 0 ? height : 0)
{
    tiles = allocateTiles(static_cast<size_t>(w) * static_cast<size_t>(h), true);
}

void tileGrid::copyColumn(const tileGrid& from, int x, int rows)
{
    if (rows <= 0) return;
    std::memcpy(&writableAt(x, 0), &from.at(x, 0), static_cast<size_t>(rows) * sizeof(mapTile));
}

void tileGrid::unshare()
{
    const size_t n = static_cast<size_t>(w) * static_cast<size_t>(h);
    std::shared_ptr<mapTile> own = allocateTiles(n, false);
    std::memcpy(own.get(), tiles.get(), n * sizeof(mapTile));
    tiles = std::move(own);
}
