// The document's radix-2 decimation-in-time FFT on its twiddle tables.
#include "document/CKymoDoc.h"
#include "dsp/Radix2Kernel.h"

namespace {
constexpr int kMaxLog2 = 15; // 32768 points: the capacity of the twiddle tables
} // namespace

void CKymoDoc::FftBitReverse(int n, float* re, float* im) {
    if (n < 2 || n > (1 << kMaxLog2) || (n & (n - 1)) != 0) return;
    int log2n = 0;
    while ((1 << log2n) < n) ++log2n;
    BitReversePermute(re, im, log2n);
}

void CKymoDoc::FftButterflies(int log2n, int direction, float* re, float* im) {
    if (log2n < 1 || log2n > kMaxLog2) return;
    const int n = 1 << log2n;
    // Stage s takes every 2^(log2n - 1 - s)-th entry of the tables; those of the earlier stages
    // are gathered so that every stage reads its own contiguously, the last stage reads the
    // tables themselves.
    const float* cs[kMaxLog2];
    const float* sn[kMaxLog2];
    float* gatherCos = m_fStageCos.data();
    float* gatherSin = m_fStageSin.data();
    for (int s = 0; s + 1 < log2n; ++s) {
        const int half = 1 << s;
        const int stride = n >> (s + 1);
        for (int j = 0; j < half; ++j) {
            gatherCos[j] = m_fCosTbl[j * stride];
            gatherSin[j] = m_fSinTbl[j * stride];
        }
        cs[s] = gatherCos;
        sn[s] = gatherSin;
        gatherCos += half;
        gatherSin += half;
    }
    cs[log2n - 1] = m_fCosTbl.data();
    sn[log2n - 1] = m_fSinTbl.data();
    const bool forward = direction == 1;
    // Forward: 1/n is exact for a power of two, so scaling inside the last pass gives the same
    // values as dividing afterwards.
    Radix2Passes(re, im, log2n, cs, sn, forward ? 1.0f : -1.0f,
                 forward ? 1.0f / static_cast<float>(n) : 1.0f);
}
