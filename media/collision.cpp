// The ray-quadrilateral test of Lagae and Dutre (2005): two triangle tests
// against the quadrilateral's corners, then the bilinear coordinates of the
// hit from the barycentric coordinates of V11.
#include "media/collision.h"

#include <cmath>

vector operator-(const point& p, const point& q)
{
    return vector(p.x() - q.x(), p.y() - q.y(), p.z() - q.z());
}

real dot(const vector& a, const vector& b)
{
    return a.x() * b.x() + a.y() * b.y() + a.z() * b.z();
}

vector cross(const vector& a, const vector& b)
{
    return vector(a.y() * b.z() - a.z() * b.y(), a.z() * b.x() - a.x() * b.z(), a.x() * b.y() - a.y() * b.x());
}

namespace {

// Barycentric coordinates of V11 with respect to V00, V10, V01, computed on
// the plane of the normal's largest component.
void barycentricOfV11(const vector& E_01, const vector& E_02, const vector& E_03, real& alpha_11, real& beta_11)
{
    const vector n = cross(E_01, E_03);
    const real ax = std::fabs(n.x()), ay = std::fabs(n.y()), az = std::fabs(n.z());
    if (ax >= ay && ax >= az) {
        alpha_11 = (E_02.y() * E_03.z() - E_02.z() * E_03.y()) / n.x();
        beta_11 = (E_01.y() * E_02.z() - E_01.z() * E_02.y()) / n.x();
    } else if (ay >= ax && ay >= az) {
        alpha_11 = (E_02.z() * E_03.x() - E_02.x() * E_03.z()) / n.y();
        beta_11 = (E_01.z() * E_02.x() - E_01.x() * E_02.z()) / n.y();
    } else {
        alpha_11 = (E_02.x() * E_03.y() - E_02.y() * E_03.x()) / n.z();
        beta_11 = (E_01.x() * E_02.y() - E_01.y() * E_02.x()) / n.z();
    }
}

// Whether the ray passes the second triangle V11, V01, V10.
bool hitsSecondTriangle(const quadrilateral& q, const ray& r)
{
    const vector E_23 = q.v_01() - q.v_11();
    const vector E_21 = q.v_10() - q.v_11();
    const vector P_prime = cross(r.direction(), E_21);
    const real det_prime = dot(E_23, P_prime);
    if (std::fabs(det_prime) < eps) return false;
    const real inv_det_prime = 1.0 / det_prime;
    const vector T_prime = r.origin() - q.v_11();
    const real alpha_prime = dot(T_prime, P_prime) * inv_det_prime;
    if (alpha_prime < 0) return false;
    const vector Q_prime = cross(T_prime, E_23);
    const real beta_prime = dot(r.direction(), Q_prime) * inv_det_prime;
    return beta_prime >= 0;
}

}  // namespace

bool intersect_quadrilateral_ray(const quadrilateral& q, const ray& r, real& u, real& v, real& t)
{
    // Reject rays that are parallel to the plane of V00, V10, V01 or miss the
    // first triangle V00, V10, V01.
    const vector E_01 = q.v_10() - q.v_00();
    const vector E_03 = q.v_01() - q.v_00();
    const vector P = cross(r.direction(), E_03);
    const real det = dot(E_01, P);
    if (std::fabs(det) < eps) return false;
    const real inv_det = 1.0 / det;
    const vector T = r.origin() - q.v_00();
    const real alpha = dot(T, P) * inv_det;
    if (alpha < 0) return false;
    const vector Q = cross(T, E_01);
    const real beta = dot(r.direction(), Q) * inv_det;
    if (beta < 0) return false;

    // Beyond the diagonal, the ray must pass the second triangle too.
    if (alpha + beta > 1 && !hitsSecondTriangle(q, r)) return false;

    t = dot(E_03, Q) * inv_det;
    if (t < 0) return false;

    const vector E_02 = q.v_11() - q.v_00();
    real alpha_11, beta_11;
    barycentricOfV11(E_01, E_02, E_03, alpha_11, beta_11);

    if (std::fabs(alpha_11 - 1) < eps) {
        u = alpha;
        v = std::fabs(beta_11 - 1) < eps ? beta : beta / (u * (beta_11 - 1) + 1);
    } else if (std::fabs(beta_11 - 1) < eps) {
        v = beta;
        u = alpha / (v * (alpha_11 - 1) + 1);
    } else {
        const real A = 1 - beta_11;
        const real B = alpha * (beta_11 - 1) - beta * (alpha_11 - 1) - 1;
        const real D = B * B - 4 * A * alpha;
        const real s = B >= 0 ? 1.0 : -1.0;
        const real Qq = -0.5 * (B + s * std::sqrt(D));
        u = Qq / A;
        if (u < 0 || u > 1) u = alpha / Qq;
        v = beta / (u * (beta_11 - 1) + 1);
    }
    return true;
}
