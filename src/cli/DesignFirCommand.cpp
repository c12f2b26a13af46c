// sonalyx-cli design fir: window-method FIR design written as a coefficient file.
#include "cli/CliCommand.h"
#include "cli/FilterCliOptions.h"
#include "cli/FilterDesignArgs.h"
#include "filters/CoefFile.h"
#include "filters/FirSettings.h"
#include "filters/WindowFir.h"

#include <vector>

SONALYX_CLI_COMMAND("design fir",
                    "design fir --shape lpf|hpf|bpf|bsf --window rect|bartlett|blackmanopt|"
                    "hamming|hann --taps N --fl HZ [--fh HZ] --fs HZ -o COEF.csv   "
                    "window-method FIR design written as a coefficient file",
                    args, ctx) {
    const auto settings = CliFirWindowSettings(args, ctx);
    const auto window = settings ? CliWindow(args, ctx) : std::nullopt;
    if (!settings || !window) return 2;
    const auto fs = CliInt(args, "fs", ctx);
    if (!fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    const FirWindowSettings& s = *settings;
    if (const auto e = CheckFirWindowSettings(s, *fs)) {
        ctx.err << e->message << "\n";
        return 1;
    }
    std::vector<double> h(static_cast<std::size_t>(s.taps));
    DesignWindowFir(s.shape, *window, s.taps, s.cutLow, s.cutHigh, *fs, h.data());
    return CliWriteFir(args, ctx, WindowKindName(*window), s.shape, s.cutLow, s.cutHigh, s.taps,
                       h.data());
}
