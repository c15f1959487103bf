// moveObject: the edges of the map, terrain following by a downward scan of
// fixed height samples, and per-axis blocking by solid objects.
#include "world/movement.h"

#include <algorithm>
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

struct objectRecord {
    float x, y, z, w, h, d;
    int tex, layer;
};

objectRecord readObject(int o, int m)
{
    objectRecord r{};
    world.worldGetObject(r.x, r.y, r.z, r.w, r.h, r.d, r.tex, r.layer, o, m);
    return r;
}

void storeObject(const objectRecord& r, int o, int m)
{
    world.worldSetObject(r.x, r.y, r.z, r.w, r.h, r.d, r.tex, r.layer, o, m);
}

// Cancels each axis of the step on which object o would run into a solid object.
void blockStep(int o, int m, float& sx, float& sy, float& sz)
{
    const objectBox self = readObjectBox(o, m);
    if (!self.solid) return;  // a non-solid object passes through everything
    const int count = world.worldGetObjectCount(m);
    for (int j = 0; j < count && (sx != 0.0f || sy != 0.0f || sz != 0.0f); ++j) {
        if (j == o) continue;
        const objectBox other = readObjectBox(j, m);
        if (!other.solid) continue;
        if (boxesOverlap(self, sx, 0, 0, other)) sx = 0.0f;
        if (boxesOverlap(self, 0, sy, 0, other)) sy = 0.0f;
        if (boxesOverlap(self, 0, 0, sz, other)) sz = 0.0f;
    }
}

}  // namespace

void moveObject(float dx, float dy, float dz, int o, int m)
{
    // A store at the object count would append an object: an index that names
    // no object moves nothing.
    if (o < 0 || o >= world.worldGetObjectCount(m)) return;
    float sx = dx / stepDivisor, sy = dy / stepDivisor, sz = dz / stepDivisor;
    objectRecord r = readObject(o, m);
    float obw = 0, obh = 0, obd = 0;
    world.getObstructionSize(obw, obh, obd, o, m);
    int w = 0, h = 0;
    std::string name;
    world.worldGetMap(w, h, name, m);

    if (r.x < 0.0f) {
        r.x = 0.0f;
        storeObject(r, o, m);
    }
    if (r.y < 0.0f) {
        r.y = 0.0f;
        storeObject(r, o, m);
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
    storeObject(r, o, m);
}
