#pragma once

// The three uses of the LMS tool's mode list 1505.
namespace lmsmode {
constexpr int Identify = 0; // "ｼｽﾃﾑ同定"
constexpr int Predict = 1;  // "線形予測"
constexpr int Denoise = 2;  // "雑音抑圧"
} // namespace lmsmode

// Entries of the LMS tool's "Rch表示" list 1510: what the monitor shows as channel 2.
namespace lmsrch {
constexpr int Lout = 0;
constexpr int Rout = 1;
constexpr int Error = 2; // "L-R  Δe"
constexpr int Sum = 3;   // "L+R"
constexpr int Lin = 4;
constexpr int Rin = 5;
} // namespace lmsrch

namespace lmslimits {
constexpr int kMinTaps = 5;
constexpr int kMaxTaps = 1024;
constexpr double kMaxMu = 0.01;
constexpr double kMaxMuLong = 0.005; // above kLongTaps taps
constexpr int kLongTaps = 512;
constexpr int kMinLevelPos = -60, kMaxLevelPos = 0;
} // namespace lmslimits

// The LMS tool's own settings, kept in the document between openings (the tap count, the demo
// shape and its cut-offs are the document's FIR design fields).
struct LmsSettings {
    double mu = 0.001; // step size
    int delay = 0;     // delay taps D, -N ... N
    int mode = lmsmode::Identify;
    bool generator = true; // source "gen" instead of "line"
    bool noiseOn = true;
    bool sineOn = true;
    int noisePos = -12;   // noise factor 10^(0.05 p), -60 ... 0
    int sineFreqPos = 30; // sine frequency floor(20 * 1.1224526^p), 0 ... 60
    int sinePos = -12;    // sine amplitude 10^(0.05 p) of full scale, -60 ... 0
    int rch = lmsrch::Rout;
    int display = 1; // rtdisplay:: entry: 0 "f特計算", 1 "ﾓﾆﾀｰ表示"
};
