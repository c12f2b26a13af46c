#pragma once

#include "cli/CliCommand.h"

class CKymoDoc;

// The measurement conditions of the block-sized `live` sub-commands: --rate HZ, --bits 8|16,
// --channels 1|2, --points N, --window NAME, --down E (down-sampling by 2^E) and --interval
// TENTHS, stored into the document as the conditions dialog would. Options not given keep the
// document's values. False (reported) on a value the dialog would not offer.
bool ApplyLiveConditions(const CliArgs& args, CKymoDoc& doc, CliContext& ctx);

inline constexpr const char* kLiveConditionsUsage =
    "[--rate HZ] [--bits 8|16] [--channels 1|2] [--points N] "
    "[--window triangle|hanning|hamming|blackman|kaiser|none] [--down E] [--interval TENTHS]";
