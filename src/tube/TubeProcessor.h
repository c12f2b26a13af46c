#pragma once

#include "tube/TubeAmpCompute.h"

#include <cstdint>

// The per-sample processing of the amplifier on interleaved stereo frames of a 16-bit
// (width code 1) or 32-bit container (codes 2, 3), in place. x' = x - offset, the grid signal is
// x' A / F (F = 32767 or 2^31) and the output (P(Eg) - P0) F / D limited to the container's
// range; with `through` the samples stay as they are.
class CTubeProcessor {
public:
    void SetModel(const TubeAmpModel& model) { m_model = model; }
    const TubeAmpModel& Model() const { return m_model; }
    void SetThrough(bool on) { m_bThrough = on; }
    bool Through() const { return m_bThrough; }
    // Channel offsets in percent of full scale (the 16-bit offsets of the measurement settings).
    void SetOffsets(float left, float right) { m_offset[0] = left, m_offset[1] = right; }

    // Processes `frames` frames; the input samples (after the offset) go to wave1 / wave2 when
    // given (room for `frames` floats each).
    void Process(std::uint8_t* data, int frames, int widthCode, float* wave1, float* wave2);

    // The largest |grid signal| seen per channel since the last reset, V.
    double GridPeak(int ch) const { return m_peak[ch]; }
    void ResetPeaks() { m_peak[0] = m_peak[1] = 0.0; }

    // One output value for the input x' (after the offset), in units of F.
    double Output(double x, double fullScale) const;

private:
    TubeAmpModel m_model;
    bool m_bThrough = false;
    float m_offset[2] = {0.0f, 0.0f};
    double m_peak[2] = {0.0, 0.0};
};
