#pragma once

#include <string>

// The four file analyses of the loaded wave.
namespace analysis {
constexpr int Spectrum = 0;  // amplitude spectrum
constexpr int AutoCorr = 1;  // auto-correlation
constexpr int CrossCorr = 2; // cross-correlation ch1/ch2
constexpr int Transfer = 3;  // transfer function ch2/ch1
} // namespace analysis

// Choices of the set-up dialog "測定条件の設定".
struct AnalysisSetup {
    int pow = 4;        // sample-count index 0 .. 8
    int windowType = 4; // 1 .. 5 (Triangle .. Kaiser), or 7 for "窓なし"
    int downExp = 0;    // down-sampling exponent -6 .. 0
};

// Pending data kind of an analysis (18, 24, 27, 8), and the analysis of a pending kind (-1 for
// any other kind).
int PendingKindOf(int analysis);
int AnalysisOfPendingKind(int kind);

// Processing channel with the file-filtering offset removed: 11, 12, 13 give 1, 2, 3.
int BaseChannel(int dispMode3);

// Down-sampling choice of the set-up dialog: the highest frequency after decimating a wave of
// `rate` Hz by 2^(-downExp), trunc(2^e rate / 2), and its text ("5512Hz", "24kHz").
int DownSampledTopFrequency(int downExp, int rate);
std::string DownSampleText(int downExp, int rate);
// True when the spin may move to `downExp`: within -6 .. 0 and leaving more than 99 Hz.
bool DownSampleStepAllowed(int downExp, int rate);
