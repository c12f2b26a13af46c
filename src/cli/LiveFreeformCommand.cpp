// sonalyx-cli live freeform: the free-form filter drawn from a list of frequency and level
// points, run on a sound card.
#include "cli/CliDocument.h"
#include "cli/LiveRtTool.h"
#include "cli/LiveRunner.h"
#include "document/CKymoDoc.h"
#include "realtime/FreeFilterTool.h"
#include "sound/engine/SoundReports.h"

#include <map>
#include <sstream>

namespace {

const std::string kUsage =
    std::string("live freeform ") + kLiveDeviceUsage +
    " --points N --shape \"F:DB; F:DB; ...\" [--window triangle|hanning|hamming|blackman|"
    "kaiser|none] [--top DB] [--range DB] " +
    kRtPanelUsage +
    "   draw a response (the first level from the left edge, the last to the right edge),"
    " run it as the free-form filter and record what it plays";

struct Point {
    double f, db;
};

bool ParseShape(const std::string& text, std::vector<Point>& points, CliContext& ctx) {
    std::stringstream all(text);
    std::string item;
    while (std::getline(all, item, ';')) {
        if (item.find_first_not_of(" \t") == std::string::npos) continue;
        std::istringstream in(item);
        Point p{};
        char colon = 0;
        std::string extra;
        if (!(in >> p.f >> colon >> p.db) || colon != ':' || (in >> extra) || !(p.f > 0.0)) {
            ctx.err << "--shape: each point is HZ:DB: " << item << "\n";
            return false;
        }
        points.push_back(p);
    }
    if (points.size() < 2) {
        ctx.err << "--shape: at least two points\n";
        return false;
    }
    return true;
}

// Draws the points as the mouse would: the first level at the left edge, the points in
// between, the last level at the right edge. False (reported) when a point is refused.
bool Draw(CFreeFilterTool& tool, const std::vector<Point>& points, CliContext& ctx) {
    const double top = tool.TopLevel(), range = tool.Range();
    const auto y = [&](double db) { return freegrid::YOfLevel(db, top, range); };
    tool.OnLeftSide(y(points.front().db));
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const double x = freegrid::XOfFrequency(points[i].f);
        if (i == 0 && x <= freegrid::kLeft) continue;
        if (!tool.OnClick(x, y(points[i].db))) {
            ctx.err << "--shape: point " << points[i].f << ":" << points[i].db
                    << " is off the grid or not right of the previous one\n";
            return false;
        }
    }
    const double last = y(points.back().db);
    if (!(last >= freegrid::kTop && last <= freegrid::kBottom)) {
        ctx.err << "--shape: the last level is off the grid\n";
        return false;
    }
    return tool.OnRightSide(last);
}

} // namespace

SONALYX_CLI_COMMAND("live freeform", kUsage, args, ctx) {
    if (!args.Has("points") || !args.Has("shape") || !args.Has("seconds") ||
        !args.Positional().empty()) {
        ctx.err << "usage: sonalyx-cli " << kUsage << "\n";
        return 2;
    }
    const auto n = CliInt(args, "points", ctx);
    if (!n) return 2;
    std::vector<Point> points;
    if (!ParseShape(args.GetOr("shape", ""), points, ctx)) return 2;
    static const std::map<std::string, int> kWindows = {{"triangle", 0}, {"hanning", 1},
                                                        {"hamming", 2},  {"blackman", 3},
                                                        {"kaiser", 4},   {"none", 5}};
    int window = 3;
    if (const auto w = args.Get("window")) {
        const auto it = kWindows.find(*w);
        if (it == kWindows.end()) {
            ctx.err << "--window: unknown value: " << *w << "\n";
            return 2;
        }
        window = it->second;
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
    CFreeFilterTool tool(*doc, *runner.Card());
    if (!ApplyRtPanelOptions(args, tool, ctx)) {
        tool.Close();
        return 2;
    }
    for (const char* name : {"top", "range"}) {
        if (!args.Has(name)) continue;
        const auto v = CliInt(args, name, ctx);
        const bool top = std::string(name) == "top";
        const int current = top ? tool.TopLevel() : tool.Range();
        if (!v || *v % 10 != 0) {
            ctx.err << "--" << name << ": a multiple of 10 dB\n";
            tool.Close();
            return 2;
        }
        if (top)
            tool.OnGridTopSpin((*v - current) / 10);
        else
            tool.OnGridRangeSpin((*v - current) / 10);
    }
    tool.SetTapCount(*n);
    tool.SetWindowEntry(window);
    if (!Draw(tool, points, ctx)) {
        tool.Close();
        return 1;
    }
    ctx.out << "taps=" << tool.Taps().size() << "\n";
    return RunRtTool(args, ctx, runner, tool, [&tool] { return tool.OnStart(); });
}
