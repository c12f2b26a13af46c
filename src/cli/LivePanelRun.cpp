#include "cli/LivePanelRun.h"

#include "cli/CliDocument.h"
#include "cli/LiveConditions.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundDuplex.h"

namespace {

// When the run may end: `done` is asked after every delivery, from ON on.
using DonePredicate = std::function<std::function<bool()>(CLiveRunner&, SoundDuplex&)>;

// `outPath` empty: nothing is saved.
int RunPanel(const CliArgs& args, CliContext& ctx, const LivePanelRecipe& recipe,
             const DonePredicate& until, const std::string& outPath) {
    auto doc = MakeCliDocument(ctx);
    if (recipe.conditions && !ApplyLiveConditions(args, *doc, ctx)) return 1;
    if (recipe.prepare && !recipe.prepare(*doc)) return 1;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!recipe.begin(*doc, runner.Card())) return 1;
    int rc = 1;
    {
        LivePanelCalls panel = recipe.makePanel(*doc, *runner.Card());
        SoundDuplex& engine = *panel.engine;
        runner.RecordFrom(engine, args);
        if (args.Has("average") && panel.average) panel.average();
        if (panel.start()) {
            rc = runner.Drive(engine, until(runner, engine));
            runner.PrintStats(engine);
            if (rc == 0 && !outPath.empty()) {
                ctx.ui.fileAnswers.push_back(outPath);
                rc = panel.save && panel.save() ? 0 : 1;
            }
        }
        panel.close();
    }
    if (recipe.finish)
        recipe.finish(*doc);
    else
        doc->FinishSpectrumAnalyzer();
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}

} // namespace

int RunLivePanelToSave(const CliArgs& args, CliContext& ctx, const std::string& usage,
                       const LivePanelRecipe& recipe) {
    if (!args.Has("updates") || !args.Has("o") || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << usage << "\n";
        return 2;
    }
    const auto updates = CliInt(args, "updates", ctx);
    if (!updates) return 1;
    if (*updates < 1) {
        ctx.err << "--updates: 1 or more\n";
        return 1;
    }
    const long long count = *updates;
    const DonePredicate until = [count](CLiveRunner& runner, SoundDuplex&) {
        const long long first = runner.Redraws();
        return std::function<bool()>(
            [&runner, first, count] { return runner.Redraws() - first >= count; });
    };
    return RunPanel(args, ctx, recipe, until, args.GetOr("o", ""));
}

int RunLivePanelFor(const CliArgs& args, CliContext& ctx, double seconds,
                    const LivePanelRecipe& recipe) {
    const DonePredicate until = [seconds](CLiveRunner&, SoundDuplex& engine) {
        return std::function<bool()>([&engine, seconds] {
            const WaveFormat& format = engine.Format();
            const double frames = static_cast<double>(engine.BufferBytes()) / format.blockAlign;
            return engine.Stats().buffers * frames >= seconds * format.samplesPerSec;
        });
    };
    return RunPanel(args, ctx, recipe, until, std::string());
}
