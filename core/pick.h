// The picking core: the colour-pick pass that resolves a click or a hover on
// the 2D layers into the pick code under the pointer and hands it to the click
// handler of the screen that drew it, and the 3D selection of the object or
// tile at the pointer with what its nearest hit does in play and in the world
// editor. The codes are in core/pick_codes.h; the selection machinery in
// core/pick_internal.h.
#pragma once

// The colour-pick pass over the 2D layers and its dispatch: true when a
// control consumed the event.
bool colorPickRender();

// The 3D selection at the pointer (game states 2, 5 and 7).
void renderPick();

// 3D selection names: object i of the current map is drawn under the one
// name pickObjectNameBase + i; a tile under two names, its x then its y.
constexpr unsigned int pickObjectNameBase = 100;

// The time of the last processed 3D pick (ms), for the double click.
int getTimeChecked();
void setTimeChecked(int t);
