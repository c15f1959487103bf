// Vector maths and the ray-quadrilateral test, on the cases that catch sign,
// order and boundary errors.
#include <gtest/gtest.h>

#include <cmath>

#include "media/3dmath.h"
#include "media/collision.h"

namespace {

void expectVector(const CVector3D& v, float x, float y, float z)
{
    EXPECT_NEAR(v.x, x, 1e-6);
    EXPECT_NEAR(v.y, y, 1e-6);
    EXPECT_NEAR(v.z, z, 1e-6);
}

TEST(VectorTest, MemberOperations)
{
    const CVector3D a(1, 2, 3), b(4, 5, 6);
    expectVector(a + b, 5, 7, 9);
    expectVector(a - b, -3, -3, -3);
    expectVector(a * 2.0f, 2, 4, 6);
    expectVector(a.Cross(b), -3, 6, -3);
    expectVector(Cross(b, a), 3, -6, 3);
    EXPECT_FLOAT_EQ(a.Dot(b), 32.0f);
    EXPECT_FLOAT_EQ(CVector3D(3, 4, 0).Magnitude(), 5.0f);
    CVector3D c(0, 3, 4);
    c.Normalize();
    expectVector(c, 0, 0.6f, 0.8f);
    CVector3D d;
    d = a;
    expectVector(d, 1, 2, 3);
}

TEST(VectorTest, ZeroVectorsNormaliseToNotANumber)
{
    CVector3D z;
    z.Normalize();
    EXPECT_TRUE(std::isnan(z.x));
    EXPECT_TRUE(std::isnan(Normalize(CVector3D()).y));
}

TEST(VectorTest, NormalFollowsTheVertexOrder)
{
    const CVector3D tri[] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    expectVector(Normal(tri), 0, 0, -1);
    const CVector3D flipped[] = {{0, 0, 0}, {0, 1, 0}, {1, 0, 0}};
    expectVector(Normal(flipped), 0, 0, 1);
    EXPECT_FLOAT_EQ(Absolute(-2.5f), 2.5f);
    EXPECT_FLOAT_EQ(Distance(CVector3D(1, 1, 1), CVector3D(4, 5, 1)), 5.0f);
    EXPECT_FLOAT_EQ(PlaneDistance(CVector3D(0, 1, 0), CVector3D(3, 2, 1)), -2.0f);
}

TEST(VectorTest, ClosestPointOnLineClampsToTheEnds)
{
    const CVector3D a(0, 0, 0), b(4, 0, 0);
    expectVector(ClosestPointOnLine(a, b, CVector3D(-1, 3, 0)), 0, 0, 0);
    expectVector(ClosestPointOnLine(a, b, CVector3D(0, 3, 0)), 0, 0, 0);
    expectVector(ClosestPointOnLine(a, b, CVector3D(4, 3, 0)), 4, 0, 0);
    expectVector(ClosestPointOnLine(a, b, CVector3D(9, -3, 0)), 4, 0, 0);
    expectVector(ClosestPointOnLine(a, b, CVector3D(1.5f, 2, 7)), 1.5f, 0, 0);
}

const CVector3D square[] = {{0, 0, 0}, {2, 0, 0}, {2, 2, 0}, {0, 2, 0}};

TEST(VectorTest, SegmentAgainstPlaneAndPolygon)
{
    CVector3D n;
    float d = 99;
    const CVector3D crossing[] = {{1, 1, 1}, {1, 1, -1}};
    EXPECT_TRUE(IntersectedPlane(square, crossing, n, d));
    expectVector(n, 0, 0, -1);
    EXPECT_FLOAT_EQ(d, 0.0f);
    const CVector3D touching[] = {{1, 1, 1}, {1, 1, 0}};
    d = 99;
    EXPECT_FALSE(IntersectedPlane(square, touching, n, d));
    EXPECT_FLOAT_EQ(d, 0.0f);  // set whatever the result
    const CVector3D above[] = {{1, 1, 1}, {1, 1, 2}};
    EXPECT_FALSE(IntersectedPlane(square, above, n, d));

    EXPECT_TRUE(IntersectedPolygon(square, crossing, 4));
    const CVector3D outside[] = {{3, 1, 1}, {3, 1, -1}};
    EXPECT_FALSE(IntersectedPolygon(square, outside, 4));
    EXPECT_FALSE(IntersectedPolygon(square, crossing, 2));
}

TEST(VectorTest, IntersectionPoint)
{
    const CVector3D line[] = {{1, 2, 5}, {1, 2, 3}};
    expectVector(IntersectionPoint(CVector3D(0, 0, 1), line, -1.0), 1, 2, 1);
    const CVector3D parallel[] = {{1, 2, 5}, {3, 2, 5}};
    expectVector(IntersectionPoint(CVector3D(0, 0, 1), parallel, 0.0), 1, 2, 5);
}

TEST(VectorTest, AngleSumInsideTest)
{
    EXPECT_TRUE(InsidePolygon(CVector3D(1, 1, 0), square, 4));
    EXPECT_FALSE(InsidePolygon(CVector3D(5, 5, 0), square, 4));
    EXPECT_FALSE(InsidePolygon(CVector3D(1, 1, 0), square, 0));
    EXPECT_NEAR(AngleBetweenVectors(CVector3D(1, 0, 0), CVector3D(0, 1, 0)), M_PI / 2, 1e-6);
    EXPECT_EQ(AngleBetweenVectors(CVector3D(), CVector3D(0, 1, 0)), 0.0);
    EXPECT_NEAR(AngleBetweenVectors(CVector3D(1, 0, 0), CVector3D(-1, 0, 0)), M_PI, 1e-6);
}

TEST(VectorTest, SphereTests)
{
    CVector3D n(0, 0, 1), p(0, 0, 0), c(1, 1, 0.5f);
    float d = 0;
    EXPECT_EQ(ClassifySphere(c, n, p, 1.0f, d), sphereIntersects);
    EXPECT_FLOAT_EQ(d, 0.5f);
    c = CVector3D(1, 1, 1);
    EXPECT_EQ(ClassifySphere(c, n, p, 1.0f, d), sphereFront);  // touching is not intersecting
    c = CVector3D(1, 1, -1);
    EXPECT_EQ(ClassifySphere(c, n, p, 1.0f, d), sphereBehind);
    c = CVector3D(1, 1, -3);
    EXPECT_EQ(ClassifySphere(c, n, p, 1.0f, d), sphereBehind);

    expectVector(GetCollisionOffset(n, 1.0f, 0.25f), 0, 0, 0.75f);
    expectVector(GetCollisionOffset(n, 1.0f, -0.25f), 0, 0, -0.75f);
    expectVector(GetCollisionOffset(n, 2.0f, 0.0f), 0, 0, -2.0f);

    EXPECT_TRUE(SphereSphereCollision(CVector3D(0, 0, 0), 1, CVector3D(3, 0, 0), 2));
    EXPECT_FALSE(SphereSphereCollision(CVector3D(0, 0, 0), 1, CVector3D(3.01f, 0, 0), 2));
}

TEST(VectorTest, SphereAgainstPolygon)
{
    CVector3D over(1.5f, 0.5f, 0.5f);  // over the first three corners
    EXPECT_TRUE(SpherePolygonCollision(square, over, 4, 1.0f));
    CVector3D nearEdge(2.3f, 1, 0.1f);  // centre beyond the edge, sphere reaching it
    EXPECT_TRUE(EdgeSphereCollision(nearEdge, square, 4, 0.5f));
    EXPECT_TRUE(SpherePolygonCollision(square, nearEdge, 4, 0.5f));
    CVector3D far(4, 1, 0.1f);
    EXPECT_FALSE(SpherePolygonCollision(square, far, 4, 0.5f));
    CVector3D high(1, 1, 3);
    EXPECT_FALSE(SpherePolygonCollision(square, high, 4, 1.0f));
}

// The unit square in the y = 0 plane, V00, V10, V11, V01.
const quadrilateral unitSquare(point(0, 0, 0), point(1, 0, 0), point(1, 0, 1), point(0, 0, 1));

TEST(RayQuadTest, HitFromAbove)
{
    real u = -1, v = -1, t = -1;
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(0.5, 2, 0.5), vector(0, -1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(u, 0.5);
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_DOUBLE_EQ(t, 2.0);
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(0.5, 2, 0.5), vector(0, -2, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(t, 1.0);
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(0.25, 1, 0.75), vector(0, -1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(u, 0.25);
    EXPECT_DOUBLE_EQ(v, 0.75);
}

TEST(RayQuadTest, Misses)
{
    real u = 7, v = 7, t = 7;
    EXPECT_FALSE(intersect_quadrilateral_ray(unitSquare, ray(point(0.5, 2, 0.5), vector(0, 1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(t, -2.0);
    EXPECT_EQ(u, 7.0);
    t = 7;
    EXPECT_FALSE(intersect_quadrilateral_ray(unitSquare, ray(point(0.5, 2, 0.5), vector(1, 0, 0)), u, v, t));
    EXPECT_EQ(t, 7.0);
    EXPECT_FALSE(intersect_quadrilateral_ray(unitSquare, ray(point(1.2, 2, 1.2), vector(0, -1, 0)), u, v, t));
    EXPECT_EQ(t, 7.0);
    EXPECT_FALSE(intersect_quadrilateral_ray(unitSquare, ray(point(-0.1, 2, 0.5), vector(0, -1, 0)), u, v, t));
    EXPECT_FALSE(intersect_quadrilateral_ray(unitSquare, ray(point(0.5, 2, -0.1), vector(0, -1, 0)), u, v, t));
    EXPECT_EQ(u, 7.0);
}

TEST(RayQuadTest, EdgesAndOrigin)
{
    real u = -1, v = -1, t = -1;
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(0.3, 1, 0), vector(0, -1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(u, 0.3);
    EXPECT_DOUBLE_EQ(v, 0.0);
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(0.4, 0, 0.6), vector(0, -1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(t, 0.0);
    ASSERT_TRUE(intersect_quadrilateral_ray(unitSquare, ray(point(1, 1, 1), vector(0, -1, 0)), u, v, t));
    EXPECT_NEAR(u, 1.0, 1e-12);
    EXPECT_NEAR(v, 1.0, 1e-12);
}

TEST(RayQuadTest, Trapezium)
{
    const quadrilateral trap(point(0, 0, 0), point(1, 0, 0), point(2, 0, 1), point(0, 0, 1));
    real u = -1, v = -1, t = -1;
    ASSERT_TRUE(intersect_quadrilateral_ray(trap, ray(point(1, 2, 0.5), vector(0, -1, 0)), u, v, t));
    EXPECT_DOUBLE_EQ(v, 0.5);
    EXPECT_NEAR(u, 2.0 / 3.0, 1e-12);
    EXPECT_DOUBLE_EQ(t, 2.0);
}

TEST(RayQuadTest, GeneralQuadrilateralUsesTheQuadraticRoot)
{
    // V11 off both unit barycentric coordinates: (1.5, 1.25) in the u, v frame.
    const quadrilateral q(point(0, 0, 0), point(1, 0, 0), point(1.5, 0, 1.25), point(0, 0, 1));
    const real us[] = {0.2, 0.5, 0.8}, vs[] = {0.3, 0.6, 0.9};
    for (real eu : us)
        for (real ev : vs) {
            // The bilinear point P(u, v) of the corners.
            const real x = (1 - eu) * (1 - ev) * 0 + eu * (1 - ev) * 1 + eu * ev * 1.5 + (1 - eu) * ev * 0;
            const real z = eu * ev * 1.25 + (1 - eu) * ev * 1;
            real u = -1, v = -1, t = -1;
            ASSERT_TRUE(intersect_quadrilateral_ray(q, ray(point(x, 3, z), vector(0, -1, 0)), u, v, t));
            EXPECT_NEAR(u, eu, 1e-9);
            EXPECT_NEAR(v, ev, 1e-9);
            EXPECT_NEAR(t, 3.0, 1e-12);
        }
}

}  // namespace
