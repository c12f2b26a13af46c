#include "filters/CascadeRealization.h"

#include "document/DocumentUi.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeMessages.h"
#include "filters/PreferredSeries.h"
#include "filters/StageTopology.h"

#include <cmath>
#include <optional>
#include <vector>

namespace {

constexpr double kFirstOrderBias = 1e7;      // R1 of exact first-order stages with notch stages
constexpr double kBandPassPlaceholder = 3e6; // R5 ... R7 of a band-pass stage (unused)
constexpr double kNotchResistorLimit = 9.9e7;
constexpr double kInitialError = 1e6;

struct Stage {
    double C0 = 0.0, C1 = 0.0;
    double R[8] = {};
};

// Section normalised to a2 = 1 (quadratic) or a1 = 1 (first-order).
struct Coefs {
    double a0, a1, b0, b1, b2;
};

Coefs Normalised(const BiquadTable& t, int k) {
    const double n = t.a2[k] != 0.0 ? t.a2[k] : t.a1[k];
    return {t.a0[k] / n, t.a1[k] / n, t.b0[k] / n, t.b1[k] / n, t.b2[k] / n};
}

double Limited(double r) {
    return std::fabs(r) > kNotchResistorLimit ? std::copysign(kNotchResistorLimit, r) : r;
}

double RelativeError(double v, double target) {
    return std::fabs(v / target - 1.0);
}

class StageRealizer {
public:
    StageRealizer(IDocumentUi& ui, int series, bool withZeros, bool gainPair)
        : m_ui(ui), m_exact(series == kSeriesExact),
          m_series(series == kSeriesE12 ? PreferredSeries::E12 : PreferredSeries::E24),
          m_withZeros(withZeros), m_gainPair(gainPair) {}

    bool Realize(StageTopology topology, const Coefs& c, double r, double cap, Stage& st) {
        switch (topology) {
        case StageTopology::SallenKeyLowPass:
            return SallenKeyLowPass(c, r, st);
        case StageTopology::SallenKeyHighPass:
            return SallenKeyHighPass(c, cap, st);
        case StageTopology::FirstOrderLowPass:
            return FirstOrderLowPass(c, r, st);
        case StageTopology::FirstOrderHighPass:
            return FirstOrderHighPass(c, cap, st);
        case StageTopology::StateVariableBandPass:
            return BandPass(c, r, st);
        case StageTopology::StateVariableNotch:
            return Notch(c, r, cap, st);
        }
        return false;
    }

private:
    bool Fail(const char* message) {
        m_ui.ShowMessage(message);
        return false;
    }

    std::optional<double> Nearest(double x) {
        double v = 0.0;
        if (!m_series.Nearest(x, v)) return std::nullopt;
        return v;
    }

    bool SallenKeyLowPass(const Coefs& c, double r, Stage& st) {
        if (m_exact) {
            st.R[0] = st.R[1] = r;
            st.C0 = 2.0 / (r * c.a1);
            st.C1 = 1.0 / (c.a0 * st.R[0] * st.R[1] * st.C0);
            return true;
        }
        std::vector<double> rs, cs;
        if (!m_series.Window(r, 1.5, rs)) return Fail(cmsg::kChangeResistor);
        if (!m_series.Window(2.0 / (c.a1 * r), 2.5, cs)) return Fail(cmsg::kChangeResistor);
        double best = kInitialError;
        for (double r0 : rs)
            for (double r1 : rs) {
                const double target = (r0 + r1) / (r0 * r1 * c.a1);
                for (double c0 : cs) {
                    const double err = RelativeError(c0, target);
                    if (err < best) {
                        best = err;
                        st.R[0] = r0;
                        st.R[1] = r1;
                        st.C0 = c0;
                    }
                }
            }
        const auto c1 = Nearest(1.0 / (st.R[1] * c.a0 * st.R[0] * st.C0));
        if (!c1) return Fail(cmsg::kChangeResistor);
        st.C1 = *c1;
        return true;
    }

    bool SallenKeyHighPass(const Coefs& c, double cap, Stage& st) {
        if (m_exact) {
            st.C0 = st.C1 = cap;
            st.R[1] = 2.0 / (c.a1 * cap);
            st.R[0] = 1.0 / (c.a0 * st.R[1] * st.C0 * st.C1);
            return true;
        }
        std::vector<double> caps, rs;
        if (!m_series.Window(cap, 1.5, caps)) return Fail(cmsg::kChangeCapHpf);
        if (!m_series.Window(2.0 / (c.a1 * cap), 2.5, rs)) return Fail(cmsg::kChangeCapHpf);
        double best = kInitialError;
        for (double c0 : caps)
            for (double c1 : caps) {
                const double target = (c0 + c1) / (c0 * c1 * c.a1);
                for (double r1 : rs) {
                    const double err = RelativeError(r1, target);
                    if (err < best) {
                        best = err;
                        st.C0 = c0;
                        st.C1 = c1;
                        st.R[1] = r1;
                    }
                }
            }
        const auto r0 = Nearest(1.0 / (st.R[1] * st.C1 * c.a0 * st.C0));
        if (!r0) return Fail(cmsg::kChangeCapHpf);
        st.R[0] = *r0;
        return true;
    }

    bool FirstOrderLowPass(const Coefs& c, double r, Stage& st) {
        st.C1 = 0.0;
        if (m_exact) {
            st.R[0] = r;
            st.C0 = 1.0 / (r * c.a0);
            st.R[1] = m_withZeros ? kFirstOrderBias : 0.0;
            return true;
        }
        st.R[1] = 0.0;
        std::vector<double> rs, cs;
        if (!m_series.Window(r, 1.5, rs)) return Fail(cmsg::kChangeResistor);
        if (!m_series.Window(1.0 / (r * c.a0), 2.5, cs)) return Fail(cmsg::kChangeResistor);
        double best = kInitialError;
        for (double r0 : rs)
            for (double c0 : cs) {
                const double err = RelativeError(c0, 1.0 / (r0 * c.a0));
                if (err < best) {
                    best = err;
                    st.R[0] = r0;
                    st.C0 = c0;
                }
            }
        return true;
    }

    bool FirstOrderHighPass(const Coefs& c, double cap, Stage& st) {
        st.C1 = 0.0;
        if (m_exact) {
            st.C0 = cap;
            st.R[0] = 1.0 / (cap * c.a0);
            st.R[1] = m_withZeros ? kFirstOrderBias : 0.0;
            return true;
        }
        st.R[1] = 0.0;
        std::vector<double> caps, rs;
        if (!m_series.Window(cap, 1.5, caps)) return Fail(cmsg::kChangeCapHpf);
        if (!m_series.Window(1.0 / (cap * c.a0), 2.5, rs)) return Fail(cmsg::kChangeCapHpf);
        double best = kInitialError;
        for (double c0 : caps)
            for (double r0 : rs) {
                const double err = RelativeError(r0, 1.0 / (c0 * c.a0));
                if (err < best) {
                    best = err;
                    st.C0 = c0;
                    st.R[0] = r0;
                }
            }
        return true;
    }

    bool BandPass(const Coefs& c, double r, Stage& st) {
        st.C1 = 0.0;
        st.R[5] = st.R[6] = st.R[7] = kBandPassPlaceholder;
        if (m_exact) {
            st.R[0] = r;
            st.C0 = 1.0 / (st.R[0] * c.b1);
            st.R[2] = st.R[3] = 1.0 / (st.C0 * std::sqrt(c.a0));
            st.R[1] = 1.0 / (c.a1 * st.C0);
            st.R[4] = st.R[1];
            return true;
        }
        const double cStar = 1.0 / (c.b1 * r);
        std::vector<double> caps, rs;
        if (!m_series.Window(cStar, 2.5, caps)) return Fail(cmsg::kChangeCapBpf);
        if (!m_series.Window(1.0 / (cStar * std::sqrt(c.a0)), 2.5, rs))
            return Fail(cmsg::kChangeResistor);
        double best = kInitialError;
        bool reported = false;
        for (double c0 : caps)
            for (double r2 : rs)
                for (double r3 : rs) {
                    const double radicand = 1.0 / (r2 * r3 * c.a0);
                    if (radicand < 0.0) {
                        if (!reported) m_ui.ShowMessage(cmsg::kNegativeRadicand);
                        reported = true;
                        continue;
                    }
                    const double err = RelativeError(c0, std::sqrt(radicand));
                    if (err < best) {
                        best = err;
                        st.C0 = c0;
                        st.R[2] = r2;
                        st.R[3] = r3;
                    }
                }
        const auto r0 = Nearest(1.0 / (c.b1 * st.C0));
        const auto r1 = Nearest(1.0 / (c.a1 * st.C0));
        if (!r0 || !r1) return Fail(cmsg::kChangeResistor);
        st.R[0] = *r0;
        st.R[1] = *r1;
        st.R[4] = st.R[1];
        return true;
    }

    bool Notch(const Coefs& c, double r, double cap, Stage& st) {
        if (!(c.b0 > 0.0) || !(c.a0 > 0.0) || !(c.a1 > 0.0))
            m_ui.ShowMessage(cmsg::kNegativeCoefficient);
        st.C1 = 0.0;
        if (m_exact) {
            st.R[0] = r;
            st.R[4] = c.b2 * r;
            st.C0 = cap;
            st.R[2] = st.R[3] = 1.0 / (st.C0 * std::sqrt(c.a0));
            st.R[1] = 1.0 / (c.a1 * st.C0);
            const double x = 3.0 * st.R[2] * st.R[4] /
                             (st.C0 * st.C0 * st.R[2] * st.R[3] * c.b0 * st.R[0] - st.R[4]);
            st.R[5] = st.R[6] = st.R[7] = Limited(x);
            return true;
        }
        // Gain resistors: a pair whose ratio R4/R0 follows b2, or R4 = R0.
        double g = 1.0;
        bool paired = false;
        if (m_gainPair) {
            std::vector<double> r0s, r4s;
            const bool ok0 = m_series.Window(r, 1.5, r0s);
            const bool ok4 = m_series.Window(r * c.b2, 1.5, r4s);
            if (!ok0 || !ok4) {
                m_ui.ShowMessage(cmsg::kChangeResistor);
            } else {
                double best = kInitialError;
                for (double r0 : r0s)
                    for (double r4 : r4s) {
                        const double err = RelativeError(r4 / r0, c.b2);
                        if (err < best) {
                            best = err;
                            st.R[0] = r0;
                            st.R[4] = r4;
                        }
                    }
                g = c.b2 / (st.R[4] / st.R[0]);
                paired = true;
            }
        }
        // Without a gain resistor, integrator capacitor or integrator resistors the stage would
        // be built of zero components: the realization fails.
        if (!paired) {
            if (!m_series.FirstNotBelow(r, st.R[0])) return Fail(cmsg::kChangeResistor);
            st.R[4] = st.R[0];
            g = 1.0;
        }
        // Integrator capacitor and resistors against the pole frequency.
        std::vector<double> caps, rs;
        if (!m_series.Window(cap, 1.5, caps)) return Fail(cmsg::kChangeCapBsf);
        if (!m_series.Window(1.0 / (cap * std::sqrt(c.a0)), 1.5, rs))
            return Fail(cmsg::kChangeResistor);
        double best = kInitialError;
        for (double c0 : caps)
            for (double r2 : rs)
                for (double r3 : rs) {
                    const double err = RelativeError(c0, std::sqrt(1.0 / (r2 * r3 * c.a0)));
                    if (err < best) {
                        best = err;
                        st.C0 = c0;
                        st.R[2] = r2;
                        st.R[3] = r3;
                    }
                }
        if (const auto r1 = Nearest(1.0 / (c.a1 * st.C0))) st.R[1] = *r1;
        // Zero resistors R5 || R6 || R7 against the numerator constant.
        const double b0 = c.b0 / g;
        const double c02 = st.C0 * st.C0;
        const double x =
            Limited(3.0 * st.R[3] * st.R[4] / (c02 * b0 * st.R[3] * st.R[2] * st.R[0] - st.R[4]));
        const double sigma = x < 0.0 ? -1.0 : 1.0;
        std::vector<double> zs;
        if (!m_series.Window(std::fabs(x), 1.5, zs)) {
            m_ui.ShowMessage(cmsg::kChangeResistor);
            st.R[5] = st.R[6] = st.R[7] = x;
            return true;
        }
        best = kInitialError;
        for (double r5 : zs)
            for (double r6 : zs)
                for (double r7 : zs) {
                    const double parallel = 1.0 / (1.0 / r5 + 1.0 / r6 + 1.0 / r7);
                    const double built =
                        (sigma / parallel + 1.0 / st.R[3]) * st.R[4] / (c02 * st.R[2] * st.R[0]);
                    const double err = RelativeError(b0, built);
                    if (err < best) {
                        best = err;
                        st.R[5] = sigma * r5;
                        st.R[6] = sigma * r6;
                        st.R[7] = sigma * r7;
                    }
                }
        return true;
    }

    IDocumentUi& m_ui;
    bool m_exact;
    PreferredSeries m_series;
    bool m_withZeros;
    bool m_gainPair;
};

bool AllFinite(const Stage& st) {
    if (!std::isfinite(st.C0) || !std::isfinite(st.C1)) return false;
    for (double r : st.R)
        if (!std::isfinite(r)) return false;
    return true;
}

void Put(const Stage& st, int k, CrTable& cr) {
    cr.C0[k] = st.C0;
    cr.C1[k] = st.C1;
    double* rows[8] = {cr.R0, cr.R1, cr.R2, cr.R3, cr.R4, cr.R5, cr.R6, cr.R7};
    for (int i = 0; i < 8; ++i) rows[i][k] = st.R[i];
}

} // namespace

int RealizeCascade(IDocumentUi& ui, int shape, int kind, int order, int series, const double* rRef,
                   const double* cRef, const BiquadTable& ana, CrTable& cr) {
    if (series != kSeriesE12 && series != kSeriesE24 && series != kSeriesExact) return 0;
    const int sections = (order + 1) / 2;
    if (sections < 1 || sections > filt::kMaxSections) return 0;
    const bool withZeros = kind == kCascadeInvChebyshev || kind == kCascadeElliptic;
    // Notch stages whose numerator gain b2 is not 1 get a resistor pair for R4/R0.
    const bool gainPair =
        kind == kCascadeElliptic ||
        (kind == kCascadeInvChebyshev && (shape == shape::LowPass || shape == shape::BandPass));
    StageRealizer realizer(ui, series, withZeros, gainPair);
    CrTable result;
    for (int k = 0; k < sections; ++k) {
        Stage st;
        const StageTopology topology = ChooseStageTopology(shape, kind, order, k);
        if (!realizer.Realize(topology, Normalised(ana, k), rRef[k], cRef[k], st)) return 0;
        if (!AllFinite(st)) {
            ui.ShowMessage(cmsg::kChangeResistor);
            return 0;
        }
        Put(st, k, result);
    }
    cr = result;
    return 1;
}
