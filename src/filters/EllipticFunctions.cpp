#include "filters/EllipticFunctions.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr int kMaxLandenSteps = 40;
constexpr double kNegligibleModulus = 1e-30;

// Symmetric remainder: x - y round(x / y).
double SymmetricRemainder(double x, double y) {
    return x - y * std::round(x / y);
}
} // namespace

EllipticModulus EllipticModulus::FromK(double k) {
    return {k, std::sqrt((1.0 - k) * (1.0 + k))};
}

EllipticModulus EllipticModulus::FromComplement(double kc) {
    return {std::sqrt((1.0 - kc) * (1.0 + kc)), kc};
}

std::vector<double> LandenSequence(const EllipticModulus& m) {
    std::vector<double> v;
    double k = m.k;
    double kc = m.kc;
    for (int i = 0; i < kMaxLandenSteps && k > kNegligibleModulus; ++i) {
        // k_{n+1} = (1 - k'_n) / (1 + k'_n) written without cancellation.
        const double next = (k / (1.0 + kc)) * (k / (1.0 + kc));
        kc = 2.0 * std::sqrt(kc) / (1.0 + kc);
        k = next;
        v.push_back(k);
    }
    return v;
}

double EllipticK(const EllipticModulus& m) {
    double product = kPi / 2.0;
    for (double v : LandenSequence(m)) product *= 1.0 + v;
    return product;
}

namespace {
std::complex<double> LandenAscend(std::complex<double> w, const std::vector<double>& v) {
    for (auto it = v.rbegin(); it != v.rend(); ++it) w = (1.0 + *it) * w / (1.0 + *it * w * w);
    return w;
}
} // namespace

std::complex<double> EllipticCd(std::complex<double> u, const EllipticModulus& m) {
    return LandenAscend(std::cos(u * (kPi / 2.0)), LandenSequence(m));
}

std::complex<double> EllipticSn(std::complex<double> u, const EllipticModulus& m) {
    return LandenAscend(std::sin(u * (kPi / 2.0)), LandenSequence(m));
}

std::complex<double> EllipticAcd(std::complex<double> w, const EllipticModulus& m) {
    const std::vector<double> v = LandenSequence(m);
    double previous = m.k;
    for (double vn : v) {
        w = w / (1.0 + std::sqrt(1.0 - w * w * previous * previous)) * (2.0 / (1.0 + vn));
        previous = vn;
    }
    const std::complex<double> u = 2.0 / kPi * std::acos(w);
    const double ratio = EllipticK(m.Complement()) / EllipticK(m);
    return {SymmetricRemainder(u.real(), 4.0), SymmetricRemainder(u.imag(), 2.0 * ratio)};
}

std::complex<double> EllipticAsn(std::complex<double> w, const EllipticModulus& m) {
    return 1.0 - EllipticAcd(w, m);
}

EllipticModulus EllipticDegree(int n, const EllipticModulus& k1) {
    // k' = k1'^n prod sn(u_i K1', k1')^4 with u_i = (2i - 1) / n, i = 1 .. n/2.
    const EllipticModulus k1c = k1.Complement();
    double kc = std::exp(0.5 * n * std::log1p(-k1.k * k1.k));
    if (k1.kc < 0.5) kc = std::pow(k1.kc, n);
    for (int i = 1; i <= n / 2; ++i) {
        const double sn = EllipticSn((2.0 * i - 1.0) / n, k1c).real();
        kc *= sn * sn * sn * sn;
    }
    return EllipticModulus::FromComplement(kc);
}
