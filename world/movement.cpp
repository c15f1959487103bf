// moveObject: the edges of the map, terrain following by a downward scan of
// fixed height samples, and per-axis blocking by solid objects.
#include "world/movement.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "logic/condition_tests.h"
#include "world/map.h"
#include "world/world.h"

namespace {

constexpr float stepDivisor = 5.0f;
constexpr float scanTop = 50.0f;
constexpr float scanBottom = -20.0f;
constexpr float scanStep = 0.2f;
// Samples this far above the terrain plane's top cannot hit it, so the scan
// may start there and still meet the same first hit.
constexpr float scanStartMargin = 1.0f;

// The heights the terrain scan tries, top down, as the float loop gives them.
const std::vector<float>& scanHeights()
{
    static const std::vector<float> heights = [] {
        std::vector<float> t;
        for (float h = scanTop; h > scanBottom; h -= scanStep) t.push_back(h);
        return t;
    }();
    return heights;
}

// The height of the first sample at or below the terrain under (x, y), if any.
bool terrainSample(float x, float y, int m, float& sample)
{
    const quadrilateral patch = terrainQuadrilateral(x, y, m);
    const std::vector<float>& heights = scanHeights();
    const float start = terrainPlaneTop(patch) + scanStartMargin;
    auto first = std::lower_bound(heights.begin(), heights.end(), start, std::greater<float>());
    for (auto t = first; t != heights.end(); ++t) {
        if (rayUpHits(patch, x, *t, y)) {
            sample = *t;
            return true;
        }
    }
    return false;
}

constexpr float reachMargin = 0.01f;  // for the rounding of the box sums

// Whether no box of another object, however large, can meet this one along an
// axis, at its place or after the step: a cheap test before the box is read.
bool outOfReach(float a, float step, float half, float b)
{
    const float reach = half + objectMaxSize + reachMargin;
    return std::fabs(a - b) > reach && std::fabs(a + step - b) > reach;
}

// Cancels each axis of the step on which object o would run into a solid object.
void blockStep(int o, int m, float& sx, float& sy, float& sz)
{
    const objectBox self = readObjectBox(o, m);
    if (!self.solid) return;  // a non-solid object passes through everything
    const int count = world.worldGetObjectCount(m);
    for (int j = 0; j < count && (sx != 0.0f || sy != 0.0f || sz != 0.0f); ++j) {
        if (j == o) continue;
        objectBox other;
        float w, h, d;
        int tex;
        world.worldGetObject(other.x, other.y, other.z, w, h, d, tex, other.layer, j, m);
        if (outOfReach(self.x, sx, self.obw, other.x) || outOfReach(self.y, sy, self.obd, other.y)) continue;
        if (!world.worldGetObjectObstructionState(j, m)) continue;
        world.getObstructionSize(other.obw, other.obh, other.obd, j, m);
        // Each axis is tried alone: the three probes of checkObjectCollide, each
        // overlap on the two other axes taken at no offset.
        const bool stillX = axisOverlap(self.x, 0, self.obw, other.x, other.obw);
        const bool stillY = axisOverlap(self.y, 0, self.obd, other.y, other.obd);
        const bool stillZ = axisOverlap(self.z, 0, self.obh, other.z, other.obh);
        if (axisOverlap(self.x, sx, self.obw, other.x, other.obw) && stillY && stillZ) sx = 0.0f;
        if (stillX && axisOverlap(self.y, sy, self.obd, other.y, other.obd) && stillZ) sy = 0.0f;
        if (stillX && stillY && axisOverlap(self.z, sz, self.obh, other.z, other.obh)) sz = 0.0f;
    }
}

}  // namespace

objectRecord readObjectRecord(int o, int m)
{
    objectRecord r{};
    world.worldGetObject(r.x, r.y, r.z, r.w, r.h, r.d, r.tex, r.layer, o, m);
    return r;
}

void storeObjectRecord(const objectRecord& r, int o, int m)
{
    world.worldSetObject(r.x, r.y, r.z, r.w, r.h, r.d, r.tex, r.layer, o, m);
}

void moveObject(float dx, float dy, float dz, int o, int m)
{
    // A store at the object count would append an object: an index that names
    // no object moves nothing.
    if (o < 0 || o >= world.worldGetObjectCount(m)) return;
    float sx = dx / stepDivisor, sy = dy / stepDivisor, sz = dz / stepDivisor;
    objectRecord r = readObjectRecord(o, m);
    float obw = 0, obh = 0, obd = 0;
    world.getObstructionSize(obw, obh, obd, o, m);
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);

    if (r.x < 0.0f) {
        r.x = 0.0f;
        storeObjectRecord(r, o, m);
    }
    if (r.y < 0.0f) {
        r.y = 0.0f;
        storeObjectRecord(r, o, m);
    }

    const float farX = tileSize * static_cast<float>(w) - tileSize, farY = tileSize * static_cast<float>(h) - tileSize;
    if (r.x + sx >= farX || r.x + sx < 0.0f) sx = 0.0f;
    if (r.y + sy >= farY || r.y + sy < 0.0f) sy = 0.0f;

    float z = r.z, sample = 0.0f;
    if (terrainSample(r.x, r.y, m, sample) && sample + obh >= z) z = sample + obh;

    blockStep(o, m, sx, sy, sz);

    r.x += sx;
    r.y += sy;
    r.z = z + sz;
    storeObjectRecord(r, o, m);
}
