// Geometry over CVector3D, used for lighting normals and kept as the
// collision toolkit beside them.
#include "media/3dmath.h"

#include <cmath>

namespace {

constexpr double fullTurn = 2.0 * piDouble;
constexpr int triangleVertices = 3;  // a polygon needs at least three corners

}  // namespace

float Absolute(float num)
{
    return num < 0 ? -num : num;
}

CVector3D Cross(CVector3D vVector1, CVector3D vVector2)
{
    return vVector1.Cross(vVector2);
}

float Dot(CVector3D vVector1, CVector3D vVector2)
{
    return vVector1.Dot(vVector2);
}

CVector3D Normalize(CVector3D vNormal)
{
    vNormal.Normalize();
    return vNormal;
}

CVector3D Normal(const CVector3D vPolygon[])
{
    const CVector3D vVector1 = vPolygon[2] - vPolygon[0];
    const CVector3D vVector2 = vPolygon[1] - vPolygon[0];
    return Normalize(Cross(vVector1, vVector2));
}

float Distance(CVector3D vPoint1, CVector3D vPoint2)
{
    const double dx = static_cast<double>(vPoint2.x) - vPoint1.x;
    const double dy = static_cast<double>(vPoint2.y) - vPoint1.y;
    const double dz = static_cast<double>(vPoint2.z) - vPoint1.z;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy + dz * dz));
}

CVector3D ClosestPointOnLine(CVector3D vA, CVector3D vB, CVector3D vPoint)
{
    const CVector3D vVector1 = vPoint - vA;
    const CVector3D vVector2 = Normalize(vB - vA);
    const float d = Distance(vA, vB);
    const float t = Dot(vVector2, vVector1);
    if (t <= 0) return vA;
    if (t >= d) return vB;
    return vA + vVector2 * t;
}

float PlaneDistance(CVector3D Normal, CVector3D Point)
{
    return -Normal.Dot(Point);
}

bool IntersectedPlane(const CVector3D vPoly[], const CVector3D vLine[], CVector3D& vNormal, float& originDistance)
{
    vNormal = Normal(vPoly);
    originDistance = PlaneDistance(vNormal, vPoly[0]);
    const float distance1 = vNormal.Dot(vLine[0]) + originDistance;
    const float distance2 = vNormal.Dot(vLine[1]) + originDistance;
    return distance1 * distance2 < 0;
}

double AngleBetweenVectors(CVector3D Vector1, CVector3D Vector2)
{
    const float dotProduct = Dot(Vector1, Vector2);
    const float vectorsMagnitude = Vector1.Magnitude() * Vector2.Magnitude();
    const double angle = std::acos(static_cast<double>(dotProduct) / static_cast<double>(vectorsMagnitude));
    return std::isnan(angle) ? 0.0 : angle;
}

CVector3D IntersectionPoint(CVector3D vNormal, const CVector3D vLine[], double distance)
{
    CVector3D vLineDir = vLine[1] - vLine[0];
    vLineDir.Normalize();
    const double Numerator = -(static_cast<double>(vNormal.Dot(vLine[0])) + distance);
    const float Denominator = Dot(vNormal, vLineDir);
    if (Denominator == 0.0f) return vLine[0];
    const double dist = Numerator / Denominator;
    return CVector3D(static_cast<float>(vLine[0].x + vLineDir.x * dist),
                     static_cast<float>(vLine[0].y + vLineDir.y * dist),
                     static_cast<float>(vLine[0].z + vLineDir.z * dist));
}

bool InsidePolygon(CVector3D vIntersection, const CVector3D Poly[], long verticeCount)
{
    double Angle = 0.0;
    for (long i = 0; i < verticeCount; ++i) {
        const CVector3D vA = Poly[i] - vIntersection;
        const CVector3D vB = Poly[(i + 1) % verticeCount] - vIntersection;
        Angle += AngleBetweenVectors(vA, vB);
    }
    return verticeCount > 0 && Angle >= MATCH_FACTOR * fullTurn;
}

bool IntersectedPolygon(const CVector3D vPoly[], const CVector3D vLine[], int verticeCount)
{
    if (verticeCount < triangleVertices) return false;
    CVector3D vNormal;
    float originDistance = 0.0f;
    if (!IntersectedPlane(vPoly, vLine, vNormal, originDistance)) return false;
    const CVector3D vIntersection = IntersectionPoint(vNormal, vLine, originDistance);
    return InsidePolygon(vIntersection, vPoly, verticeCount);
}

int ClassifySphere(CVector3D& center, CVector3D& vNormal, CVector3D& vPoint, float radius, float& distance)
{
    const float d = PlaneDistance(vNormal, vPoint);
    distance = vNormal.Dot(center) + d;
    if (Absolute(distance) < radius) return sphereIntersects;
    if (distance >= radius) return sphereFront;
    return sphereBehind;
}

bool EdgeSphereCollision(CVector3D& center, const CVector3D vPolygon[], int vertexCount, float radius)
{
    for (int i = 0; i < vertexCount; ++i) {
        const CVector3D vPoint = ClosestPointOnLine(vPolygon[i], vPolygon[(i + 1) % vertexCount], center);
        if (Distance(vPoint, center) < radius) return true;
    }
    return false;
}

bool SpherePolygonCollision(const CVector3D vPolygon[], CVector3D& center, int vertexCount, float radius)
{
    if (vertexCount < triangleVertices) return false;
    CVector3D vNormal = Normal(vPolygon);
    CVector3D vPoint = vPolygon[0];
    float distance = 0.0f;
    if (ClassifySphere(center, vNormal, vPoint, radius, distance) != sphereIntersects) return false;
    const CVector3D vOffset = vNormal * distance;
    const CVector3D vPosition = center - vOffset;
    return InsidePolygon(vPosition, vPolygon, triangleVertices) ||
           EdgeSphereCollision(center, vPolygon, vertexCount, radius);
}

CVector3D GetCollisionOffset(CVector3D& vNormal, float radius, float distance)
{
    if (distance > 0) return vNormal * (radius - distance);
    const float distanceOver = radius + distance;
    return vNormal * -distanceOver;
}

bool SphereSphereCollision(CVector3D center1, float radius1, CVector3D center2, float radius2)
{
    return Distance(center1, center2) <= radius1 + radius2;
}
