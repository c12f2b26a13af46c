// sonalyx-cli live audio: one run of the audio measurement's items on a sound card, its results
// as name=value lines and its "AUDO" file; audio-testfile: the synchronous mode's test file.
#include "cli/CliDocument.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "sound/audio/AudioMeasPanel.h"
#include "sound/audio/AudioResults.h"
#include "sound/audio/AudioTestFile.h"
#include "sound/engine/SoundCard.h"

#include <map>
#include <sstream>

namespace {

const std::string kUsage =
    std::string("live audio ") + kLiveDeviceUsage +
    " [--rate 44100|48000|96000] [--bits 16|24|32] [--mode direct|manual]"
    " [--items fr,thd,sn,dr,imd,xtalk] [--thd-freq HZ] [--thd-level DB] -o OUT.audo"
    "   measure every item once and save the results";

bool ParseFormat(const CliArgs& args, int& rate, int& widthCode, CliContext& ctx) {
    if (args.Has("rate")) {
        const auto r = CliInt(args, "rate", ctx);
        if (!r) return false;
        if (*r != 44100 && *r != 48000 && *r != 96000) {
            ctx.err << "--rate: 44100, 48000 or 96000\n";
            return false;
        }
        rate = *r;
    }
    if (args.Has("bits")) {
        const auto b = CliInt(args, "bits", ctx);
        if (!b) return false;
        widthCode = *b == 16 ? 1 : *b == 24 ? 2 : *b == 32 ? 3 : 0;
        if (widthCode == 0) {
            ctx.err << "--bits: 16, 24 or 32\n";
            return false;
        }
    }
    return true;
}

} // namespace

SONALYX_CLI_COMMAND("live audio", kUsage, args, ctx) {
    const auto out = args.Get("o");
    if (!out || out->empty() || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    int rate = 48000, widthCode = 1;
    if (!ParseFormat(args, rate, widthCode, ctx)) return 1;
    const std::string mode = args.GetOr("mode", "direct");
    if (mode != "direct" && mode != "manual") {
        ctx.err << "--mode: direct or manual\n";
        return 1;
    }
    std::map<std::string, int> names = {{"fr", 0}, {"thd", 1}, {"sn", 2},
                                        {"dr", 3}, {"imd", 4}, {"xtalk", 5}};
    std::vector<int> items;
    std::stringstream list(args.GetOr("items", "fr,thd,sn,dr,imd,xtalk"));
    for (std::string word; std::getline(list, word, ',');) {
        const auto it = names.find(word);
        if (it == names.end()) {
            ctx.err << "--items: unknown item " << word << "\n";
            return 1;
        }
        items.push_back(it->second);
    }
    int thdFreq = 1000, thdLevel = 0;
    if (args.Has("thd-freq")) {
        const auto v = CliInt(args, "thd-freq", ctx);
        if (!v) return 1;
        thdFreq = *v;
    }
    if (args.Has("thd-level")) {
        const auto v = CliInt(args, "thd-level", ctx);
        if (!v) return 1;
        thdLevel = *v;
    }
    auto doc = MakeCliDocument(ctx);
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!BeginAudioMeasurement(*doc, runner.Card())) return 1;
    int rc = 1;
    {
        CAudioMeasPanel panel(*doc, *runner.Card());
        panel.SetRate(rate);
        panel.SetWidthCode(widthCode);
        if (mode == "manual") panel.SetMode(CAudioMeasPanel::Manual);
        panel.SetAll(false);
        for (int item : items) panel.SetItem(item, true);
        if (!panel.SetDetail(thdFreq, thdLevel, 60, 7000, -3, -15, 30, 19000)) return 1;
        runner.RecordFrom(panel.Engine(), args);
        if (panel.OnStart()) {
            rc = runner.Drive(panel.Engine(), [&] { return panel.Calibrated(); });
            if (rc == 0) {
                panel.OnRun();
                if (mode == "manual")
                    rc = runner.Drive(panel.Engine(), [&] { return panel.Rounds() >= 1; });
                else
                    rc = runner.Drive(panel.Engine(), [&] { return panel.IsFinished(); });
            }
            runner.PrintStats(panel.Engine());
            if (panel.IsRunning()) panel.OnStop();
            if (rc == 0) {
                for (const std::string& line : panel.ResultLines()) ctx.out << line << "\n";
                const bool csv = out->find(".csv") != std::string::npos;
                rc = (csv ? panel.OnSave(*out) : SaveAudioResults(ctx.ui, *out, panel.Results()))
                         ? 0
                         : 1;
            }
        }
        panel.Close();
    }
    FinishAudioMeasurement(*doc);
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}

SONALYX_CLI_COMMAND("audio-testfile",
                    "audio-testfile [--rate HZ] [--bits 16|24|32] [--ref REF.wav] -o TEST.wav"
                    "   write the synchronous-mode test file (and the reference tone)",
                    args, ctx) {
    const auto out = args.Get("o");
    if (!out || out->empty() || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli audio-testfile [--rate HZ] [--bits 16|24|32] [--ref "
                   "REF.wav] -o TEST.wav\n";
        return 2;
    }
    AudioTestSettings s;
    if (!ParseFormat(args, s.rate, s.widthCode, ctx)) return 1;
    if (!WriteAudioTestFile(*out, s, true)) {
        ctx.err << "cannot write " << *out << "\n";
        return 1;
    }
    if (const auto ref = args.Get("ref");
        ref && !ref->empty() && !WriteAudioTestFile(*ref, s, false)) {
        ctx.err << "cannot write " << *ref << "\n";
        return 1;
    }
    return 0;
}
