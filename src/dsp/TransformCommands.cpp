// Window commands, "FFT(&F)" and "IFT(&I)" of the document.
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/RecordDft.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"

#include <algorithm>

namespace {
constexpr float kDefaultKaiserBeta = 12.0f;
} // namespace

void CKymoDoc::MakeWindow(int interactive, int fromToolbar, int windowKind, int n) {
    n = std::clamp(n, 1, static_cast<int>(m_fWindow.size()));
    float beta = m_fKaiserBeta;
    if (windowKind == wnd::Kaiser) {
        if (!interactive) {
            beta = kDefaultKaiserBeta;
        } else if (!fromToolbar) {
            if (const auto answer = m_ui.AskKaiserBeta(static_cast<int>(m_fKaiserBeta))) {
                if (KaiserBetaRepresentable(*answer))
                    m_fKaiserBeta = static_cast<float>(*answer);
                else
                    m_ui.ShowMessage(msg::kKaiserBetaTooLarge, MessageIcon::Warning);
            }
            beta = m_fKaiserBeta;
        }
    }
    FillWindow(windowKind, n, beta, m_fWindow.data());
}

void CKymoDoc::OnWindowCommand(int windowKind) {
    const int n = m_nPoints;
    m_nWindowType = windowKind;
    MakeWindow(1, m_bFromToolbar, windowKind, n);
    for (int i = 0; i < n; ++i) m_fWork1[i] = m_fWindow[i] * m_fWave1[i];
    if (disp_mode1 == kind::CutTwoChannels)
        for (int i = 0; i < n; ++i) m_fWork2[i] = m_fWindow[i] * m_fWave2[i];
    UpdateAllViews();
}

void CKymoDoc::OnWindowWithout() {
    const int n = m_nPoints;
    std::copy_n(m_fWave1.begin(), n, m_fWork1.begin());
    if (disp_mode1 == kind::CutTwoChannels) std::copy_n(m_fWave2.begin(), n, m_fWork2.begin());
    m_nWindowType = wnd::None;
    UpdateAllViews();
}

int CKymoDoc::OnFft() {
    const int n = m_nPoints;
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, n, m_ui)) return 0;
    disp_mode0 = subreq::ForwardResult;
    disp_mode1 = kind::Spectrum;
    const float fn = static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        m_fRe[i] = m_fWork1[i];
        m_fIm[i] = 0.0f;
        m_fWork1[i] = m_fWork1[i] / fn;
    }
    dft.Transform(plan, 0, m_fRe.data(), m_fIm.data());
    dft.Free(plan);
    m_bRescale = 1;
    UpdateAllViews();
    return 1;
}

int CKymoDoc::OnIft() {
    const int n = m_nPoints;
    Dft dft;
    DftPlan plan;
    if (!InitRecordDft(dft, plan, n, m_ui)) return 0;
    disp_mode0 = subreq::InverseResult;
    m_nWindowType = wnd::None;
    disp_mode1 = kind::TimeRecord;
    dft.Transform(plan, 1, m_fRe.data(), m_fIm.data());
    dft.Free(plan);
    const float fn = static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        const float x = m_fRe[i];
        m_fWave1[i] = x / fn;
        m_fIm[i] = 0.0f;
        m_fWork1[i] = x;
    }
    UpdateAllViews();
    return 1;
}
