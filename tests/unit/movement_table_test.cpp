// Object movement, one row per case: a fifth of the requested step, the map's
// edges, the clamp of a negative place to 0, the lift onto the terrain and
// the per-axis blocking by solid objects.
#include <gtest/gtest.h>

#include <tuple>

#include "tests/unit/world_test_util.h"
#include "world/movement.h"

namespace {

// The map is 10 x 8 tiles: x runs from 0 to 54 and y from 0 to 42. The mover
// (object 0) reaches 0.5 along x, 0.375 along y and 1 up and down.
constexpr int mapW = 10, mapH = 8;
constexpr float obw = 0.5f, obd = 0.375f, obh = 1.0f;

// An obstacle: centre, half-sizes, solidity and layer.
struct obstacle {
    float x, y, z, w = 0.5f, d = 0.375f, h = 1.0f;
    bool solid = true;
    int layer = 0;
};

struct moveRow {
    float x, y, z, dx, dy, dz;
    float wantX, wantY, wantZ;
    std::vector<obstacle> others = {};
    void (*setup)() = nullptr;
};

// The height of the terrain scan's first sample at or below `ground`: from
// 50 down in float steps of 0.2.
float sampleBelow(float ground)
{
    float t = 50.0f;
    while (t > ground) t -= 0.2f;
    return t;
}

const float rest = sampleBelow(0) + obh;  // resting on flat ground: about 0.9999

void raise() { for (int x = 0; x < mapW; ++x) for (int y = 0; y < mapH; ++y) world.worldSetTileHeight(2.1f, x, y, 0); }
// Rising from 0 to 6 over tile index 2 along x: the ground under x = 10 is at 5.
void slope() { for (int y = 0; y < mapH; ++y) world.worldSetTileHeight(6, 2, y, 0); }
// A plane through the corner heights -1, 2, 2 and 5 of the patch under (0..12, 0..12):
// the ground under (11, 11) is at 4.5.
void tilted()
{
    for (const auto& [x, y, height] : {std::tuple{1, 1, -1.0f}, {2, 1, 2.0f}, {1, 2, 2.0f}, {2, 2, 5.0f}})
        world.worldSetTileHeight(height, x, y, 0);
}
void deep() { for (int x = 0; x < mapW; ++x) for (int y = 0; y < mapH; ++y) world.worldSetTileHeight(-30, x, y, 0); }
void unsolid() { world.worldSetObjectObstructionState(false, 0, 0); }

const moveRow rows[] = {
    // A fifth of the step, in the air above flat ground.
    {20, 20, 5, 1.25f, -2.5f, 1.25f, 20.25f, 19.5f, 5.25f},
    {20, 20, 5, 0, 0, 0, 20, 20, 5},
    // Edges: a step that reaches or passes the far edge, or passes 0, is dropped on its axis.
    {53.5f, 20, 5, 1.25f, 0, 0, 53.75f, 20, 5},
    {53.75f, 20, 5, 1.25f, 0, 0, 53.75f, 20, 5},
    {53.9f, 20, 5, 1, 0, 0, 53.9f, 20, 5},
    {53.7f, 20, 5, 1, 0, 0, 53.9f, 20, 5},
    {20, 41.5f, 5, 0, 1.25f, 0, 20, 41.75f, 5},
    {20, 41.75f, 5, 0, 1.25f, 0, 20, 41.75f, 5},
    {41.75f, 41.75f, 5, 1.25f, 1.25f, 0, 42, 41.75f, 5},
    {0.25f, 20, 5, -1.25f, 0, 0, 0, 20, 5},
    {0.125f, 20, 5, -1.25f, 0, 0, 0.125f, 20, 5},
    {20, 0.25f, 5, 0, -1.25f, 0, 20, 0, 5},
    {20, 0.125f, 5, 0, -1.25f, 0, 20, 0.125f, 5},
    {20, 0.1f, 5, 0, -1, 0, 20, 0.1f, 5},
    {20, 0.3f, 5, 0, -1, 0, 20, 0.1f, 5},
    // A negative place is set to 0 first.
    {-2, 20, 5, 1.25f, 0, 0, 0.25f, 20, 5},
    {-2, 20, 5, -1.25f, 0, 0, 0, 20, 5},
    {20, -2, 5, 0, 1.25f, 0, 20, 0.25f, 5},
    {-2, -3, 5, 0, 0, 0, 0, 0, 5},
    // The box bottom is lifted onto the ground sample under the object, never lowered.
    {20, 20, 0.5f, 0, 0, 0, 20, 20, rest},
    {20, 20, 1.0f, 0, 0, 1, 20, 20, 1.2f},
    {20, 20, 1.0f, 0, 0, -1, 20, 20, 0.8f},
    {20, 20, 0.8f, 0, 0, -1, 20, 20, rest - 0.2f},
    {20, 20, 0, 0, 0, 0, 20, 20, sampleBelow(2.1f) + obh, {}, raise},
    {20, 20, 0, 1.25f, 0, 1.25f, 20.25f, 20, sampleBelow(2.1f) + obh + 0.25f, {}, raise},
    {10, 20, 0, 0, 0, 0, 10, 20, sampleBelow(5) + obh, {}, slope},
    {10, 20, 7, 0, 0, 0, 10, 20, 7, {}, slope},
    {-2, 20, 0, 0, 0, 0, 0, 20, rest, {}, slope},
    {11, 11, 0, 0, 0, 0, 11, 11, sampleBelow(4.5f) + obh, {}, tilted},  // near the highest corner
    {20, 20, -10, 0, 0, 0, 20, 20, -10, {}, deep},                        // ground below the scan's reach
    // Solid objects block each axis of the step on its own, boundaries included.
    {10, 10, 5, 1.25f, 1.25f, 0, 10, 10.25f, 5, {{11.125f, 10, 5}}},
    {10, 10, 5, 1.25f, 0, 0, 10, 10, 5, {{11.25f, 10, 5}}},
    {10, 10, 5, 1.25f, 0, 0, 10.25f, 10, 5, {{11.375f, 10, 5}}},
    {10, 10, 5, -1.25f, 0, 0, 10, 10, 5, {{8.75f, 10, 5}}},
    {10, 10, 5, 1.25f, 1.25f, 0, 10.25f, 10, 5, {{10, 11, 5}}},
    {10, 10, 5, 0, -1.25f, 0, 10, 10, 5, {{10, 9, 5}}},
    {10, 10, 5, 0, 1.25f, 0, 10, 10.25f, 5, {{10, 11.125f, 5}}},
    {10, 10, 5, 0, 0, 1.25f, 10, 10, 5, {{10, 10, 7.25f}}},
    {10, 10, 5, 0, 0, -1.25f, 10, 10, 5, {{10, 10, 2.75f}}},
    {10, 10, 5, 0, 0, 1.25f, 10, 10, 5.25f, {{10, 10, 7.375f}}},
    {10, 10, 5, 1.25f, 0, 0, 10, 10, 5, {{35.75f, 10, 5, 25}}},  // the largest box, met at the step's end
    {13, 10, 5, 130, 1.25f, 0, 39, 10, 5, {{13, 10.75f, 5}}},    // a long step away on x, into it on y
    {10, 10, 5, 1.25f, 0, 0, 10, 10, 5, {{11.25f, 10, 5, 0.5f, 0.375f, 1, true, 3}}},
    {10, 10, 5, 1.25f, 0, 0, 10.25f, 10, 5, {{11.25f, 10, 5, 0.5f, 0.375f, 1, false}}},
    {10, 10, 5, 1.25f, 0, 0, 10.25f, 10, 5, {{11.25f, 10, 5}}, unsolid},
    {10, 10, 5, 1.25f, 1.25f, 1.25f, 10, 10, 5, {{10.5f, 10.5f, 5.5f}}},
    {10, 10, 5, 1.25f, 0, 0, 10, 10, 5, {{30, 30, 5}, {11.25f, 10, 5}}},
};

TEST(MovementTable, EachStepLandsWhereItsCaseWants)
{
    int n = 0;
    for (const moveRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row " << n++);
        worldtest::resetGlobals();
        worldtest::makeWorld(1, 1 + static_cast<int>(row.others.size()), mapW, mapH);
        world.worldSetObject(row.x, row.y, row.z, 2, 3, 4, 5, 6, 0, 0);
        world.setObstructionSize(obw, obh, obd, 0, 0);
        for (size_t i = 0; i < row.others.size(); ++i) {
            const obstacle& o = row.others[i];
            const int j = static_cast<int>(i) + 1;
            world.worldSetObject(o.x, o.y, o.z, 1, 1, 1, 0, o.layer, j, 0);
            world.setObstructionSize(o.w, o.h, o.d, j, 0);
            world.worldSetObjectObstructionState(o.solid, j, 0);
        }
        if (row.setup) row.setup();
        moveObject(row.dx, row.dy, row.dz, 0, 0);
        const objectRecord r = readObjectRecord(0, 0);
        EXPECT_NEAR(r.x, row.wantX, 1e-4f);
        EXPECT_NEAR(r.y, row.wantY, 1e-4f);
        EXPECT_NEAR(r.z, row.wantZ, 1e-4f);
        EXPECT_EQ(r.w, 2);
        EXPECT_EQ(r.h, 3);
        EXPECT_EQ(r.d, 4);
        EXPECT_EQ(r.tex, 5);
        EXPECT_EQ(r.layer, 6);
        EXPECT_EQ(world.worldGetObjectCount(0), 1 + static_cast<int>(row.others.size()));
    }
    const int objects = world.worldGetObjectCount(0);
    moveObject(1, 0, 0, objects, 0);  // an index that names no object moves and adds nothing
    EXPECT_EQ(world.worldGetObjectCount(0), objects);
}

}  // namespace
