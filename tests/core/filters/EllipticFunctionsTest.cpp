#include "filters/EllipticFunctions.h"
#include "filters/BiquadTable.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeSections.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>

namespace {
using cplx = std::complex<double>;
constexpr double kPi = std::numbers::pi;

TEST(EllipticFunctions, CompleteIntegralKnownValues) {
    EXPECT_NEAR(EllipticK(EllipticModulus::FromK(0.0)), kPi / 2.0, 1e-15);
    EXPECT_NEAR(EllipticK(EllipticModulus::FromK(std::sqrt(0.5))), 1.8540746773013719, 1e-14);
    // K(k) ~ ln(4 / k') for k' -> 0: the complement keeps the modulus accurate near 1.
    const double kc = 1e-12;
    EXPECT_NEAR(EllipticK(EllipticModulus::FromComplement(kc)), std::log(4.0 / kc), 1e-10);
}

TEST(EllipticFunctions, JacobiFunctionsAndInverses) {
    const EllipticModulus m = EllipticModulus::FromK(0.8);
    const double quarter = EllipticK(m);
    for (double u : {0.1, 0.37, 0.8, 1.3}) {
        const cplx sn = EllipticSn(u, m);
        const cplx cd = EllipticCd(u, m);
        // cd(u K) = sn((1 - u) K) and sn(K) = 1.
        EXPECT_NEAR(std::abs(cd - EllipticSn(1.0 - u, m)), 0.0, 1e-14);
        // dsn/dx = cn dn, checked by central differences against sn^2 + cn^2 = 1,
        // dn^2 + k^2 sn^2 = 1.
        const double x = u * quarter;
        const double h = 1e-6;
        const double d =
            (EllipticSn((x + h) / quarter, m).real() - EllipticSn((x - h) / quarter, m).real()) /
            (2.0 * h);
        const double s = sn.real();
        const double cn = std::sqrt(std::max(0.0, 1.0 - s * s));
        const double dn = std::sqrt(1.0 - 0.64 * s * s);
        if (u < 1.0) {
            EXPECT_NEAR(d, cn * dn, 1e-8) << u;
        }
        EXPECT_NEAR(std::abs(EllipticAsn(sn, m) - cplx(u <= 1.0 ? u : 2.0 - u)), 0.0, 1e-12);
    }
    EXPECT_NEAR(EllipticSn(1.0, m).real(), 1.0, 1e-15);
    // Imaginary argument: sn(j v K, k) = j sc(v K, k') is purely imaginary.
    const cplx w = EllipticSn(cplx(0.0, 0.3), m);
    EXPECT_NEAR(w.real(), 0.0, 1e-15);
    EXPECT_NEAR(std::abs(EllipticAsn(w, m) - cplx(0.0, 0.3)), 0.0, 1e-12);
}

TEST(EllipticFunctions, DegreeEquation) {
    const EllipticModulus k1 = EllipticModulus::FromK(0.001);
    for (int n : {2, 3, 5, 8, 12}) {
        const EllipticModulus k = EllipticDegree(n, k1);
        const double lhs = n * EllipticK(k.Complement()) / EllipticK(k);
        const double rhs = EllipticK(k1.Complement()) / EllipticK(k1);
        EXPECT_NEAR(lhs / rhs, 1.0, 1e-12) << n;
    }
}

TEST(BilinearTransform, DigitalResponseIsTheAnalogOneOnTheWarpedAxis) {
    const double fs = 48000.0;
    const double k = 2.0 * fs;
    const CascadeSection quadratic{3.1e8, 2.4e4, 1.0, 1.7e8, 5.0e3, 0.6};
    const CascadeSection firstOrder{6000.0, 1.0, 0.0, 1000.0, 0.4, 0.0};
    for (const CascadeSection& a : {quadratic, firstOrder}) {
        const CascadeSection d = BilinearSection(fs, a);
        EXPECT_EQ(d.a0, 1.0);
        if (a.IsFirstOrder()) {
            EXPECT_EQ(d.a2, 0.0);
            EXPECT_EQ(d.b2, 0.0);
        }
        for (double w : {0.01, 0.3, 1.0, 2.5, 3.1}) {
            const cplx s(0.0, k * std::tan(w / 2.0));
            const cplx ha = (a.b0 + s * (a.b1 + s * a.b2)) / (a.a0 + s * (a.a1 + s * a.a2));
            const cplx z1 = std::polar(1.0, -w);
            const cplx hd = (d.b0 + z1 * (d.b1 + z1 * d.b2)) / (1.0 + z1 * (d.a1 + z1 * d.a2));
            EXPECT_NEAR(std::abs(ha - hd), 0.0, 1e-12 * std::abs(ha)) << w;
        }
        const CascadeSection back = InverseBilinearSection(k, d);
        for (double v : {back.a0 / a.a0, back.a1 / a.a1, back.b0 / a.b0, back.b1 / a.b1})
            EXPECT_NEAR(v, 1.0, 1e-9);
    }
}

TEST(CascadeElliptic, UnreachableDesignsFailAndKeepTheTables) {
    BiquadTable ana, iir;
    ana.a0[0] = 42.0;
    iir.b0[0] = 43.0;
    EllipticFailure why = EllipticFailure::None;
    // Stop level not below the ripple: the stop edge would lie inside the pass band.
    EXPECT_EQ(CascadeElliptic(shape::LowPass, 6, 48000, 2000, 0, 3.0, 3.0, ana, iir, &why), 0);
    EXPECT_EQ(why, EllipticFailure::StopEdgeInPassBand);
    // A cut-off at fs/2 puts the digital poles on the unit circle.
    EXPECT_EQ(CascadeElliptic(shape::LowPass, 6, 48000, 24000, 0, 1.0, 50.0, ana, iir, &why), 0);
    EXPECT_EQ(why, EllipticFailure::FactoringFailed);
    EXPECT_EQ(CascadeElliptic(shape::LowPass, 51, 48000, 2000, 0, 1.0, 50.0, ana, iir, &why), 0);
    EXPECT_EQ(why, EllipticFailure::StorageTooSmall);
    // More poles than the work arrays hold: a failure, not the end of the process.
    EXPECT_EQ(CascadeElliptic(shape::BandPass, 26, 48000, 2000, 4500, 1.0, 50.0, ana, iir, &why),
              0);
    EXPECT_EQ(why, EllipticFailure::StorageTooSmall);
    EXPECT_EQ(ana.a0[0], 42.0);
    EXPECT_EQ(iir.b0[0], 43.0);
}

TEST(CascadeChebyshev, EvenOrderPassBandStartsAtMinusRipple) {
    BiquadTable ana, iir;
    ASSERT_EQ(CascadeChebyshev(shape::LowPass, 4, 48000, 2000, 0, 1.0, ana, iir), 1);
    double dcAnalog = 1.0, dcDigital = 1.0;
    for (int k = 0; k < 2; ++k) {
        dcAnalog *= ana.b0[k] / ana.a0[k];
        dcDigital *= (iir.b0[k] + iir.b1[k] + iir.b2[k]) / (1.0 + iir.a1[k] + iir.a2[k]);
    }
    EXPECT_NEAR(dcAnalog, 0.891250938, 1e-9);
    EXPECT_NEAR(dcDigital, 0.891250938, 1e-9);
}

} // namespace
