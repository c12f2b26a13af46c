// sonalyx-cli live spectrum: the spectrum analyzer on a sound card until a number of blocks
// were analysed, then the panel's "保存".
#include "cli/LiveConditions.h"
#include "cli/LivePanelRun.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/spectrum/SpecAnaPanel.h"

namespace {
const std::string kUsage = std::string("live spectrum ") + kLiveDeviceUsage + " " +
                           kLiveConditionsUsage +
                           " [--average] --updates U -o OUT.opr|OUT.csv [--record REC.wav]"
                           "   run the spectrum analyzer and save its result";
} // namespace

SONALYX_CLI_COMMAND("live spectrum", kUsage, args, ctx) {
    LivePanelRecipe recipe;
    recipe.begin = [](CKymoDoc& doc, ISoundCard* card) {
        return doc.BeginSpectrumAnalyzer(card, true);
    };
    recipe.makePanel = [](CKymoDoc& doc, ISoundCard& card) {
        return PanelCalls(std::make_unique<CSpecAnaPanel>(doc, card));
    };
    return RunLivePanelToSave(args, ctx, kUsage, recipe);
}
