#include "cli/LiveConditions.h"

#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "document/FileAnalysis.h"
#include "dsp/WindowKinds.h"
#include "sound/settings/MeasConditions.h"

#include <map>

namespace {
const std::map<std::string, int> kWindows = {
    {"triangle", wnd::Triangle}, {"hanning", wnd::Hanning}, {"hamming", wnd::Hamming},
    {"blackman", wnd::Blackman}, {"kaiser", wnd::Kaiser},   {"none", wnd::None},
};
} // namespace

bool ApplyLiveConditions(const CliArgs& args, CKymoDoc& doc, CliContext& ctx) {
    if (args.Has("rate")) {
        const auto rate = CliInt(args, "rate", ctx);
        if (!rate) return false;
        const int index = meas::IndexOfRate(*rate);
        if (index < 0) {
            ctx.err << "--rate: one of 11025, 22050, 32000, 44100, 48000, 96000\n";
            return false;
        }
        doc.m_nMeasRate = index;
    }
    if (args.Has("bits")) {
        const auto bits = CliInt(args, "bits", ctx);
        if (!bits) return false;
        if (*bits != 8 && *bits != 16) {
            ctx.err << "--bits: 8 or 16\n";
            return false;
        }
        doc.m_nMeasBits = *bits == 8 ? meas::kBits8 : meas::kBits16;
    }
    if (args.Has("channels")) {
        const auto ch = CliInt(args, "channels", ctx);
        if (!ch) return false;
        if (*ch != 1 && *ch != 2) {
            ctx.err << "--channels: 1 or 2\n";
            return false;
        }
        doc.m_nMeasCh = *ch == 1 ? meas::kMono : meas::kStereo;
    }
    if (args.Has("points")) {
        const auto n = CliInt(args, "points", ctx);
        if (!n) return false;
        int pow = -1;
        for (int p = limits::kMinPow; p <= limits::kMaxPow; ++p)
            if (PointsForPow(p) == *n) pow = p;
        if (pow < 0) {
            ctx.err << "--points: one of 128, 256, 512, 1024, 2048, 4096, 8192, 16384, 32768\n";
            return false;
        }
        doc.m_nPow = pow;
    }
    if (args.Has("window")) {
        const auto w = kWindows.find(args.GetOr("window", ""));
        if (w == kWindows.end()) {
            ctx.err << "--window: triangle, hanning, hamming, blackman, kaiser or none\n";
            return false;
        }
        doc.m_nWindowType = w->second;
    }
    if (args.Has("down")) {
        const auto e = CliInt(args, "down", ctx);
        if (!e) return false;
        if (*e < 0 || *e > 6) {
            ctx.err << "--down: 0 .. 6\n";
            return false;
        }
        if (*e > 0 && !DownSampleStepAllowed(-*e, meas::RateOfIndex(doc.m_nMeasRate))) {
            ctx.err << "これ以上のダウンサンプリングにエントリ－できるのは作者のみです\n";
            return false;
        }
        doc.m_nDownExp = -*e;
    }
    if (args.Has("interval")) {
        const auto t = CliInt(args, "interval", ctx);
        if (!t) return false;
        if (*t < 0 || *t > 20) {
            ctx.err << "--interval: 0 .. 20 tenths of a second\n";
            return false;
        }
        doc.m_nIntervalTenths = *t;
    }
    return true;
}
