#include "filters/CascadeSections.h"

#include <cmath>
#include <complex>
#include <utility>

using cplx = std::complex<double>;

SectionList MapLowPass(const Prototype& proto, double omega) {
    SectionList out;
    for (const PrototypeSection& p : proto) {
        CascadeSection s;
        if (p.firstOrder) {
            s.a0 = p.d0 * omega;
            s.a1 = 1.0;
            s.b0 = p.n0 * omega;
        } else {
            s.a0 = p.d0 * omega * omega;
            s.a1 = p.d1 * omega;
            s.a2 = 1.0;
            s.b0 = p.n0 * omega * omega;
            s.b2 = p.n2;
        }
        out.push_back(s);
    }
    return out;
}

SectionList MapHighPass(const Prototype& proto, double omega) {
    SectionList out;
    for (const PrototypeSection& p : proto) {
        CascadeSection s;
        if (p.firstOrder) {
            s.a0 = omega / p.d0;
            s.a1 = 1.0;
            s.b0 = 0.0;
            s.b1 = p.n0 / p.d0;
        } else {
            s.a0 = omega * omega / p.d0;
            s.a1 = p.d1 * omega / p.d0;
            s.a2 = 1.0;
            s.b0 = p.n2 * omega * omega / p.d0;
            s.b2 = p.n0 / p.d0;
        }
        out.push_back(s);
    }
    return out;
}

namespace {

// Poles and zeros of a prototype section in the upper half plane (conjugates implied) or on the
// real axis; a zero at infinity is marked by `finite` false.
struct SectionRoots {
    std::vector<cplx> poles;
    bool hasFiniteZero = false;
    double zero = 0.0; // zero at +-j zero
    double dcGain = 1.0;
};

SectionRoots RootsOf(const PrototypeSection& p) {
    SectionRoots r;
    if (p.firstOrder) {
        r.poles.push_back(-p.d0);
        r.dcGain = p.n0 / p.d0;
        return r;
    }
    const double disc = p.d1 * p.d1 - 4.0 * p.d0;
    if (disc < 0.0) {
        r.poles.push_back(cplx(-p.d1 / 2.0, std::sqrt(-disc) / 2.0));
    } else {
        const double q = -0.5 * (p.d1 + std::sqrt(disc));
        r.poles.push_back(q);
        r.poles.push_back(p.d0 / q);
    }
    if (p.n2 != 0.0) {
        r.hasFiniteZero = true;
        r.zero = std::sqrt(p.n0 / p.n2);
    }
    r.dcGain = p.n0 / p.d0;
    return r;
}

cplx Evaluate(const CascadeSection& s, cplx x) {
    return (s.b0 + x * (s.b1 + x * s.b2)) / (s.a0 + x * (s.a1 + x * s.a2));
}

// Band sections of one prototype section whose roots are already inverted for band-stop.
// Zeros: a finite prototype zero maps to two notches; an absent one to s (band-pass) or to
// the centre notch s^2 + w0^2 (band-stop, the prototype's zeros at infinity moved to 0).
SectionList BandSections(const SectionRoots& roots, bool bandStop, double w0, double bw,
                         double target) {
    std::vector<CascadeSection> out;
    for (const cplx& p : roots.poles) {
        if (p.imag() == 0.0) {
            // Real prototype pole: one band section s^2 - p B s + w0^2.
            CascadeSection s;
            s.a2 = 1.0;
            s.a1 = -p.real() * bw;
            s.a0 = w0 * w0;
            out.push_back(s);
        } else {
            const cplx root = std::sqrt(p * p * bw * bw - 4.0 * w0 * w0);
            for (const cplx q : {(p * bw + root) / 2.0, (p * bw - root) / 2.0}) {
                CascadeSection s;
                s.a2 = 1.0;
                s.a1 = -2.0 * q.real();
                s.a0 = std::norm(q);
                out.push_back(s);
            }
            if (out[out.size() - 1].a0 > out[out.size() - 2].a0)
                std::swap(out[out.size() - 1], out[out.size() - 2]);
        }
    }
    // Numerators with unit scale.
    if (roots.hasFiniteZero && out.size() == 2) {
        const double zb = roots.zero * bw;
        const double root = std::sqrt(zb * zb + 4.0 * w0 * w0);
        const double high = (root + zb) / 2.0;
        const double low = (root - zb) / 2.0;
        out[0].b2 = 1.0;
        out[0].b1 = 0.0;
        out[0].b0 = high * high;
        out[1].b2 = 1.0;
        out[1].b1 = 0.0;
        out[1].b0 = low * low;
    } else {
        for (CascadeSection& s : out) {
            s.b2 = bandStop ? 1.0 : 0.0;
            s.b1 = bandStop ? 0.0 : 1.0;
            s.b0 = bandStop ? w0 * w0 : 0.0;
        }
    }
    // Gain: the prototype's DC gain appears at w0 (band-pass) or at DC (band-stop).
    const cplx at = bandStop ? cplx(0.0, 0.0) : cplx(0.0, w0);
    cplx product = 1.0;
    for (const CascadeSection& s : out) product *= Evaluate(s, at);
    const double gain = target / product.real();
    const double each = std::pow(std::fabs(gain), 1.0 / static_cast<double>(out.size()));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double g = (i == 0 && gain < 0.0) ? -each : each;
        out[i].b0 *= g;
        out[i].b1 *= g;
        out[i].b2 *= g;
    }
    return out;
}

} // namespace

SectionList MapBandPass(const Prototype& proto, double w0, double bandwidth) {
    SectionList out;
    for (const PrototypeSection& p : proto) {
        const SectionRoots roots = RootsOf(p);
        for (const CascadeSection& s : BandSections(roots, false, w0, bandwidth, roots.dcGain))
            out.push_back(s);
    }
    return out;
}

SectionList MapBandStop(const Prototype& proto, double w0, double bandwidth) {
    SectionList out;
    for (const PrototypeSection& p : proto) {
        SectionRoots roots = RootsOf(p);
        for (cplx& pole : roots.poles) pole = 1.0 / pole;
        if (roots.poles.size() == 1 && roots.poles[0].imag() < 0.0)
            roots.poles[0] = std::conj(roots.poles[0]);
        if (roots.hasFiniteZero) roots.zero = 1.0 / roots.zero;
        for (const CascadeSection& s : BandSections(roots, true, w0, bandwidth, roots.dcGain))
            out.push_back(s);
    }
    return out;
}

void BilinearBiquad(double fs, double a1, double a0, double b2, double b1, double b0, double& da1,
                    double& da2, double& db0, double& db1, double& db2) {
    const double k = 2.0 * fs;
    const double d = k * (k + a1) + a0;
    da1 = 2.0 * (a0 - k * k) / d;
    da2 = (a0 + k * k - k * a1) / d;
    db0 = (k * b1 + k * k * b2 + b0) / d;
    db1 = 2.0 * (b0 - k * k * b2) / d;
    db2 = (b0 + k * k * b2 - k * b1) / d;
}

CascadeSection BilinearSection(double fs, const CascadeSection& analog) {
    CascadeSection d;
    d.a0 = 1.0;
    if (analog.IsFirstOrder()) {
        // (b1 s + b0) / (a1 s + a0)
        const double k = 2.0 * fs;
        const double den = analog.a1 * k + analog.a0;
        d.a1 = (analog.a0 - analog.a1 * k) / den;
        d.a2 = 0.0;
        d.b0 = (analog.b1 * k + analog.b0) / den;
        d.b1 = (analog.b0 - analog.b1 * k) / den;
        d.b2 = 0.0;
        return d;
    }
    const double n = analog.a2;
    BilinearBiquad(fs, analog.a1 / n, analog.a0 / n, analog.b2 / n, analog.b1 / n, analog.b0 / n,
                   d.a1, d.a2, d.b0, d.b1, d.b2);
    return d;
}

CascadeSection InverseBilinearSection(double k, const CascadeSection& digital) {
    const CascadeSection& g = digital;
    CascadeSection a;
    if (g.IsFirstOrder()) {
        // Multiply by (k + s): (b0 + b1 z^-1) (k + s) = s (b0 - b1) + k (b0 + b1).
        const double n = g.a0 - g.a1;
        a.a1 = 1.0;
        a.a0 = k * (g.a0 + g.a1) / n;
        a.a2 = 0.0;
        a.b1 = (g.b0 - g.b1) / n;
        a.b0 = k * (g.b0 + g.b1) / n;
        a.b2 = 0.0;
        return a;
    }
    const double n = g.a0 - g.a1 + g.a2;
    a.a2 = 1.0;
    a.a1 = 2.0 * k * (g.a0 - g.a2) / n;
    a.a0 = k * k * (g.a0 + g.a1 + g.a2) / n;
    a.b2 = (g.b0 - g.b1 + g.b2) / n;
    a.b1 = 2.0 * k * (g.b0 - g.b2) / n;
    a.b0 = k * k * (g.b0 + g.b1 + g.b2) / n;
    return a;
}

void StoreSections(const SectionList& sections, BiquadTable& table) {
    for (std::size_t i = 0; i < sections.size() && i < filt::kMaxSections; ++i) {
        const CascadeSection& s = sections[i];
        table.a0[i] = s.a0;
        table.a1[i] = s.a1;
        table.a2[i] = s.a2;
        table.b0[i] = s.b0;
        table.b1[i] = s.b1;
        table.b2[i] = s.b2;
    }
}

CascadeSection LoadSection(const BiquadTable& table, int k) {
    return {table.a0[k], table.a1[k], table.a2[k], table.b0[k], table.b1[k], table.b2[k]};
}
