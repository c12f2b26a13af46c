// sonalyx-cli live lms: the LMS adaptive FIR filter on a sound card, with the weights saved at
// the end of the run.
#include "cli/CliDocument.h"
#include "cli/LiveRtTool.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "realtime/LmsTool.h"
#include "sound/engine/SoundReports.h"

#include <map>

namespace {

const std::string kUsage =
    std::string("live lms ") + kLiveDeviceUsage +
    " [--use identify|predict|denoise] [--generator] [--noise DB|off] [--sine DB|off] "
    "[--sine-freq POS] [--shape lpf|hpf|bpf|bsf] [--fl HZ] [--fh HZ] --taps N --delay D --mu MU "
    "[--rate 44100|48000|96000] [--buffer large|medium|small] [--seed S] --seconds S "
    "[-o WEIGHTS.csv] [--record OUT.wav]"
    "   adapt an FIR (desired left, input right; the generator makes its own signals) and save"
    " its weights";

// --noise / --sine: a level in dB (-60 ... 0) or "off". False (reported) on a bad value.
bool Level(const CliArgs& args, const std::string& name, bool& on, int& position, CliContext& ctx) {
    const auto text = args.Get(name);
    if (!text) return true;
    if (*text == "off") {
        on = false;
        return true;
    }
    const auto db = CliInt(args, name, ctx);
    if (!db) return false;
    if (*db < lmslimits::kMinLevelPos || *db > lmslimits::kMaxLevelPos) {
        ctx.err << "--" << name << ": -60 ... 0 dB or off\n";
        return false;
    }
    on = true;
    position = *db;
    return true;
}

bool ApplyOptions(const CliArgs& args, CLmsTool& tool, CliContext& ctx) {
    int mode = lmsmode::Identify, shape = tool.Shape(), rate = tool.RateIndex();
    if (!ChooseCliValue(args, "use",
                        {{"identify", lmsmode::Identify},
                         {"predict", lmsmode::Predict},
                         {"denoise", lmsmode::Denoise}},
                        mode, ctx) ||
        !ChooseCliValue(args, "shape", {{"lpf", 0}, {"hpf", 1}, {"bpf", 2}, {"bsf", 3}}, shape,
                        ctx) ||
        !ChooseCliValue(args, "rate", {{"44100", 0}, {"48000", 1}, {"96000", 2}}, rate, ctx))
        return false;
    const auto taps = CliInt(args, "taps", ctx);
    const auto delay = CliInt(args, "delay", ctx);
    const auto mu = CliNumber(args, "mu", ctx);
    if (!taps || !delay || !mu) return false;
    LmsSettings s = tool.Settings();
    if (!Level(args, "noise", s.noiseOn, s.noisePos, ctx) ||
        !Level(args, "sine", s.sineOn, s.sinePos, ctx))
        return false;
    double fl = tool.CutLow(), fh = tool.CutHigh();
    for (const char* name : {"fl", "fh", "sine-freq", "seed"}) {
        if (!args.Has(name)) continue;
        const auto v = CliNumber(args, name, ctx);
        if (!v) return false;
        const std::string n = name;
        if (n == "fl") fl = *v;
        if (n == "fh") fh = *v;
        if (n == "sine-freq") s.sineFreqPos = static_cast<int>(*v);
        if (n == "seed") tool.Seed(static_cast<std::uint32_t>(*v));
    }
    tool.SetRateIndex(rate);
    tool.SetShape(shape);
    tool.SetCutOffs(fl, fh);
    tool.SetTaps(*taps);
    tool.SetMu(*mu);
    tool.SetDelay(*delay);
    tool.SetGenerator(args.Has("generator"));
    tool.SetMode(mode);
    tool.SetNoise(s.noiseOn);
    tool.SetNoiseLevel(s.noisePos);
    tool.SetSine(s.sineOn);
    tool.SetSineLevel(s.sinePos);
    tool.SetSineFreqPosition(s.sineFreqPos);
    return true;
}

} // namespace

SONALYX_CLI_COMMAND("live lms", kUsage, args, ctx) {
    if (!args.Has("taps") || !args.Has("delay") || !args.Has("mu") || !args.Has("seconds") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    auto doc = MakeCliDocument(ctx);
    doc->m_nFirType = 11;
    if (!ApplyRtBufferOption(args, *doc, ctx)) return 2;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    if (!runner.Card()) {
        ReportNoSoundCard(ctx.ui);
        return 1;
    }
    runner.AttachDocument(*doc);
    CLmsTool tool(*doc, *runner.Card());
    if (!ApplyOptions(args, tool, ctx)) {
        tool.Close(false);
        return 2;
    }
    const std::string weights = args.GetOr("o", "");
    const int rc = RunLiveTool(args, ctx, runner,
                               {tool.Engine(), tool.Rate(), [&tool] { return tool.OnStart(); },
                                [&] {
                                    ctx.out << "taps=" << tool.Weights().size()
                                            << "\nmu=" << tool.Settings().mu
                                            << "\ndelay=" << tool.Settings().delay
                                            << "\nerror=" << tool.RelativeError() << "\n";
                                    return weights.empty() || tool.OnSave(weights) == 1;
                                },
                                [&tool] { tool.Close(); }, [&tool] { return tool.LoadPercent(); }});
    return rc;
}
