#pragma once

#include <complex>
#include <vector>

// Jacobi elliptic functions and complete elliptic integrals by descending Landen transformations.
// A modulus is carried together with its complement k' = sqrt(1 - k^2) so that moduli very close
// to 1 (sharp elliptic designs) keep their full relative accuracy.
struct EllipticModulus {
    double k = 0.0;
    double kc = 1.0; // complementary modulus

    static EllipticModulus FromK(double k);
    static EllipticModulus FromComplement(double kc);
    EllipticModulus Complement() const { return {kc, k}; }
};

// Descending Landen moduli k1, k2, ... of m (k0 = m.k excluded), until they are negligible.
std::vector<double> LandenSequence(const EllipticModulus& m);

// Complete elliptic integral of the first kind K(k).
double EllipticK(const EllipticModulus& m);

// cd(u K, k) and sn(u K, k) of a complex argument u in units of the quarter period K.
std::complex<double> EllipticCd(std::complex<double> u, const EllipticModulus& m);
std::complex<double> EllipticSn(std::complex<double> u, const EllipticModulus& m);

// Inverses in the same units: u with cd(u K, k) = w (resp. sn), real part reduced to (-2, 2] and
// imaginary part to the principal strip of the period 2 K'/K.
std::complex<double> EllipticAcd(std::complex<double> w, const EllipticModulus& m);
std::complex<double> EllipticAsn(std::complex<double> w, const EllipticModulus& m);

// Solves the degree equation n K'/K = K1'/K1 for k given the order n and the modulus k1.
EllipticModulus EllipticDegree(int n, const EllipticModulus& k1);
