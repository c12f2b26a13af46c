#include "cli/SigGenOptions.h"

#include "sound/generator/SigGenSettings.h"

#include <cstdlib>
#include <sstream>
#include <vector>

namespace {

// Whole numbers separated by ':'; nothing when one is malformed.
std::optional<std::vector<int>> SplitInts(const std::string& text) {
    std::vector<int> values;
    std::stringstream in(text);
    std::string part;
    while (std::getline(in, part, ':')) {
        char* end = nullptr;
        const long v = std::strtol(part.c_str(), &end, 10);
        if (part.empty() || *end != '\0' || v < -1000000 || v > 1000000) return std::nullopt;
        values.push_back(static_cast<int>(v));
    }
    if (text.empty() || text.back() == ':') return std::nullopt;
    return values;
}

// F:DB[:F2:DB2] into a source (switched on).
bool ToneSource(const std::string& name, const std::string& text, SigGenSource& s,
                CliContext& ctx) {
    const auto v = SplitInts(text);
    if (!v || (v->size() != 2 && v->size() != 4)) {
        ctx.err << "--" << name << ": F:DB or F:DB:F2:DB2 (whole numbers)\n";
        return false;
    }
    s.on = 1;
    s.swapped = 0;
    s.freq[0] = (*v)[0];
    s.level[0] = (*v)[1];
    s.freq[1] = v->size() == 4 ? (*v)[2] : (*v)[0];
    s.level[1] = v->size() == 4 ? (*v)[3] : (*v)[1];
    return true;
}

} // namespace

bool ApplySigGenOptions(const CliArgs& args, SigGenSettings& s, CliContext& ctx) {
    if (args.Has("rate")) {
        const auto rate = CliInt(args, "rate", ctx);
        if (!rate) return false;
        if (*rate != 44100 && *rate != 48000 && *rate != 96000) {
            ctx.err << "--rate: 44100, 48000 or 96000\n";
            return false;
        }
        s.rate = *rate;
    }
    if (args.Has("bits")) {
        const auto bits = CliInt(args, "bits", ctx);
        if (!bits) return false;
        if (*bits != 16 && *bits != 24 && *bits != 32) {
            ctx.err << "--bits: 16, 24 or 32\n";
            return false;
        }
        s.widthCode = *bits == 16 ? 1 : *bits == 24 ? 2 : 3;
    }
    if (args.Has("mono")) s.stereo = 0;

    bool named = false;
    int sines = 0;
    SigGenSettings chosen = s;
    for (SigGenSource& src : chosen.source) src.on = 0;
    for (const auto& [name, value] : args.Ordered()) {
        if (name == "sine") {
            if (sines == siggen::kSines) {
                ctx.err << "--sine: at most three\n";
                return false;
            }
            if (!ToneSource(name, value, chosen.source[sines++], ctx)) return false;
            named = true;
        } else if (name == "square") {
            if (!ToneSource(name, value, chosen.source[siggen::kSquare], ctx)) return false;
            named = true;
        } else if (name == "noise") {
            const auto v = SplitInts(value);
            if (!v || v->empty() || v->size() > 2) {
                ctx.err << "--noise: DB or DB:DB2 (whole numbers)\n";
                return false;
            }
            SigGenSource& n = chosen.source[siggen::kNoise];
            n.on = 1;
            n.swapped = 0;
            n.level[0] = (*v)[0];
            n.level[1] = v->size() == 2 ? (*v)[1] : (*v)[0];
            named = true;
        }
    }
    if (named) s = chosen;
    return true;
}
