#pragma once

#include "tube/TubeSolver.h"

#include <vector>

class IDocumentUi;
struct TubeData;

// The real-time record of one tube: output plate voltage P(Eg) limited to the usable grid range
// [lo, hi], the operating grid voltage Eg0, the input amplitude A (grid volts for a full-scale
// input; negative for the lower tube of a push-pull stage), the output scale D (plate swing that
// maps to full scale) and the quiescent output P0.
struct TubeRecord {
    TransferCurve curve;
    double eg0 = 0.0, a = 0.0, d = 1.0, p0 = 0.0;
    double lo = 0.0, hi = 0.0, plo = 0.0, phi = 0.0;
    double Limited(double eg) const { return eg < lo ? plo : eg > hi ? phi : curve(eg); }
};

// The stage as "計算" leaves it for streaming.
struct TubeAmpModel {
    int circuit = 0;
    TubeRecord rec[2]; // single-ended uses rec[0]
};

struct TubeAmpSettings {
    int circuit = 0;     // tube::kSingle, kPushPull, kDifferential
    int bias = 0;        // tube::kBias...
    TubeSetup tube[2];   // upper, lower
    double wanted = 1.0; // W
    int rate = 48000;    // Hz of the distortion evaluation
};

// One evaluated output level of the distortion walk.
struct TubeLevel {
    double power = 0.0; // W
    double thd = 0.0;   // percent
};

struct TubeAmpResult {
    TubeSolution tube[2]; // the single-tube solutions (characteristics display)
    TubeAmpModel model;
    std::vector<TubeLevel> levels; // below 10 % THD
    double maxPower = 0.0;         // W, expected maximum of the stage
    double setThd = 0.0;           // percent at the wanted power
    bool follower = false;         // cathode bias close to a follower: computed but not usable
};

// "計算": solves the tube(s), evaluates distortion against output power and builds the model.
// Shows the messages of every failure (the final one "設定出力に異常があります。..."). True when
// the stage gives the wanted power; `out` is then complete.
bool ComputeTubeAmp(IDocumentUi& ui, const TubeData& data, const TubeAmpSettings& settings,
                    TubeAmpResult& out);

// THD (percent, band limit on) of the spectrum of N = 16384 samples of `signal` under the
// Kaiser analysis window, at `rate`.
double TubeSignalThd(const std::vector<float>& signal, int rate);
