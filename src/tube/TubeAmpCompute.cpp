#include "tube/TubeAmpCompute.h"

#include "document/DocumentUi.h"
#include "dsp/DftPlan.h"
#include "dsp/Fft.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"
#include "sound/audio/AudioItems.h"
#include "tube/TubeData.h"
#include "tube/TubeMessages.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr double kToneHz = 1000.0;
constexpr double kKaiserBeta = 12.0;
constexpr double kMaxThd = 10.0;
constexpr double kFullScale = 32767.0;
constexpr int kWalkSteps = 1000;

// Fills `signal` for the input fraction r (of the largest swing) and returns the output power.
using LevelSignal = std::function<double(double r, std::vector<float>& signal)>;

// Scales the signal so that its largest excursion is 0.95 of full scale.
void ScaleToFull(std::vector<float>& signal) {
    float peak = 0.0f;
    for (float v : signal) peak = std::max(peak, std::fabs(v));
    if (peak > 0.0f)
        for (float& v : signal) v = static_cast<float>(v * 0.95 * kFullScale / peak);
}

// The distortion walk over output levels 10^(c-4) .. 10^c W in steps of 10^0.04; stops above
// 10 % THD. Returns false (message shown) when fewer than two levels were below it.
bool WalkLevels(IDocumentUi& ui, double maxPower, int rate, const LevelSignal& make,
                std::vector<TubeLevel>& levels) {
    levels.clear();
    if (!(maxPower > 0.0) || !std::isfinite(maxPower)) return false;
    const double c = std::ceil(std::log10(maxPower));
    std::vector<float> signal(audio::kSinePoints);
    for (int j = 0; j <= 100; ++j) {
        const double level = std::pow(10.0, c - 4.0 + 0.04 * j);
        const double power = make(std::sqrt(level / maxPower), signal);
        ScaleToFull(signal);
        const double thd = TubeSignalThd(signal, rate);
        if (thd > kMaxThd) break;
        levels.push_back({power, thd});
    }
    if (levels.size() < 2) {
        ui.ShowMessage(tubemsg::kBadDistortion, MessageIcon::Error);
        return false;
    }
    return true;
}

double Tone(long long n, int rate) {
    return std::sin(kTwoPi * kToneHz * static_cast<double>(n) / rate);
}

TubeRecord RecordOf(const TubeSolution& s) {
    TubeRecord r;
    r.curve = s.curve;
    r.eg0 = s.eg0;
    r.p0 = s.epq;
    r.lo = s.lo;
    r.hi = s.hi;
    r.plo = s.plo;
    r.phi = s.phi;
    return r;
}

bool SingleEnded(IDocumentUi& ui, const TubeAmpSettings& set, TubeAmpResult& res) {
    const TubeSolution& t = res.tube[0];
    res.maxPower = t.maxPower;
    const int period = set.rate / static_cast<int>(kToneHz);
    const auto make = [&](double r, std::vector<float>& y) {
        const double a = r * t.swing;
        double sum = 0.0;
        for (int n = 0; n < static_cast<int>(y.size()); ++n) {
            const double v = t.Limited(t.eg0 + a * Tone(n, set.rate)) - t.epq;
            y[static_cast<std::size_t>(n)] = static_cast<float>(v);
            if (n < period) sum += std::fabs(v);
        }
        const double mean = sum / period;
        return mean * mean / (set.tube[0].load * 1000.0);
    };
    if (!WalkLevels(ui, res.maxPower, set.rate, make, res.levels)) return false;
    const bool reaches = std::any_of(res.levels.begin(), res.levels.end(),
                                     [&](const TubeLevel& l) { return l.power > set.wanted; });
    if (!reaches || res.levels.front().power > 2.0 * set.wanted) return false;
    const double rWanted = std::sqrt(set.wanted / res.maxPower);
    std::vector<float> y(audio::kSinePoints);
    make(rWanted, y);
    ScaleToFull(y);
    res.setThd = TubeSignalThd(y, set.rate);
    TubeRecord rec = RecordOf(t);
    rec.a = rWanted * t.swing;
    rec.d = t.Limited(t.eg0 - rec.a) - t.epq;
    res.model.rec[0] = rec;
    return true;
}

// Differential push-pull: the pair on a common cathode fed with 2 x Iset. Replaces the solutions'
// curves by the pair's curves against each tube's nominal grid voltage.
bool DifferentialPair(const TubeData& d, const TubeAmpSettings& set, TubeSolution (&pair)[2]) {
    TubeSolution& up = pair[0];
    TubeSolution& lo = pair[1];
    const int curves = d.CurvesDeclared();
    const double first = d.com[TubeData::FirstGrid], step = d.com[TubeData::GridStep];
    const double u = curves * step / kWalkSteps;
    const double iset = set.tube[0].current;
    const auto current = [&](const TubeSolution& s, int t, double eg, bool limited) {
        const double clamped = std::clamp(eg, s.gridLow, s.gridHigh);
        const double p = limited ? s.Limited(eg) : s.curve(clamped);
        return (set.tube[t].supply - p) / set.tube[t].load;
    };
    bool found = false;
    for (int s = 0; s < kWalkSteps && !found; ++s) {
        const double eg = first + s * u;
        if (current(up, 0, eg, false) + current(lo, 1, eg, false) < 2.0 * iset) {
            for (int t = 0; t < 2; ++t) {
                TubeSolution& x = pair[t];
                x.eg0 = eg;
                x.epq = x.curve(std::clamp(eg, x.gridLow, x.gridHigh));
                x.iq = (set.tube[t].supply - x.epq) / set.tube[t].load;
            }
            found = true;
        }
    }
    if (!found) return false;
    FindUsableRange(up);
    FindUsableRange(lo);
    const double quiet = up.iq + lo.iq;
    std::vector<std::pair<double, double>> pu, pl;
    for (int j = 0; j < curves; ++j) {
        const double g = first + j * step, g2 = 2.0 * up.eg0 - g;
        const auto total = [&](double shift) {
            return current(up, 0, g + shift, true) + current(lo, 1, g2 + shift, true);
        };
        double shift = 0.0;
        if (total(0.0) > quiet) {
            for (int k = 0; k < kWalkSteps && total(shift) >= quiet; ++k) shift += u;
        } else {
            for (int k = 0; k < kWalkSteps && !(total(shift) > quiet); ++k) shift -= u;
        }
        pu.emplace_back(g, up.Limited(g + shift));
        pl.emplace_back(g2, lo.Limited(g2 + shift));
    }
    TransferCurve cu, cl;
    if (!FitTransferCurve(pu, 6, cu) || !FitTransferCurve(pl, 6, cl)) return false;
    const auto replace = [](TubeSolution& s, const TransferCurve& c,
                            const std::vector<std::pair<double, double>>& pts) {
        s.curve = c;
        s.gridLow = s.gridHigh = pts.front().first;
        for (const auto& p : pts) {
            s.gridLow = std::min(s.gridLow, p.first);
            s.gridHigh = std::max(s.gridHigh, p.first);
        }
        s.epq = c(s.eg0);
        FindUsableRange(s);
    };
    replace(up, cu, pu);
    replace(lo, cl, pl);
    return true;
}

bool PushPull(IDocumentUi& ui, const TubeData& data, const TubeAmpSettings& set,
              TubeAmpResult& res) {
    TubeSolution pair[2] = {res.tube[0], res.tube[1]};
    if (set.circuit == tube::kDifferential && !DifferentialPair(data, set, pair)) {
        ui.ShowMessage(tubemsg::kSingular, MessageIcon::Error);
        return false;
    }
    const TubeSolution& tu = pair[0];
    const TubeSolution& tl = pair[1];
    res.maxPower = res.tube[0].maxPower + res.tube[1].maxPower;
    const int period = set.rate / static_cast<int>(kToneHz);
    const double loads = set.tube[0].load + set.tube[1].load;
    const auto make = [&](double r, std::vector<float>& y) {
        const double a = r * res.tube[1].swing;
        double mu = 0.0, ml = 0.0;
        for (int n = 0; n < static_cast<int>(y.size()); ++n) {
            const double s = a * Tone(n, set.rate);
            const double pu = tu.Limited(tu.eg0 - s), pl = tl.Limited(tl.eg0 + s);
            y[static_cast<std::size_t>(n)] = static_cast<float>(pl - pu);
            if (n < period) {
                mu += std::fabs(pu - tu.epq);
                ml += std::fabs(pl - tl.epq);
            }
        }
        const double m = (mu + ml) / period;
        return m * m / (loads * 1000.0);
    };
    if (!WalkLevels(ui, res.maxPower, set.rate, make, res.levels)) return false;
    const bool reaches = std::any_of(res.levels.begin(), res.levels.end(),
                                     [&](const TubeLevel& l) { return l.power > set.wanted; });
    if (!reaches || res.levels.front().power > set.wanted) return false;
    const double rw = std::sqrt(set.wanted / res.maxPower);
    std::vector<float> y(audio::kSinePoints);
    make(rw, y);
    ScaleToFull(y);
    res.setThd = TubeSignalThd(y, set.rate);
    TubeRecord ru = RecordOf(tu), rl = RecordOf(tl);
    const double su = rw * res.tube[0].swing, sl = rw * res.tube[1].swing;
    ru.a = su;
    rl.a = -sl;
    const double d1 = tl.Limited(tl.eg0 - sl) - tu.Limited(tu.eg0 + su);
    const double d2 = std::fabs(tl.Limited(tl.eg0 + sl) - tu.Limited(tu.eg0 - su));
    const double k = (std::fabs(d1) + d2) / 2.0;
    const double dscale = k >= d2 ? k : (d2 + k) / 2.0;
    ru.d = rl.d = dscale;
    res.model.rec[0] = ru;
    res.model.rec[1] = rl;
    return true;
}

} // namespace

double TubeSignalThd(const std::vector<float>& signal, int rate) {
    const int n = audio::kSinePoints;
    std::vector<float> w(n), re(n), im(n, 0.0f);
    FillWindow(wnd::Kaiser, n, static_cast<float>(kKaiserBeta), w.data());
    for (int i = 0; i < n; ++i)
        re[i] = i < static_cast<int>(signal.size()) ? signal[i] * w[i] : 0.0f;
    Fft fft;
    DftPlan plan;
    if (fft.Init(plan, n) != 0) return 0.0;
    fft.Transform(plan, 0, re.data(), im.data());
    fft.Free(plan);
    std::vector<float> l(n / 2), r(n / 2);
    for (int k = 0; k < n / 2; ++k) l[k] = r[k] = std::sqrt(re[k] * re[k] + im[k] * im[k]);
    return audio::Thd(l.data(), r.data(), n, rate, true).thd[0];
}

bool ComputeTubeAmp(IDocumentUi& ui, const TubeData& data, const TubeAmpSettings& set,
                    TubeAmpResult& out) {
    TubeAmpResult res;
    res.model.circuit = set.circuit;
    const bool pair = set.circuit != tube::kSingle;
    const auto fault = [&] {
        ui.ShowMessage(tubemsg::kOutputFault, MessageIcon::Error);
        return false;
    };
    for (int t = 0; t < (pair ? 2 : 1); ++t) {
        TubeSetup setup = set.tube[t];
        setup.bias = set.circuit == tube::kDifferential ? tube::kBiasConstCurrent : set.bias;
        if (!SolveTube(ui, data, setup, res.tube[t])) return fault();
        res.follower = res.follower || res.tube[t].follower;
    }
    const bool ok = pair ? PushPull(ui, data, set, res) : SingleEnded(ui, set, res);
    if (!ok) return fault();
    for (int t = 0; t < (pair ? 2 : 1); ++t) {
        const double d = res.model.rec[t].d;
        if (!(std::fabs(d) > 0.0) || !std::isfinite(d)) return fault();
    }
    out = std::move(res);
    return true;
}
