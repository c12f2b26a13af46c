// Test signals as initial results: impulse and time-stretched pulse (TSP).
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/RecordDft.h"
#include "dsp/Tsp.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
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
    // The record is transformed by the FFT command itself; when the transform cannot be set
    // up the data kind stays and only the record is new.
    if (OnFft()) return 1;
    UpdateAllViews();
    return 0;
}

void CKymoDoc::OnTsp(int pow, double fs) {
    SetPow(pow);
    m_fDt = static_cast<float>(1.0 / fs);
    const int n = m_nPoints;
    const int log2n = m_nPow + 7;
    const int m = static_cast<int>(n * 0.25);
    disp_mode0 = subreq::ForwardResult;
    disp_mode1 = kind::Spectrum;

    // The time-stretched pulse starts m = N/4 samples into the sweep, as MakeTsp leaves it.
    const std::vector<float> tsp = MakeTsp(n, m);
    std::copy(tsp.begin(), tsp.end(), m_fWork1.begin());
    std::fill_n(m_fIm.begin(), n, 0.0f);

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
