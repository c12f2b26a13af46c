// sonalyx-cli design kaiser: Kaiser-window FIR design written as a coefficient file.
#include "cli/CliCommand.h"
#include "cli/FilterCliOptions.h"
#include "filters/FirSettings.h"
#include "filters/KaiserFir.h"

#include <vector>

SONALYX_CLI_COMMAND(
    "design kaiser",
    "design kaiser --shape lpf|hpf|bpf|bsf --atten DB --transition HZ --fl HZ "
    "[--fh HZ] --fs HZ -o COEF.csv   Kaiser-window FIR design written as a coefficient file",
    args, ctx) {
    const auto shapeCode = CliShape(args, ctx);
    if (!shapeCode) return 2;
    const auto atten = CliNumber(args, "atten", ctx);
    const auto transition = CliNumber(args, "transition", ctx);
    const auto fl = CliNumber(args, "fl", ctx);
    const auto fs = CliInt(args, "fs", ctx);
    if (!atten || !transition || !fl || !fs) return 2;
    std::optional<double> fh = 0.0;
    if (args.Has("fh")) fh = CliNumber(args, "fh", ctx);
    if (!fh) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }

    KaiserSettings s{*shapeCode, static_cast<float>(*fl), static_cast<float>(*fh),
                     static_cast<float>(*atten), static_cast<float>(*transition)};
    NormaliseKaiserSettings(s);
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
