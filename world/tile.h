// mapTile: one square tile of a map's grid, its texture and its height (the
// default tile is all zero bytes: tileGrid makes new tiles as zeroed storage);
// and tileRect, a rectangle of a map's tiles.
#pragma once
#include <algorithm>

class mapTile {
public:
    void setTile(int t) { tex = t; }
    void getTile(int& t) const { t = tex; }
    void setHeight(float height) { tileHeight = height; }
    float getHeight() const { return tileHeight; }

private:
    int tex = 0;             // index in the game image list
    float tileHeight = 0.0f;  // world units
};

// A rectangle of tiles, both corners included: columns x0 to x1 by rows y0 to
// y1; empty when x0 > x1 or y0 > y1.
struct tileRect {
    int x0 = 0, y0 = 0, x1 = -1, y1 = -1;

    bool contains(int x, int y) const { return x >= x0 && x <= x1 && y >= y0 && y <= y1; }
    // Runs visit(x, y) on every tile, x outer and y inner.
    template <class Visit>
    void forEachTile(Visit visit) const
    {
        for (int x = x0; x <= x1; ++x)
            for (int y = y0; y <= y1; ++y) visit(x, y);
    }
};

// The rectangle between corner tiles (ax, ay) and (bx, by), given in either
// order, cut to the tiles of a w x h map (empty when it lies outside).
inline tileRect tileRectOnMap(int ax, int ay, int bx, int by, int w, int h)
{
    tileRect r;
    r.x0 = std::max(std::min(ax, bx), 0);
    r.y0 = std::max(std::min(ay, by), 0);
    r.x1 = std::min(std::max(ax, bx), w - 1);
    r.y1 = std::min(std::max(ay, by), h - 1);
    return r;
}
