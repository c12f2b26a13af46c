#include "filters/FirSettings.h"

#include "filters/FilterLimits.h"
#include "filters/FilterMessages.h"
#include "filters/KaiserFir.h"

namespace {

bool TwoEdges(int shapeCode) {
    return shapeCode == shape::BandPass || shapeCode == shape::BandStop;
}

FirFieldError Fail(FirField field, std::string message) {
    return {field, std::move(message)};
}

// Half rate, pass edge and stop edge of the low-pass prototype of a Kaiser design.
struct PrototypeEdges {
    float half, pass, stop;
};

PrototypeEdges Edges(const KaiserSettings& s, float fs) {
    const float half = fs / 2.0f;
    const float d = s.transition;
    switch (s.shape) {
    case shape::HighPass:
        return {half, half - s.cutLow, half - (s.cutLow - d)};
    case shape::BandPass:
    case shape::BandStop:
        return {half, (s.cutHigh - s.cutLow) / 2.0f, ((s.cutHigh + d) - (s.cutLow - d)) / 2.0f};
    default:
        return {half, s.cutLow, s.cutLow + d};
    }
}

} // namespace

std::optional<FirFieldError> CheckFirWindowSettings(const FirWindowSettings& s, int fs) {
    const bool two = TwoEdges(s.shape);
    const float half = static_cast<float>(fs) / 2.0f;
    if (!(s.cutLow > 0.0f)) return Fail(FirField::CutLow, fmsg::kAboveZero);
    if (two && !(s.cutHigh > 0.0f)) return Fail(FirField::CutHigh, fmsg::kAboveZero);
    if (s.cutLow > half) return Fail(FirField::CutLow, fmsg::kCutTooHigh);
    if (two && s.cutHigh > half) return Fail(FirField::CutHigh, fmsg::kCutTooHigh);
    if (two && !(s.cutHigh > s.cutLow)) return Fail(FirField::CutLow, fmsg::kLowBelowHigh);
    if (s.taps < filt::kMinFirTaps || s.taps > filt::kMaxFirTaps)
        return Fail(FirField::Taps, FormatCount(fmsg::kTapRange, filt::kMaxFirTaps));
    return std::nullopt;
}

void NormaliseKaiserSettings(KaiserSettings& s) {
    if (!TwoEdges(s.shape)) s.cutHigh = 0.0f;
}

std::optional<FirFieldError> CheckKaiserSettings(const KaiserSettings& s, int fs, int& taps) {
    const bool two = TwoEdges(s.shape);
    const float nyq = static_cast<float>(fs) * 0.5f;
    const float d = s.transition;
    if (s.shape == shape::LowPass && s.cutLow + d > nyq)
        return Fail(FirField::Transition, fmsg::kKaiserLowNyquist);
    if (two && s.cutHigh + d > nyq) return Fail(FirField::Transition, fmsg::kKaiserHighNyquist);
    if (s.shape == shape::HighPass && s.cutLow - d < 0.0f)
        return Fail(FirField::Transition, fmsg::kKaiserLowBelowZero);
    if (!(d > 0.0f)) return Fail(FirField::Transition, fmsg::kKaiserTransitionPositive);
    if (!(s.cutLow > 0.0f)) return Fail(FirField::CutLow, fmsg::kKaiserLowPositive);
    if (s.shape == shape::HighPass && s.cutLow > nyq)
        return Fail(FirField::CutLow, fmsg::kKaiserLowTooHigh);
    if (two && s.cutHigh > nyq) return Fail(FirField::CutHigh, fmsg::kKaiserHighTooHigh);
    if (two && !(s.cutHigh > 0.0f)) return Fail(FirField::CutHigh, fmsg::kKaiserHighPositive);
    if (two && s.cutLow > s.cutHigh) return Fail(FirField::CutLow, fmsg::kKaiserLowBelowHigh);
    if (!(s.atten >= 10.0f && s.atten <= 90.0f))
        return Fail(FirField::Atten, fmsg::kKaiserAttenRange);
    const double n = KaiserDesignTaps(s, fs);
    if (!(n >= 1.0) || n > filt::kMaxDesignTaps)
        return Fail(FirField::Transition, fmsg::kKaiserTransitionTooNarrow);
    taps = static_cast<int>(n);
    return std::nullopt;
}

double KaiserDesignTaps(const KaiserSettings& s, int fs) {
    const PrototypeEdges e = Edges(s, static_cast<float>(fs));
    return KaiserFir::EstimateTaps(e.half, e.pass, e.stop, s.atten);
}

std::string KaiserNoticeText(int taps) {
    return FormatCount(fmsg::kKaiserNotice, taps);
}

int DesignKaiser(KaiserFir& fir, const KaiserSettings& s, int fs) {
    const float f = static_cast<float>(fs);
    const float d = s.transition;
    switch (s.shape) {
    case shape::HighPass:
        return fir.DesignHighpass(f, s.cutLow, s.cutLow - d, s.atten);
    case shape::BandPass:
        return fir.DesignBandpass(f, s.cutHigh, s.cutHigh + d, s.cutLow, s.cutLow - d, s.atten);
    case shape::BandStop:
        return fir.DesignBandstop(f, s.cutHigh, s.cutHigh + d, s.cutLow, s.cutLow - d, s.atten);
    default:
        return fir.DesignLowpass(f, s.cutLow, s.cutLow + d, s.atten);
    }
}
