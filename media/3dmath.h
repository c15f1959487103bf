// Geometry over CVector3D: products, normals, distances, the closest point on
// a segment, segment-plane and segment-polygon tests, the angle-sum
// point-in-polygon test, and the sphere tests with their push-out offset.
#pragma once
#include "media/Vector3D.h"

// Pi in double and single precision, and degrees to radians by one
// multiplication (every angle the program stores is in degrees).
constexpr double piDouble = 3.14159265358979323846;
constexpr float pi = static_cast<float>(piDouble);
constexpr float degreesToRadians = pi / 180.0f;

// The angle sum that counts a point as inside a polygon, as a share of 2 pi.
constexpr double MATCH_FACTOR = 0.99;

float Absolute(float num);
CVector3D Cross(CVector3D vVector1, CVector3D vVector2);
float Dot(CVector3D vVector1, CVector3D vVector2);
CVector3D Normalize(CVector3D vNormal);
// (p2 - p0) x (p1 - p0), normalised.
CVector3D Normal(const CVector3D vPolygon[]);
float Distance(CVector3D vPoint1, CVector3D vPoint2);
CVector3D ClosestPointOnLine(CVector3D vA, CVector3D vB, CVector3D vPoint);
float PlaneDistance(CVector3D Normal, CVector3D Point);
bool IntersectedPlane(const CVector3D vPoly[], const CVector3D vLine[], CVector3D& vNormal, float& originDistance);
double AngleBetweenVectors(CVector3D Vector1, CVector3D Vector2);
CVector3D IntersectionPoint(CVector3D vNormal, const CVector3D vLine[], double distance);
bool InsidePolygon(CVector3D vIntersection, const CVector3D Poly[], long verticeCount);
bool IntersectedPolygon(const CVector3D vPoly[], const CVector3D vLine[], int verticeCount);

enum sphereClassId { sphereBehind = 0, sphereIntersects = 1, sphereFront = 2 };
int ClassifySphere(CVector3D& center, CVector3D& vNormal, CVector3D& vPoint, float radius, float& distance);
bool EdgeSphereCollision(CVector3D& center, const CVector3D vPolygon[], int vertexCount, float radius);
bool SpherePolygonCollision(const CVector3D vPolygon[], CVector3D& center, int vertexCount, float radius);
CVector3D GetCollisionOffset(CVector3D& vNormal, float radius, float distance);
bool SphereSphereCollision(CVector3D center1, float radius1, CVector3D center2, float radius2);
