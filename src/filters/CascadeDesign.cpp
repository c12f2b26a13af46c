#include "filters/CascadeDesign.h"

#include "filters/CascadePrototypes.h"
#include "filters/CascadeSections.h"

#include <cmath>
#include <numbers>

namespace {
constexpr double kPi = std::numbers::pi;

bool IsBand(int shape) {
    return shape == shape::BandPass || shape == shape::BandStop;
}

SectionList MapShape(const Prototype& proto, int shape, double omega, double w0, double bw) {
    switch (shape) {
    case shape::LowPass:
        return MapLowPass(proto, omega);
    case shape::HighPass:
        return MapHighPass(proto, omega);
    case shape::BandPass:
        return MapBandPass(proto, w0, bw);
    default:
        return MapBandStop(proto, w0, bw);
    }
}

SectionList Bilinear(double fs, const SectionList& analog) {
    SectionList out;
    for (const CascadeSection& s : analog) out.push_back(BilinearSection(fs, s));
    return out;
}

void ScaleNumerator(CascadeSection& s, double g) {
    s.b0 *= g;
    s.b1 *= g;
    s.b2 *= g;
}

void Store(const SectionList& ana, const SectionList& iir, BiquadTable& anaTable,
           BiquadTable& iirTable) {
    anaTable = BiquadTable{};
    iirTable = BiquadTable{};
    StoreSections(ana, anaTable);
    StoreSections(iir, iirTable);
}

bool ShapeAndOrderFit(int shape, int n) {
    return shape >= shape::LowPass && shape <= shape::BandStop && n >= 1 &&
           CascadeSectionCount(shape, n) <= filt::kMaxSections;
}

// Butterworth, Chebyshev and inverse Chebyshev share the frequency plan.
int DesignFromPrototype(const Prototype& proto, int shape, double fs, double f1, double f2,
                        double firstGain, BiquadTable& ana, BiquadTable& iir) {
    SectionList analog;
    SectionList digital;
    if (IsBand(shape)) {
        const double w0 = 2.0 * kPi * std::sqrt(f1 * f2);
        const double bw = 2.0 * kPi * (f2 - f1);
        analog = MapShape(proto, shape, 0.0, w0, bw);
        digital = Bilinear(fs, analog);
    } else {
        const double warped = 2.0 * fs * std::tan(kPi * f1 / fs);
        analog = MapShape(proto, shape, 2.0 * kPi * f1, 0.0, 0.0);
        digital = Bilinear(fs, MapShape(proto, shape, warped, 0.0, 0.0));
    }
    ScaleNumerator(analog[0], firstGain);
    ScaleNumerator(digital[0], firstGain);
    Store(analog, digital, ana, iir);
    return 1;
}

bool IsStable(const CascadeSection& d) {
    if (!std::isfinite(d.a1) || !std::isfinite(d.a2) || !std::isfinite(d.b0) ||
        !std::isfinite(d.b1) || !std::isfinite(d.b2))
        return false;
    // Roots of z^2 + a1 z + a2 inside the unit circle.
    return std::fabs(d.a2) < 1.0 && std::fabs(d.a1) < 1.0 + d.a2;
}
} // namespace

int CascadeEffectiveOrder(int shape, int n) {
    return IsBand(shape) ? 2 * n : n;
}

int CascadeSectionCount(int shape, int n) {
    return IsBand(shape) ? n : (n + 1) / 2;
}

int CascadeButterworth(int shape, int n, double fs, double f1, double f2, BiquadTable& ana,
                       BiquadTable& iir) {
    if (!ShapeAndOrderFit(shape, n)) return 0;
    return DesignFromPrototype(ButterworthPrototype(n), shape, fs, f1, f2, 1.0, ana, iir);
}

int CascadeChebyshev(int shape, int n, double fs, double f1, double f2, double rippleDb,
                     BiquadTable& ana, BiquadTable& iir) {
    if (!ShapeAndOrderFit(shape, n)) return 0;
    const double gain = (n % 2 == 0) ? std::pow(10.0, -rippleDb / 20.0) : 1.0;
    return DesignFromPrototype(ChebyshevPrototype(n, rippleDb), shape, fs, f1, f2, gain, ana, iir);
}

int CascadeInvChebyshev(int shape, int n, double fs, double f1, double f2, double stopDb,
                        BiquadTable& ana, BiquadTable& iir) {
    if (!ShapeAndOrderFit(shape, n)) return 0;
    return DesignFromPrototype(InvChebyshevPrototype(n, stopDb), shape, fs, f1, f2, 1.0, ana, iir);
}

int CascadeElliptic(int shape, int n, double fs, double f1, double f2, double rippleDb,
                    double stopDb, BiquadTable& ana, BiquadTable& iir, EllipticFailure* why) {
    EllipticFailure dummy;
    EllipticFailure& reason = why ? *why : dummy;
    reason = EllipticFailure::None;
    if (!ShapeAndOrderFit(shape, n)) return 0;
    if (CascadeEffectiveOrder(shape, n) > kEllipticMaxRoots) {
        reason = EllipticFailure::StorageTooSmall;
        return 0;
    }
    Prototype proto;
    if (!EllipticPrototype(n, rippleDb, stopDb, proto)) {
        reason = EllipticFailure::StopEdgeInPassBand;
        return 0;
    }
    const double kDigital = 2.0 * fs;
    SectionList digital;
    double warpFrequency = f1;
    if (IsBand(shape)) {
        const double w1 = kDigital * std::tan(kPi * f1 / fs);
        const double w2 = kDigital * std::tan(kPi * f2 / fs);
        if (!(w2 > w1) || !std::isfinite(w2)) {
            reason = EllipticFailure::StopEdgeInPassBand;
            return 0;
        }
        digital = Bilinear(fs, MapShape(proto, shape, 0.0, std::sqrt(w1 * w2), w2 - w1));
        warpFrequency = std::sqrt(f1 * f2);
    } else {
        const double warped = kDigital * std::tan(kPi * f1 / fs);
        digital = Bilinear(fs, MapShape(proto, shape, warped, 0.0, 0.0));
    }
    const double gain = (n % 2 == 0) ? std::pow(10.0, -rippleDb / 20.0) : 1.0;
    ScaleNumerator(digital[0], gain);
    const double kAnalog = 2.0 * kPi * warpFrequency / std::tan(kPi * warpFrequency / fs);
    SectionList analog;
    for (const CascadeSection& d : digital) {
        if (!IsStable(d)) {
            reason = EllipticFailure::FactoringFailed;
            return 0;
        }
        analog.push_back(InverseBilinearSection(kAnalog, d));
    }
    Store(analog, digital, ana, iir);
    return 1;
}
