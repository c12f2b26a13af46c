// sonalyx-cli live rtfilter: a real-time FIR or IIR tool between the input and the output of a
// sound card, with the taps of a coefficient file or a design given like the `design` commands.
#include "cli/CliDocument.h"
#include "cli/FilterCliOptions.h"
#include "cli/FilterDesignArgs.h"
#include "cli/LiveRtTool.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "filters/CascadeDocumentParams.h"
#include "filters/CoefFile.h"
#include "filters/RemezSettings.h"
#include "realtime/CascadeIirTool.h"
#include "realtime/CoefFirTool.h"
#include "realtime/CoefIirTool.h"
#include "realtime/RtBiquadTool.h"
#include "realtime/RtKaiserTool.h"
#include "realtime/RtRemezTool.h"
#include "realtime/RtWindowFirTool.h"
#include "sound/engine/SoundReports.h"

#include <map>
#include <memory>

namespace {

const std::string kUsage =
    std::string("live rtfilter ") + kLiveDeviceUsage +
    " --coef COEF.csv [--window triangle|hanning|hamming|blackman|kaiser|none] [--inverse] |"
    " --design \"fir|kaiser|remez|biquad|cascade OPTIONS\" " +
    kRtPanelUsage + "   run a real-time filter tool and record what it plays";

// Words of a design's options; double quotes group words ("--bands \"0 1 1 1; ...\"").
std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool quoted = false, any = false;
    for (char c : text) {
        if (c == '"') {
            quoted = !quoted;
            any = true;
        } else if (!quoted && (c == ' ' || c == '\t')) {
            if (any) words.push_back(word);
            word.clear();
            any = false;
        } else {
            word += c;
            any = true;
        }
    }
    if (any) words.push_back(word);
    return words;
}

struct Tool {
    std::unique_ptr<CRtFilterTool> tool;
    std::function<bool()> start;
};

// The tool of --coef: FIR files run in the FIR tool, IIR files in the IIR tool.
bool CoefTool(const CliArgs& args, CliContext& ctx, CKymoDoc& doc, ISoundCard& card, Tool& t) {
    const std::string path = args.GetOr("coef", "");
    const int section = PeekCoefSectionType(path);
    if (section == 0) {
        auto tool = std::make_unique<CCoefIirTool>(doc, card);
        if (tool->OnRead(path) != 1) return false;
        CCoefIirTool* p = tool.get();
        t.start = [p] { return p->OnStart(); };
        t.tool = std::move(tool);
        return true;
    }
    static const std::map<std::string, int> kWindows = {{"triangle", 0}, {"hanning", 1},
                                                        {"hamming", 2},  {"blackman", 3},
                                                        {"kaiser", 4},   {"none", 5}};
    auto tool = std::make_unique<CCoefFirTool>(doc, card);
    CCoefFirTool::Options o;
    if (const auto w = args.Get("window")) {
        const auto it = kWindows.find(*w);
        if (it == kWindows.end()) {
            ctx.err << "--window: unknown value: " << *w << "\n";
            return false;
        }
        o.windowEntry = it->second;
    }
    o.inverse = args.Has("inverse");
    tool->SetOptions(o);
    if (tool->OnRead(path) != 1) return false;
    CCoefFirTool* p = tool.get();
    t.start = [p] { return p->OnStart(); };
    t.tool = std::move(tool);
    return true;
}

template <class T> void Keep(Tool& t, std::unique_ptr<T> tool) {
    T* p = tool.get();
    t.start = [p] { return p->OnStart(); };
    t.tool = std::move(tool);
}

// The tool of --design "KIND OPTIONS"; `rate` is that of the panel options.
int DesignTool(const CliArgs& args, CliContext& ctx, CKymoDoc& doc, ISoundCard& card, int rateIndex,
               Tool& t) {
    std::vector<std::string> words = SplitWords(args.GetOr("design", ""));
    if (words.empty()) {
        ctx.err << "--design: fir, kaiser, remez, biquad or cascade with its options\n";
        return 2;
    }
    const std::string kind = words.front();
    const CliArgs d(std::vector<std::string>(words.begin() + 1, words.end()));
    if (kind == "fir") {
        const auto s = CliFirWindowSettings(d, ctx);
        const auto window = s ? CliWindow(d, ctx) : std::nullopt;
        if (!s || !window) return 2;
        doc.m_nFirType = *window;
        auto tool = std::make_unique<CRtWindowFirTool>(doc, card);
        tool->SetSettings(*s);
        Keep(t, std::move(tool));
    } else if (kind == "kaiser") {
        const auto s = CliKaiserSettings(d, ctx);
        if (!s) return 2;
        auto tool = std::make_unique<CRtKaiserTool>(doc, card);
        tool->SetSettings(*s);
        Keep(t, std::move(tool));
    } else if (kind == "remez") {
        CliRemezResult r;
        const int fs = RtRateOfIndex(rateIndex);
        if (const int status = CliDesignRemez(d, ctx, fs, kRemezMaxTaps, r)) return status;
        auto tool = std::make_unique<CRtRemezTool>(doc, card);
        CRtRemezTool* p = tool.get();
        const FirSaveInfo info{r.kind, r.shape, r.cutLow, r.cutHigh};
        t.start = [p, r, fs, info] { return p->OnDesigned(r.taps, fs, info); };
        t.tool = std::move(tool);
    } else if (kind == "biquad") {
        const auto s = CliBiquadSettings(d, ctx);
        if (!s) return 2;
        doc.m_nRtBiquadType = s->type;
        doc.m_fCutLow = s->freq;
        doc.m_fIirGain = s->gainDb;
        Keep(t, std::make_unique<CRtBiquadTool>(doc, card));
    } else if (kind == "cascade") {
        CascadeParams p = CascadeParamsFromDocument(doc);
        int series = 0;
        if (!CliCascadeParams(d, ctx, p, series)) return 2;
        StoreCascadeParams(p, doc);
        auto tool = std::make_unique<CCascadeIirTool>(doc, card);
        CascadeParams withRefs = tool->Params();
        withRefs.refResistorK = p.refResistorK;
        withRefs.refCapacitorU = p.refCapacitorU;
        tool->SetParams(withRefs);
        Keep(t, std::move(tool));
    } else {
        ctx.err << "--design: unknown kind: " << kind << "\n";
        return 2;
    }
    return 0;
}

} // namespace

SONALYX_CLI_COMMAND("live rtfilter", kUsage, args, ctx) {
    if (args.Has("coef") == args.Has("design") || !args.Has("seconds") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    auto doc = MakeCliDocument(ctx);
    if (!ApplyRtBufferOption(args, *doc, ctx)) return 2;
    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    if (!runner.Card()) {
        ReportNoSoundCard(ctx.ui);
        return 1;
    }
    runner.AttachDocument(*doc);
    // The rate first: a Remez design is made for it.
    int rateIndex = 1;
    if (const auto rate = args.Get("rate"))
        rateIndex = *rate == "44100" ? 0 : *rate == "96000" ? 2 : 1;
    Tool t;
    if (args.Has("coef")) {
        if (!CoefTool(args, ctx, *doc, *runner.Card(), t)) return 1;
    } else if (const int status = DesignTool(args, ctx, *doc, *runner.Card(), rateIndex, t)) {
        return status;
    }
    if (!ApplyRtPanelOptions(args, *t.tool, ctx)) {
        t.tool->Close();
        return 2;
    }
    return RunRtTool(args, ctx, runner, *t.tool, t.start);
}
