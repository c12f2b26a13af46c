#pragma once

// The item computations of the audio measurement on averaged magnitude spectra (bins 0 .. n/2 - 1
// of the left and the right channel, 20 log10 of a value is its level in dB). Every function reads
// only bins below n/2. Results truncated "to 0.01" are trunc(v * 100) / 100; percentages "to
// 0.0001" are trunc(r * 10^6) * 10^-4 of the ratio r.
namespace audio {

constexpr int kSineExp = 14;                // the sine items analyse N = 2^14 points
constexpr int kSinePoints = 1 << kSineExp;  // N
constexpr int kTspPoints = kSinePoints / 2; // T, the TSP items and the stored curves
constexpr int kStoreExp = 7;                // s of the "AUDO" file: T = 2^(s + 6)

// The highest bin U of the results: about 20 kHz with the band limit, n/2 otherwise (and at rates
// other than 44100, 48000 and 96000 and above).
int UpperBin(int n, int rate, bool bandLimit);

// Truncations of the result fields.
float TruncHundredths(double v);
float PercentOfRatio(double r);

// The level of each channel at frequency f: the largest of the bins trunc(f / df + i),
// i = -5 .. 4, in dB. The bins outside 0 .. n/2 - 1 are not read.
void LevelsAt(const float* l, const float* r, int n, int rate, double f, float out[2]);

// Frequency response on T points: both channels are divided by their value at the 1 kHz bin;
// out = {L at f1, L at f2, R at f1, R at f2} in dB, truncated to 0.01.
void FrequencyResponse(float* l, float* r, int n, int rate, double f1, double f2, float out[4]);

struct ThdResult {
    float thd[2] = {0, 0};       // percent, L and R
    float thdN[2] = {0, 0};      // percent, L and R
    double fundamental = 1000.0; // Hz
};
// THD and THD+N; both channels are left normalised by their own peak.
ThdResult Thd(float* l, float* r, int n, int rate, bool bandLimit);

struct NoiseResult {
    float weighted[2] = {0, 0};   // dB
    float unweighted[2] = {0, 0}; // dB
};
// S/N (dynamicRange false) or dynamic range (true: the bins within 10 of 1 kHz are left out):
// both channels are first divided by 10^(level / 20) of their reference level in dB.
NoiseResult NoiseRatio(float* l, float* r, int n, int rate, bool bandLimit, const float refDb[2],
                       bool dynamicRange);
// The weighting of the S/N and the dynamic range at f Hz (0 at 0 Hz).
double Weighting(double f);

struct ImResult {
    float imN[2] = {0, 0};           // percent
    double lower = 0.0, upper = 0.0; // the two tones found, Hz
};
ImResult ImDistortion(const float* l, const float* r, int n, int rate, bool bandLimit);

// Crosstalk of one stereo step: {at 1 kHz, at 10 kHz}, each -|20 log10(R max / L max)| over the
// bins trunc(f / df + i), i = -5 .. 4, truncated to 0.01 dB.
void Crosstalk(const float* l, const float* r, int n, int rate, float out[2]);

} // namespace audio
