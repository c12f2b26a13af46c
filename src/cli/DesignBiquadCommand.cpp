// sonalyx-cli design biquad: one second-order section, written as a coefficient file (-o) or
// printed.
#include "cli/CliCommand.h"
#include "cli/FilterDesignArgs.h"
#include "filters/BiquadDesign.h"
#include "filters/BiquadSettings.h"
#include "filters/BiquadTable.h"
#include "filters/CoefFile.h"
#include "filters/CrTable.h"

#include <cstdio>

SONALYX_CLI_COMMAND("design biquad",
                    "design biquad --type lpf|hpf|lowshelf|peaking --f HZ [--gain DB (20)] --fs HZ"
                    " [-o COEF.csv]   second-order IIR section",
                    args, ctx) {
    const auto settings = CliBiquadSettings(args, ctx);
    if (!settings) return 2;
    const auto fs = CliInt(args, "fs", ctx);
    if (!fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    const BiquadSettings& s = *settings;
    const BiquadCheck check = ValidateBiquadSettings(s, *fs);
    if (!check.ok) {
        ctx.ui.ShowMessage(check.message, MessageIcon::None);
        return 1;
    }
    float den[3], num[3];
    BiquadDesign(s.type, *fs, s.freq, s.gainDb, den, num);
    if (const auto path = args.Get("o")) {
        BiquadTable iir, none;
        StoreBiquadSection(den, num, iir);
        ctx.ui.fileAnswers.push_back(*path);
        CoefFile file(ctx.ui);
        return file.WriteIir(0, 0, s.type, 2, s.freq, 0.0, iir, none, none, CrTable{}) == 1 ? 0 : 1;
    }
    char line[160];
    std::snprintf(line, sizeof line, "a0,a1,a2,b0,b1,b2\n%e,%e,%e,%e,%e,%e\n", den[0], den[1],
                  den[2], num[0], num[1], num[2]);
    ctx.out << line;
    return 0;
}
