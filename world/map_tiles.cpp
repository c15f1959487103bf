// The tile entries of map.cfg: parsing their keys, the grids they are
// written into as the file is read, and handing the grids to the maps.
#include "world/map_tiles.h"

#include <cstring>

#include "core/script.h"
#include "world/world.h"
#include "world/world_limits.h"

namespace {

constexpr uint8_t textureWritten = 1, heightWritten = 2;
constexpr int tilesPerFlagByte = 4;  // two bits a tile

// Reads a key of the map file word by word from its start.
class keyCursor {
public:
    explicit keyCursor(std::string_view key) : p(key.data()), end(key.data() + key.size()) {}

    bool atEnd() const { return p == end; }
    bool skip(char c)
    {
        if (p == end || *p != c) return false;
        ++p;
        return true;
    }
    template <size_t n>
    bool skip(const char (&word)[n])
    {
        constexpr size_t length = n - 1;
        if (static_cast<size_t>(end - p) < length || std::memcmp(p, word, length) != 0) return false;
        p += length;
        return true;
    }
    // A number as the key formats write it (digits, no sign, no leading
    // zero), below `limit`: only such a key is ever asked for.
    bool number(int limit, int& value)
    {
        if (p == end || !isDigit(*p) || (*p == '0' && p + 1 < end && isDigit(p[1]))) return false;
        int v = 0;
        for (; p < end && isDigit(*p); ++p) {
            v = v * 10 + (*p - '0');
            if (v >= limit) return false;
        }
        value = v;
        return true;
    }

private:
    const char* p;
    const char* end;

    static bool isDigit(char c) { return c >= '0' && c <= '9'; }
};

// A stored -1 is read as a missing entry is: the default texture 0, the
// default height 0.0.
constexpr int missingTexture = -1;
constexpr float missingHeight = -1.0f;

int tileTexture(float value)
{
    const int tex = truncateNumber(value);
    return tex == missingTexture ? 0 : tex;
}

float tileHeight(float value)
{
    return value == missingHeight ? 0.0f : value;
}

}  // namespace

bool mapTakesSize(int w, int h)
{
    return w >= 0 && w <= mapMaxSize && h >= 0 && h <= mapMaxSize;
}

bool mapTileReader::take(std::string_view key, float value)
{
    keyCursor k(key);
    int m = 0;
    if (!k.skip("map") || !k.number(mapReaderMaxMaps, m)) return false;
    if (k.skip("tile")) {
        int x = 0, y = 0;
        if (!k.number(mapMaxSize, x) || !k.skip('_') || !k.number(mapMaxSize, y)) return false;
        const bool height = k.skip('h');
        if (!k.atEnd()) return false;
        addTile(m, x, y, height, value);
        return true;
    }
    const bool width = k.skip('w');
    if ((width || k.skip('h')) && k.atEnd()) noteSize(m, width, value);
    return false;
}

mapTileReader::mapTiles& mapTileReader::mapAt(int m)
{
    if (maps.size() <= static_cast<size_t>(m)) maps.resize(static_cast<size_t>(m) + 1);
    return maps[static_cast<size_t>(m)];
}

void mapTileReader::noteSize(int m, bool width, float value)
{
    mapTiles& t = mapAt(m);
    bool& has = width ? t.hasW : t.hasH;
    if (has) return;  // the first entry of a key answers
    has = true;
    (width ? t.w : t.h) = truncateNumber(value);
}

void mapTileReader::chooseTarget(mapTiles& t)
{
    if (!mapTakesSize(t.w, t.h)) {
        t.target = targetNone;
        return;
    }
    const long long tiles = static_cast<long long>(t.w) * t.h;
    if (stagedTiles + tiles > worldTileBudget) {
        t.target = targetKeptPastBudget;
        return;
    }
    stagedTiles += tiles;
    t.grid = tileGrid(t.w, t.h);
    t.written.assign(static_cast<size_t>((tiles + tilesPerFlagByte - 1) / tilesPerFlagByte), 0);
    t.target = targetGrid;
}

void mapTileReader::addTile(int m, int x, int y, bool height, float value)
{
    mapTiles& t = mapAt(m);
    if (t.target == targetKept && t.hasW && t.hasH) chooseTarget(t);
    if (t.target == targetNone) return;
    if (t.target != targetGrid) {
        tileEntry e;
        e.x = static_cast<uint16_t>(x);
        e.y = static_cast<uint16_t>(y) & 0x7fff;
        e.height = height ? 1 : 0;
        e.value = value;
        t.early.push_back(e);
        return;
    }
    if (x >= t.w || y >= t.h) return;  // outside the map: never read
    const size_t tile = static_cast<size_t>(x) * static_cast<size_t>(t.h) + static_cast<size_t>(y);
    const int shift = 2 * static_cast<int>(tile % tilesPerFlagByte);
    const uint8_t flag = static_cast<uint8_t>((height ? heightWritten : textureWritten) << shift);
    uint8_t& flags = t.written[tile / tilesPerFlagByte];
    if (flags & flag) return;  // an earlier entry of this key answers
    flags |= flag;
    mapTile& target = t.grid.writableAt(x, y);
    if (height)
        target.setHeight(tileHeight(value));
    else
        target.setTile(tileTexture(value));
}

void mapTileReader::readTiles(int m)
{
    if (maps.size() <= static_cast<size_t>(m)) return;
    mapTiles& t = maps[static_cast<size_t>(m)];
    if (t.target == targetGrid) world.worldSetTileGrid(std::move(t.grid), m);
    for (auto e = t.early.rbegin(); e != t.early.rend(); ++e) {
        if (e->height)
            world.worldSetTileHeight(tileHeight(e->value), e->x, e->y, m);
        else
            world.worldSetTile(tileTexture(e->value), e->x, e->y, m);
    }
    t = mapTiles();
}
