// Edge scrolling of the editor camera: while the pointer rests at an edge of
// the window the camera pans over the map, parallel to the ground (x for the
// left and right edges, z for the top and bottom ones), position and look-at
// point together, faster the longer it keeps moving.
#pragma once

// The speed the world renderer passes while the camera keeps moving: it grows
// by scrollSpeedStep a frame up to scrollSpeedMax and falls back to
// scrollSpeedRestart on a frame without movement.
constexpr float scrollSpeedStep = 0.08f;
constexpr float scrollSpeedMax = 6.0f;
constexpr float scrollSpeedRestart = 0.5f;

// One step of panning at `speed` (speed x 0.18 world units). True when the
// camera moved and no bound stopped the call early.
bool editorScroll(float speed);
// The world renderer's once-a-frame call with the editor camera: scrolls in
// the world editor unless a logic editor is open, and in play or playtest
// while free look or the debug mode is on; then speeds up or restarts.
void updateEditorScroll();
