// sonalyx-cli live generator: the signal generator played on a sound card for a number of
// seconds, its output shown through the oscilloscope display.
#include "cli/CliDocument.h"
#include "cli/LiveRunner.h"
#include "cli/SigGenOptions.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundReports.h"
#include "sound/generator/SigGenPanel.h"
#include "sound/settings/MeasConditions.h"

namespace {
const std::string kUsage = std::string("live generator ") + kSigGenOptionsUsage + " " +
                           kLiveDeviceUsage +
                           " [--seed N] --seconds S [--record REC.wav]   play the signal "
                           "generator's mix on a sound card";
} // namespace

SONALYX_CLI_COMMAND("live generator", kUsage, args, ctx) {
    if (!args.Has("seconds") || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto seconds = CliNumber(args, "seconds", ctx);
    if (!seconds) return 1;
    if (*seconds <= 0) {
        ctx.err << "--seconds: more than 0\n";
        return 1;
    }
    std::optional<int> seed;
    if (args.Has("seed") && !(seed = CliInt(args, "seed", ctx))) return 1;
    auto doc = MakeCliDocument(ctx);
    SigGenSettings& settings = doc->m_sigGen;
    if (!ApplySigGenOptions(args, settings, ctx)) return 1;
    doc->m_nSamplesPerSec = settings.rate;
    doc->m_nMeasRate = meas::IndexOfRate(settings.rate);
    doc->m_nMeasBits = settings.widthCode;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    if (!runner.Card()) {
        ReportNoSoundCard(ctx.ui);
        return 1;
    }
    runner.AttachDocument(*doc);
    if (!doc->BeginSignalGenerator()) return 1;
    int rc = 1;
    {
        CSigGenPanel panel(*doc, *runner.Card());
        if (seed) panel.SetSeed(static_cast<std::uint32_t>(*seed));
        runner.RecordFrom(panel.Engine(), args);
        if (panel.OnStart()) {
            const double frames = *seconds * panel.Rate();
            const SoundDuplex& engine = panel.Engine();
            const auto bufferFrames = [&] {
                return static_cast<double>(engine.BufferBytes()) / engine.Format().blockAlign;
            };
            rc = runner.Drive(panel.Engine(),
                              [&] { return engine.Stats().buffers * bufferFrames() >= frames; });
            runner.PrintStats(panel.Engine());
        }
        panel.Close();
    }
    doc->FinishOscilloscope();
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}
