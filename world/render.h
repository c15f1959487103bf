// World rendering: the current map of the loaded game drawn into the 3D view
// once per frame (fog, skybox and light, the tiles with their heights, the
// objects by type) with, by game state, the world editor's tile highlights,
// selection outlines and facing marker, or the play-time phrase box. The 3D
// pick pass draws it again in selection mode: an object is named by its index
// + 100, a tile (world editor only) by its x and then its y.
#pragma once

// An object is culled by a sphere of this factor times its largest size.
constexpr float objectCullFactor = 1.5f;

// Draws the current map as the game state asks (play, playtest, the world
// editor over its editor menu, or only fog, skybox and light under a
// dialog). Expects the projection, the camera and the view frustum of the
// frame to be set up.
void gameRender();

