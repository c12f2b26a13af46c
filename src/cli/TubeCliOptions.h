#pragma once

#include "cli/CliCommand.h"

struct TubeAmpSettings;

// Options of `tube` and `live tube` over the device's own values: --circuit 0..2, --bias 0..3,
// --power W, --load KOHM, --supply V, --current MA (both tubes). False (reported) on a bad value.
bool ApplyTubeOptions(const CliArgs& args, TubeAmpSettings& settings, CliContext& ctx);
inline constexpr const char* kTubeOptionsUsage =
    "[--circuit 0..2] [--bias 0..3] [--power W] [--load KOHM] [--supply V] [--current MA]";
