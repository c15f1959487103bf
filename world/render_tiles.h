// The tiles of the current map in the world pass: every tile whose sphere
// lies in the view frustum, on its terrain quad through the four corner
// heights, or the image of tile (0, 0) over the whole map when the map is
// stretched. An animated image shows its current cell.
//
// In the ordinary frame the visible tiles are gathered by image and each
// image's tiles drawn as one primitive: the picture of the terrain-tile
// primitive with a draw call per image rather than per tile. The pick pass,
// where every tile carries its names, and the editor's tile highlights, which
// are laid over each tile as it is drawn, take the primitive tile by tile.
#pragma once

// Tiles are culled by a sphere of this radius around their centre.
constexpr float tileCullRadius = 12.0f;
// Half-size of a tile, and of a tile while the editor shows the tile grid.
constexpr float tileHalfSize = 3.0f;
constexpr float gridTileHalfSize = 2.998f;

// Draws the tiles of the current map of w x h tiles. `editor`: the world
// editor's view, with a tile's x and y as its selection names, the grid size
// while the grid shows, and the highlights of the tile selection while the
// tile tool is active.
void renderTiles(int w, int h, bool editor);
