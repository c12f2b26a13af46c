// sonalyx-cli live generator: the signal generator played on a sound card for a number of
// seconds, its output shown through the oscilloscope display.
#include "cli/LivePanelRun.h"
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
    LivePanelRecipe recipe;
    recipe.conditions = false;
    recipe.prepare = [&](CKymoDoc& doc) {
        SigGenSettings& settings = doc.m_sigGen;
        if (!ApplySigGenOptions(args, settings, ctx)) return false;
        doc.m_nSamplesPerSec = settings.rate;
        doc.m_nMeasRate = meas::IndexOfRate(settings.rate);
        doc.m_nMeasBits = settings.widthCode;
        return true;
    };
    recipe.begin = [](CKymoDoc& doc, ISoundCard* card) {
        if (!card) {
            ReportNoSoundCard(doc.Ui());
            return 0;
        }
        return doc.BeginSignalGenerator();
    };
    recipe.makePanel = [&seed](CKymoDoc& doc, ISoundCard& card) {
        auto panel = std::make_unique<CSigGenPanel>(doc, card);
        if (seed) panel->SetSeed(static_cast<std::uint32_t>(*seed));
        return PanelCalls(std::move(panel));
    };
    recipe.finish = [](CKymoDoc& doc) { doc.FinishOscilloscope(); };
    return RunLivePanelFor(args, ctx, *seconds, recipe);
}
