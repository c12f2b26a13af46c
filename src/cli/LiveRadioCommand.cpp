// sonalyx-cli live radio: the AM/DSB/SSB software radio on a sound card.
#include "cli/CliDocument.h"
#include "cli/LiveRtTool.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "realtime/RadioTool.h"
#include "sound/engine/SoundReports.h"

#include <algorithm>
#include <map>

namespace {

const std::string kUsage =
    std::string("live radio ") + kLiveDeviceUsage +
    " --mode am|dsb|usb|lsb|NAME [--transmit] [--receive] [--test-signal] [--tone HZ] "
    "[--tone-db DB] [--noise-db DB] [--settings FILE] [--if1 HZ] [--if2 HZ] [--gain DB] "
    "[--rate 44100|48000|96000] [--buffer large|medium|small] [--save-settings FILE] "
    "--seconds S --record OUT.wav"
    "   modulate (--transmit), demodulate (--receive) or both (neither or both flags); NAME is"
    " any entry of the mode list";

// The list index of --mode for the flags: the short names, or an entry's own name.
int ModeIndex(const std::string& mode, int trm, int rcv) {
    static const std::map<std::string, int> kLoop = {{"am", 0}, {"lsb", 1}, {"usb", 2}};
    static const std::map<std::string, int> kOneWay = {
        {"am", 0}, {"dsb", 1}, {"lsb", 2}, {"usb", 3}};
    if (!trm && !rcv) return 0;
    const auto& map = trm && rcv ? kLoop : kOneWay;
    if (const auto it = map.find(mode); it != map.end()) return it->second;
    const auto names = RadioModeNames(trm, rcv);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == mode) return static_cast<int>(i);
    return -1;
}

bool Number(const CliArgs& args, const char* name, double& value, CliContext& ctx) {
    if (!args.Has(name)) return true;
    const auto v = CliNumber(args, name, ctx);
    if (!v) return false;
    value = *v;
    return true;
}

} // namespace

SONALYX_CLI_COMMAND("live radio", kUsage, args, ctx) {
    if (!args.Has("mode") || !args.Has("seconds") || !args.Has("record") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    bool trm = args.Has("transmit"), rcv = args.Has("receive");
    if (!trm && !rcv) trm = rcv = true;
    const int index = ModeIndex(args.GetOr("mode", ""), trm, rcv);
    if (index < 0) {
        ctx.err << "--mode: not a mode of this direction: " << args.GetOr("mode", "") << "\n";
        return 2;
    }
    int rate = 1;
    if (!ChooseCliValue(args, "rate", {{"44100", 0}, {"48000", 1}, {"96000", 2}}, rate, ctx))
        return 2;
    RadioPanel panel;
    panel.generator = args.Has("test-signal");
    panel.noiseOn = args.Has("noise-db");
    double tone = panel.sineFreq, toneDb = panel.sineDb, noiseDb = panel.noiseDb, gain = 0.0;
    double if1 = 0.0, if2 = 0.0;
    if (!Number(args, "tone", tone, ctx) || !Number(args, "tone-db", toneDb, ctx) ||
        !Number(args, "noise-db", noiseDb, ctx) || !Number(args, "gain", gain, ctx) ||
        !Number(args, "if1", if1, ctx) || !Number(args, "if2", if2, ctx))
        return 2;
    panel.sineFreq = tone;
    panel.sineDb = static_cast<int>(toneDb);
    panel.noiseDb = static_cast<int>(noiseDb);
    panel.gainDb = static_cast<int>(gain);
    panel.display = radiodisplay::LogAf;

    auto doc = MakeCliDocument(ctx);
    if (!ApplyRtBufferOption(args, *doc, ctx)) return 2;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    if (!runner.Card()) {
        ReportNoSoundCard(ctx.ui);
        return 1;
    }
    runner.AttachDocument(*doc);
    CRadioTool tool(*doc, *runner.Card());
    tool.SetRateIndex(rate);
    tool.SetFlags(trm, rcv);
    tool.SetMode(index);
    tool.OnDefault();
    if (const auto path = args.Get("settings")) {
        if (!tool.OnLoad(*path)) {
            tool.Close(false);
            return 1;
        }
    }
    // A settings file brings its own flags and mode.
    RadioSettings s = tool.Settings();
    if (args.Has("if1")) s.m_iffreq = static_cast<int>(if1);
    if (args.Has("if2")) s.m_iffreq2 = static_cast<int>(if2);
    tool.SetSettings(s);
    tool.SetPanel(panel);
    const auto names = tool.ModeNames();
    ctx.out << "mode="
            << names[static_cast<std::size_t>(
                   std::clamp(s.m_mod, 0, static_cast<int>(names.size()) - 1))]
            << "\n";
    const std::string save = args.GetOr("save-settings", "");
    return RunLiveTool(args, ctx, runner,
                       {tool.Engine(), tool.Rate(), [&tool] { return tool.OnStart(); },
                        [&] { return save.empty() || tool.OnSave(save) == 1; },
                        [&tool] { tool.Close(); }, [] { return 0; }});
}
