// sonalyx-cli live waterfall: the 3D spectrum analyzer on a sound card until a number of rows
// were filled, then the finished picture as the main view draws it.
#include "cli/CliDocument.h"
#include "cli/LiveConditions.h"
#include "cli/LiveRunner.h"
#include "cli/RenderPng.h"
#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "sound/spectrum3d/Spec3DPanel.h"

#include <algorithm>
#include <fstream>
#include <functional>
#include <optional>

namespace {

const std::string kUsage =
    std::string("live waterfall ") + kLiveDeviceUsage + " " + kLiveConditionsUsage +
    " [--log] [--average A] [--theta S] [--phi T] [--repeat] --rows R -o OUT.png [--csv ROWS.csv]"
    " [--size WxH] [--record REC.wav]   run the 3D spectrum analyzer until R rows are filled"
    " (A: averaging exponent 0..7, 1 or 5*2^A spectra per row; S: azimuth step -14..-4; T:"
    " elevation step 3..7) and draw the picture; --csv writes the rows, one per line";

// An optional integer option limited to lo .. hi into `value`. False (reported) on a bad value.
bool RangeOption(const CliArgs& args, const char* name, int lo, int hi, int& value,
                 CliContext& ctx) {
    if (!args.Has(name)) return true;
    const auto v = CliInt(args, name, ctx);
    if (!v) return false;
    if (*v < lo || *v > hi) {
        ctx.err << "--" << name << ": " << lo << " .. " << hi << "\n";
        return false;
    }
    value = *v;
    return true;
}

// Every stored row, one per line: channel, row, then the N/2 levels.
bool WriteRowsCsv(const CKymoDoc& doc, int rows, const std::string& path, CliContext& ctx) {
    std::ofstream out(path, std::ios::binary);
    for (int ch = 1; ch <= 2 && out; ++ch)
        for (int r = 0; r < rows; ++r) {
            const float* row = doc.History3dRow(ch, r);
            if (!row) break;
            out << ch << ',' << r;
            for (int k = 0; k < doc.m_nBins3D; ++k) out << ',' << row[k];
            out << "\r\n";
        }
    if (!out) ctx.err << "cannot write " << path << "\n";
    return static_cast<bool>(out);
}

} // namespace

SONALYX_CLI_COMMAND("live waterfall", kUsage, args, ctx) {
    if (!args.Has("rows") || !args.Has("o") || !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    auto doc = MakeCliDocument(ctx);
    int rows = 0;
    // With --repeat the history starts again after its last row, so any count can be run.
    const int mostRows = args.Has("repeat") ? 1000000 : limits::kHistoryRows3D;
    if (!RangeOption(args, "rows", 1, mostRows, rows, ctx) ||
        !RangeOption(args, "average", 0, 7, doc->m_nAvgExp3D, ctx) ||
        !RangeOption(args, "theta", -14, -4, doc->m_nTheta3D, ctx) ||
        !RangeOption(args, "phi", 3, 7, doc->m_nPhi3D, ctx))
        return 1;
    const auto size = ParseRenderSize(args, ctx);
    if (!size) return 1;
    RenderSize pictureSize = *size;
    if (!args.Has("size")) pictureSize = {800, 1000};
    if (!ApplyLiveConditions(args, *doc, ctx)) return 1;
    doc->m_bStopAtEnd3D = args.Has("repeat") ? 0 : 1;

    CLiveRunner runner(ctx);
    if (!runner.OpenCard(args)) return 1;
    runner.AttachDocument(*doc);
    if (!doc->Begin3dSpectrum(runner.Card(), args.Has("log"), true)) return 1;
    int rc = 1;
    long long completed = 0;
    {
        CSpec3DPanel panel(*doc, *runner.Card());
        runner.RecordFrom(panel.Engine(), args);
        if (panel.OnStart()) {
            // Rows completed so far, counted across a history that starts again with --repeat.
            int last = doc->m_nRow3D;
            auto done = [&] {
                const int rowsInHistory = limits::kHistoryRows3D;
                completed += (doc->m_nRow3D - last + rowsInHistory) % rowsInHistory;
                last = doc->m_nRow3D;
                return completed >= rows;
            };
            rc = runner.Drive(panel.Engine(), done);
            runner.PrintStats(panel.Engine());
        }
        panel.Close();
    }
    doc->Finish3dSpectrum(completed > 0);
    if (rc == 0) rc = WriteViewPng(*doc, args.GetOr("o", ""), pictureSize, ctx);
    if (rc == 0 && args.Has("csv") &&
        !WriteRowsCsv(*doc, std::min(doc->m_nRow3D, limits::kHistoryRows3D), args.GetOr("csv", ""),
                      ctx))
        rc = 1;
    if (!runner.WriteRecording()) rc = 1;
    return rc;
}
