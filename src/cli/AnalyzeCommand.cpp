// sonalyx-cli analyze: the file analyses of a wave with the menu's set-up and averaging pass.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/Coherence.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "document/FileAnalysis.h"
#include "dsp/WindowKinds.h"

#include <map>

namespace {

const std::map<std::string, int> kAnalyses = {
    {"spectrum", analysis::Spectrum},
    {"autocorr", analysis::AutoCorr},
    {"crosscorr", analysis::CrossCorr},
    {"transfer", analysis::Transfer},
};

const std::map<std::string, int> kWindows = {
    {"triangle", wnd::Triangle}, {"hanning", wnd::Hanning}, {"hamming", wnd::Hamming},
    {"blackman", wnd::Blackman}, {"kaiser", wnd::Kaiser},   {"none", wnd::None},
};

const std::map<std::string, int> kChannels = {
    {"1", chan::Ch1}, {"2", chan::Ch2}, {"both", chan::Both}};

int PowForPoints(int n) {
    for (int pow = limits::kMinPow; pow <= limits::kMaxPow; ++pow)
        if (PointsForPow(pow) == n) return pow;
    return -1;
}

constexpr const char* kUsage =
    "usage: sonalyx-cli analyze spectrum|autocorr|crosscorr|transfer WAV --points N "
    "[--window triangle|hanning|hamming|blackman|kaiser|none] [--down E] [--average K] "
    "[--channel 1|2|both] [--coherence COH.csv] -o OUT.opr|OUT.csv\n";

} // namespace

SONALYX_CLI_COMMAND("analyze",
                    "analyze spectrum|autocorr|crosscorr|transfer WAV --points N [--window W] "
                    "[--down E] [--average K] [--channel 1|2|both] [--coherence COH.csv] "
                    "-o OUT.opr|OUT.csv   averaged file analysis (--coherence: transfer only)",
                    args, ctx) {
    if (args.Positional().size() != 2 || !args.Has("points") || !args.Has("o")) {
        ctx.err << kUsage;
        return 2;
    }
    const auto which = kAnalyses.find(args.Positional()[0]);
    if (which == kAnalyses.end()) {
        ctx.err << kUsage;
        return 2;
    }
    const auto points = CliInt(args, "points", ctx);
    if (!points) return 1;
    AnalysisSetup setup;
    setup.pow = PowForPoints(*points);
    if (setup.pow < 0) {
        ctx.err << "--points: one of 128, 256, 512, 1024, 2048, 4096, 8192, 16384, 32768\n";
        return 1;
    }
    const auto window = kWindows.find(args.GetOr("window", "hanning"));
    if (window == kWindows.end()) {
        ctx.err << "--window: triangle, hanning, hamming, blackman, kaiser or none\n";
        return 1;
    }
    setup.windowType = window->second;
    if (args.Has("down")) {
        const auto down = CliInt(args, "down", ctx);
        if (!down) return 1;
        if (*down < -6 || *down > 0) {
            ctx.err << "--down: an exponent from -6 to 0\n";
            return 1;
        }
        setup.downExp = *down;
    }
    if (args.Has("coherence") &&
        (which->second != analysis::Transfer || args.GetOr("coherence", "").empty())) {
        ctx.err << "--coherence: a file name, with the transfer analysis only\n";
        return 1;
    }
    const bool needsBoth =
        which->second == analysis::CrossCorr || which->second == analysis::Transfer;
    const auto channel = kChannels.find(args.GetOr("channel", needsBoth ? "both" : "1"));
    if (channel == kChannels.end() || (needsBoth && channel->second != chan::Both)) {
        ctx.err << (needsBoth ? "--channel: this analysis uses both channels\n"
                              : "--channel: 1, 2 or both\n");
        return 1;
    }

    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[1])) return 1;
    if (channel->second != chan::Ch1 && doc->m_nChannel < 2) {
        ctx.err << "--channel: the wave has one channel\n";
        return 1;
    }
    for (int e = -1; e >= setup.downExp; --e) {
        if (!DownSampleStepAllowed(e, doc->m_nSamplesPerSec)) {
            ctx.ui.ShowMessage(msg::kDownSampleLimit, MessageIcon::None);
            return 1;
        }
    }
    doc->OnSelectChannel(channel->second);
    if (!doc->OnSetUpFileAnalysis(which->second, setup)) return 1;

    const int kmax = doc->AveragingMaxCount();
    int count = kmax;
    if (args.Has("average")) {
        const auto k = CliInt(args, "average", ctx);
        if (!k) return 1;
        count = *k;
    }
    if (count <= 0 || count > kmax) {
        ctx.ui.ShowMessage(msg::kAverageCountRange, MessageIcon::None);
        return 1;
    }
    if (!doc->RunAveragingPass(count)) return 1;
    ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
    if (!doc->OnSaveResult()) return 1;
    if (args.Has("coherence") && !WriteCoherenceCsv(*doc, args.GetOr("coherence", ""))) return 1;
    return 0;
}
