#pragma once

#include "filters/FilterLimits.h"
#include "filters/RemezDesign.h"

#include <string>
#include <vector>

// Settings of the Remez exchange front ends, their validation and their translation into the
// band list of RemezDesign. Frequencies are in Hz, levels in dB.

constexpr int kRemezMinBands = 2;
constexpr int kRemezMinTaps = 3;
constexpr int kRemezMaxTaps = 1024;     // real-time tools and the easy settings
constexpr int kRemezFileMaxTaps = 4096; // file filtering (the coefficient-file tap limit)

// The detailed settings: a free table of 2 ... 7 bands.
struct RemezBandTable {
    int nBands = 2;
    float low[kRemezMaxBands] = {0.0f, 3000.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    float high[kRemezMaxBands] = {2000.0f, 24000.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    float gain[kRemezMaxBands] = {1.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    float weight[kRemezMaxBands] = {1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f, 1.0f};
};

// The easy settings of CEasyRemezDlg.
struct EasyRemezSettings {
    int shape = shape::LowPass; // FIR shape code
    int taps = 97;
    float f1 = 4000.0f;         // cut-off 1
    float f2 = 8000.0f;         // cut-off 2 (band shapes)
    float transition = 1000.0f; // transition width
    float ripple = 1.0f;        // pass-band ripple Rp, dB
    float atten = 60.0f;        // stop-band level As, dB (positive)
    int rateIndex = 1;          // 0 -> 44100, 1 -> 48000, 2 -> 96000 Hz
};

// What the real-time Remez tools keep between openings.
struct RemezToolSettings {
    EasyRemezSettings easy;
    RemezBandTable table; // detailed settings
    int taps = 101;       // detailed settings
};

// The band list handed to RemezDesign (edges in Hz, scale fs).
struct RemezBands {
    int nBands = 0;
    double edges[2 * kRemezMaxBands] = {};
    double desired[kRemezMaxBands] = {};
    double weights[kRemezMaxBands] = {};
};

// Which entry a failed check points at, so that a dialog can select and focus it.
enum class RemezField {
    None,
    Cutoff1,
    Cutoff2,
    Transition,
    Taps,
    Ripple,
    Atten,
    BandLow,
    BandHigh,
    BandGain,
    BandWeight,
};

// Outcome of a validation: notices are shown in order (corrections that were applied), then the
// error when there is one.
struct RemezCheck {
    bool ok = true;
    std::string message; // the error, UTF-8
    RemezField field = RemezField::None;
    int band = -1;                    // band index of a band-table error
    std::vector<std::string> notices; // corrections applied to the table
};

// The failure messages of a design that did not converge.
extern const char* const kRemezNoConvergence;
extern const char* const kRemezNoConvergenceEasy;

int EasyRemezSampleRate(int rateIndex);

// "タップ数は3～%dまでとして下さい。" with the given limit.
std::string RemezTapCountMessage(int maxTaps);

// Checks the easy settings at sampling frequency fs, first failure wins.
RemezCheck ValidateEasyRemez(const EasyRemezSettings& s, int fs);

// Predicted tap count for the easy settings: -10 log10(dp ds) - 13 over 14.6 transition / fs,
// truncated and made odd. Unvalidated: the result may be below 3 or above any limit (it
// saturates at the int range); callers check it with ValidateRemezTaps.
int EstimateRemezTaps(const EasyRemezSettings& s, int fs);

// The tap-count check of the Remez front ends: minTaps ... maxTaps.
RemezCheck ValidateRemezTaps(int taps, int maxTaps);

// Bands, desired amplitudes and weights of the easy settings.
RemezBands EasyRemezBands(const EasyRemezSettings& s, int fs);

// Checks a band table for sampling frequency fs. The first lower edge is set to 0 and the last
// upper edge to fs/2 when they differ (with a notice each). `realtime` selects the weight
// message of the real-time tool.
RemezCheck ValidateRemezBands(RemezBandTable& table, int fs, bool realtime);

// Band list of a (validated) band table.
RemezBands TableRemezBands(const RemezBandTable& table);

// Runs RemezDesign on a band list with edges in Hz. Returns 1 converged, 0 not.
int DesignRemez(const RemezBands& bands, int taps, int fs, std::vector<double>& out);
