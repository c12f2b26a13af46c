// sonalyx-cli design biquad: one second-order section, written as a coefficient file (-o) or
// printed.
#include "cli/CliCommand.h"
#include "filters/BiquadDesign.h"
#include "filters/BiquadSettings.h"
#include "filters/BiquadTable.h"
#include "filters/CoefFile.h"
#include "filters/CrTable.h"

#include <cstdio>

namespace {
std::optional<int> ParseBiquadType(const std::string& text) {
    static const char* const names[biquadtype::Count][3] = {{"lpf", "LowPass", "0"},
                                                            {"hpf", "HighPass", "1"},
                                                            {"lowshelf", "LowShelving", "2"},
                                                            {"peaking", "Peaking", "3"}};
    for (int t = 0; t < biquadtype::Count; ++t)
        for (const char* n : names[t])
            if (text == n) return t;
    return std::nullopt;
}
} // namespace

SONALYX_CLI_COMMAND("design biquad",
                    "design biquad --type lpf|hpf|lowshelf|peaking --f HZ [--gain DB (20)] --fs HZ"
                    " [-o COEF.csv]   second-order IIR section",
                    args, ctx) {
    const auto typeText = args.Get("type");
    const auto type = typeText ? ParseBiquadType(*typeText) : std::nullopt;
    if (!type) {
        ctx.err << "--type must be lpf, hpf, lowshelf or peaking\n";
        return 2;
    }
    const auto f = CliNumber(args, "f", ctx);
    const auto fs = CliInt(args, "fs", ctx);
    if (!f || !fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    BiquadSettings s;
    s.type = *type;
    s.freq = static_cast<float>(*f);
    if (args.Has("gain")) {
        const auto g = CliNumber(args, "gain", ctx);
        if (!g) return 2;
        s.gainDb = static_cast<float>(*g);
    }
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
