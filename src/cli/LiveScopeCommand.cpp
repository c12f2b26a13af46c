// sonalyx-cli live scope: the oscilloscope on a sound card until a number of sweeps were shown,
// then the panel's "保存".
#include "cli/LivePanelRun.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/engine/SoundReports.h"
#include "sound/scope/OscilloPanel.h"
#include "sound/scope/ScopeSweeps.h"
#include "sound/settings/MeasConditions.h"

namespace {
const std::string kUsage =
    std::string("live scope ") + kLiveDeviceUsage +
    " [--rate 44100|48000|96000] [--sweep 1..11] [--trigger PERCENT] [--slope rise|fall] "
    "[--trigger-channel 1|2] [--mode auto|normal] [--delay PERCENT] [--xy] [--oversample] "
    "--updates U -o OUT.opr|OUT.csv [--record REC.wav]   run the oscilloscope and save a sweep";

// A whole-number option within [lo, hi] that is a multiple of `step`.
bool StepOption(const CliArgs& args, const char* name, int lo, int hi, int step, int& value,
                CliContext& ctx) {
    if (!args.Has(name)) return true;
    const auto v = CliInt(args, name, ctx);
    if (!v) return false;
    if (*v < lo || *v > hi || *v % step != 0) {
        ctx.err << "--" << name << ": " << lo << " .. " << hi << " in steps of " << step << "\n";
        return false;
    }
    value = *v;
    return true;
}

// The scope's options into the document, as the panel would leave them.
bool ApplyScopeOptions(const CliArgs& args, CKymoDoc& doc, CliContext& ctx) {
    int rate = scope::SupportedRate(doc.m_nSamplesPerSec);
    if (args.Has("rate")) {
        const auto r = CliInt(args, "rate", ctx);
        if (!r) return false;
        if (*r != 44100 && *r != 48000 && *r != 96000) {
            ctx.err << "--rate: 44100, 48000 or 96000\n";
            return false;
        }
        rate = *r;
    }
    doc.m_nSamplesPerSec = rate;
    doc.m_nMeasRate = meas::IndexOfRate(rate);
    int level = doc.m_nTrigLevelStep * 10, delay = doc.m_nTrigDelayStep * 5;
    int channel = doc.m_nTrigCh + 1;
    if (!StepOption(args, "sweep", scope::kMinSweep, scope::kMaxSweep, 1, doc.m_nScopeSweep, ctx) ||
        !StepOption(args, "trigger", -100, 100, 10, level, ctx) ||
        !StepOption(args, "delay", 0, 100, 5, delay, ctx) ||
        !StepOption(args, "trigger-channel", 1, 2, 1, channel, ctx))
        return false;
    doc.m_nTrigLevelStep = level / 10;
    doc.m_nTrigDelayStep = delay / 5;
    doc.m_nTrigCh = channel - 1;
    doc.m_bTrigFixedZero = 0;
    if (args.Has("slope")) {
        const std::string s = args.GetOr("slope", "");
        if (s != "rise" && s != "fall") {
            ctx.err << "--slope: rise or fall\n";
            return false;
        }
        doc.m_nTrigSlope = s == "fall" ? 1 : 0;
    }
    if (args.Has("mode")) {
        const std::string m = args.GetOr("mode", "");
        if (m != "auto" && m != "normal") {
            ctx.err << "--mode: auto or normal\n";
            return false;
        }
        doc.m_nTrigMode = m == "normal" ? 1 : 0;
    }
    doc.m_bScopeXY = args.Has("xy") ? 1 : 0;
    doc.m_nScopeOver = args.Has("oversample") ? 4 : 1;
    doc.m_bScopeCh1 = doc.m_bScopeCh2 = 1;
    return true;
}
} // namespace

SONALYX_CLI_COMMAND("live scope", kUsage, args, ctx) {
    LivePanelRecipe recipe;
    recipe.conditions = false;
    recipe.prepare = [&](CKymoDoc& doc) { return ApplyScopeOptions(args, doc, ctx); };
    recipe.begin = [](CKymoDoc& doc, ISoundCard* card) {
        if (!card) {
            ReportNoSoundCard(doc.Ui());
            return 0;
        }
        return doc.BeginOscilloscope();
    };
    recipe.makePanel = [](CKymoDoc& doc, ISoundCard& card) {
        return PanelCalls(std::make_unique<COscilloPanel>(doc, card));
    };
    recipe.finish = [](CKymoDoc& doc) { doc.FinishOscilloscope(); };
    return RunLivePanelToSave(args, ctx, kUsage, recipe);
}
