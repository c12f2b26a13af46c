#include "filters/CascadePrototypes.h"

#include "filters/EllipticFunctions.h"

#include <cmath>
#include <complex>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

PrototypeSection AllPole(double d1, double d0) {
    PrototypeSection s;
    s.d1 = d1;
    s.d0 = d0;
    s.n0 = d0;
    return s;
}

PrototypeSection FirstOrder(double pole) {
    PrototypeSection s;
    s.firstOrder = true;
    s.d0 = pole;
    s.n0 = pole;
    return s;
}

// Chebyshev angles: (2j - 1) pi / 2n, j = 1 .. n/2 for even n; j pi / n, j = 0 .. (n-1)/2 for odd.
double ChebyshevAngle(int n, int j) {
    return (n % 2 == 0) ? (2.0 * j - 1.0) * kPi / (2.0 * n) : j * kPi / n;
}
} // namespace

Prototype ButterworthPrototype(int n) {
    const double eps = std::sqrt(std::pow(10.0, 0.3) - 1.0);
    const double t = std::pow(eps, -1.0 / n);
    Prototype proto;
    if (n % 2 == 1) proto.push_back(FirstOrder(t));
    for (int c = 1; c < n; c += 2) {
        const double theta = c * kPi / (2.0 * n);
        proto.push_back(AllPole(2.0 * std::sin(theta) * t, t * t));
    }
    return proto;
}

Prototype ChebyshevPrototype(int n, double rippleDb) {
    const double eps = std::sqrt(std::pow(10.0, 0.1 * rippleDb) - 1.0);
    const double mu = std::asinh(1.0 / eps) / n;
    Prototype proto;
    const int first = (n % 2 == 0) ? 1 : 0;
    for (int j = first; j < first + (n + 1) / 2; ++j) {
        const double phi = ChebyshevAngle(n, j);
        const double sigma = std::sinh(mu) * std::cos(phi);
        const double w = std::cosh(mu) * std::sin(phi);
        if (n % 2 == 1 && j == 0)
            proto.push_back(FirstOrder(std::sinh(mu)));
        else
            proto.push_back(AllPole(2.0 * sigma, sigma * sigma + w * w));
    }
    return proto;
}

Prototype InvChebyshevPrototype(int n, double stopDb) {
    const double e = std::sqrt(std::pow(10.0, 0.1 * stopDb) - 1.0);
    const double mu = std::asinh(e) / n;
    Prototype proto;
    const int first = (n % 2 == 0) ? 1 : 0;
    for (int j = first; j < first + (n + 1) / 2; ++j) {
        const double phi = ChebyshevAngle(n, j);
        if (n % 2 == 1 && j == 0) {
            proto.push_back(FirstOrder(1.0 / std::sinh(mu)));
            continue;
        }
        const double sigma = std::sinh(mu) * std::cos(phi);
        const double w = std::cosh(mu) * std::sin(phi);
        const double r2 = sigma * sigma + w * w;
        // Transmission zeros at 1/cos(phi) for even n (the set equals {1/sin(phi)} there); for odd
        // n the zeros of the poles at angle phi lie at 1/sin(phi).
        const double c = (n % 2 == 0) ? std::cos(phi) : std::sin(phi);
        const double z = 1.0 / (c * c);
        PrototypeSection s;
        s.d1 = 2.0 * sigma / r2;
        s.d0 = 1.0 / r2;
        s.n2 = 1.0 / (r2 * z);
        s.n0 = 1.0 / r2;
        proto.push_back(s);
    }
    return proto;
}

bool EllipticPrototype(int n, double rippleDb, double stopDb, Prototype& proto, double* stopEdge) {
    using cplx = std::complex<double>;
    const double ep = std::sqrt(std::pow(10.0, 0.1 * rippleDb) - 1.0);
    const double es = std::sqrt(std::pow(10.0, 0.1 * stopDb) - 1.0);
    if (!(ep > 0.0) || !(es > ep) || !std::isfinite(es)) return false;
    const EllipticModulus k1 = EllipticModulus::FromK(ep / es);
    const EllipticModulus k = EllipticDegree(n, k1);
    if (!(k.kc > 0.0) || !(k.k > 0.0) || !std::isfinite(k.kc)) return false;

    const cplx j(0.0, 1.0);
    const double v0 = (-j * EllipticAsn(j / ep, k1)).real() / n;
    if (!std::isfinite(v0) || !(v0 > 0.0)) return false;

    Prototype out;
    if (n % 2 == 1) {
        const cplx p0 = j * EllipticSn(j * v0, k);
        if (!(p0.real() < 0.0) || !std::isfinite(p0.real())) return false;
        out.push_back(FirstOrder(-p0.real()));
    }
    for (int i = n / 2; i >= 1; --i) {
        const double u = (2.0 * i - 1.0) / n;
        const double zeta = EllipticCd(u, k).real();
        const double zero = 1.0 / (k.k * zeta);
        const cplx pole = j * EllipticCd(u - j * v0, k);
        if (!(pole.real() < 0.0) || !std::isfinite(std::norm(pole)) || !std::isfinite(zero) ||
            !(zero > 1.0))
            return false;
        PrototypeSection s;
        s.d1 = -2.0 * pole.real();
        s.d0 = std::norm(pole);
        s.n0 = s.d0;
        s.n2 = s.d0 / (zero * zero);
        out.push_back(s);
    }
    proto = std::move(out);
    if (stopEdge) *stopEdge = 1.0 / k.k;
    return true;
}
