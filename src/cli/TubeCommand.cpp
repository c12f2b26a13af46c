// sonalyx-cli tube: the virtual tube amplifier's "計算" on a tube-data file and the drawing of
// its characteristics.
#include "cli/CliDocument.h"
#include "cli/RenderPng.h"
#include "cli/TubeCliOptions.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "sound/RealtimeCodes.h"
#include "tube/TubeAmpCompute.h"
#include "tube/TubeChart.h"
#include "tube/TubeFile.h"
#include "tube/TubeMessages.h"
#include "tube/TubeValidation.h"

#include <memory>

namespace {
const std::string kUsage = std::string("tube TUBE.csv ") + kTubeOptionsUsage +
                           " [--rate 44100|48000|96000] [--size WxH] -o CURVES.png"
                           "   compute the stage and draw its characteristics";
} // namespace

SONALYX_CLI_COMMAND("tube", kUsage, args, ctx) {
    const auto out = args.Get("o");
    if (args.Positional().size() != 1 || !out || out->empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto size = ParseRenderSize(args, ctx);
    if (!size) return 1;
    auto chart = std::make_shared<TubeChart>();
    if (!ReadTubeFile(ctx.ui, args.Positional()[0], chart->data)) return 1;
    if (!ValidateTubeData(ctx.ui, chart->data)) {
        ctx.ui.ShowMessage(tubemsg::kLoadFailed, MessageIcon::Error);
        return 1;
    }
    TubeAmpSettings& s = chart->settings;
    const TubeData& d = chart->data;
    for (int t = 0; t < 2; ++t) {
        s.tube[t].supply = d.both[TubeData::Supply][t];
        s.tube[t].load = d.both[TubeData::Load][t];
        s.tube[t].current = d.both[TubeData::ConstCurrent][t];
        s.tube[t].gridBias = d.both[TubeData::GridBias][t];
        s.tube[t].cathodeBias = d.both[TubeData::CathodeBias][t];
    }
    s.circuit = d.ope[TubeData::Circuit] >= 0 && d.ope[TubeData::Circuit] <= 2
                    ? d.ope[TubeData::Circuit]
                    : 0;
    s.bias = d.ope[TubeData::Bias] >= 0 && d.ope[TubeData::Bias] <= 3 ? d.ope[TubeData::Bias] : 0;
    s.rate = 48000;
    if (args.Has("rate")) {
        const auto rate = CliInt(args, "rate", ctx);
        if (!rate) return 1;
        if (*rate != 44100 && *rate != 48000 && *rate != 96000) {
            ctx.err << "--rate: 44100, 48000 or 96000\n";
            return 1;
        }
        s.rate = *rate;
    }
    if (!ApplyTubeOptions(args, s, ctx)) return 1;
    if (!(s.tube[0].current > 0) || !(s.tube[0].load > 0) || !(s.wanted > 0)) {
        ctx.ui.ShowMessage(tubemsg::kPositive, MessageIcon::Error);
        return 1;
    }
    if (!ComputeTubeAmp(ctx.ui, d, s, chart->result)) return 1;
    if (chart->result.follower) ctx.ui.ShowMessage(tubemsg::kFollower, MessageIcon::Warning);
    const TubeAmpResult& r = chart->result;
    for (int t = 0; t < (s.circuit == 0 ? 1 : 2); ++t) {
        const std::string p = t == 0 ? "upper." : "lower.";
        const TubeSolution& x = r.tube[t];
        ctx.out << p << "crossings=" << x.points.size() << "\n"
                << p << "eg0=" << x.eg0 << "\n"
                << p << "epq=" << x.epq << "\n"
                << p << "iq=" << x.iq << "\n"
                << p << "gain=" << x.gain << "\n"
                << p << "cathode_kohm=" << x.cathodeR << "\n";
    }
    ctx.out << "max_power=" << r.maxPower << "\nlevels=" << r.levels.size()
            << "\nlast_power=" << r.levels.back().power << "\nset_thd=" << r.setThd << "\n";
    auto doc = MakeCliDocument(ctx);
    doc->m_pTubeChart = chart;
    doc->m_bRealBusy = 1;
    doc->ProcessRealtime(realtime::kTubeCurves);
    return WriteViewPng(*doc, *out, *size, ctx);
}
