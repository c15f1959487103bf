// mapTile: one square tile of a map's grid, its texture and its height. The
// default tile is all zero bytes (tileGrid makes new tiles as zeroed storage).
#pragma once

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
