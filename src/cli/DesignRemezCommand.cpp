// sonalyx-cli design remez: equiripple FIR design from a band list or from the easy settings,
// written as a coefficient file (-o) or printed.
#include "cli/CliCommand.h"
#include "cli/FilterDesignArgs.h"
#include "filters/CoefFile.h"
#include "filters/RemezSettings.h"

#include <cstdio>

namespace {

int Output(const CliArgs& args, CliContext& ctx, const CliRemezResult& r) {
    if (const auto path = args.Get("o")) {
        ctx.ui.fileAnswers.push_back(*path);
        CoefFile file(ctx.ui);
        if (file.WriteFir("Empty", r.kind, r.shape, r.cutLow, r.cutHigh,
                          static_cast<int>(r.taps.size()), r.taps.data()) != 1)
            return 1;
        ctx.out << "taps=" << r.taps.size() << "\n";
        return 0;
    }
    char line[64];
    for (double h : r.taps) {
        std::snprintf(line, sizeof line, "%e\n", h);
        ctx.out << line;
    }
    return 0;
}

} // namespace

SONALYX_CLI_COMMAND("design remez",
                    "design remez --bands \"F0 F1 GAIN WEIGHT; ...\" --taps N --fs HZ [-o COEF.csv]"
                    " | --easy --shape lpf|hpf|bpf|bsf --fl HZ [--fh HZ] --transition HZ --ripple"
                    " DB --atten DB --fs HZ [--taps N] [-o COEF.csv]   equiripple FIR design",
                    args, ctx) {
    const auto fs = CliInt(args, "fs", ctx);
    if (!fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    CliRemezResult r;
    const int status =
        CliDesignRemez(args, ctx, *fs, args.Has("easy") ? kRemezMaxTaps : kRemezFileMaxTaps, r);
    return status != 0 ? status : Output(args, ctx, r);
}
