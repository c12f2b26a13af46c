// sonalyx-cli live corr: the correlation meter on a sound card until a number of blocks were
// analysed, then the panel's "保存".
#include "cli/LiveConditions.h"
#include "cli/LivePanelRun.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/correlation/CorrPanel.h"

namespace {
const std::string kUsage = std::string("live corr ") + kLiveDeviceUsage + " " +
                           kLiveConditionsUsage +
                           " [--cross] [--average] --updates U -o OUT.opr|OUT.csv"
                           " [--record REC.wav]   run the correlation meter (auto-correlation of"
                           " each channel, or --cross between them) and save its result";
} // namespace

SONALYX_CLI_COMMAND("live corr", kUsage, args, ctx) {
    const bool cross = args.Has("cross");
    LivePanelRecipe recipe;
    recipe.begin = [cross](CKymoDoc& doc, ISoundCard* card) {
        return doc.BeginCorrelationMeter(card, cross, true);
    };
    recipe.makePanel = [](CKymoDoc& doc, ISoundCard& card) {
        return PanelCalls(std::make_unique<CCorrPanel>(doc, card));
    };
    return RunLivePanelToSave(args, ctx, kUsage, recipe);
}
