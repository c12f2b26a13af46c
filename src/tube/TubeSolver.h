#pragma once

#include "tube/TransferCurve.h"

#include <utility>
#include <vector>

class IDocumentUi;
struct TubeData;

// What one tube of the stage is set to (panel values, per tube).
struct TubeSetup {
    double supply = 0.0;      // V
    double load = 0.0;        // kOhm
    double current = 0.0;     // mA, constant-current bias
    double gridBias = 0.0;    // V
    double cathodeBias = 0.0; // V
    int bias = 0;             // tube::kBias...
    double epError = 0.0;     // percent
    double ipError = 0.0;     // percent
};

// One tube solved against its load line.
struct TubeSolution {
    std::vector<std::pair<double, double>> points; // (Eg_i, Ep_i) intersections
    TransferCurve curve;                           // P(Eg) = Ep
    double gridLow = 0.0, gridHigh = 0.0;          // grid span of the intersections
    double eg0 = 0.0, epq = 0.0, iq = 0.0;         // operating point (V, V, mA)
    double cathodeR = 0.0;                         // kOhm, cathode bias
    bool follower = false; // cathode bias draws more than 0.9 of what the cathode network allows
    double gain = 0.0;     // dEp/dEg at the operating point
    double maxPower = 0.0; // W, expected maximum output
    double swing = 0.0;    // V, largest input swing
    double lo = 0.0, hi = 0.0;   // usable grid range
    double plo = 0.0, phi = 0.0; // P at its ends

    // P limited to the usable range.
    double Limited(double eg) const;
};

// The plate voltage where curve i meets the load line, walking the plate voltage from 0 over
// the curves' range in 1000 steps; false when there is no crossing (or only at the last step).
bool CurveCrossing(const TubeData& data, int i, const TubeSetup& setup, double& ep);

// Solves one tube: crossings, fit, operating point, cathode feedback, gain, expected power and
// the usable grid range. Shows the messages of the failures ("解の数が不足しています...",
// "解がおかしい！！", "動作点電圧が異常です...") and the few-points note. False on failure.
bool SolveTube(IDocumentUi& ui, const TubeData& data, const TubeSetup& setup, TubeSolution& out);

// Finds the usable grid range around the operating point: where P stays positive and falls as
// the grid rises, within the intersections' grid span.
void FindUsableRange(TubeSolution& s);
