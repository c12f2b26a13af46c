#pragma once

#include "cli/CliCommand.h"

struct SigGenSettings;

// The generator's settings from the command line: --rate 44100|48000|96000, --bits 16|24|32,
// --sine F:DB[:F2:DB2] (up to three, in order Sin(1), Sin(2), Sin(3)), --square F:DB[:F2:DB2],
// --noise DB[:DB2], --mono. The values after the first pair are ch2's (ch1's when
// left out). Naming any source switches every source not named off. False (reported) on a
// malformed value; the ranges are checked later by the generator's own validation.
bool ApplySigGenOptions(const CliArgs& args, SigGenSettings& settings, CliContext& ctx);

inline constexpr const char* kSigGenOptionsUsage =
    "[--rate 44100|48000|96000] [--bits 16|24|32] [--sine F:DB[:F2:DB2] ...] "
    "[--square F:DB[:F2:DB2]] [--noise DB[:DB2]] [--mono]";
