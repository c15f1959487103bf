// The view frustum: the six planes of the current view volume, rebuilt once
// per drawn frame, and the visibility tests against them.
#pragma once

// Plane order in `frustum`.
enum frustumPlane {
    frustumRight = 0,
    frustumLeft,
    frustumBottom,
    frustumTop,
    frustumFar,
    frustumNear,
    frustumPlaneCount
};

// Each plane (a, b, c, d): unit normal pointing into the volume and offset, so
// a x + b y + c z + d is the signed distance, positive inside.
extern float frustum[frustumPlaneCount][4];

// From the current projection and model-view matrices.
void ExtractFrustum();
// From given matrices (16 floats each, OpenGL column-major order).
void extractFrustumFrom(const float projection[16], const float modelview[16]);

bool PointInFrustum(float x, float y, float z);
// 0 when the sphere lies wholly outside; else its far side's depth past the
// near plane (above 0).
float SphereInFrustum(float x, float y, float z, float radius);
// Conservative: a cube near an edge may be reported inside.
bool CubeInFrustum(float x, float y, float z, float size);
