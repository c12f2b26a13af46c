// Test signals as initial results: impulse and time-stretched pulse (TSP).
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/RecordDft.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
constexpr long double kFourPi = 12.566370614359172L;
constexpr float kTspDisplayScale = 1000.0f;
} // namespace

int CKymoDoc::OnImpulse(int pow, int position, int count, double fs) {
    SetPow(pow);
    m_fDt = static_cast<float>(1.0 / fs);
    const int n = m_nPoints;
    std::fill_n(m_fWave1.begin(), n, 0.0f);
    std::fill_n(m_fWork1.begin(), n, 0.0f);

    const int c = std::max(count, 1);
    const float height = static_cast<float>(n) / static_cast<float>(c);
    const int start = position == 1 ? n / 4 : position == 2 ? n / 2 - c / 2 : 0;
    for (int i = std::max(start, 0); i < std::min(start + c, n); ++i) {
        m_fWave1[i] = height;
        m_fWork1[i] = height;
    }
    disp_mode0 = subreq::ForwardResult;
    disp_mode1 = kind::Spectrum;
    const float fn = static_cast<float>(n);
    for (int i = 0; i < n; ++i) {
        m_fRe[i] = m_fWork1[i];
        m_fIm[i] = 0.0f;
        m_fWork1[i] = m_fWork1[i] / fn;
    }

    int status = 1;
    Dft dft;
    DftPlan plan;
    if (InitRecordDft(dft, plan, n, m_ui)) {
        dft.Transform(plan, 0, m_fRe.data(), m_fIm.data());
        dft.Free(plan);
    } else {
        status = 0;
    }
    m_bRescale = 1;
    UpdateAllViews();
    return status;
}

void CKymoDoc::OnTsp(int pow, double fs) {
    SetPow(pow);
    m_fDt = static_cast<float>(1.0 / fs);
    const int n = m_nPoints;
    const int log2n = m_nPow + 7;
    const int m = static_cast<int>(n * 0.25);
    disp_mode0 = subreq::ForwardResult;
    disp_mode1 = kind::Spectrum;

    // Design: unit magnitude, phase 4 pi m k^2 / N^2, conjugate symmetric.
    const std::int64_t nSquared = static_cast<std::int64_t>(n) * n;
    for (int k = 0; k <= n / 2; ++k) {
        const std::int64_t mk2 = static_cast<std::int64_t>(m) * k * k;
        const long double phase =
            kFourPi * static_cast<long double>(mk2) / static_cast<long double>(nSquared);
        m_fRe[k] = static_cast<float>(std::cos(phase));
        m_fIm[k] = static_cast<float>(std::sin(phase));
    }
    for (int k = 1; k <= n / 2; ++k) {
        m_fRe[n - k] = m_fRe[k];
        m_fIm[n - k] = -m_fIm[k];
    }
    FftBitReverse(n, m_fRe.data(), m_fIm.data());
    FftButterflies(log2n, 2, m_fRe.data(), m_fIm.data());

    // The record starts m samples into the sweep: rotate right by N/2 - m, then swap halves.
    std::vector<float> sweep(m_fRe.begin(), m_fRe.begin() + n);
    std::rotate(sweep.begin(), sweep.begin() + (n - (n / 2 - m)) % n, sweep.end());
    std::fill_n(m_fIm.begin(), n, 0.0f);
    const int half = (n + 1) / 2;
    for (int i = 0; i < n; ++i) m_fWork1[i] = sweep[(i + half) % n];

    const float scale = kTspDisplayScale / std::sqrt(static_cast<float>(1 << m_nPow));
    for (int i = 0; i < n; ++i) {
        m_fWave1[i] = scale * m_fWork1[i];
        m_fRe[i] = m_fWork1[i];
        m_fWork1[i] = m_fWave1[i];
    }
    FftBitReverse(n, m_fRe.data(), m_fIm.data());
    FftButterflies(log2n, 1, m_fRe.data(), m_fIm.data());
    UpdateAllViews();
}
