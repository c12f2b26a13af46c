#include "filters/RemezSettings.h"

#include <climits>
#include <cmath>
#include <cstdio>

const char* const kRemezNoConvergence = "収束しないのでﾊﾟﾗﾒｰﾀｰ設定を変えてみて下さい！";
const char* const kRemezNoConvergenceEasy =
    "収束しないのでﾊﾟﾗﾒｰﾀｰ設定を変えてみて下さい！\n"
    "　次数を予測してもダメな場合は何±%か増減すると良いようです。";

namespace {

const char* const kCutoffTooLow = "ｶｯﾄｵﾌ周波数を5Hz以上の正周波数にして下さい。";
const char* const kCutoffTooHigh = "ｶｯﾄｵﾌ周波数を低くして下さい。\n...標本化定理を満たしていません";

RemezCheck Fail(const char* message, RemezField field, int band = -1) {
    RemezCheck c;
    c.ok = false;
    c.message = message;
    c.field = field;
    c.band = band;
    return c;
}

// Pass-band and stop-band deviations of the easy settings.
double PassDeviation(const EasyRemezSettings& s) {
    return (1.0 - std::pow(10.0, -0.05 * s.ripple)) * 0.5;
}
double StopDeviation(const EasyRemezSettings& s) {
    return std::pow(10.0, -0.05 * s.atten);
}

} // namespace

int EasyRemezSampleRate(int rateIndex) {
    switch (rateIndex) {
    case 0:
        return 44100;
    case 2:
        return 96000;
    default:
        return 48000;
    }
}

std::string RemezTapCountMessage(int maxTaps) {
    char text[128];
    std::snprintf(text, sizeof text, "タップ数は3～%dまでとして下さい。", maxTaps);
    return text;
}

RemezCheck ValidateRemezTaps(int taps, int maxTaps) {
    if (taps < kRemezMinTaps || taps > maxTaps) {
        RemezCheck c = Fail("", RemezField::Taps);
        c.message = RemezTapCountMessage(maxTaps);
        return c;
    }
    return {};
}

RemezCheck ValidateEasyRemez(const EasyRemezSettings& s, int fs) {
    using namespace shape;
    const double nyq = fs / 2.0;
    const double f1 = s.f1, f2 = s.f2, d = s.transition;
    // Negated comparisons, so that a value that is no number fails as well.
    if (!(f1 >= 5.0)) return Fail(kCutoffTooLow, RemezField::Cutoff1);
    if (!(f2 >= 5.0)) return Fail(kCutoffTooLow, RemezField::Cutoff2);
    if (!(f1 < nyq)) return Fail(kCutoffTooHigh, RemezField::Cutoff1);
    if (!(f2 < nyq)) return Fail(kCutoffTooHigh, RemezField::Cutoff2);
    if ((s.shape == HighPass || s.shape == BandPass) && !(f1 - d >= 5.0))
        return Fail("[ｶｯﾄｵﾌ周波数-BAND]を5Hz以上の周波数にして下さい。", RemezField::Cutoff1);
    if ((s.shape == LowPass || s.shape == BandStop) && !(f1 + d < nyq))
        return Fail("[ｶｯﾄｵﾌ周波数+BAND]を低くして下さい。\n...標本化定理を満たしていません",
                    RemezField::Cutoff1);
    if (s.shape == BandStop && !(f2 - d >= 0.0))
        return Fail("[HPF側ｶｯﾄｵﾌ-BAND]を\n　5Hz以上の周波数にして下さい。", RemezField::Cutoff2);
    if (s.shape == BandPass && !(f2 + d < nyq))
        return Fail("[HPF側ｶｯﾄｵﾌ+BAND]を低くして下さい。\n...標本化定理を満たしていません",
                    RemezField::Cutoff2);
    if (!(d > 0.0))
        return Fail("[BAND]を0Hz以外の正の周波数にして下さい。", RemezField::Transition);
    if (s.shape == BandPass && !(f2 >= f1))
        return Fail("[LPF < HPF]になるよう設定して下さい。", RemezField::Cutoff2);
    if (s.shape == BandStop && !(f2 - d >= f1 + d))
        return Fail("[LPF+BAND < HPF-BAND]になるよう設定して下さい。", RemezField::Cutoff2);
    if (RemezCheck taps = ValidateRemezTaps(s.taps, kRemezMaxTaps); !taps.ok) return taps;
    if (!(s.ripple > 0.0f)) return Fail("ﾘｯﾌﾟﾙは正の値でお願いします。", RemezField::Ripple);
    if (!(s.atten > 0.0f))
        return Fail("阻止域通過ﾚﾍﾞﾙは正の値でお願いします。\n　(内部で負にしています)",
                    RemezField::Atten);
    return {};
}

int EstimateRemezTaps(const EasyRemezSettings& s, int fs) {
    const double dp = PassDeviation(s);
    const double ds = StopDeviation(s);
    const double n = (-10.0 * std::log10(dp * ds) - 13.0) / (14.6 * s.transition / fs);
    if (!(n < static_cast<double>(INT_MAX - 1))) return n < 0.0 ? INT_MIN : INT_MAX;
    if (!(n > static_cast<double>(INT_MIN))) return INT_MIN;
    int taps = static_cast<int>(n); // truncation toward zero
    if (taps % 2 == 0) ++taps;
    return taps;
}

RemezBands EasyRemezBands(const EasyRemezSettings& s, int fs) {
    using namespace shape;
    const double nyq = fs / 2.0;
    const double f1 = s.f1, f2 = s.f2, d = s.transition;
    const double w = PassDeviation(s) / StopDeviation(s);
    RemezBands b;
    auto add = [&b](double lo, double hi, double desired, double weight) {
        b.edges[2 * b.nBands] = lo;
        b.edges[2 * b.nBands + 1] = hi;
        b.desired[b.nBands] = desired;
        b.weights[b.nBands] = weight;
        ++b.nBands;
    };
    switch (s.shape) {
    case HighPass:
        add(0.0, f1 - d, 0.0, w);
        add(f1, nyq, 1.0, 1.0);
        break;
    case BandPass:
        add(0.0, f1 - d, 0.0, w);
        add(f1, f2, 1.0, 1.0);
        add(f2 + d, nyq, 0.0, w);
        break;
    case BandStop:
        add(0.0, f1, 1.0, 1.0);
        add(f1 + d, f2 - d, 0.0, w);
        add(f2, nyq, 1.0, 1.0);
        break;
    default:
        add(0.0, f1, 1.0, 1.0);
        add(f1 + d, nyq, 0.0, w);
        break;
    }
    return b;
}

RemezCheck ValidateRemezBands(RemezBandTable& t, int fs, bool realtime) {
    RemezCheck result;
    if (t.nBands < kRemezMinBands || t.nBands > kRemezMaxBands) {
        RemezCheck c = Fail("周波数設定の大小関係が異常です", RemezField::BandLow, 0);
        return c;
    }
    const int last = t.nBands - 1;
    const float nyq = static_cast<float>(fs * 0.5);
    if (t.low[0] != 0.0f) {
        result.notices.push_back("最初のﾊﾞﾝﾄﾞの端周波数は0Hzして下さい。");
        t.low[0] = 0.0f;
    }
    if (t.high[last] != nyq) {
        result.notices.push_back("最終ﾊﾞﾝﾄﾞの端周波数はｻﾝﾌﾟﾘﾝｸﾞ周波数の半分に設定致します");
        t.high[last] = nyq;
    }
    for (int k = last; k >= 0; --k) {
        RemezCheck fail;
        if (k == 0 && !(t.high[0] > 0.0f)) {
            fail = Fail("ﾏｲﾅｽの周波数設定はできません", RemezField::BandHigh, k);
        } else if (!(t.low[k] < t.high[k]) || (k > 0 && !(t.low[k] > t.high[k - 1]))) {
            fail = Fail("周波数設定の大小関係が異常です", RemezField::BandLow, k);
        } else if (!(t.gain[k] >= 0.0f && t.gain[k] <= 10.0f)) {
            fail = Fail("ゲイン設定は0～10までとして下さい", RemezField::BandGain, k);
        } else if (!(t.weight[k] >= 1.0f)) {
            fail = Fail(realtime ? "重み設定は1以上して下さい" : "重み設定は1以上として下さい",
                        RemezField::BandWeight, k);
        }
        if (!fail.ok) {
            fail.notices = std::move(result.notices);
            return fail;
        }
    }
    return result;
}

RemezBands TableRemezBands(const RemezBandTable& t) {
    RemezBands b;
    b.nBands = t.nBands < kRemezMaxBands ? t.nBands : kRemezMaxBands;
    for (int k = 0; k < b.nBands; ++k) {
        b.edges[2 * k] = t.low[k];
        b.edges[2 * k + 1] = t.high[k];
        b.desired[k] = t.gain[k];
        b.weights[k] = t.weight[k];
    }
    return b;
}

int DesignRemez(const RemezBands& bands, int taps, int fs, std::vector<double>& out) {
    if (taps < kRemezMinTaps || fs <= 0) return 0;
    std::vector<double> h(taps, 0.0);
    if (RemezDesign(taps, bands.nBands, bands.edges, bands.desired, bands.weights, kRemezMultiBand,
                    static_cast<double>(fs), h.data()) != 1)
        return 0;
    out = std::move(h);
    return 1;
}
