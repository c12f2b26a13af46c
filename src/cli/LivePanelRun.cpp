#include "cli/LivePanelRun.h"

#include "cli/CliDocument.h"
#include "cli/LiveConditions.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/spectrum/SpecAnaPanel.h"

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
    auto doc = MakeCliDocument(ctx);
    if (!ApplyLiveConditions(args, *doc, ctx)) return 1;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!recipe.begin(*doc, runner.Card())) return 1;
    int rc = 1;
    {
        std::unique_ptr<CSpecAnaPanel> panel = recipe.makePanel(*doc, *runner.Card());
        runner.RecordFrom(panel->Engine(), args);
        if (args.Has("average")) panel->OnAverage();
        if (panel->OnStart()) {
            const long long first = runner.Redraws();
            rc =
                runner.Drive(panel->Engine(), [&] { return runner.Redraws() - first >= *updates; });
            runner.PrintStats(panel->Engine());
            if (rc == 0) {
                ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
                rc = panel->OnSave() ? 0 : 1;
            }
        }
        panel->Close();
    }
    doc->FinishSpectrumAnalyzer();
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}
