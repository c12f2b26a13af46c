#include "tube/TubeSolver.h"

#include "document/DocumentUi.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr int kWalkSteps = 1000;
constexpr int kFitTerms = 6;
} // namespace

double TubeSolution::Limited(double eg) const {
    if (eg < lo) return plo;
    if (eg > hi) return phi;
    return curve(eg);
}

bool CurveCrossing(const TubeData& d, int i, const TubeSetup& s, double& ep) {
    const double range = d.com[TubeData::PlateScale];
    const double scale = d.com[TubeData::CurrentScale];
    int best = -1;
    for (int step = 0; step <= kWalkSteps; ++step) {
        const double v = range * step / kWalkSteps;
        const double curve =
            std::max(0.0, d.Current(i, v * (1.0 + s.epError / 100.0))) * (1.0 + s.ipError / 100.0);
        const double line = (s.supply - v) / s.load;
        if (line > curve && curve <= scale) best = step;
    }
    if (best < 0 || best >= kWalkSteps) return false;
    ep = range * best / kWalkSteps;
    return true;
}

void FindUsableRange(TubeSolution& s) {
    const double h = (s.gridHigh - s.gridLow) / kWalkSteps;
    double hi = s.eg0, lo = s.eg0;
    if (h > 0.0) {
        while (hi + h <= s.gridHigh && s.curve(hi + h) > 0.0 && s.curve(hi + h) < s.curve(hi))
            hi += h;
        while (lo - h >= s.gridLow && s.curve(lo - h) > 0.0 && s.curve(lo - h) > s.curve(lo))
            lo -= h;
    }
    s.lo = lo;
    s.hi = hi;
    s.plo = s.curve(lo);
    s.phi = s.curve(hi);
}

bool SolveTube(IDocumentUi& ui, const TubeData& d, const TubeSetup& s, TubeSolution& out) {
    TubeSolution r;
    if (!(s.load > 0.0)) {
        ui.ShowMessage(tubemsg::kOutputFault, MessageIcon::Error);
        return false;
    }
    for (int i = 0; i < static_cast<int>(d.curves.size()); ++i) {
        double ep = 0.0;
        if (CurveCrossing(d, i, s, ep)) r.points.emplace_back(d.curves[i].grid, ep);
    }
    const int count = static_cast<int>(r.points.size());
    if (count < 2) {
        ui.ShowMessage(tubemsg::kNoSolution, MessageIcon::Error);
        return false;
    }
    if (count < 4) ui.ShowMessage(tubemsg::kFewPoints);
    if (!FitTransferCurve(r.points, std::min(kFitTerms, count), r.curve)) {
        ui.ShowMessage(tubemsg::kSingular, MessageIcon::Error);
        return false;
    }
    r.gridLow = r.gridHigh = r.points[0].first;
    for (const auto& p : r.points) {
        r.gridLow = std::min(r.gridLow, p.first);
        r.gridHigh = std::max(r.gridHigh, p.first);
    }

    const auto badPoint = [&] {
        ui.ShowMessage(tubemsg::kOperatingPoint, MessageIcon::Error);
        return false;
    };
    if (s.bias == tube::kBiasConstCurrent) {
        const double epq = s.supply - s.load * s.current;
        bool found = false;
        for (int step = 0; step < kWalkSteps && !found; ++step) {
            const double eg = r.gridHigh - (r.gridHigh - r.gridLow) * step / kWalkSteps;
            if (r.curve(eg) > epq) {
                r.eg0 = eg;
                found = true;
            }
        }
        if (!found) return badPoint();
    } else {
        r.eg0 = s.bias == tube::kBiasGrid ? s.gridBias : s.cathodeBias;
        if (r.eg0 < r.gridLow || r.eg0 > r.gridHigh) return badPoint();
    }
    r.epq = r.curve(r.eg0);
    r.iq = (s.supply - r.epq) / s.load;
    if (!(r.iq > 0.0) || !std::isfinite(r.iq)) return badPoint();

    if (s.bias == tube::kBiasCathode || s.bias == tube::kBiasCathodeC) {
        r.cathodeR = -r.eg0 / r.iq;
        r.follower = r.iq > 0.9 * s.supply / (s.load + r.cathodeR);
    }
    if (s.bias == tube::kBiasCathode && r.cathodeR > 0.0) {
        // Unbypassed cathode resistor: the slope g becomes g / (1 - k g), integrated over the
        // grid span and refitted through 20 samples.
        const double k = r.cathodeR / (s.load + r.cathodeR);
        const double h = (r.gridHigh - r.gridLow) / kWalkSteps;
        std::vector<std::pair<double, double>> samples;
        double value = 0.0, eg = r.gridLow;
        const auto slope = [&](double x) {
            const double g = r.curve.Slope(x);
            return g / (1.0 - k * g);
        };
        for (int step = 0; step < kWalkSteps; ++step) {
            if (step % 50 == 0) samples.emplace_back(eg, value);
            value += 0.5 * h * (slope(eg) + slope(eg + h));
            eg += h;
        }
        TransferCurve fed;
        if (!FitTransferCurve(samples, kFitTerms, fed)) {
            ui.ShowMessage(tubemsg::kSingular, MessageIcon::Error);
            return false;
        }
        fed.c[0] += r.epq - fed(r.eg0);
        r.curve = fed;
    }
    const int curves = d.CurvesDeclared();
    r.gain = r.curve.Slope(r.eg0);
    r.swing = (curves - 1) * std::fabs(d.com[TubeData::GridStep]) * 2.0 / 3.0;
    const double peak = r.gain * r.swing;
    r.maxPower = peak * peak * 0.0005 / s.load;
    FindUsableRange(r);
    out = std::move(r);
    return true;
}
