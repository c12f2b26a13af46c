#pragma once

#include "cli/CliCommand.h"

#include <functional>
#include <map>
#include <string>

class CKymoDoc;
class CLiveRunner;
class CRtFilterTool;
class SoundDuplex;

// What `live rtfilter` and `live freeform` share: the panel options of the real-time tools and
// the run of a tool on the runner's card for a number of seconds with its recordings.

// The value of option --`name` looked up in `map` into `value` (left as it is when the option
// is absent). False (reported) on an unknown value.
bool ChooseCliValue(const CliArgs& args, const std::string& name,
                    const std::map<std::string, int>& map, int& value, CliContext& ctx);

// --rate 44100|48000|96000, --channel 1|2|both|non, --lineout normal|sum|product, --gain DB,
// --fixed, --source line|gen, --level DB (generator level below full scale) into the tool.
// False (reported) on a bad value.
bool ApplyRtPanelOptions(const CliArgs& args, CRtFilterTool& tool, CliContext& ctx);
// --buffer large|medium|small into the document's environment setting. False on a bad value.
bool ApplyRtBufferOption(const CliArgs& args, CKymoDoc& doc, CliContext& ctx);

// Starts the tool with `start` (false: the tool's messages were shown), drives it until
// --seconds of sound were played, records with --record and --record-input, closes the tool
// and prints buffers, frames and the last load. The sub-command's exit status.
int RunRtTool(const CliArgs& args, CliContext& ctx, CLiveRunner& runner, CRtFilterTool& tool,
              const std::function<bool()>& start);

// What a live tool gives RunLiveTool: its engine and rate, its start, what it does while still
// running at the end (false: a failure, reported), its close and its load meter.
struct LiveToolRun {
    SoundDuplex& engine;
    int rate;
    std::function<bool()> start;
    std::function<bool()> beforeClose;
    std::function<void()> close;
    std::function<int()> load;
};

// The run of RunRtTool for any duration-sized tool: starts, drives until --seconds of sound
// were played, records with --record, closes and prints buffers, frames and the last load.
int RunLiveTool(const CliArgs& args, CliContext& ctx, CLiveRunner& runner, const LiveToolRun& tool);

inline constexpr const char* kRtPanelUsage =
    "[--rate 44100|48000|96000] [--buffer large|medium|small] [--channel 1|2|both|non] "
    "[--lineout normal|sum|product] [--gain DB] [--fixed] [--source line|gen] [--level DB] "
    "--seconds S [--record OUT.wav] [--record-input IN.wav]";
