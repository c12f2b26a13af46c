#include "cli/FilterCliOptions.h"

#include "filters/CoefFile.h"
#include "filters/FilterLimits.h"
#include "filters/WindowFir.h"

namespace {

std::optional<int> Choose(const CliArgs& args, CliContext& ctx, const std::string& option,
                          std::initializer_list<const char*> words) {
    const auto value = args.Get(option);
    int code = 0;
    for (const char* w : words) {
        if (value && *value == w) return code;
        ++code;
    }
    ctx.err << "--" << option << " must be one of:";
    for (const char* w : words) ctx.err << " " << w;
    ctx.err << "\n";
    return std::nullopt;
}

} // namespace

std::optional<int> CliShape(const CliArgs& args, CliContext& ctx) {
    return Choose(args, ctx, "shape", {"lpf", "hpf", "bpf", "bsf"});
}

std::optional<int> CliWindow(const CliArgs& args, CliContext& ctx) {
    return Choose(args, ctx, "window", {"rect", "bartlett", "blackmanopt", "hamming", "hann"});
}

int CliWriteFir(const CliArgs& args, CliContext& ctx, const char* kind, int shape, double fL,
                double fH, int taps, const double* h) {
    const auto out = args.Get("o");
    if (!out || out->empty()) {
        ctx.err << "-o COEF.csv is required\n";
        return 2;
    }
    // The path goes through the save dialog's rule, answered from the command line.
    ctx.ui.fileAnswers.push_back(*out);
    const bool twoEdges = shape == shape::BandPass || shape == shape::BandStop;
    CoefFile file(ctx.ui);
    return file.WriteFir("Empty", kind, FirShapeName(shape), fL, twoEdges ? fH : 0.0, taps, h) ? 0
                                                                                               : 1;
}
