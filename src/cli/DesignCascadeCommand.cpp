// sonalyx-cli design cascade: the cascade IIR design of the real-time cascade tool, optionally
// with its op-amp realization, written as a coefficient file.
#include "cli/CliCommand.h"
#include "cli/FilterDesignArgs.h"
#include "filters/CascadeIirDesign.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

const std::map<int, int> kRates = {{44100, 0}, {48000, 1}, {96000, 2}};

void PrintTable(std::ostream& out, const char* name, const BiquadTable& t, int sections) {
    char line[200];
    for (int k = 0; k < sections; ++k) {
        std::snprintf(line, sizeof line, "%s %d: %.17g %.17g %.17g %.17g %.17g %.17g\n", name, k,
                      t.a0[k], t.a1[k], t.a2[k], t.b0[k], t.b1[k], t.b2[k]);
        out << line;
    }
}

void PrintComponents(std::ostream& out, const CrTable& cr, int sections) {
    char line[300];
    for (int k = 0; k < sections; ++k) {
        std::snprintf(line, sizeof line,
                      "CR %d: C0=%.6g C1=%.6g R0=%.6g R1=%.6g R2=%.6g R3=%.6g R4=%.6g R5=%.6g "
                      "R6=%.6g R7=%.6g\n",
                      k, cr.C0[k], cr.C1[k], cr.R0[k], cr.R1[k], cr.R2[k], cr.R3[k], cr.R4[k],
                      cr.R5[k], cr.R6[k], cr.R7[k]);
        out << line;
    }
}

} // namespace

SONALYX_CLI_COMMAND(
    "design cascade",
    "design cascade --type butter|cheby|invcheby|elliptic --shape lpf|hpf|bpf|bsf "
    "--order N --fl HZ [--fh HZ] [--ripple DB] [--stop DB] [--fs 44100|48000|96000] "
    "[--realize exact|e12|e24 --r KOHM --c UF] [-o COEF.csv]   cascade IIR design",
    args, ctx) {
    CascadeParams p;
    int rate = 48000;
    int series = kSeriesSFunction;
    double fs = 48000.0;
    if (!CliCascadeParams(args, ctx, p, series)) return 2;
    if (args.Has("fs")) {
        const auto value = CliNumber(args, "fs", ctx);
        if (!value) return 2;
        fs = *value;
    }
    rate = static_cast<int>(fs);
    const auto choice = kRates.find(rate);
    if (static_cast<double>(rate) != fs || choice == kRates.end()) {
        ctx.err << "--fs: the cascade tool runs at 44100, 48000 or 96000 Hz\n";
        return 2;
    }
    p.rateChoice = choice->second;

    CascadeIirDesign design;
    if (!design.Validate(p, 0, ctx.ui)) return 1;
    for (int k = 1; k < filt::kMaxSections; ++k)
        design.SetReference(k, design.RefResistor(0), design.RefCapacitor(0));
    const bool realize = series != kSeriesSFunction;
    if (!design.ComputeCoefficients(p, realize, series, ctx.ui)) return 1;
    if (realize && design.TableSet() < 3) return 1;

    const int sections = design.Sections();
    ctx.out << "order=" << design.Order() << "\nsections=" << sections << "\n";
    PrintTable(ctx.out, "IIR", design.Iir(), sections);
    PrintTable(ctx.out, "ANA", design.Ana(), sections);
    if (design.TableSet() >= 3) {
        PrintTable(ctx.out, "ANACR", design.AnaCr(), sections);
        PrintComponents(ctx.out, design.Components(), sections);
    }
    if (const auto path = args.Get("o")) {
        ctx.ui.fileAnswers.push_back(*path);
        if (!design.Save(ctx.ui)) return 1;
    }
    return 0;
}
