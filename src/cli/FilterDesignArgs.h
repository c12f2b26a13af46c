#pragma once

#include "cli/CliCommand.h"
#include "filters/BiquadSettings.h"
#include "filters/CascadeIirDesign.h"
#include "filters/FirSettings.h"

#include <optional>
#include <string>
#include <vector>

// The design options of the `design` sub-commands, read the same way where a real-time tool is
// given a design on the command line (`live rtfilter --design "fir ..."`). Each writes a message
// and gives nothing when an option is missing or bad; the sampling rate is the caller's.

// --shape, --taps, --fl [, --fh] of the window-method design.
std::optional<FirWindowSettings> CliFirWindowSettings(const CliArgs& args, CliContext& ctx);
// --shape, --atten, --transition, --fl [, --fh] of the Kaiser design (normalised).
std::optional<KaiserSettings> CliKaiserSettings(const CliArgs& args, CliContext& ctx);
// --type lpf|hpf|lowshelf|peaking, --f [, --gain (20)].
std::optional<BiquadSettings> CliBiquadSettings(const CliArgs& args, CliContext& ctx);
// --type butter|cheby|invcheby|elliptic, --shape, --order, --fl, --fh, --ripple, --stop,
// [--realize exact|e12|e24 --r KOHM --c UF]; options not given keep the values of `p`.
// `series` is kSeriesSFunction without --realize.
bool CliCascadeParams(const CliArgs& args, CliContext& ctx, CascadeParams& p, int& series);

// A Remez design from --bands "F0 F1 GAIN WEIGHT; ..." with --taps, or from --easy settings
// (--shape, --fl [--fh], --transition, --ripple, --atten [--taps], the count predicted without
// --taps), at fs with at most maxTaps taps.
struct CliRemezResult {
    std::vector<double> taps;
    std::string kind;  // "Easy_Remez" or "Detail_Remez"
    std::string shape; // "LPF" ... or "Unknown"
    double cutLow = 0.0, cutHigh = 0.0;
};
// 0 designed; 1 refused or not converged (the messages shown); 2 bad or missing options.
int CliDesignRemez(const CliArgs& args, CliContext& ctx, int fs, int maxTaps,
                   CliRemezResult& result);
