// sonalyx-cli design fir: window-method FIR design written as a coefficient file.
#include "cli/CliCommand.h"
#include "cli/FilterCliOptions.h"
#include "filters/CoefFile.h"
#include "filters/FirSettings.h"
#include "filters/WindowFir.h"

#include <vector>

SONALYX_CLI_COMMAND("design fir",
                    "design fir --shape lpf|hpf|bpf|bsf --window rect|bartlett|blackmanopt|"
                    "hamming|hann --taps N --fl HZ [--fh HZ] --fs HZ -o COEF.csv   "
                    "window-method FIR design written as a coefficient file",
                    args, ctx) {
    const auto shapeCode = CliShape(args, ctx);
    const auto window = CliWindow(args, ctx);
    if (!shapeCode || !window) return 2;
    const auto taps = CliInt(args, "taps", ctx);
    const auto fl = CliNumber(args, "fl", ctx);
    const auto fs = CliInt(args, "fs", ctx);
    if (!taps || !fl || !fs) return 2;
    std::optional<double> fh = 0.0;
    if (args.Has("fh")) fh = CliNumber(args, "fh", ctx);
    if (!fh) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }

    FirWindowSettings s{*shapeCode, *taps, static_cast<float>(*fl), static_cast<float>(*fh)};
    if (const auto e = CheckFirWindowSettings(s, *fs)) {
        ctx.err << e->message << "\n";
        return 1;
    }
    std::vector<double> h(static_cast<std::size_t>(s.taps));
    DesignWindowFir(s.shape, *window, s.taps, s.cutLow, s.cutHigh, *fs, h.data());
    return CliWriteFir(args, ctx, WindowKindName(*window), s.shape, s.cutLow, s.cutHigh, s.taps,
                       h.data());
}
