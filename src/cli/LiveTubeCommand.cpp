// sonalyx-cli live tube: the virtual tube amplifier on a sound card for a number of seconds,
// recording what it plays.
#include "cli/CliDocument.h"
#include "cli/LiveRunner.h"
#include "cli/TubeCliOptions.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundCard.h"
#include "tube/TubeAmpPanel.h"
#include "tube/TubeBuiltins.h"

namespace {
const std::string kUsage = std::string("live tube ") + kLiveDeviceUsage + " --tube TUBE.csv " +
                           kTubeOptionsUsage +
                           " [--through] [--rate 44100|48000|96000] [--bits 16|24|32]"
                           " --seconds S --record OUT.wav   play the input through the tube stage";
} // namespace

SONALYX_CLI_COMMAND("live tube", kUsage, args, ctx) {
    if (!args.Has("tube") || !args.Has("seconds") || !args.Has("record") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto seconds = CliNumber(args, "seconds", ctx);
    if (!seconds) return 1;
    if (*seconds <= 0 || *seconds > 3600) {
        ctx.err << "--seconds: more than 0, at most 3600\n";
        return 1;
    }
    auto doc = MakeCliDocument(ctx);
    int rateIndex = -1, widthCode = -1;
    if (args.Has("rate")) {
        const auto rate = CliInt(args, "rate", ctx);
        if (!rate) return 1;
        const int index = *rate == 44100 ? 3 : *rate == 48000 ? 4 : *rate == 96000 ? 5 : -1;
        if (index < 0) {
            ctx.err << "--rate: 44100, 48000 or 96000\n";
            return 1;
        }
        rateIndex = index;
    }
    if (args.Has("bits")) {
        const auto bits = CliInt(args, "bits", ctx);
        if (!bits) return 1;
        const int code = *bits == 16 ? 1 : *bits == 24 ? 2 : *bits == 32 ? 3 : -1;
        if (code < 0) {
            ctx.err << "--bits: 16, 24 or 32\n";
            return 1;
        }
        widthCode = code;
    }
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!BeginTubeAmp(*doc, runner.Card())) return 1;
    int rc = 1;
    {
        CTubeAmpPanel panel(*doc, *runner.Card());
        if (!panel.SelectDevice(tube::kMyTube, args.GetOr("tube", ""))) return 1;
        // The file's operating settings came first; the options are the user's last word.
        if (rateIndex >= 0) doc->m_nMeasRate = rateIndex;
        if (widthCode >= 0) panel.SetWidthCode(widthCode);
        if (!ApplyTubeOptions(args, panel.Settings(), ctx)) return 1;
        if (args.Has("through") != panel.IsThrough()) panel.OnThrough();
        runner.RecordFrom(panel.Engine(), args);
        if (panel.OnCompute() && panel.OnStart()) {
            const auto frames = static_cast<std::size_t>(*seconds * panel.Rate());
            rc = runner.Drive(panel.Engine(), [&] { return runner.Recorder().Frames() >= frames; });
            runner.PrintStats(panel.Engine());
        }
        panel.Close();
    }
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}
