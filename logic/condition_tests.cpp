// The condition tests: touch predicates as a table of probe sets, score
// predicates as comparisons of one operand against a number, a global score
// or an object's score, and the terrain patch shared with object movement.
#include "logic/condition_tests.h"

#include <algorithm>
#include <cmath>

#include "logic/steps.h"
#include "world/map.h"
#include "world/world.h"

namespace {

struct probe {
    float dx, dy, dz;
};

constexpr float nearReach = 1.1f;   // "touching", "any touch", "top/bottom any touch"
constexpr float sideReach = 0.05f;  // the sided tests
constexpr float gapReach = 0.01f;   // "not touching"

const probe nearProbes[] = {
    {0, 0, 0},          {nearReach, 0, 0}, {-nearReach, 0, 0}, {0, nearReach, 0},
    {0, 0, nearReach},  {0, 0, -nearReach}, {0, -nearReach, 0},
};
const probe topProbe[] = {{0, sideReach, 0}};
const probe bottomProbe[] = {{0, -sideReach, 0}};
const probe leftProbe[] = {{-sideReach, 0, 0}};
const probe rightProbe[] = {{sideReach, 0, 0}};
const probe aboveProbe[] = {{0, 0, nearReach}};
const probe belowProbe[] = {{0, 0, -nearReach}};
const probe gapProbes[] = {{0, 0, 0}, {gapReach, 0, 0}, {-gapReach, 0, 0}, {0, gapReach, 0}, {0, -gapReach, 0}};

enum touchTarget { targetValueObject, targetAnyOther };

struct touchPredicate {
    int id;
    const probe* probes;
    int probeCount;
    touchTarget target;
    bool sameLayer;  // the other object must be on a's layer
    bool negated;    // true when no probe hits
};

template <size_t N>
constexpr touchPredicate touch(int id, const probe (&p)[N], touchTarget target, bool sameLayer = true,
                               bool negated = false)
{
    return {id, p, static_cast<int>(N), target, sameLayer, negated};
}

const touchPredicate touchPredicates[] = {
    touch(stepTouching, nearProbes, targetValueObject),
    touch(stepTouchingTop, topProbe, targetValueObject),
    touch(stepTouchingBottom, bottomProbe, targetValueObject),
    touch(stepTouchingLeft, leftProbe, targetValueObject),
    touch(stepTouchingRight, rightProbe, targetValueObject),
    touch(stepAnyTouch, nearProbes, targetAnyOther),
    touch(stepTopAnyTouch, aboveProbe, targetAnyOther),
    touch(stepBottomAnyTouch, belowProbe, targetAnyOther, false),
    touch(stepLeftAnyTouch, leftProbe, targetAnyOther),
    touch(stepRightAnyTouch, rightProbe, targetAnyOther),
    touch(stepNotTouching, gapProbes, targetValueObject, true, true),
};

const touchPredicate* findTouch(int id)
{
    for (const touchPredicate& t : touchPredicates)
        if (t.id == id) return &t;
    return nullptr;
}

bool anyProbeHits(const objectBox& a, const touchPredicate& t, const objectBox& b)
{
    for (int k = 0; k < t.probeCount; ++k)
        if (boxesOverlap(a, t.probes[k].dx, t.probes[k].dy, t.probes[k].dz, b)) return true;
    return false;
}

// A cheap bound before the probes: none reaches further than nearReach along
// one axis (with a margin for the rounding of the probe sums).
constexpr float reachBound = nearReach + 0.01f;

bool withinReach(const objectBox& a, const objectBox& b)
{
    return std::fabs(a.x - b.x) <= a.obw + b.obw + reachBound && std::fabs(a.y - b.y) <= a.obd + b.obd + reachBound &&
           std::fabs(a.z - b.z) <= a.obh + b.obh + reachBound;
}

bool touchTest(int a, const touchPredicate& t, int b)
{
    const int m = world.getCurrentMap();
    const objectBox self = readObjectBox(a, m);
    if (t.target == targetValueObject) {
        const objectBox other = readObjectBox(b, m);
        if (self.layer != other.layer) return false;
        return anyProbeHits(self, t, other) != t.negated;
    }
    if (!self.solid) return false;
    const int count = world.worldGetObjectCount(m);
    for (int c = 0; c < count; ++c) {
        if (c == a) continue;
        const objectBox other = readObjectBox(c, m);
        if (!other.solid || (t.sameLayer && other.layer != self.layer) || !withinReach(self, other)) continue;
        if (anyProbeHits(self, t, other)) return true;
    }
    return false;
}

// Score predicates come in threes: greater, less, equal.
bool compareInOrder(int firstOfThree, int predicate, int lhs, int rhs)
{
    switch (predicate - firstOfThree) {
    case 0: return lhs > rhs;
    case 1: return lhs < rhs;
    default: return lhs == rhs;
    }
}

enum operandKind { operandNumber, operandGlobalScore, operandObjectScore };

int operandValue(operandKind kind, int v)
{
    switch (kind) {
    case operandGlobalScore: return world.getGlobalScore(v);
    case operandObjectScore: return world.worldGetObjectScore(v, world.getCurrentMap());
    default: return v;
    }
}

struct scoreGroup {
    int first;  // the "greater" predicate of the three
    operandKind operand;
};

const scoreGroup objectScoreGroups[] = {
    {stepScoreMoreThan, operandNumber},
    {stepScoreGreaterThanObj, operandObjectScore},
    {stepScoreGreaterThanGbl, operandGlobalScore},
};
const scoreGroup globalScoreGroups[] = {
    {stepGreaterThan, operandNumber},
    {stepGreaterThanGbl, operandGlobalScore},
    {stepGreaterThanObj, operandObjectScore},
};

constexpr int predicatesPerGroup = 3;

template <size_t N>
bool compareScore(const scoreGroup (&groups)[N], int lhs, int predicate, int v)
{
    for (const scoreGroup& g : groups)
        if (predicate >= g.first && predicate < g.first + predicatesPerGroup)
            return compareInOrder(g.first, predicate, lhs, operandValue(g.operand, v));
    return false;
}

// Tile corner below a ground coordinate: tile index and patch centre.
int tileIndexBelow(float c)
{
    return static_cast<int>(std::floor(c) / tileSize);
}

float patchCentre(float c)
{
    return static_cast<float>(static_cast<int>(c / tileSize)) * tileSize;
}

constexpr float terrainProbeDepth = 1.0f;  // below the box bottom

}  // namespace

objectBox readObjectBox(int o, int m)
{
    objectBox box;
    if (o < 0 || o >= world.worldGetObjectCount(m)) return box;
    float w, h, d;
    int tex;
    world.worldGetObject(box.x, box.y, box.z, w, h, d, tex, box.layer, o, m);
    world.getObstructionSize(box.obw, box.obh, box.obd, o, m);
    box.solid = world.worldGetObjectObstructionState(o, m);
    return box;
}

bool checkObjectCollide(int a, float dx, float dy, float dz, int b)
{
    const int m = world.getCurrentMap();
    return boxesOverlap(readObjectBox(a, m), dx, dy, dz, readObjectBox(b, m));
}

bool compareObjects(int a, int predicate, int b)
{
    if (const touchPredicate* t = findTouch(predicate)) return touchTest(a, *t, b);
    const int m = world.getCurrentMap();
    switch (predicate) {
    case stepAlive: return world.worldGetObjectLife(a, m);
    case stepDead: return !world.worldGetObjectLife(a, m);
    case stepVisible: return world.worldGetObjectVisible(a, m);
    case stepInvisible: return !world.worldGetObjectVisible(a, m);
    case stepTouchingTerrain: return checkTerrainCollide(a);
    default: return compareScore(objectScoreGroups, world.worldGetObjectScore(a, m), predicate, b);
    }
}

bool compareGlobalScore(int id, int predicate, int v)
{
    return compareScore(globalScoreGroups, world.getGlobalScore(id), predicate, v);
}

// The hidden label conditions ask whether the label is still in play: some
// object of the current map carries it and is alive.
bool compareLabel(int label)
{
    const int m = world.getCurrentMap();
    const int count = world.worldGetObjectCount(m);
    for (int o = 0; o < count; ++o)
        if (world.worldGetObjectLabel(o, m) == label && world.worldGetObjectLife(o, m)) return true;
    return false;
}

bool checkTerrainCollide(int a)
{
    const int m = world.getCurrentMap();
    const objectBox box = readObjectBox(a, m);
    return rayUpHits(terrainQuadrilateral(box.x, box.y, m), box.x, box.z - box.obh - terrainProbeDepth, box.y);
}

quadrilateral terrainQuadrilateral(float x, float y, int m)
{
    const int tx = tileIndexBelow(x), ty = tileIndexBelow(y);
    const real cx = patchCentre(x), cy = patchCentre(y), half = tileSize;
    auto height = [m](int i, int j) { return static_cast<real>(world.worldGetTileHeight(i, j, m)); };
    return quadrilateral(point(cx - half, height(tx, ty), cy - half), point(cx + half, height(tx + 1, ty), cy - half),
                         point(cx + half, height(tx + 1, ty + 1), cy + half),
                         point(cx - half, height(tx, ty + 1), cy + half));
}

float terrainPlaneTop(const quadrilateral& q)
{
    const real h00 = q.v_00().y(), h10 = q.v_10().y(), h01 = q.v_01().y();
    return static_cast<float>(std::max({h00, h10, h01, h10 + h01 - h00}));
}

bool rayUpHits(const quadrilateral& q, float x, float height, float y)
{
    real u, v, t;
    return intersect_quadrilateral_ray(q, ray(point(x, height, y), vector(0.0, 1.0, 0.0)), u, v, t);
}
