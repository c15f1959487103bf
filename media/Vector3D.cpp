// CVector3D: the member operations that are more than one expression.
#include "media/Vector3D.h"

#include <cmath>

void CVector3D::operator=(const CVector3D& v)
{
    x = v.x;
    y = v.y;
    z = v.z;
}

CVector3D CVector3D::Cross(const CVector3D& v) const
{
    return CVector3D(y * v.z - z * v.y, z * v.x - x * v.z, x * v.y - y * v.x);
}

float CVector3D::Magnitude() const
{
    return std::sqrt(x * x + y * y + z * z);
}

void CVector3D::Normalize()
{
    const float m = Magnitude();
    x /= m;
    y /= m;
    z /= m;
}
