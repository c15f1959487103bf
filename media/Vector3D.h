// CVector3D: a single-precision 3D vector with cross and dot products,
// magnitude, in-place normalisation and the arithmetic operators.
#pragma once

class CVector3D {
public:
    CVector3D() = default;
    CVector3D(float x, float y, float z) : x(x), y(y), z(z) {}
    CVector3D(const CVector3D& v) = default;
    virtual ~CVector3D() = default;

    CVector3D operator+(const CVector3D& v) const { return CVector3D(x + v.x, y + v.y, z + v.z); }
    CVector3D operator-(const CVector3D& v) const { return CVector3D(x - v.x, y - v.y, z - v.z); }
    CVector3D operator*(float s) const { return CVector3D(x * s, y * s, z * s); }
    void operator=(const CVector3D& v);

    CVector3D Cross(const CVector3D& v) const;
    float Dot(const CVector3D& v) const { return x * v.x + y * v.y + z * v.z; }
    float Magnitude() const;
    // Divides by the magnitude in place; a zero vector becomes not-a-number.
    void Normalize();

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};
