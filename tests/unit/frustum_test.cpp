// View-frustum extraction and the visibility tests.
#include <gtest/gtest.h>

#include <cmath>

#include "media/frustum.h"

namespace {

const float identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};

class FrustumTest : public ::testing::Test {
protected:
    void SetUp() override { extractFrustumFrom(identity, identity); }
};

TEST_F(FrustumTest, IdentityViewGivesTheUnitCubeFacingInwards)
{
    const float expected[frustumPlaneCount][4] = {
        {-1, 0, 0, 1}, {1, 0, 0, 1}, {0, 1, 0, 1}, {0, -1, 0, 1}, {0, 0, -1, 1}, {0, 0, 1, 1},
    };
    for (int p = 0; p < frustumPlaneCount; ++p)
        for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(frustum[p][k], expected[p][k]) << p << "," << k;
}

TEST_F(FrustumTest, PointOnAPlaneIsOutside)
{
    EXPECT_TRUE(PointInFrustum(0, 0, 0));
    EXPECT_FALSE(PointInFrustum(1, 0, 0));
    EXPECT_FALSE(PointInFrustum(0, 0, -1));
    EXPECT_TRUE(PointInFrustum(0.99f, -0.99f, 0.99f));
}

TEST_F(FrustumTest, SphereAnswersItsDepthPastTheNearPlane)
{
    EXPECT_FLOAT_EQ(SphereInFrustum(0, 0, 0, 0.5f), 1.5f);
    EXPECT_FLOAT_EQ(SphereInFrustum(3, 0, 0, 1), 0.0f);
    EXPECT_FLOAT_EQ(SphereInFrustum(1.5f, 0, 0, 0.5f), 0.0f);
    EXPECT_GT(SphereInFrustum(1.4f, 0, 0, 0.5f), 0.0f);
    EXPECT_FLOAT_EQ(SphereInFrustum(0, 0, 0.5f, 0.25f), 1.75f);
}

TEST_F(FrustumTest, CubeIsInsideWhileACornerIsInsideEveryPlane)
{
    EXPECT_TRUE(CubeInFrustum(1.2f, 0, 0, 0.3f));
    EXPECT_FALSE(CubeInFrustum(1.5f, 0, 0, 0.4f));
    EXPECT_FALSE(CubeInFrustum(0, -5, 0, 1));
}

TEST(FrustumPerspective, PlanesOfAPerspectiveViewAreNormalised)
{
    // gluPerspective(90, 1, 1, 100), camera at the origin looking down -z.
    const float n = 1, f = 100;
    const float proj[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, (f + n) / (n - f), -1, 0, 0, 2 * f * n / (n - f), 0};
    extractFrustumFrom(proj, identity);
    for (const auto& plane : frustum)
        EXPECT_NEAR(std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]), 1.0f, 1e-5f);
    EXPECT_NEAR(frustum[frustumNear][3], -1.0f, 1e-4f);
    EXPECT_NEAR(frustum[frustumFar][3], 100.0f, 1e-3f);
    EXPECT_TRUE(PointInFrustum(0, 0, -50));
    EXPECT_FALSE(PointInFrustum(0, 0, -0.5f));
    EXPECT_FALSE(PointInFrustum(0, 0, -101));
    EXPECT_FALSE(PointInFrustum(60, 0, -50));  // beyond the 45-degree side plane
    EXPECT_TRUE(PointInFrustum(40, 0, -50));
    EXPECT_NEAR(SphereInFrustum(0, 0, -10, 1), 10.0f, 1e-4f);  // 9 past the near plane plus the radius
}

}  // namespace
