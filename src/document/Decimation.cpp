// Decimation by 2 of the wave image, used by the down-sampling of the file analyses.
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "filters/PcmFilters.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <vector>

int CKymoDoc::DecimateWave() {
    if (!HasWave()) {
        m_ui.ShowMessage(msg::kNoWaveFile);
        return 0;
    }
    if (m_nChannel > 2) {
        m_ui.ShowMessage(msg::kTwoChannelsOnly);
        return 0;
    }
    const int format = pcm::FormatCode(m_nBitsPerSample, m_nChannel);
    if (format < 0 || m_nBlockSize <= 0) return 0;
    const std::vector<double> h = DecimationFilter(m_nSamplesPerSec, m_nPow);
    const int taps = static_cast<int>(h.size());
    if (taps <= 0) return 0;

    // The samples of each frame, packed without the padding a larger block alignment leaves,
    // are filtered into a temporary before the new image replaces the old one.
    const int frames = m_nWavDataSize / m_nBlockSize;
    const std::size_t frameBytes =
        static_cast<std::size_t>(m_nChannel) * static_cast<std::size_t>(m_nBitsPerSample / 8);
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(frames) * frameBytes);
    for (int f = 0; f < frames; ++f)
        std::memcpy(samples.data() + static_cast<std::size_t>(f) * frameBytes,
                    m_pWaveData + static_cast<std::size_t>(f) * m_nBlockSize, frameBytes);
    std::vector<std::uint8_t> filtered(samples.size());
    FirFilterPcm(m_nChannel == 2 ? chmode::Both : chmode::Ch1, frames, format, taps, h.data(), 0,
                 samples.data(), filtered.data());

    const int keptFrames = std::max(frames - taps, 0) / 2;
    const int dataBytes = keptFrames * static_cast<int>(frameBytes);
    const int rate = m_nSamplesPerSec / 2;
    const int bits = m_nBitsPerSample;
    const int channelsMinus1 = m_nChannel - 1;
    if (!MakeWaveHeader(limits::kWaveHeaderSize, rate, bits, channelsMinus1, dataBytes)) {
        ReleaseWaveImage();
        m_ui.ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return 0;
    }
    SetWaveFormat(limits::kWaveHeaderSize, rate, bits, channelsMinus1, dataBytes);
    for (int j = 0; j < keptFrames; ++j)
        std::memcpy(m_pWaveData + static_cast<std::size_t>(j) * frameBytes,
                    filtered.data() + static_cast<std::size_t>(2 * j) * frameBytes, frameBytes);
    m_nDecimTaps = taps;
    m_bWaveReplaced = true;
    disp_mode3 = m_nChannel == 1 ? chan::Ch1 : chan::Both;
    return 1;
}
