// sonalyx-cli fft: cut a record from a wave, window it, transform it and save the spectrum with
// the document's own commands.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "dsp/Window.h"
#include "dsp/WindowKinds.h"

#include <map>

namespace {

const std::map<std::string, int> kWindows = {
    {"triangle", wnd::Triangle}, {"hanning", wnd::Hanning}, {"hamming", wnd::Hamming},
    {"blackman", wnd::Blackman}, {"kaiser", wnd::Kaiser},   {"none", wnd::None},
};

// Sample-count index of N, or -1 when N is not one of the choices 128 .. 32768.
int PowForPoints(int n) {
    for (int pow = limits::kMinPow; pow <= limits::kMaxPow; ++pow)
        if (PointsForPow(pow) == n) return pow;
    return -1;
}

} // namespace

SONALYX_CLI_COMMAND("fft",
                    "fft WAV --start FRAME --points N [--channel 1|2] [--window triangle|hanning|"
                    "hamming|blackman|kaiser|none] [--beta B] -o OUT.opr|OUT.csv   spectrum of a "
                    "record",
                    args, ctx) {
    if (args.Positional().size() != 1 || !args.Has("start") || !args.Has("points") ||
        !args.Has("o")) {
        ctx.err << "usage: sonalyx-cli fft WAV --start FRAME --points N [--channel 1|2] "
                   "[--window NAME] [--beta B] -o OUT.opr|OUT.csv\n";
        return 2;
    }
    const auto start = CliInt(args, "start", ctx);
    const auto points = CliInt(args, "points", ctx);
    if (!start || !points) return 1;
    const int pow = PowForPoints(*points);
    if (pow < 0) {
        ctx.err << "--points: one of 128, 256, 512, 1024, 2048, 4096, 8192, 16384, 32768\n";
        return 1;
    }
    const auto channelOption = CliChannel(args, ctx);
    if (!channelOption) return 1;
    const int channel = *channelOption;
    const std::string windowName = args.GetOr("window", "none");
    const auto window = kWindows.find(windowName);
    if (window == kWindows.end()) {
        ctx.err << "--window: triangle, hanning, hamming, blackman, kaiser or none\n";
        return 1;
    }
    std::optional<double> beta;
    if (args.Has("beta")) {
        beta = CliNumber(args, "beta", ctx);
        if (!beta) return 1;
        if (!KaiserBetaRepresentable(*beta)) {
            ctx.err << "--beta: " << msg::kKaiserBetaTooLarge << "\n";
            return 1;
        }
    }

    auto doc = MakeCliDocument(ctx);
    if (!doc->OnOpenDocument(args.Positional()[0])) return 1;
    if (channel == 2 && doc->m_nChannel < 2) {
        ctx.err << "--channel 2: the wave has one channel\n";
        return 1;
    }
    doc->OnSampleCount(pow);
    doc->OnSelectChannel(channel);
    if (!doc->CutRecord(*start)) {
        ctx.err << "--start: a record of " << *points << " frames from frame " << *start
                << " does not fit in the wave (" << doc->m_nFrames << " frames)\n";
        return 1;
    }
    if (window->second == wnd::None) {
        doc->OnWindowWithout();
    } else {
        if (beta) doc->m_fKaiserBeta = static_cast<float>(*beta);
        doc->OnWindowCommand(window->second); // the beta dialog keeps the stored value
    }
    if (!doc->OnFft()) return 1;
    ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
    return doc->OnSaveResult() ? 0 : 1;
}
