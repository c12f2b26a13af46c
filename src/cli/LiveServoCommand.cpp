// sonalyx-cli live servo: the servo analyzer on a sound card until a number of blocks were
// analysed, then the panel's "保存".
#include "cli/LiveConditions.h"
#include "cli/LivePanelRun.h"
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
    if (!args.Has("excitation")) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto excitation = CliInt(args, "excitation", ctx);
    if (!excitation) return 1;
    if (*excitation < 0 || *excitation >= servo::kCount) {
        ctx.err << "--excitation: 0 .. 5\n";
        return 1;
    }
    std::optional<int> seed;
    if (args.Has("seed") && !(seed = CliInt(args, "seed", ctx))) return 1;
    LivePanelRecipe recipe;
    recipe.prepare = [&](CKymoDoc& doc) {
        doc.m_nExcitation = *excitation;
        if (!args.Has("characteristic")) return true;
        const auto c = kCharacteristics.find(args.GetOr("characteristic", ""));
        if (c == kCharacteristics.end()) {
            ctx.err << "--characteristic: close, open+ or open-\n";
            return false;
        }
        doc.m_nCharacteristic = c->second;
        return true;
    };
    recipe.begin = [](CKymoDoc& doc, ISoundCard* card) {
        return doc.BeginServoAnalyzer(card, true);
    };
    recipe.makePanel = [&seed](CKymoDoc& doc, ISoundCard& card) {
        auto panel = std::make_unique<CServoAnaPanel>(doc, card);
        if (seed) panel->SetSeed(static_cast<std::uint32_t>(*seed));
        return PanelCalls(std::move(panel));
    };
    recipe.finish = [](CKymoDoc& doc) { doc.FinishServoAnalyzer(); };
    return RunLivePanelToSave(args, ctx, kUsage, recipe);
}
