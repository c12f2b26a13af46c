// sonalyx-cli generate: the signal generator's "Wave保存" without a sound card.
#include "cli/SigGenOptions.h"
#include "sound/generator/SigGenSettings.h"
#include "sound/generator/SigGenValidation.h"
#include "sound/generator/SigGenWaveFile.h"

namespace {
const std::string kUsage = std::string("generate ") + kSigGenOptionsUsage +
                           " [--seed N] --seconds S -o OUT.wav   write the signal generator's mix "
                           "as a WAV file";
} // namespace

SONALYX_CLI_COMMAND("generate", kUsage, args, ctx) {
    if (!args.Has("seconds") || !args.Has("o") || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    SigGenSettings settings;
    if (!ApplySigGenOptions(args, settings, ctx)) return 1;
    const auto seconds = CliInt(args, "seconds", ctx);
    if (!seconds) return 1;
    settings.recordSeconds = *seconds;
    int seed = 1;
    if (args.Has("seed")) {
        const auto s = CliInt(args, "seed", ctx);
        if (!s) return 1;
        seed = *s;
    }
    if (ValidateSigGen(settings, ctx.ui)) return 1;
    ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
    return SaveSigGenWave(ctx.ui, settings, static_cast<std::uint32_t>(seed)) ? 0 : 1;
}
