#pragma once

#include "realtime/RadioModem.h"
#include "sound/engine/SoundDuplex.h"

#include <chrono>
#include <cstdint>
#include <vector>

// The software radio's duration-sized engine, 16-bit stereo: per buffer the modem's block is
// played (silence while muted) and, every 2^(b+1) buffers (b = m_nDrawSpeed + m_nBufferSize) at
// remainder 1, the source block (early display) or the processed block (late display) goes to
// m_fWave1/2 and the document is asked to draw (ProcessRealtime 2, 21 or 22).
class CRadioEngine : public SoundDuplex {
public:
    CRadioEngine(ISoundCard& card, CKymoDoc& doc);

    int Start(int rate);
    CRadioModem& Modem() { return m_modem; }
    // The display list entry (radiodisplay::).
    void SetDisplay(int display) { m_nDisplay = display; }
    void SetMute(bool on) { m_bMute = on; }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void HandOver() override;

private:
    int RequestCode() const;
    bool EarlyDisplay() const;
    void CopyToMonitor(const std::vector<std::int16_t>& block, int frames);

    CRadioModem m_modem;
    std::vector<std::int16_t> m_in, m_out, m_source;
    int m_nDisplay = 8;
    bool m_bMute = false;
    bool m_bDue = false;
};
