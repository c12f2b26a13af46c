#pragma once

#include "filters/BiquadTable.h"
#include "filters/PcmFilters.h"
#include "realtime/RtNoise.h"
#include "sound/engine/SoundDuplex.h"

#include <chrono>
#include <cstdint>
#include <functional>
#include <vector>

// The filters the real-time tools run between input and output.
enum class RtFilterKind { Fir, Biquad, Cascade };

// Most taps a real-time FIR tool runs; the input buffers keep room for this much history, so a
// redesign of any length takes effect at the next buffer without reopening the devices.
constexpr int kRtMaxFirTaps = 4096;

// Buffer durations of the environment's buffer setting (0 large, 1 medium, 2 small), ms.
int RtBufferDuration(int bufferSize);

// The per-buffer pipeline of the real-time filter tools on the duration-sized engine, 16-bit
// stereo: the work block (the input less the DC offsets, or white noise), the filter (FIR with
// the previous frames as history, one biquad, or a cascade, each keeping its state from buffer to
// buffer), the output stage, the play (silence while muted), the monitor hand-over to the
// document and the load meter.
//
// Coefficients, channel mode, source and output stage may change at any time on the engine's
// thread; a change takes effect from the next buffer, with the filter's state kept.
class CRtFilterEngine : public SoundDuplex {
public:
    CRtFilterEngine(ISoundCard& card, CKymoDoc& doc, RtFilterKind kind);

    // Opens the devices at `rate`, 16-bit stereo, with buffers of the document's buffer setting,
    // raises the priority as the environment settings say and starts. The filter state is
    // cleared first. 1 when running; 0 when the devices could not be opened or started.
    int Start(int rate);

    RtFilterKind Kind() const { return m_kind; }

    // ---- Filter ----
    void SetFirTaps(const std::vector<double>& taps);
    const std::vector<double>& FirTaps() const { return m_taps; }
    void SetBiquad(const float den[3], const float num[3]);
    // `order` is the effective order m: S = (m + 1) / 2 sections of `table` run.
    void SetCascade(int order, const BiquadTable& table);
    // Zeroes the history (FIR) or the state (IIR).
    void ClearState();

    // ---- Panel values ----
    void SetChannelMode(int mode) { m_nChannelMode = mode; } // chmode:: 1 ... 4
    void SetOutputStage(int lineOutMode, double gain) {
        m_nLineOut = lineOutMode;
        m_fGain = gain;
    }
    // The "gen" source with its level factor, or the input ("line").
    void SetGenerator(bool on, double level) {
        m_bGenerator = on;
        m_fLevel = level;
    }
    void SeedGenerator(std::uint32_t seed) { m_noise.Seed(seed); }
    // DC offsets in sample units subtracted from the input's channels.
    void SetOffsets(double o1, double o2) {
        m_fOffset1 = o1;
        m_fOffset2 = o2;
    }
    // ProcessRealtime code of the monitor hand-over; 0 hands nothing over.
    void SetMonitorCode(int code) { m_nMonitorCode = code; }
    int MonitorCode() const { return m_nMonitorCode; }
    // Silence instead of the processed block (while a file dialog is open).
    void SetMute(bool on) { m_bMute = on; }
    // Updates the peak meters (free-form tool).
    void SetPeakMeters(bool on) { m_bPeakMeters = on; }

    // ---- Measurements ----
    // Processing time of the last metered buffer in percent, 100 = half of the buffer's duration.
    double LoadPercent() const { return m_fLoad; }
    // Time of the last convolution (filter step), ms.
    double FilterMilliseconds() const { return m_fFilterMs; }
    // Largest sample of each channel of the last metered block, percent of full scale (0 ... 100).
    int PeakPercent(int channel) const { return m_nPeak[channel == 2 ? 1 : 0]; }
    // Blocks handed over to the document since the start.
    long long HandedOver() const { return m_stats.handedOver; }

    // Receives the work block of every buffer (the filter's input: the captured block less the
    // offsets, or the generator's noise), 16-bit stereo.
    void SetFilterInputTap(PlayTap tap) { m_inputTap = std::move(tap); }

protected:
    void FillBuffers(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len) override;
    void HandOver() override;

private:
    void MakeWorkBlock(std::uint8_t* block, int frames);
    void Filter(std::uint8_t* in, std::uint8_t* out, int frames);
    void KeepHistory(const std::uint8_t* block, int frames);
    void CopyToMonitor(const std::uint8_t* block, int frames);
    void MeasurePeaks(const std::uint8_t* block, int frames);

    RtFilterKind m_kind;
    std::vector<double> m_taps;
    std::vector<std::uint8_t> m_history; // the last kRtMaxFirTaps input frames, oldest first
    std::vector<std::uint8_t> m_scratch; // the FIR result of history and block
    float m_den[3] = {1.0f, 0.0f, 0.0f};
    float m_num[3] = {1.0f, 0.0f, 0.0f};
    float m_inHist[2][2] = {};
    float m_outHist[2][2] = {};
    int m_nOrder = 0;
    BiquadTable m_table;
    CascadeState m_state[2];

    int m_nChannelMode = chmode::Both;
    int m_nLineOut = 0;
    double m_fGain = 1.0;
    bool m_bGenerator = false;
    double m_fLevel = 1.0;
    CRtNoise m_noise;
    double m_fOffset1 = 0.0, m_fOffset2 = 0.0;
    int m_nMonitorCode = 0;
    bool m_bMute = false;
    bool m_bPeakMeters = false;

    int m_nIndex = 0;
    bool m_bHandOverDue = false;
    std::chrono::steady_clock::time_point m_start;
    double m_fLoad = 0.0;
    double m_fFilterMs = 0.0;
    int m_nPeak[2] = {0, 0};
    double m_fBlockFrames = 0.0;
    PlayTap m_inputTap;
};
