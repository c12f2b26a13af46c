#include "realtime/InverseFir.h"

#include "document/DocumentUi.h"
#include "dsp/RecordDft.h"
#include "realtime/RtMessages.h"

#include <algorithm>
#include <cmath>

namespace {

// The n-point transform of (re, im) in place; false (reported) when the plan cannot be made.
bool Transform(IDocumentUi& ui, std::vector<float>& re, std::vector<float>& im, bool inverse) {
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, static_cast<int>(re.size()), ui)) return false;
    dft.Transform(plan, inverse ? 1 : 0, re.data(), im.data());
    dft.Free(plan);
    return true;
}

bool Spectrum(IDocumentUi& ui, const std::vector<double>& taps, std::vector<float>& re,
              std::vector<float>& im) {
    re.assign(taps.begin(), taps.end());
    im.assign(taps.size(), 0.0f);
    return Transform(ui, re, im, false);
}

} // namespace

int LimitDynamicRange(IDocumentUi& ui, std::vector<float>& re, std::vector<float>& im,
                      double limitDb) {
    const std::size_t n = re.size();
    double lo = HUGE_VAL, hi = 0.0;
    for (std::size_t k = 0; k < n; ++k) {
        const double p = static_cast<double>(re[k]) * re[k] + static_cast<double>(im[k]) * im[k];
        lo = std::min(lo, p);
        hi = std::max(hi, p);
    }
    if (n == 0 || !(lo > 0.0) || !(hi > 0.0) || !std::isfinite(hi)) {
        ui.ShowMessage(rtmsg::kMinMaxFailed);
        return 0;
    }
    std::vector<float> ure(n, 0.0f), uim(n, 0.0f);
    ure[n / 2] = 1.0f;
    if (!Transform(ui, ure, uim, false)) return 0;
    // U at unit magnitude (the transform scales by 1/n), so that the floor lies limitDb below
    // the peak.
    const double scale = n * std::sqrt(hi) / std::pow(10.0, 0.05 * limitDb);
    for (std::size_t k = 0; k < n; ++k) {
        re[k] = static_cast<float>(re[k] + ure[k] * scale);
        im[k] = static_cast<float>(im[k] + uim[k] * scale);
    }
    return 1;
}

int InverseFir(IDocumentUi& ui, std::vector<double>& taps, bool limit, double limitDb) {
    const auto fail = [&ui] {
        ui.ShowMessage(rtmsg::kInverseFailed);
        return 0;
    };
    std::vector<float> re, im;
    if (taps.empty() || !Spectrum(ui, taps, re, im)) return fail();
    for (std::size_t k = 0; k < re.size(); ++k) {
        const double p = static_cast<double>(re[k]) * re[k] + static_cast<double>(im[k]) * im[k];
        if (!(p > 0.0)) {
            ui.ShowMessage(rtmsg::kDivideByZero);
            return fail();
        }
        re[k] = static_cast<float>(re[k] / p);
        im[k] = static_cast<float>(-im[k] / p);
    }
    if (limit && !LimitDynamicRange(ui, re, im, limitDb)) return fail();
    if (!Transform(ui, re, im, true)) return fail();
    // X holds the spectrum scaled by 1/n, so 1/X is n times the inverse's spectrum and its
    // unscaled transform n^2 times the inverse's taps.
    const double n = static_cast<double>(taps.size());
    for (std::size_t k = 0; k < taps.size(); ++k) taps[k] = re[k] / (n * n);
    return 1;
}

int ForwardFir(IDocumentUi& ui, std::vector<double>& taps, bool limit, double limitDb) {
    const auto fail = [&ui] {
        ui.ShowMessage(rtmsg::kForwardFailed);
        return 0;
    };
    std::vector<float> re, im;
    if (taps.empty() || !Spectrum(ui, taps, re, im)) return fail();
    if (limit && !LimitDynamicRange(ui, re, im, limitDb)) return fail();
    if (!Transform(ui, re, im, true)) return fail();
    for (std::size_t k = 0; k < taps.size(); ++k) taps[k] = re[k];
    return 1;
}
