#pragma once

#include "filters/BiquadTable.h"
#include "filters/PcmFilters.h"

#include <cstdint>
#include <vector>

// The oscilloscope's fourfold interpolation ("OvrSamp"): three zero frames after every captured
// frame, then a fixed order-8 elliptic low-pass at the fourfold rate (four sections, a0 = 1,
// b0 = b2 = 0.1595536) with the output gain 1.11 x 4, run by CascadeFilterPcm on 16-bit stereo
// with the results limited to the sample range. Only the channels shown are filtered; the
// hidden one keeps its zero-stuffed samples. Each channel's state runs on from buffer to buffer
// and is cleared by Reset (at every start).
class CScopeInterpolator {
public:
    static constexpr int kFactor = 4;
    static constexpr double kGain = 1.11 * kFactor;
    static constexpr int kOrder = 8;

    CScopeInterpolator();
    // Channel mode chmode::Ch1, Ch2 or Both; clears the states and sizes the work buffers for
    // buffers of `frames` captured frames.
    void Reset(int channelMode, int frames);
    // Changes the filtered channels from the next buffer on (states kept).
    void SetChannelMode(int channelMode) { m_nMode = channelMode; }
    // Interpolates `frames` captured 16-bit stereo frames into 4 x frames interleaved samples.
    void Run(const std::uint8_t* in, int frames, std::int16_t* out);

    // The filter table (for tests of its response).
    const BiquadTable& Table() const { return m_table; }

private:
    BiquadTable m_table;
    CascadeState m_state1, m_state2;
    int m_nMode = chmode::Both;
    std::vector<std::uint8_t> m_stuffed, m_filtered;
};
