#pragma once

#include "filters/BiquadTable.h"
#include "filters/PcmFilters.h"
#include "realtime/RadioSettings.h"
#include "realtime/RtNoise.h"

#include <cstdint>
#include <string>
#include <vector>

class IDocumentUi;

// The software radio's signal path on 16-bit stereo blocks, without a device: the source (the
// captured block less the DC offsets, or the generator's sine and noise), then the transmitter
// and the receiver of the mode with filter 1 (audio band), filter 2 (radio band or image
// filter) and the two local oscillators. Every intermediate block is stored as 16-bit samples
// (truncated and wrapped as the program's PCM results are). Each use of a filter keeps its own
// state; the oscillators' frame counter runs on across blocks.
class CRadioModem {
public:
    // Designs both filters at `fs` for the settings (messages shown: an unknown approximation,
    // a failed design). 1 when both designs succeeded; the states and the counter are cleared.
    int Design(const RadioSettings& s, int fs, IDocumentUi& ui);
    // The panel's values (source, generator, output gain, IQ phase), taking effect at the next
    // block.
    void SetPanel(const RadioPanel& p) { m_panel = p; }
    // The IQ amplitude balance step, taking effect at the next block.
    void SetBalance(int step) { m_s.IQ_BalSpin = step; }
    void SetOffsets(double left, double right) {
        m_fOffsetL = left;
        m_fOffsetR = right;
    }
    void Seed(std::uint32_t seed) { m_noise.Seed(seed); }

    // One block of `frames` interleaved stereo frames: `in` is the captured block, `out` gets
    // what is played. `source` (when not null) receives the source block (the early display).
    void Process(const std::int16_t* in, std::int16_t* out, int frames,
                 std::vector<std::int16_t>* source = nullptr);

    const RadioSettings& Settings() const { return m_s; }
    RadioMode Mode() const { return m_mode; }
    // The designed sections of filter 1 (which = 0) or 2 (1) and its effective order.
    const BiquadTable& Table(int which) const { return m_table[which]; }
    int Order(int which) const { return m_order[which]; }

private:
    // Filter `which` (0, 1) with state set `use` (0 transmit, 1 receive) from src into dst.
    void Filter(int which, int use, const std::vector<std::int16_t>& src,
                std::vector<std::int16_t>& dst);
    void MakeSource(const std::int16_t* in, int frames);
    void Transmit(int frames);
    void Receive(int frames);

    RadioSettings m_s;
    RadioPanel m_panel;
    RadioMode m_mode = RadioMode::Through;
    int m_fs = 48000;
    BiquadTable m_table[2];
    int m_order[2] = {0, 0};
    CascadeState m_state[2][2][2]; // [filter][use][channel]
    CRtNoise m_noise;
    long long m_nFrame = 0; // oscillator counter at the start of the block
    long long m_nGen = 0;   // generator counter
    double m_fOffsetL = 0.0, m_fOffsetR = 0.0;
    std::vector<std::int16_t> m_out, m_work, m_tmp;
    std::vector<std::uint8_t> m_srcBytes, m_dstBytes;
};
