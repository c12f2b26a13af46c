// File analyses: choices of the set-up dialog, the set-up step on the raw wave and the
// averaging dialog's limits.
#include "document/FileAnalysis.h"

#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/WindowKinds.h"

#include <cmath>

namespace {
constexpr int kMinDownExp = -6;
constexpr int kLowestTopFrequency = 99; // Hz; the spin refuses this or less
} // namespace

int PendingKindOf(int a) {
    switch (a) {
    case analysis::Spectrum:
        return kind::SpectrumPending;
    case analysis::AutoCorr:
        return kind::AutoCorrPending;
    case analysis::CrossCorr:
        return kind::CrossCorrPending;
    default:
        return kind::TransferPending;
    }
}

int AnalysisOfPendingKind(int k) {
    switch (k) {
    case kind::SpectrumPending:
        return analysis::Spectrum;
    case kind::AutoCorrPending:
        return analysis::AutoCorr;
    case kind::CrossCorrPending:
        return analysis::CrossCorr;
    case kind::TransferPending:
        return analysis::Transfer;
    default:
        return -1;
    }
}

int BaseChannel(int dispMode3) {
    return dispMode3 > chan::FilteredOffset && dispMode3 <= chan::FilteredOffset + chan::Both
               ? dispMode3 - chan::FilteredOffset
               : dispMode3;
}

int DownSampledTopFrequency(int downExp, int rate) {
    return static_cast<int>(std::ldexp(static_cast<double>(rate), downExp) / 2.0);
}

std::string DownSampleText(int downExp, int rate) {
    const int f = DownSampledTopFrequency(downExp, rate);
    return f < 10000 ? std::to_string(f) + "Hz" : std::to_string(f / 1000) + "kHz";
}

bool DownSampleStepAllowed(int downExp, int rate) {
    if (downExp < kMinDownExp || downExp > 0) return false;
    return DownSampledTopFrequency(downExp, rate) > kLowestTopFrequency;
}

int CKymoDoc::OnSetUpFileAnalysis(int which, const AnalysisSetup& setup) {
    SetPow(setup.pow);
    m_nDownExp = setup.downExp;
    const double records = std::ldexp(static_cast<double>(m_fWaveFrames), m_nDownExp) / m_nPoints;
    if (static_cast<long long>(records) == 0) {
        const bool correlation = which == analysis::AutoCorr || which == analysis::CrossCorr;
        m_ui.ShowMessage(correlation ? msg::kTooShortCorrelation : msg::kTooShortSpectrum);
        return 0;
    }
    if (m_nDownExp != 0) {
        const int passes = -m_nDownExp;
        m_nDownExp = 0;
        for (int pass = 0; pass < passes; ++pass)
            if (!DecimateWave()) return 0;
    }
    if (setup.windowType >= wnd::Triangle && setup.windowType <= wnd::Kaiser) {
        m_nWindowType = setup.windowType;
        MakeWindow(1, m_bFromToolbar, m_nWindowType, m_nPoints);
    } else {
        m_nWindowType = wnd::None;
    }
    disp_mode1 = PendingKindOf(which);
    if (which != analysis::Transfer) m_bMemoryStored = 0;
    UpdateAllViews();
    return 1;
}

int CKymoDoc::AveragingMaxCount() const {
    return static_cast<int>(m_fWaveFrames / static_cast<float>(m_nPoints));
}

void CKymoDoc::OnCancelAveraging() {
    disp_mode1 = kind::Wave;
    UpdateAllViews();
}
