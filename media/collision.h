// Ray-quadrilateral intersection in double precision: the point, vector, ray
// and quadrilateral types and intersect_quadrilateral_ray, which gives the
// bilinear coordinates (u, v) of the hit and the ray parameter t.
#pragma once

typedef double real;

// Tolerance of the test.
constexpr real eps = 1e-5;

class vector {
public:
    vector(real x, real y, real z) : xyz{x, y, z} {}
    real x() const { return xyz[0]; }
    real y() const { return xyz[1]; }
    real z() const { return xyz[2]; }

private:
    real xyz[3];
};

class point {
public:
    point() : xyz{0.0, 0.0, 0.0} {}
    point(real x, real y, real z) : xyz{x, y, z} {}
    real x() const { return xyz[0]; }
    real y() const { return xyz[1]; }
    real z() const { return xyz[2]; }

private:
    real xyz[3];
};

class ray {
public:
    ray(const point& origin, const vector& direction) : origin_(origin), direction_(direction) {}
    const point& origin() const { return origin_; }
    const vector& direction() const { return direction_; }

private:
    point origin_;
    vector direction_;
};

// Corners V00, V10, V11, V01 in outline order: V00 -> V10 is u, V00 -> V01 is v.
class quadrilateral {
public:
    quadrilateral(const point& v_00, const point& v_10, const point& v_11, const point& v_01)
        : vertices{v_00, v_10, v_11, v_01} {}
    const point& v_00() const { return vertices[0]; }
    const point& v_10() const { return vertices[1]; }
    const point& v_11() const { return vertices[2]; }
    const point& v_01() const { return vertices[3]; }

private:
    point vertices[4];
};

vector operator-(const point& p, const point& q);
real dot(const vector& a, const vector& b);
vector cross(const vector& a, const vector& b);

// True when the ray hits the quadrilateral at t >= 0; then u, v and t are set.
bool intersect_quadrilateral_ray(const quadrilateral& q, const ray& r, real& u, real& v, real& t);
