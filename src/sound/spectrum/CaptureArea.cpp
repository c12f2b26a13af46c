// The capture area: the wave image that the block-sized instruments' engine fills with the first
// block of every buffer.
#include "document/CKymoDoc.h"
#include "sound/settings/MeasConditions.h"

#include <cstring>

int CKymoDoc::CaptureFrames() const {
    const int d = -m_nDownExp;
    if (d <= 0) return m_nPoints;
    return (m_nPoints << d) + ((1 << d) - 1) * m_nDecimTaps;
}

int CKymoDoc::AllocateCaptureArea() {
    const int rate = meas::RateOfIndex(m_nMeasRate);
    const int bits = m_nMeasBits == meas::kBits8 ? 8 : 16;
    const int channels = m_nMeasCh == meas::kMono ? 1 : 2;
    const long long bytes = static_cast<long long>(channels) * (bits / 8) * CaptureFrames();
    if (bytes <= 0 || bytes > 0x7FFFFFFF ||
        !MakeWaveHeader(0, rate, bits, channels - 1, static_cast<int>(bytes))) {
        ReleaseWaveImage();
        return 0;
    }
    SetWaveFormat(0, rate, bits, channels - 1, static_cast<int>(bytes));
    m_nBitsPerSample = bits;
    if (bits == 8) std::memset(m_pWaveData, 128, static_cast<std::size_t>(bytes));
    return 1;
}
