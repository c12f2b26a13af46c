// sonalyx-cli live servo: the servo analyzer on a sound card until a number of blocks were
// analysed, then the panel's "保存".
#include "cli/CliDocument.h"
#include "cli/LiveConditions.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/servo/ServoAnaPanel.h"
#include "sound/servo/ServoExcitation.h"
#include "sound/settings/MeasConditions.h"

#include <map>

namespace {
const std::string kUsage =
    std::string("live servo ") + kLiveDeviceUsage + " " + kLiveConditionsUsage +
    " --excitation 0..5 [--average] [--characteristic close|open+|open-] [--seed N] --updates U "
    "-o OUT.opr|OUT.csv [--record REC.wav]   run the servo analyzer and save its transfer "
    "function";

const std::map<std::string, int> kCharacteristics = {
    {"close", meas::kClose}, {"open+", meas::kOpenPlus}, {"open-", meas::kOpenMinus}};
} // namespace

SONALYX_CLI_COMMAND("live servo", kUsage, args, ctx) {
    if (!args.Has("updates") || !args.Has("o") || !args.Has("excitation") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto updates = CliInt(args, "updates", ctx);
    const auto excitation = CliInt(args, "excitation", ctx);
    if (!updates || !excitation) return 1;
    if (*updates < 1) {
        ctx.err << "--updates: 1 or more\n";
        return 1;
    }
    if (*excitation < 0 || *excitation >= servo::kCount) {
        ctx.err << "--excitation: 0 .. 5\n";
        return 1;
    }
    std::optional<int> seed;
    if (args.Has("seed") && !(seed = CliInt(args, "seed", ctx))) return 1;
    auto doc = MakeCliDocument(ctx);
    if (!ApplyLiveConditions(args, *doc, ctx)) return 1;
    doc->m_nExcitation = *excitation;
    if (args.Has("characteristic")) {
        const auto c = kCharacteristics.find(args.GetOr("characteristic", ""));
        if (c == kCharacteristics.end()) {
            ctx.err << "--characteristic: close, open+ or open-\n";
            return 1;
        }
        doc->m_nCharacteristic = c->second;
    }
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!doc->BeginServoAnalyzer(runner.Card(), true)) return 1;
    int rc = 1;
    {
        CServoAnaPanel panel(*doc, *runner.Card());
        if (seed) panel.SetSeed(static_cast<std::uint32_t>(*seed));
        runner.RecordFrom(panel.Engine(), args);
        if (args.Has("average")) panel.OnAverage();
        if (panel.OnStart()) {
            const long long first = runner.Redraws();
            rc = runner.Drive(panel.Engine(), [&] { return runner.Redraws() - first >= *updates; });
            runner.PrintStats(panel.Engine());
            if (rc == 0) {
                ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
                rc = panel.OnSave() ? 0 : 1;
            }
        }
        panel.Close();
    }
    doc->FinishServoAnalyzer();
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}
