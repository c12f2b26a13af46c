#pragma once

#include "realtime/LmsFilter.h"
#include "sound/engine/SoundDuplex.h"

#include <chrono>
#include <cstdint>
#include <vector>

// The LMS tool's duration-sized engine, 16-bit stereo: per buffer the captured block less the
// DC offsets (or the generator's signals) through the adaptive filter, the output (left d,
// right y) played as it is (silence while muted), the monitor block (ProcessRealtime 2) or the
// responses of the demo taps and the weights (ProcessRealtime 4) handed to the document, and
// the load meter. Runs on the engine's thread like every SoundDuplex.
class CLmsEngine : public SoundDuplex {
public:
    CLmsEngine(ISoundCard& card, CKymoDoc& doc);

    // Opens the devices at `rate` with buffers of the document's buffer setting, raises the
    // priority as the environment says and starts. 1 when running.
    int Start(int rate);

    CLmsFilter& Filter() { return m_filter; }
    const CLmsFilter& Filter() const { return m_filter; }
    void SetOffsets(double o1, double o2) {
        m_fOffset1 = o1;
        m_fOffset2 = o2;
    }
    // The ProcessRealtime code of the hand-over: 2 monitor, 4 responses, 0 nothing.
    void SetDisplayCode(int code) { m_nDisplayCode = code; }
    // Channel 2 of the monitor (lmsrch::).
    void SetRch(int rch) { m_nRch = rch; }
    // The responses show the weights in both halves (line source, linear prediction).
    void SetWeightsOnly(bool on) { m_bWeightsOnly = on; }
    void SetMute(bool on) { m_bMute = on; }
    // Processing time of the last metered buffer in percent, 100 = half of the buffer's duration.
    double LoadPercent() const { return m_fLoad; }

    // Puts the magnitude responses of the demo taps into m_fRe and of the weights, rotated so
    // that their first largest positive weight sits at N/2, into m_fOpRe (M = m_nPoints / 2).
    void ComputeResponses();

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void HandOver() override;

private:
    void CopyToMonitor(const std::int16_t* out, int frames);

    CLmsFilter m_filter;
    std::vector<std::int16_t> m_in, m_out;
    double m_fOffset1 = 0.0, m_fOffset2 = 0.0;
    int m_nDisplayCode = 0;
    int m_nRch = 1;
    bool m_bWeightsOnly = false;
    bool m_bMute = false;
    bool m_bDue = false;
    int m_nIndex = 0;
    double m_fBlockFrames = 0.0;
    double m_fLoad = 0.0;
    std::chrono::steady_clock::time_point m_start;
};
