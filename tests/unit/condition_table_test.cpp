// The condition tests of logic rules, one row each: the touch predicates on
// boxes placed a measured gap apart, the life, visibility and score
// predicates, the global-score predicates, the box overlap, the terrain test
// and the label test.
#include <gtest/gtest.h>

#include "logic/condition_tests.h"
#include "logic/steps.h"
#include "tests/unit/world_test_util.h"

namespace {

// Every box reaches 0.5 along x, 0.375 along y and 0.25 along z (height), so
// two boxes side by side meet at centre distances 1.0, 0.75 and 0.5.
constexpr float obw = 0.5f, obd = 0.375f, obh = 0.25f;
constexpr float originX = 10, originY = 10, originZ = 5;

// One object, placed from the origin; object 0 is a, object 1 is b.
struct body {
    float dx = 0, dy = 0, dz = 0;
    int layer = 0;
    bool solid = true;
};

enum testKind { objects, globalScore, collide, terrain, label };

struct conditionRow {
    testKind kind;
    int predicate;
    int value;  // b of compareObjects, v of compareGlobalScore, the label
    std::vector<body> bodies;
    bool want;
    void (*setup)() = nullptr;
    float dx = 0, dy = 0, dz = 0;  // the offset of checkObjectCollide
};

const body a{};
const body otherLayer{0, 0, 0, 1};

// a and b apart by a gap along one axis (negative: on a's low side).
std::vector<body> gap(float gx, float gy, float gz, int layer = 0, bool solid = true)
{
    auto sideBySide = [](float g, float reach) { return g == 0 ? 0 : g + (g > 0 ? reach : -reach); };
    return {a, {sideBySide(gx, 2 * obw), sideBySide(gy, 2 * obd), sideBySide(gz, 2 * obh), layer, solid}};
}

// a, b on another layer beside it, and c placed like gap() places b.
std::vector<body> third(float gx, float gy, float gz, int layer = 0)
{
    std::vector<body> bodies = gap(gx, gy, gz, layer);
    bodies.insert(bodies.begin() + 1, {-2 * obw - 0.01f, 0, 0, 1});
    return bodies;
}

conditionRow touch(int predicate, std::vector<body> bodies, bool want)
{
    return {objects, predicate, 1, std::move(bodies), want};
}


void scores()
{
    world.worldSetObjectScore(4, 0, 0);
    world.worldSetObjectScore(3, 1, 0);
    world.setGlobalScore(2, 5);
    world.setGlobalScore(7, 3);
    world.setGlobalScore(8, 4);
    world.setGlobalScore(9, 9);
}

// Terrain rising from 0 to 6 over the tiles of index 2 along x (or y).
void slope(bool alongX)
{
    for (int i = 0; i < 10; ++i) world.worldSetTileHeight(6, alongX ? 2 : i, alongX ? i : 2, 0);
}

const conditionRow rows[] = {
    touch(stepTouching, gap(1.0f, 0, 0), true),
    touch(stepTouching, gap(1.2f, 0, 0), false),
    touch(stepTouching, gap(-1.0f, 0, 0), true),
    touch(stepTouching, gap(0, 1.0f, 0), true),
    touch(stepTouching, gap(0, -1.0f, 0), true),
    touch(stepTouching, gap(0, 0, 1.0f), true),
    touch(stepTouching, gap(0, 0, -1.0f), true),
    touch(stepTouching, gap(0, -1.2f, 0), false),
    touch(stepTouching, {a, {2 * obw + 0.5f, 2 * obd + 0.5f, 0}}, false),  // near on two axes at once
    touch(stepTouching, gap(1.0f, 0, 0, 1), false),
    touch(stepTouching, gap(0, 0, 0, 0, false), false),
    touch(stepTouching, {a, otherLayer}, false),
    {objects, stepTouching, 0, {a}, true},
    {objects, stepTouching, 0, {{0, 0, 0, 0, false}}, false},
    touch(stepTouchingTop, gap(0, 0.04f, 0), true),
    touch(stepTouchingTop, gap(0, 0.06f, 0), false),
    touch(stepTouchingTop, gap(0, -0.04f, 0), false),
    touch(stepTouchingBottom, gap(0, -0.04f, 0), true),
    touch(stepTouchingBottom, gap(0, 0.04f, 0), false),
    touch(stepTouchingLeft, gap(-0.04f, 0, 0), true),
    touch(stepTouchingLeft, gap(0.04f, 0, 0), false),
    touch(stepTouchingRight, gap(0.04f, 0, 0), true),
    touch(stepTouchingRight, gap(-0.04f, 0, 0), false),
    touch(stepTouchingRight, gap(1.0f, 0, 0), false),
    touch(stepTouchingRight, gap(0.04f, 0, 0, 1), false),
    touch(stepTouchingRight, gap(0.04f, 0, 0, 0, false), false),
    touch(stepAnyTouch, third(0, 0, 1.0f), true),
    touch(stepAnyTouch, third(0, 0, 1.0f, 1), false),
    touch(stepAnyTouch, third(0, 1.2f, 0), false),
    {objects, stepAnyTouch, 1, {{0, 0, 0, 0, false}, {0, 0, 0.1f}}, false},
    touch(stepTopAnyTouch, third(0, 0, 1.0f), true),
    touch(stepTopAnyTouch, third(0, 0, -1.0f), false),
    touch(stepTopAnyTouch, third(0, 0, 1.0f, 1), false),
    touch(stepBottomAnyTouch, third(0, 0, -1.0f, 1), true),
    touch(stepBottomAnyTouch, third(0, 0, 1.0f), false),
    touch(stepLeftAnyTouch, third(-0.04f, 0, 0), true),
    touch(stepLeftAnyTouch, third(0.04f, 0, 0), false),
    touch(stepLeftAnyTouch, third(-0.04f, 0, 0, 1), false),
    touch(stepRightAnyTouch, third(0.04f, 0, 0), true),
    touch(stepRightAnyTouch, third(-0.04f, 0, 0), false),
    touch(stepRightAnyTouch, third(0.04f, 0, 0, 1), false),
    touch(stepNotTouching, gap(0.02f, 0, 0), true),
    touch(stepNotTouching, gap(-0.005f, 0, 0), false),
    touch(stepNotTouching, gap(0, 0.005f, 0), false),
    touch(stepNotTouching, gap(0, -0.005f, 0), false),
    touch(stepNotTouching, gap(0.005f, 0, 0), false),
    touch(stepNotTouching, gap(5, 0, 0, 1), false),
    touch(stepAlive, {a, a}, true),
    {objects, stepAlive, 1, {a, a}, false, [] { world.worldSetObjectLife(false, 0, 0); }},
    {objects, stepDead, 1, {a, a}, true, [] { world.worldSetObjectLife(false, 0, 0); }},
    touch(stepDead, {a, a}, false),
    touch(stepVisible, {a, a}, true),
    {objects, stepVisible, 1, {a, a}, false, [] { world.worldSetObjectVisible(false, 0, 0); }},
    {objects, stepInvisible, 1, {a, a}, true, [] { world.worldSetObjectVisible(false, 0, 0); }},
    touch(stepInvisible, {a, a}, false),
    touch(stepReserved415, gap(0, 0, 0), false),
    touch(stepReserved416, gap(0, 0, 0), false),
    touch(stepGreaterThan, gap(0, 0, 0), false),
    touch(stepLClicked, gap(0, 0, 0), false),
    touch(stepTouching - 1, gap(0, 0, 0), false),
    touch(stepTouchingTerrain + 1, gap(0, 0, 0), false),
    touch(stepTouching, {a, {2 * obw, 0, 0}}, true),  // sharing a face
    touch(stepNotTouching, {a, {0, 2 * obd, 0}}, false),
    // a's score is 4, b's 3; global scores 2, 7, 8 and 9 are 5, 3, 4 and 9.
    {objects, stepScoreMoreThan, 3, {a, a}, true, scores},
    {objects, stepScoreMoreThan, 4, {a, a}, false, scores},
    {objects, stepScoreLessThan, 5, {a, a}, true, scores},
    {objects, stepScoreLessThan, 4, {a, a}, false, scores},
    {objects, stepScoreEqualTo, 4, {a, a}, true, scores},
    {objects, stepScoreEqualTo, 3, {a, a}, false, scores},
    {objects, stepScoreGreaterThanObj, 1, {a, a}, true, scores},
    {objects, stepScoreGreaterThanObj, 0, {a, a}, false, scores},
    {objects, stepScoreLessThanObj, 1, {a, a}, true, [] { scores(); world.worldSetObjectScore(5, 1, 0); }},
    {objects, stepScoreLessThanObj, 0, {a, a}, false, scores},
    {objects, stepScoreEqualToObj, 0, {a, a}, true, scores},
    {objects, stepScoreEqualToObj, 1, {a, a}, false, scores},
    {objects, stepScoreGreaterThanGbl, 7, {a, a}, true, scores},
    {objects, stepScoreGreaterThanGbl, 8, {a, a}, false, scores},
    {objects, stepScoreLessThanGbl, 2, {a, a}, true, scores},
    {objects, stepScoreLessThanGbl, 8, {a, a}, false, scores},
    {objects, stepScoreEqualToGbl, 8, {a, a}, true, scores},
    {objects, stepScoreEqualToGbl, 2, {a, a}, false, scores},
    // Global score 2 (5) against a number, a global score, an object's score.
    {globalScore, stepGreaterThan, 4, {a, a}, true, scores},
    {globalScore, stepGreaterThan, 5, {a, a}, false, scores},
    {globalScore, stepLessThan, 6, {a, a}, true, scores},
    {globalScore, stepLessThan, 5, {a, a}, false, scores},
    {globalScore, stepEqualTo, 5, {a, a}, true, scores},
    {globalScore, stepEqualTo, 4, {a, a}, false, scores},
    {globalScore, stepGreaterThanGbl, 7, {a, a}, true, scores},
    {globalScore, stepGreaterThanGbl, 2, {a, a}, false, scores},
    {globalScore, stepLessThanGbl, 9, {a, a}, true, scores},
    {globalScore, stepLessThanGbl, 2, {a, a}, false, scores},
    {globalScore, stepEqualToGbl, 2, {a, a}, true, scores},
    {globalScore, stepEqualToGbl, 8, {a, a}, false, scores},
    {globalScore, stepGreaterThanObj, 0, {a, a}, true, scores},
    {globalScore, stepGreaterThanObj, 1, {a, a}, false, [] { scores(); world.worldSetObjectScore(5, 1, 0); }},
    {globalScore, stepLessThanObj, 1, {a, a}, true, [] { scores(); world.worldSetObjectScore(6, 1, 0); }},
    {globalScore, stepLessThanObj, 0, {a, a}, false, scores},
    {globalScore, stepEqualToObj, 1, {a, a}, true, [] { scores(); world.worldSetObjectScore(5, 1, 0); }},
    {globalScore, stepEqualToObj, 0, {a, a}, false, scores},
    {globalScore, stepScoreEqualToGbl, 2, {a, a}, false, scores},
    {globalScore, stepLClicked, 2, {a, a}, false, scores},
    // The box overlap alone, boundaries included, each axis with its own reach.
    {collide, 0, 1, gap(0.25f, 0, 0), true, nullptr, 0.25f, 0, 0},
    {collide, 0, 1, gap(0.25f, 0, 0), false, nullptr, 0.125f, 0, 0},
    {collide, 0, 1, gap(0.25f, 0, 0), false, nullptr, 0, 0.25f, 0.25f},
    {collide, 0, 1, gap(-0.25f, 0, 0), true, nullptr, -0.25f, 0, 0},
    {collide, 0, 1, gap(-0.25f, 0, 0), false, nullptr, -0.125f, 0, 0},
    {collide, 0, 1, gap(0, 0.25f, 0), true, nullptr, 0, 0.25f, 0},
    {collide, 0, 1, gap(0, 0.25f, 0), false, nullptr, 0, 0.125f, 0},
    {collide, 0, 1, gap(0, -0.25f, 0), true, nullptr, 0, -0.25f, 0},
    {collide, 0, 1, gap(0, -0.25f, 0), false, nullptr, 0, -0.125f, 0},
    {collide, 0, 1, gap(0, 0, 0.25f), true, nullptr, 0, 0, 0.25f},
    {collide, 0, 1, gap(0, 0, 0.25f), false, nullptr, 0, 0, 0.125f},
    {collide, 0, 1, gap(0, 0, -0.25f), true, nullptr, 0, 0, -0.25f},
    {collide, 0, 1, gap(0, 0, -0.25f), false, nullptr, 0, 0, -0.125f},
    {collide, 0, 1, gap(0, 0, 0), true},
    {collide, 0, 1, gap(0, 0, 0, 0, false), false},
    {collide, 0, 1, {{0, 0, 0, 0, false}, a}, false},
    {collide, 0, 2, gap(0, 0, 0), false},
    // The box bottom (z - 0.25) touches ground that lies at most 1 below it.
    {terrain, 0, 0, {{0, 0, 1.2f - originZ}}, true},
    {terrain, 0, 0, {{0, 0, 1.3f - originZ}}, false},
    {terrain, 0, 0, {{0, 0, 1.2f - originZ, 0, false}}, true},
    {terrain, 0, 0, {{0, 0, 6.2f - originZ}}, true, [] { slope(true); }},  // ground at 5 under x = 10
    {terrain, 0, 0, {{0, 0, 6.3f - originZ}}, false, [] { slope(true); }},
    {terrain, 0, 0, {{0, 0, 6.2f - originZ}}, true, [] { slope(false); }},
    {terrain, 0, 0, {{0, 0, 6.3f - originZ}}, false, [] { slope(false); }},
    {terrain, 0, 0, {{-6, 0, 1.3f - originZ}}, false, [] { slope(true); }},  // flat tiles under x = 4
    {terrain, 0, 0, {{3, 0, 3.7f - originZ}}, true, [] { slope(true); }},  // ground at 2.5 under x = 13
    {terrain, 0, 0, {{3, 0, 3.8f - originZ}}, false, [] { slope(true); }},
    {label, 0, 7, {a, a}, true, [] { world.worldSetObjectLabel(7, 1, 0); }},
    {label, 0, 7, {a, a}, false, [] { world.worldSetObjectLabel(7, 1, 0); world.worldSetObjectLife(false, 1, 0); }},
    {label, 0, 8, {a, a}, false, [] { world.worldSetObjectLabel(7, 1, 0); }},
};

bool evaluate(const conditionRow& row)
{
    switch (row.kind) {
    case objects: return compareObjects(0, row.predicate, row.value);
    case globalScore: return compareGlobalScore(2, row.predicate, row.value);
    case collide: return checkObjectCollide(0, row.dx, row.dy, row.dz, row.value);
    case terrain: return checkTerrainCollide(0);
    default: return compareLabel(row.value);
    }
}

TEST(ConditionTable, EachTestAnswersAsItsCaseWants)
{
    int n = 0;
    for (const conditionRow& row : rows) {
        worldtest::resetGlobals();
        worldtest::makeWorld(2, static_cast<int>(row.bodies.size()), 10, 10);
        world.setCurrentMap(0);
        for (size_t o = 0; o < row.bodies.size(); ++o) {
            const body& b = row.bodies[o];
            const int i = static_cast<int>(o);
            world.worldSetObject(originX + b.dx, originY + b.dy, originZ + b.dz, 1, 1, 1, 0, b.layer, i, 0);
            world.setObstructionSize(obw, obh, obd, i, 0);
            if (!b.solid) world.worldSetObjectObstructionState(false, i, 0);  // a new object is solid
        }
        if (row.setup) row.setup();
        EXPECT_EQ(evaluate(row), row.want) << "row " << n << ": predicate " << row.predicate << " value " << row.value;
        ++n;
    }
}

}  // namespace
