#include "filters/CascadeIirDesign.h"

#include "document/DocumentUi.h"
#include "filters/CascadeMessages.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"

#include <cmath>

namespace {
constexpr double kSliderRatio = 1.1224526166915894;
constexpr double kMinRefResistorK = 1.0, kMaxRefResistorK = 500.0;
constexpr double kMinRefCapacitorU = 0.00001, kMaxRefCapacitorU = 10.0;
constexpr double kMinLevelDb = 0.01;

bool IsBand(int s) {
    return s == shape::BandPass || s == shape::BandStop;
}
} // namespace

int CascadeSampleRate(int rateChoice) {
    switch (rateChoice) {
    case 0:
        return 44100;
    case 2:
        return 96000;
    default:
        return 48000;
    }
}

int CascadeSliderPosition(double f) {
    return static_cast<int>(std::ceil(std::log(0.05 * f) / std::log(kSliderRatio)));
}

CascadeIirDesign::CascadeIirDesign() {
    for (int k = 0; k < filt::kMaxSections; ++k) {
        m_fRefR[k] = kDefaultRefResistor;
        m_fRefC[k] = kDefaultRefCapacitor;
    }
}

void CascadeIirDesign::SetReference(int stage, double ohms, double farads) {
    if (stage < 0 || stage >= filt::kMaxSections) return;
    m_fRefR[stage] = ohms;
    m_fRefC[stage] = farads;
}

int CascadeIirDesign::Validate(const CascadeParams& p, int stage, IDocumentUi& ui,
                               CascadeField* failed) {
    CascadeField dummy;
    CascadeField& field = failed ? *failed : dummy;
    field = CascadeField::None;
    auto fail = [&](const std::string& text, CascadeField f) {
        ui.ShowMessage(text);
        field = f;
        return 0;
    };
    const double fs = CascadeSampleRate(p.rateChoice);
    const bool band = IsBand(p.shape);
    if (!(p.cutLow > 0.0)) return fail(fmsg::kAboveZero, CascadeField::CutLow);
    if (band && !(p.cutHigh > 0.0)) return fail(fmsg::kAboveZero, CascadeField::CutHigh);
    // At fs/2 the bilinear prewarping puts the poles on z = -1: the cut-offs stay below it.
    if (!(p.cutLow < fs / 2.0)) return fail(fmsg::kCutTooHigh, CascadeField::CutLow);
    if (band && !(p.cutHigh < fs / 2.0)) return fail(fmsg::kCutTooHigh, CascadeField::CutHigh);
    if (band && !(p.cutHigh > p.cutLow)) return fail(fmsg::kLowBelowHigh, CascadeField::CutLow);
    if (!(p.refResistorK >= kMinRefResistorK && p.refResistorK <= kMaxRefResistorK))
        return fail(cmsg::kResistorRange, CascadeField::Resistor);
    if (!(p.refCapacitorU >= kMinRefCapacitorU && p.refCapacitorU <= kMaxRefCapacitorU))
        return fail(cmsg::kCapacitorRange, CascadeField::Capacitor);
    SetReference(stage, p.refResistorK * 1000.0, p.refCapacitorU * 1e-6);
    const long long m = band ? 2LL * p.order : p.order;
    const int minimum = band ? 4 : 2;
    if (m < minimum || m > filt::kMaxIirOrder)
        return fail(FormatCount(cmsg::kOrderRange, band ? filt::kMaxSections : filt::kMaxIirOrder),
                    CascadeField::Order);
    if (!(p.ripple >= kMinLevelDb)) return fail(cmsg::kRippleLevel, CascadeField::Ripple);
    if (!(p.stopLevel >= kMinLevelDb)) return fail(cmsg::kRippleLevel, CascadeField::StopLevel);
    return 1;
}

int CascadeIirDesign::ValidateKindChange(const CascadeParams& p, int stage, IDocumentUi& ui,
                                         CascadeField* failed) {
    if (Validate(p, stage, ui, failed)) return 1;
    ui.ShowMessage(cmsg::kKindCheckFailed);
    return 0;
}

int CascadeIirDesign::ComputeCoefficients(const CascadeParams& p, bool realize, int series,
                                          IDocumentUi& ui) {
    const double fs = CascadeSampleRate(p.rateChoice);
    BiquadTable ana, iir;
    int ok = 0;
    switch (p.kind) {
    case kCascadeButterworth:
        ok = CascadeButterworth(p.shape, p.order, fs, p.cutLow, p.cutHigh, ana, iir);
        break;
    case kCascadeChebyshev:
        ok = CascadeChebyshev(p.shape, p.order, fs, p.cutLow, p.cutHigh, p.ripple, ana, iir);
        break;
    case kCascadeInvChebyshev:
        ok = CascadeInvChebyshev(p.shape, p.order, fs, p.cutLow, p.cutHigh, p.stopLevel, ana, iir);
        break;
    case kCascadeElliptic: {
        EllipticFailure why = EllipticFailure::None;
        ok = CascadeElliptic(p.shape, p.order, fs, p.cutLow, p.cutHigh, p.ripple, p.stopLevel, ana,
                             iir, &why);
        if (why == EllipticFailure::StorageTooSmall) ui.ShowMessage(cmsg::kStorageTooSmall);
        break;
    }
    default:
        ui.ShowMessage(cmsg::kUnknownKind);
        break;
    }
    if (!ok) {
        ui.ShowMessage(cmsg::kCoefficientsFailed);
        return 0;
    }
    m_iir = iir;
    m_ana = ana;
    m_anacr = BiquadTable{};
    m_cr = CrTable{};
    m_nOrder = CascadeEffectiveOrder(p.shape, p.order);
    m_nShape = p.shape;
    m_nKind = p.kind;
    m_fFs = fs;
    m_fCutLow = p.cutLow;
    m_fCutHigh = IsBand(p.shape) ? p.cutHigh : 0.0;
    m_nTableSet = 1;
    if (realize && !m_bRealizeFailed && series != kSeriesSFunction) Realize(series, ui);
    return 1;
}

int CascadeIirDesign::Realize(int series, IDocumentUi& ui) {
    if (!HasDesign()) return 0;
    CrTable cr;
    BiquadTable anacr;
    if (!RealizeCascade(ui, m_nShape, m_nKind, m_nOrder, series, m_fRefR, m_fRefC, m_ana, cr) ||
        !CascadeAnaResp(ui, m_nKind, m_nShape, m_nOrder, cr, anacr)) {
        ui.ShowMessage(cmsg::kRealizeFailed);
        m_bRealizeFailed = true;
        return 0;
    }
    m_cr = cr;
    m_anacr = anacr;
    m_nTableSet = 3;
    return 1;
}

int CascadeIirDesign::Save(IDocumentUi& ui) const {
    if (!HasDesign()) return 0;
    CoefFile file(ui);
    return file.WriteIir(m_nTableSet, m_nKind, m_nShape, m_nOrder, m_fCutLow, m_fCutHigh, m_iir,
                         m_ana, m_anacr, m_cr);
}
