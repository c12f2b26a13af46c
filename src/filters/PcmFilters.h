#pragma once

#include "filters/BiquadTable.h"

#include <cstdint>

// PCM data layouts the filter routines handle (`FormatCode`).
namespace pcm {
constexpr int Mono8 = 0; // unsigned bytes, 128 = zero
constexpr int Stereo8 = 1;
constexpr int Mono16 = 2; // signed little-endian
constexpr int Stereo16 = 3;
// Format code for 8 or 16 bits and 1 or 2 channels; -1 for anything else.
constexpr int FormatCode(int bits, int channels) {
    if ((bits != 8 && bits != 16) || channels < 1 || channels > 2) return -1;
    return (bits == 16 ? 2 : 0) + (channels == 2 ? 1 : 0);
}
} // namespace pcm

// Which channels a routine filters; the others are copied.
namespace chmode {
constexpr int Ch1 = 1; // channel 1, the only channel of mono data
constexpr int Ch2 = 2;
constexpr int Both = 3;
constexpr int CopyOnly = 4;
} // namespace chmode

// From this many taps on, FirFilterPcm filters long inputs by FFT convolution (measured with
// sonalyx_bench, bench_fir_crossover_*: below it the direct form is faster).
constexpr int kFirFftFromTaps = 64;

// The three routines read `frames` frames (or `dataBytes` bytes) of samples that start `headSize`
// bytes into `src` and write the result at the same offset of `dst`, after copying the header
// bytes. Samples are used centred (8-bit: byte - 128; 16-bit: signed value). `src` and `dst`
// must not overlap. Any `frames`, coefficient or history values are safe; non-finite results
// are stored as 0.

// FIR filter h[0 ... taps-1]: output frame j = i - taps is sum h[k] x[i-k] for input frames
// i = taps ... frames-1 (accumulated in double). 8-bit results are limited to +-127 and
// truncated toward zero; 16-bit results are truncated and keep their low 16 bits. In channel
// mode 1 or 2 on stereo data the other channel of frame j is input frame i - taps/2. The last
// `taps` output frames (all of them when frames <= taps) are silence.
// Filters of kFirFftFromTaps taps or more over inputs of at least as many outputs as taps are
// computed by FFT convolution; every stored sample is still the one the direct form's double
// sum gives (FirFilterPcmDirect), byte for byte.
void FirFilterPcm(int channelMode, int frames, int format, int taps, const double* h, int headSize,
                  const std::uint8_t* src, std::uint8_t* dst);
// FirFilterPcm by the direct form alone, for every tap count.
void FirFilterPcmDirect(int channelMode, int frames, int format, int taps, const double* h,
                        int headSize, const std::uint8_t* src, std::uint8_t* dst);

// One second-order section, direct form I, coefficients divided by a0 in float. Histories hold
// {x[-1], x[-2]} and {y[-1], y[-2]} for each channel as centred floats; outputs fed back are the
// stored (wrapped) results. On return the histories hold the last two inputs and outputs of each
// filtered channel, so that a following call continues the signal. Results wrap (no limiting).
void BiquadFilterPcm(int channelMode, int frames, int format, double a0, double a1, double a2,
                     double b0, double b1, double b2, float* inHist1, float* inHist2,
                     float* outHist1, float* outHist2, int headSize, const std::uint8_t* src,
                     std::uint8_t* dst);

// Delay state of the sections of one channel in CascadeFilterPcm.
struct CascadeState {
    double w1[filt::kMaxSections] = {};
    double w2[filt::kMaxSections] = {};
};

// Cascade of S = (order + 1) / 2 sections (at most 30), direct form II with a0 taken as 1 (the
// a0 column is not read, sections must be normalised). Copies the header and all `dataBytes`
// data bytes, then filters the selected channels of each whole frame of `blockSize` bytes and
// stores gain * output truncated, wrapped (8-bit: gain * (z + 128) modulo 256), or with
// `saturate` limited to the sample range instead. The states keep each channel's section delays
// across calls.
void CascadeFilterPcm(int channelMode, double gain, int dataBytes, int blockSize, int format,
                      int order, const BiquadTable& table, CascadeState& state1,
                      CascadeState& state2, int headSize, const std::uint8_t* src,
                      std::uint8_t* dst, bool saturate = false);
