// What a 3D pick does in the world editor: selecting an object (alone, into
// the multi-selection, or a double click that opens its logic) and selecting
// a tile or widening the tile rectangle; the selected tile rectangle and the
// edits of every tile in it.
#pragma once
#include "world/tile.h"

// False while a picker panel covers the view (the image picker or the macro
// picker): the pick is then ignored.
bool editorTakesWorldPicks();
// Object `index` of the current map was hit at time `now` (ms).
void selectEditorObject(int index, int now);
// Tile (x, y) of the current map was hit.
void selectEditorTile(int x, int y);

// The selected tile rectangle, from the starting to the ending tile, cut to
// the current map. Every edit of the selected tiles walks it.
tileRect selectedTiles();
// Raises tile (x, y) of the current map by `by` (a negative `by` lowers it).
void raiseTile(int x, int y, float by);
// Raises every selected tile by `by` (a negative `by` lowers them).
void raiseSelectedTiles(float by);
