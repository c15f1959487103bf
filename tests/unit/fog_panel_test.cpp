// The fog panel's functions on the current map: steps of a tenth that reach
// both ends of 0.1 to 1.0 and stop there, the switch, and the other maps and
// numbers left alone.
#include <gtest/gtest.h>

#include "menus/fog_panel.h"
#include "world/world.h"

namespace {

struct fogState {
    bool on;
    float density, r, g, b;
};

fogState fogOf(int m)
{
    fogState f{};
    world.worldGetFog(f.on, f.density, f.r, f.g, f.b, m);
    return f;
}

TEST(FogPanel, StepsReachBothEndsAndChangeOnlyTheCurrentMap)
{
    world = gameWorld();
    world.allocateMaps(2);
    world.worldSetMap(4, 4, "first", 0);
    world.worldSetMap(4, 4, "second", 1);
    world.setCurrentMap(1);

    // A new map: fog off, density 0, white. Ten steps up from 0 end on 1.0.
    for (int i = 0; i < 12; ++i) menuFunction(fogFunctionDensityUp);
    EXPECT_FLOAT_EQ(fogOf(1).density, 1.0f);
    for (int i = 0; i < 12; ++i) menuFunction(fogFunctionRedDown);
    EXPECT_FLOAT_EQ(fogOf(1).r, 0.1f);
    for (int i = 0; i < 3; ++i) menuFunction(fogFunctionRedUp);
    EXPECT_FLOAT_EQ(fogOf(1).r, 0.4f);
    for (int i = 0; i < 12; ++i) menuFunction(fogFunctionDensityDown);
    EXPECT_FLOAT_EQ(fogOf(1).density, 0.1f);
    menuFunction(fogFunctionGreenDown);
    menuFunction(fogFunctionBlueUp);  // white stays white
    EXPECT_FLOAT_EQ(fogOf(1).g, 0.9f);
    EXPECT_FLOAT_EQ(fogOf(1).b, 1.0f);

    menuFunction(fogFunctionToggle);
    EXPECT_TRUE(fogOf(1).on);
    menuFunction(30);
    menuFunction(20);
    menuFunction(fogFunctionToggle);
    const fogState after = fogOf(1);
    EXPECT_FALSE(after.on);
    EXPECT_FLOAT_EQ(after.density, 0.1f);
    EXPECT_FLOAT_EQ(after.r, 0.4f);

    const fogState other = fogOf(0);
    EXPECT_FALSE(other.on);
    EXPECT_FLOAT_EQ(other.density, 0.0f);
    EXPECT_FLOAT_EQ(other.r, 1.0f);
    world = gameWorld();
}

}  // namespace
