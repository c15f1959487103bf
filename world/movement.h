// Object movement for the game logic: one step of a fifth of a requested
// vector, kept on the map, lifted onto the terrain and cancelled per axis
// against solid objects.
#pragma once

// Moves object `object` of map `map` (the current map) by (dx, dy, dz) / 5.
void moveObject(float dx, float dy, float dz, int object, int map);
