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
    bool want;
    std::vector<body> bodies;
    void (*setup)() = nullptr;
    float dx = 0, dy = 0, dz = 0;  // the offset of checkObjectCollide
};

const body a{};

// a and b apart by a gap along one axis (negative: on a's low side).
std::vector<body> gap(float gx, float gy, float gz, int layer = 0, bool solid = true)
{
    auto sideBySide = [](float g, float reach) { return g == 0 ? 0 : g + (g > 0 ? reach : -reach); };
    return {a, {sideBySide(gx, 2 * obw), sideBySide(gy, 2 * obd), sideBySide(gz, 2 * obh), layer, solid}};
}

// a, b on another layer just beside it, and c placed as gap() places b.
std::vector<body> third(float gx, float gy, float gz, int layer = 0)
{
    std::vector<body> bodies = gap(gx, gy, gz, layer);
    bodies.insert(bodies.begin() + 1, {-2 * obw - 0.01f, 0, 0, 1});
    return bodies;
}

conditionRow touch(int predicate, std::vector<body> bodies, bool want)
{
    return {objects, predicate, 1, want, std::move(bodies)};
}
conditionRow score(testKind kind, int predicate, int value, bool want, void (*setup)() = nullptr)
{
    return {kind, predicate, value, want, {a, a}, setup};
}
conditionRow collision(float gx, float gy, float gz, float dx, float dy, float dz, bool want)
{
    return {collide, 0, 1, want, gap(gx, gy, gz), nullptr, dx, dy, dz};
}
conditionRow ground(float dx, float z, bool want, void (*setup)() = nullptr, bool solid = true)
{
    return {terrain, 0, 0, want, {{dx, 0, z - originZ, 0, solid}}, setup};
}

// a's score is 4, b's 3; global scores 2, 7, 8 and 9 are 5, 3, 4 and 9 (every row).
void scores()
{
    world.worldSetObjectScore(4, 0, 0);
    world.worldSetObjectScore(3, 1, 0);
    for (const auto& [id, value] : {std::pair{2, 5}, {7, 3}, {8, 4}, {9, 9}}) world.setGlobalScore(id, value);
}
void secondFive() { world.worldSetObjectScore(5, 1, 0); }
void secondSix() { world.worldSetObjectScore(6, 1, 0); }
void killA() { world.worldSetObjectLife(false, 0, 0); }
void hideA() { world.worldSetObjectVisible(false, 0, 0); }

// Terrain rising from 0 to 6 over the tiles of index 2 along x (or y).
void slope(bool alongX)
{
    for (int i = 0; i < 10; ++i) world.worldSetTileHeight(6, alongX ? 2 : i, alongX ? i : 2, 0);
}
void slopeX() { slope(true); }

const conditionRow rows[] = {
    // The seven near probes reach 1.1 along one axis at a time, on a's layer only.
    touch(stepTouching, gap(1.0f, 0, 0), true), touch(stepTouching, gap(1.2f, 0, 0), false),
    touch(stepTouching, gap(-1.0f, 0, 0), true), touch(stepTouching, gap(0, 1.0f, 0), true),
    touch(stepTouching, gap(0, -1.0f, 0), true), touch(stepTouching, gap(0, -1.2f, 0), false),
    touch(stepTouching, gap(0, 0, 1.0f), true), touch(stepTouching, gap(0, 0, -1.0f), true),
    touch(stepTouching, {a, {2 * obw + 0.5f, 2 * obd + 0.5f, 0}}, false),  // near on two axes at once
    touch(stepTouching, {a, {2 * obw, 0, 0}}, true),                       // sharing a face
    touch(stepTouching, gap(1.0f, 0, 0, 1), false), touch(stepTouching, gap(0, 0, 0, 0, false), false),
    touch(stepTouching, {a, {0, 0, 0, 1}}, false), {objects, stepTouching, 0, true, {a}},
    {objects, stepTouching, 0, false, {{0, 0, 0, 0, false}}},
    // The sided tests reach 0.05: top and bottom along y.
    touch(stepTouchingTop, gap(0, 0.04f, 0), true), touch(stepTouchingTop, gap(0, 0.06f, 0), false),
    touch(stepTouchingTop, gap(0, -0.04f, 0), false), touch(stepTouchingBottom, gap(0, -0.04f, 0), true),
    touch(stepTouchingBottom, gap(0, 0.04f, 0), false), touch(stepTouchingLeft, gap(-0.04f, 0, 0), true),
    touch(stepTouchingLeft, gap(0.04f, 0, 0), false), touch(stepTouchingRight, gap(0.04f, 0, 0), true),
    touch(stepTouchingRight, gap(-0.04f, 0, 0), false), touch(stepTouchingRight, gap(1.0f, 0, 0), false),
    touch(stepTouchingRight, gap(0.04f, 0, 0, 1), false), touch(stepTouchingRight, gap(0.04f, 0, 0, 0, false), false),
    // "Any" tests scan the other objects; top and bottom along z; only 407 takes every layer.
    touch(stepAnyTouch, third(0, 0, 1.0f), true), touch(stepAnyTouch, third(0, 0, 1.0f, 1), false),
    touch(stepAnyTouch, third(0, 1.2f, 0), false), {objects, stepAnyTouch, 1, false, {{0, 0, 0, 0, false}, a}},
    touch(stepAnyTouch, third(1.095f, 0, 0), true), touch(stepAnyTouch, third(0, 1.095f, 0), true),
    touch(stepAnyTouch, third(0, 0, -1.095f), true),  // just within the reach of 1.1
    touch(stepTopAnyTouch, third(0, 0, 1.0f), true), touch(stepTopAnyTouch, third(0, 0, -1.0f), false),
    touch(stepTopAnyTouch, third(0, 0, 1.0f, 1), false), touch(stepBottomAnyTouch, third(0, 0, -1.0f, 1), true),
    touch(stepBottomAnyTouch, third(0, 0, 1.0f), false), touch(stepLeftAnyTouch, third(-0.04f, 0, 0), true),
    touch(stepLeftAnyTouch, third(0.04f, 0, 0), false), touch(stepLeftAnyTouch, third(-0.04f, 0, 0, 1), false),
    touch(stepRightAnyTouch, third(0.04f, 0, 0), true), touch(stepRightAnyTouch, third(-0.04f, 0, 0), false),
    touch(stepRightAnyTouch, third(0.04f, 0, 0, 1), false),
    // "Not touching": no probe of 0.01 hits, on a's layer only.
    touch(stepNotTouching, gap(0.02f, 0, 0), true), touch(stepNotTouching, gap(-0.005f, 0, 0), false),
    touch(stepNotTouching, gap(0.005f, 0, 0), false), touch(stepNotTouching, gap(0, 0.005f, 0), false),
    touch(stepNotTouching, gap(0, -0.005f, 0), false), touch(stepNotTouching, gap(5, 0, 0, 1), false),
    touch(stepNotTouching, {a, {0, 2 * obd, 0}}, false),
    // Life and visibility of a; ids that are no predicate here.
    score(objects, stepAlive, 1, true), score(objects, stepAlive, 1, false, killA),
    score(objects, stepDead, 1, false), score(objects, stepDead, 1, true, killA),
    score(objects, stepVisible, 1, true), score(objects, stepVisible, 1, false, hideA),
    score(objects, stepInvisible, 1, false), score(objects, stepInvisible, 1, true, hideA),
    touch(stepReserved415, gap(0, 0, 0), false), touch(stepReserved416, gap(0, 0, 0), false),
    touch(stepGreaterThan, gap(0, 0, 0), false), touch(stepLClicked, gap(0, 0, 0), false),
    touch(stepTouching - 1, gap(0, 0, 0), false), touch(stepTouchingTerrain + 1, gap(0, 0, 0), false),
    // a's score against a number, object b's score, a global score.
    score(objects, stepScoreMoreThan, 3, true), score(objects, stepScoreMoreThan, 4, false),
    score(objects, stepScoreLessThan, 5, true), score(objects, stepScoreLessThan, 4, false),
    score(objects, stepScoreEqualTo, 4, true), score(objects, stepScoreEqualTo, 3, false),
    score(objects, stepScoreGreaterThanObj, 1, true), score(objects, stepScoreGreaterThanObj, 0, false),
    score(objects, stepScoreLessThanObj, 1, true, secondFive),
    score(objects, stepScoreLessThanObj, 0, false), score(objects, stepScoreEqualToObj, 0, true),
    score(objects, stepScoreEqualToObj, 1, false), score(objects, stepScoreGreaterThanGbl, 7, true),
    score(objects, stepScoreGreaterThanGbl, 8, false), score(objects, stepScoreLessThanGbl, 2, true),
    score(objects, stepScoreLessThanGbl, 8, false), score(objects, stepScoreEqualToGbl, 8, true),
    score(objects, stepScoreEqualToGbl, 2, false),
    // Global score 2 (5) against a number, a global score, an object's score.
    score(globalScore, stepGreaterThan, 4, true), score(globalScore, stepGreaterThan, 5, false),
    score(globalScore, stepLessThan, 6, true), score(globalScore, stepLessThan, 5, false),
    score(globalScore, stepEqualTo, 5, true), score(globalScore, stepEqualTo, 4, false),
    score(globalScore, stepGreaterThanGbl, 7, true), score(globalScore, stepGreaterThanGbl, 2, false),
    score(globalScore, stepLessThanGbl, 9, true), score(globalScore, stepLessThanGbl, 2, false),
    score(globalScore, stepEqualToGbl, 2, true), score(globalScore, stepEqualToGbl, 8, false),
    score(globalScore, stepGreaterThanObj, 0, true), score(globalScore, stepGreaterThanObj, 1, false, secondFive),
    score(globalScore, stepLessThanObj, 1, true, secondSix), score(globalScore, stepLessThanObj, 0, false),
    score(globalScore, stepEqualToObj, 1, true, secondFive), score(globalScore, stepEqualToObj, 0, false),
    score(globalScore, stepScoreEqualToGbl, 2, false), score(globalScore, stepLClicked, 2, false),
    // The box overlap alone, boundaries included, each axis with its own reach.
    collision(0.25f, 0, 0, 0.25f, 0, 0, true), collision(0.25f, 0, 0, 0.125f, 0, 0, false),
    collision(0.25f, 0, 0, 0, 0.25f, 0.25f, false), collision(-0.25f, 0, 0, -0.25f, 0, 0, true),
    collision(-0.25f, 0, 0, -0.125f, 0, 0, false), collision(0, 0.25f, 0, 0, 0.25f, 0, true),
    collision(0, 0.25f, 0, 0, 0.125f, 0, false), collision(0, -0.25f, 0, 0, -0.25f, 0, true),
    collision(0, -0.25f, 0, 0, -0.125f, 0, false), collision(0, 0, 0.25f, 0, 0, 0.25f, true),
    collision(0, 0, 0.25f, 0, 0, 0.125f, false), collision(0, 0, -0.25f, 0, 0, -0.25f, true),
    collision(0, 0, -0.25f, 0, 0, -0.125f, false), collision(0, 0, 0, 0, 0, 0, true),
    {collide, 0, 1, false, gap(0, 0, 0, 0, false)}, {collide, 0, 1, false, {{0, 0, 0, 0, false}, a}},
    {collide, 0, 2, false, gap(0, 0, 0)},
    // The box bottom (z - 0.25) touches ground that lies at most 1 below it, solid or not.
    ground(0, 1.2f, true), ground(0, 1.3f, false), ground(0, 1.2f, true, nullptr, false),
    ground(0, 6.2f, true, slopeX), ground(0, 6.3f, false, slopeX),  // ground at 5 under x = 10
    ground(0, 6.2f, true, [] { slope(false); }), ground(0, 6.3f, false, [] { slope(false); }),
    ground(-6, 1.3f, false, slopeX),                                  // flat tiles under x = 4
    ground(3, 3.7f, true, slopeX), ground(3, 3.8f, false, slopeX),    // ground at 2.5 under x = 13
    // A label is in play while an object that carries it is alive.
    {label, 0, 7, true, {a, a}, [] { world.worldSetObjectLabel(7, 1, 0); }},
    {label, 0, 7, false, {a, a}, [] { world.worldSetObjectLabel(7, 1, 0); world.worldSetObjectLife(false, 1, 0); }},
    {label, 0, 8, false, {a, a}, [] { world.worldSetObjectLabel(7, 1, 0); }},
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
        scores();
        if (row.setup) row.setup();
        EXPECT_EQ(evaluate(row), row.want) << "row " << n << ": predicate " << row.predicate << " value " << row.value;
        ++n;
    }
}

}  // namespace
