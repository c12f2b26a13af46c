// sonalyx-cli design kaiser: Kaiser-window FIR design written as a coefficient file.
#include "cli/CliCommand.h"
#include "cli/FilterCliOptions.h"
#include "cli/FilterDesignArgs.h"
#include "filters/FirSettings.h"
#include "filters/KaiserFir.h"

#include <vector>

SONALYX_CLI_COMMAND(
    "design kaiser",
    "design kaiser --shape lpf|hpf|bpf|bsf --atten DB --transition HZ --fl HZ "
    "[--fh HZ] --fs HZ -o COEF.csv   Kaiser-window FIR design written as a coefficient file",
    args, ctx) {
    const auto settings = CliKaiserSettings(args, ctx);
    if (!settings) return 2;
    const auto fs = CliInt(args, "fs", ctx);
    if (!fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    const KaiserSettings& s = *settings;
    int taps = 0;
    if (const auto e = CheckKaiserSettings(s, *fs, taps)) {
        ctx.err << e->message << "\n";
        return 1;
    }
    // The dialog's notice is answered with OK.
    if (taps > kKaiserNoticeTaps) ctx.err << KaiserNoticeText(taps) << "\n";
    KaiserFir fir;
    const int n = DesignKaiser(fir, s, *fs);
    std::vector<double> h(static_cast<std::size_t>(n));
    fir.CopyTaps(h.data());
    return CliWriteFir(args, ctx, "Win_Kaiser", s.shape, s.cutLow, s.cutHigh, n, h.data());
}
