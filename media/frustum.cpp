// View-frustum extraction (from the combined projection and model-view
// matrix) and the point, sphere and cube tests.
#include "media/frustum.h"

#include <GL/gl.h>

#include <cmath>

float frustum[frustumPlaneCount][4];

namespace {

// Row `axis` of clip combined with its row 3: sign +1 or -1.
void setPlane(float plane[4], const float clip[16], int axis, float sign)
{
    for (int k = 0; k < 4; ++k) plane[k] = clip[4 * k + 3] + sign * clip[4 * k + axis];
    const float t = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
    for (int k = 0; k < 4; ++k) plane[k] /= t;
}

float distance(const float plane[4], float x, float y, float z)
{
    return plane[0] * x + plane[1] * y + plane[2] * z + plane[3];
}

}  // namespace

void extractFrustumFrom(const float proj[16], const float modl[16])
{
    float clip[16];
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            clip[4 * i + j] = modl[4 * i + 0] * proj[j] + modl[4 * i + 1] * proj[4 + j] +
                              modl[4 * i + 2] * proj[8 + j] + modl[4 * i + 3] * proj[12 + j];
    setPlane(frustum[frustumRight], clip, 0, -1.0f);
    setPlane(frustum[frustumLeft], clip, 0, 1.0f);
    setPlane(frustum[frustumBottom], clip, 1, 1.0f);
    setPlane(frustum[frustumTop], clip, 1, -1.0f);
    setPlane(frustum[frustumFar], clip, 2, -1.0f);
    setPlane(frustum[frustumNear], clip, 2, 1.0f);
}

void ExtractFrustum()
{
    float proj[16], modl[16];
    glGetFloatv(GL_PROJECTION_MATRIX, proj);
    glGetFloatv(GL_MODELVIEW_MATRIX, modl);
    extractFrustumFrom(proj, modl);
}

bool PointInFrustum(float x, float y, float z)
{
    for (const auto& plane : frustum)
        if (distance(plane, x, y, z) <= 0.0f) return false;
    return true;
}

float SphereInFrustum(float x, float y, float z, float radius)
{
    float dist = 0.0f;
    for (const auto& plane : frustum) {
        dist = distance(plane, x, y, z);
        if (dist <= -radius) return 0.0f;
    }
    return dist + radius;
}

bool CubeInFrustum(float x, float y, float z, float size)
{
    for (const auto& plane : frustum) {
        bool anyInside = false;
        for (int corner = 0; corner < 8 && !anyInside; ++corner) {
            const float cx = x + ((corner & 1) ? size : -size);
            const float cy = y + ((corner & 2) ? size : -size);
            const float cz = z + ((corner & 4) ? size : -size);
            anyInside = distance(plane, cx, cy, cz) > 0.0f;
        }
        if (!anyInside) return false;
    }
    return true;
}
