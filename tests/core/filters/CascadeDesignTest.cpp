#include "filters/CascadeDesign.h"
#include "filters/CascadePrototypes.h"
#include "filters/CascadeResponse.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>

namespace {
constexpr double kPi = std::numbers::pi;
constexpr double kFs = 48000.0;

struct DesignCase {
    int kind;
    int shape;
    int n;
    double f1;
    double f2;
    double ripple;
    double stop;
};

std::string Name(const ::testing::TestParamInfo<DesignCase>& info) {
    const char* kinds[] = {"Butter", "Cheby", "InvCheby", "Elliptic"};
    const char* shapes[] = {"LPF", "HPF", "BPF", "BSF"};
    const DesignCase& c = info.param;
    std::ostringstream s;
    s << kinds[c.kind] << shapes[c.shape] << "N" << c.n << "F" << int(c.f1) << "_" << int(c.f2)
      << "_" << info.index;
    return s.str();
}

// The case's values (the struct's padding bytes would change the test names on every run).
void PrintTo(const DesignCase& c, std::ostream* os) {
    *os << "kind " << c.kind << " shape " << c.shape << " n " << c.n << " f " << c.f1 << "/" << c.f2
        << " ripple " << c.ripple << " stop " << c.stop;
}

int Design(const DesignCase& c, BiquadTable& ana, BiquadTable& iir) {
    switch (c.kind) {
    case kCascadeButterworth:
        return CascadeButterworth(c.shape, c.n, kFs, c.f1, c.f2, ana, iir);
    case kCascadeChebyshev:
        return CascadeChebyshev(c.shape, c.n, kFs, c.f1, c.f2, c.ripple, ana, iir);
    case kCascadeInvChebyshev:
        return CascadeInvChebyshev(c.shape, c.n, kFs, c.f1, c.f2, c.stop, ana, iir);
    default:
        return CascadeElliptic(c.shape, c.n, kFs, c.f1, c.f2, c.ripple, c.stop, ana, iir);
    }
}

// Chebyshev polynomial T_n(x) for any real x.
double ChebyshevT(int n, double x) {
    if (std::fabs(x) <= 1.0) return std::cos(n * std::acos(x));
    const double v = std::cosh(n * std::acosh(std::fabs(x)));
    return (x < 0.0 && n % 2 == 1) ? -v : v;
}

// Low-pass prototype frequency of a frequency given on the scale where the edges are e1, e2.
double PrototypeFrequency(int shape, double f, double e1, double e2) {
    switch (shape) {
    case shape::LowPass:
        return f / e1;
    case shape::HighPass:
        return e1 / f;
    case shape::BandPass:
        return std::fabs(f * f - e1 * e2) / ((e2 - e1) * f);
    default:
        return (e2 - e1) * f / std::fabs(e1 * e2 - f * f);
    }
}

// Exact power response of the classical prototypes at prototype frequency x.
double ExactPower(const DesignCase& c, double x) {
    switch (c.kind) {
    case kCascadeButterworth: {
        const double e2 = std::pow(10.0, 0.3) - 1.0;
        return 1.0 / (1.0 + e2 * std::pow(x, 2.0 * c.n));
    }
    case kCascadeChebyshev: {
        const double e2 = std::pow(10.0, 0.1 * c.ripple) - 1.0;
        const double t = ChebyshevT(c.n, x);
        return 1.0 / (1.0 + e2 * t * t);
    }
    default: {
        const double e2 = std::pow(10.0, 0.1 * c.stop) - 1.0;
        const double t = ChebyshevT(c.n, 1.0 / x);
        return t * t / (t * t + e2);
    }
    }
}

double Db(double power) {
    return 10.0 * std::log10(power);
}

// Dense logarithmic grid from 20 Hz to `top` (just below fs/2 unless given).
template <class F> void ForGrid(F&& f, double top = 0.4999 * kFs) {
    const int points = 8000;
    for (int i = 0; i < points; ++i) f(20.0 * std::pow(top / 20.0, i / double(points - 1)));
}

// Compares a measured power response with the exact one on the grid, in dB down to -150 dB.
void ExpectExact(const DesignCase& c, const std::function<double(double)>& measured,
                 const std::function<double(double)>& protoFreq, const char* what) {
    double worst = 0.0;
    double where = 0.0;
    ForGrid([&](double f) {
        const double expected = ExactPower(c, protoFreq(f));
        const double got = measured(f);
        if (Db(expected) < -150.0) {
            EXPECT_LT(Db(got), -140.0) << what << " at " << f;
            return;
        }
        const double err = std::fabs(Db(got) - Db(expected));
        if (err > worst) {
            worst = err;
            where = f;
        }
    });
    EXPECT_LT(worst, 1e-6) << what << ": worst deviation " << worst << " dB at " << where << " Hz";
}

// Elliptic bounds: pass band within [-Rp, 0] reaching both ends, -Rp at the edge, stop band
// below -As reaching it.
void ExpectElliptic(const DesignCase& c, const std::function<double(double)>& measured,
                    const std::function<double(double)>& protoFreq, const char* what,
                    double top = 0.4999 * kFs) {
    Prototype proto;
    double stopEdge = 0.0;
    ASSERT_TRUE(EllipticPrototype(c.n, c.ripple, c.stop, proto, &stopEdge));
    double passMax = -1e9, passMin = 1e9, stopMax = -1e9;
    int passPoints = 0, stopPoints = 0;
    ForGrid(
        [&](double f) {
            const double x = protoFreq(f);
            const double db = Db(measured(f));
            if (x <= 1.0) {
                passMax = std::max(passMax, db);
                passMin = std::min(passMin, db);
                ++passPoints;
            } else if (x >= stopEdge) {
                stopMax = std::max(stopMax, db);
                ++stopPoints;
            }
        },
        top);
    ASSERT_GT(passPoints, 20) << what;
    ASSERT_GT(stopPoints, 20) << what;
    EXPECT_LT(passMax, 1e-9) << what;
    EXPECT_GT(passMax, -1e-3) << what;
    EXPECT_GT(passMin, -c.ripple - 1e-9) << what;
    EXPECT_LT(passMin, -c.ripple + 1e-2) << what;
    EXPECT_LT(stopMax, -c.stop + 1e-6) << what;
    EXPECT_GT(stopMax, -c.stop - 0.5) << what;
}

class CascadeDesignTest : public ::testing::TestWithParam<DesignCase> {};

TEST_P(CascadeDesignTest, AnalogAndDigitalMeetTheDesign) {
    const DesignCase c = GetParam();
    BiquadTable ana, iir;
    ASSERT_EQ(Design(c, ana, iir), 1);
    const int sections = CascadeSectionCount(c.shape, c.n);
    const bool band = c.shape >= shape::BandPass;

    // Every digital section is normalised and stable; unused entries are clear.
    for (int k = 0; k < sections; ++k) {
        EXPECT_EQ(iir.a0[k], 1.0);
        const std::complex<double> disc = iir.a1[k] * iir.a1[k] - 4.0 * iir.a2[k];
        const std::complex<double> root = std::sqrt(disc);
        EXPECT_LT(std::abs((-iir.a1[k] + root) / 2.0), 1.0) << "section " << k;
        EXPECT_LT(std::abs((-iir.a1[k] - root) / 2.0), 1.0) << "section " << k;
    }
    for (int k = sections; k < filt::kMaxSections; ++k) EXPECT_EQ(iir.a0[k], 0.0);
    // Odd-order low/high-pass: first-order section 0 with a2 = b2 = 0 in both tables.
    if (!band && c.n % 2 == 1) {
        EXPECT_EQ(iir.a2[0], 0.0);
        EXPECT_EQ(iir.b2[0], 0.0);
        EXPECT_EQ(ana.a2[0], 0.0);
        EXPECT_EQ(ana.a1[0], 1.0);
    }

    auto analogPower = [&](double f) {
        return std::norm(AnalogCascadeResponse(ana, sections, 2.0 * kPi * f));
    };
    auto digitalPower = [&](double f) {
        return std::norm(DigitalCascadeResponse(iir, sections, 2.0 * kPi * f / kFs));
    };
    auto warp = [](double f) { return std::tan(kPi * f / kFs); };

    if (c.kind != kCascadeElliptic) {
        // Analog table at the true edges.
        ExpectExact(
            c, analogPower, [&](double f) { return PrototypeFrequency(c.shape, f, c.f1, c.f2); },
            "ANA");
        if (band) {
            // Digital band filters: the analog response at 2 fs tan(pi f / fs), not pre-warped.
            ExpectExact(
                c, digitalPower,
                [&](double f) {
                    return PrototypeFrequency(c.shape, kFs / kPi * warp(f), c.f1, c.f2);
                },
                "IIR");
        } else {
            ExpectExact(
                c, digitalPower,
                [&](double f) { return PrototypeFrequency(c.shape, warp(f), warp(c.f1), 0.0); },
                "IIR");
        }
    } else {
        // Digital sections meet the edges exactly; the analog table is their inverse bilinear
        // image, pre-warped at f1 or sqrt(f1 f2).
        auto digitalX = [&](double f) {
            return PrototypeFrequency(c.shape, warp(f), warp(c.f1), warp(c.f2));
        };
        ExpectElliptic(c, digitalPower, digitalX, "IIR");
        const double fw = band ? std::sqrt(c.f1 * c.f2) : c.f1;
        const double scale = warp(fw) / fw; // analog Hz -> tan(pi f_digital / fs)
        ExpectElliptic(
            c, analogPower,
            [&](double f) {
                return PrototypeFrequency(c.shape, f * scale, warp(c.f1), warp(c.f2));
            },
            "ANA", 20.0 * kFs);
        if (!band) {
            EXPECT_NEAR(Db(analogPower(c.f1)), -c.ripple, 1e-6);
        }
        EXPECT_NEAR(Db(digitalPower(c.f1)), -c.ripple, 1e-6);
        if (band) {
            EXPECT_NEAR(Db(digitalPower(c.f2)), -c.ripple, 1e-6);
        }
    }
}

std::vector<DesignCase> Cases() {
    std::vector<DesignCase> cases;
    for (int kind = 0; kind < 4; ++kind) {
        for (int shape = 0; shape < 4; ++shape) {
            for (int n : {2, 3, 4, 5, 8}) cases.push_back({kind, shape, n, 2000, 4500, 1.0, 50.0});
            cases.push_back({kind, shape, 7, 300, 330, 0.1, 80.0});
        }
    }
    for (int shape = 0; shape < 4; ++shape) {
        const int n = shape >= shape::BandPass ? 30 : 60;
        cases.push_back({kCascadeButterworth, shape, n, 5000, 9000, 1.0, 50.0});
        cases.push_back({kCascadeChebyshev, shape, n, 5000, 9000, 0.5, 50.0});
        cases.push_back({kCascadeInvChebyshev, shape, n / 2, 5000, 9000, 0.5, 100.0});
        cases.push_back({kCascadeElliptic, shape, 12, 5000, 9000, 0.01, 120.0});
    }
    // Sharp elliptic designs stay accurate: the modulus is carried with its complement.
    cases.push_back({kCascadeElliptic, shape::LowPass, 30, 2000, 0, 1.0, 50.0});
    cases.push_back({kCascadeElliptic, shape::BandStop, 20, 2000, 4500, 0.5, 60.0});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(AllKindsAndShapes, CascadeDesignTest, ::testing::ValuesIn(Cases()), Name);

} // namespace
