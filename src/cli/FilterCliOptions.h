#pragma once

#include "cli/CliCommand.h"

#include <optional>

// Options shared by the filter-design sub-commands.

// --shape lpf|hpf|bpf|bsf as a shape:: code; writes a message and gives nothing when bad.
std::optional<int> CliShape(const CliArgs& args, CliContext& ctx);
// --window rect|bartlett|blackmanopt|hamming|hann as a window code.
std::optional<int> CliWindow(const CliArgs& args, CliContext& ctx);
// Writes taps to the coefficient file named by -o with the program's save rule.
// Returns the sub-command's exit status.
int CliWriteFir(const CliArgs& args, CliContext& ctx, const char* kind, int shape, double fL,
                double fH, int taps, const double* h);
