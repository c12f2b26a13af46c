#pragma once

struct BiquadTable;

// One second-order IIR section designed with the audio-equaliser formulas:
// H(z) = (b0 + b1 z^-1 + b2 z^-2) / (a0 + a1 z^-1 + a2 z^-2).
// Coefficient triples are floats, denominator den = {a0, a1, a2}, numerator num = {b0, b1, b2}.

// Biquad type codes, in the order of the type list.
namespace biquadtype {
constexpr int LowPass = 0;     // quality factor 1
constexpr int HighPass = 1;    // quality factor 1
constexpr int LowShelving = 2; // shelf slope 1
constexpr int Peaking = 3;     // quality factor 3
constexpr int Count = 4;
} // namespace biquadtype

// True for the types that use the gain.
bool BiquadUsesGain(int type);

// Designs type `type` for sampling frequency fs (Hz), frequency f (Hz) and gain (dB; ignored by
// the low- and high-pass), normalised so that a0 = 1. Returns 1, or 0 for an unknown type (the
// triples are left untouched then).
int BiquadDesign(int type, int fs, float f, float gainDb, float den[3], float num[3]);

// Divides a1, a2, b0, b1, b2 by a0 and sets a0 = 1.
void NormaliseBiquad(float den[3], float num[3]);

// Complex response H(e^jw) at w = 2 pi i / n for i = 0 ... n/2 - 1 into re[i], im[i]; the upper
// half is mirrored as re[n-1-i] = re[i], im[n-1-i] = -im[i]. re and im hold n floats.
void BiquadResponse(int fs, int n, const float den[3], const float num[3], float* re, float* im);

// Puts a section into entry k of a section table (as doubles).
void StoreBiquadSection(const float den[3], const float num[3], BiquadTable& table, int k = 0);
