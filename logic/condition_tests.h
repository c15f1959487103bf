// The tests behind the object, global-score and label conditions of logic
// rules, and the collision core they share with object movement: box overlap
// of two solid objects and the terrain under an object. Every test reads the
// current map of `world` and changes nothing.
#pragma once
#include "media/collision.h"

// Whether object a, moved by (dx, dy, dz), overlaps object b, boundaries
// included; false unless both are solid.
bool checkObjectCollide(int a, float dx, float dy, float dz, int b);
// Predicates 400 to 439 of object a against the predicate value b.
bool compareObjects(int a, int predicate, int b);
// Predicates 426 to 434 of global score `id` against the value v.
bool compareGlobalScore(int id, int predicate, int v);
// Whether the terrain under object a reaches 1 unit below its obstruction box.
bool checkTerrainCollide(int a);
// Whether some object of the current map carries `label` and is alive.
bool compareLabel(int label);

// An object's place and obstruction box as the tests use them.
struct objectBox {
    float x = 0, y = 0, z = 0;
    float obw = 0, obh = 0, obd = 0;  // half-sizes along x, z (height) and y
    int layer = 0;
    bool solid = false;
};
// Object o of map m; every field 0 (and not solid) for an object that does not exist.
objectBox readObjectBox(int o, int m);
// Whether two extents along one axis overlap, boundaries included: a centre
// `a` moved by `da` with half-size `ha` against a centre `b` with half-size `hb`.
inline bool axisOverlap(float a, float da, float ha, float b, float hb)
{
    const float moved = a + da;
    return !(b - hb > moved + ha || moved - ha > b + hb);
}
// The overlap test of checkObjectCollide on boxes already read.
inline bool boxesOverlap(const objectBox& a, float dx, float dy, float dz, const objectBox& b)
{
    return a.solid && b.solid && axisOverlap(a.x, dx, a.obw, b.x, b.obw) && axisOverlap(a.y, dy, a.obd, b.y, b.obd) &&
           axisOverlap(a.z, dz, a.obh, b.z, b.obh);
}

// The terrain patch under the ground point (x, y) of map m, in the ray-test
// frame whose second coordinate is height: 12 units across, centred on the
// tile corner below (x, y), with the heights of four tiles (0 off the grid).
quadrilateral terrainQuadrilateral(float x, float y, int m);
// The highest point of the plane through the patch's corners v_00, v_10 and
// v_01 over the patch: no upward ray from above it hits the patch.
float terrainPlaneTop(const quadrilateral& q);
// Whether a ray straight up from (x, height, y) hits the patch.
bool rayUpHits(const quadrilateral& q, float x, float height, float y);
