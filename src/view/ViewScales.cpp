#include "view/ViewScales.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"

#include <algorithm>
#include <cmath>

namespace {

void TrackAbs(float& m, float v) {
    if (std::isfinite(v)) m = std::max(m, std::fabs(v));
}

void WidenDb(ViewScales& s, double magnitude) {
    if (!(magnitude > 0) || !std::isfinite(magnitude)) return;
    const float db = static_cast<float>(20.0 * std::log10(magnitude));
    s.m_fTopDb = std::max(s.m_fTopDb, db);
    s.m_fBottomDb = std::min(s.m_fBottomDb, db);
}

} // namespace

bool IsTwoChannelScaleKind(int k) {
    switch (k) {
    case kind::CutTwoChannels:
    case kind::Scope:
    case kind::Spectrum2:
    case 20:
    case 21:
    case kind::AutoCorr2:
    case kind::CrossCorr:
    case kind::AudioMeasurement:
        return true;
    default:
        return false;
    }
}

void ComputeAutoScale(const CKymoDoc& doc, int n, ViewScales& s) {
    s = ViewScales{};
    s.m_fScale2 = 0;
    s.m_fTopDb = -10000000.0f;
    s.m_fBottomDb = 10000000.0f;
    n = std::clamp(n, 0, static_cast<int>(std::min(doc.m_fRe.size(), doc.m_fWork1.size())));
    for (int i = 0; i < n; ++i) {
        TrackAbs(s.m_fMaxRe, doc.m_fRe[i]);
        TrackAbs(s.m_fMaxIm, doc.m_fIm[i]);
        TrackAbs(s.m_fMaxWork, doc.m_fWork1[i]);
        TrackAbs(s.m_fMaxWave, doc.m_fWave1[i]);
    }
    for (int i = 0; i < n / 2; ++i) {
        const double re = doc.m_fRe[i];
        const double im = doc.m_fIm[i];
        const double mag = std::sqrt(re * re + im * im);
        if (!std::isfinite(mag)) continue;
        s.m_fMaxMag = std::max(s.m_fMaxMag, static_cast<float>(mag));
        WidenDb(s, mag);
    }
    const int k = doc.disp_mode1;
    if (IsTwoChannelScaleKind(k)) {
        for (int i = 0; i < n; ++i) {
            TrackAbs(s.m_fMaxWork, doc.m_fWork2[i]);
            TrackAbs(s.m_fMaxWave, doc.m_fWave2[i]);
        }
        s.m_fScale2 = s.m_fMaxWave;
    }
    if (k == kind::Spectrum2 || k == kind::SpectrumPending || k == kind::AudioMeasurement) {
        for (int i = 0; i < n; ++i) {
            const double re = doc.m_fOpRe[i];
            const double im = doc.m_fOpIm[i];
            WidenDb(s, std::sqrt(re * re + im * im));
        }
    }
    s.m_fMaxReIm = std::max(s.m_fMaxRe, s.m_fMaxIm);
}
