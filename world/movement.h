// Object movement for the game logic: one step of a fifth of a requested
// vector, kept on the map, lifted onto the terrain and cancelled per axis
// against solid objects.
#pragma once

// An object's place, size, image and layer, read and stored as one record.
struct objectRecord {
    float x, y, z, w, h, d;
    int tex, layer;
};
objectRecord readObjectRecord(int o, int m);
// Stores the record (the world applies its size limits).
void storeObjectRecord(const objectRecord& r, int o, int m);

// Moves object `object` of map `map` (the current map) by (dx, dy, dz) / 5.
void moveObject(float dx, float dy, float dz, int object, int map);
