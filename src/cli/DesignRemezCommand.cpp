// sonalyx-cli design remez: equiripple FIR design from a band list or from the easy settings,
// written as a coefficient file (-o) or printed.
#include "cli/CliCommand.h"
#include "filters/CoefFile.h"
#include "filters/RemezSettings.h"

#include <cstdio>
#include <sstream>

namespace {

std::optional<int> ParseFirShape(const std::string& text) {
    static const char* const names[4][3] = {{"lpf", "LowPass", "0"},
                                            {"hpf", "HighPass", "1"},
                                            {"bpf", "BandPass", "2"},
                                            {"bsf", "BandStop", "3"}};
    for (int s = 0; s < 4; ++s)
        for (const char* n : names[s])
            if (text == n) return s;
    return std::nullopt;
}

// "F0 F1 GAIN WEIGHT; F2 F3 GAIN WEIGHT; ..." into a band table.
bool ParseBands(const std::string& text, RemezBandTable& table, CliContext& ctx) {
    table.nBands = 0;
    std::stringstream all(text);
    std::string band;
    while (std::getline(all, band, ';')) {
        if (band.find_first_not_of(" \t") == std::string::npos) continue;
        if (table.nBands == kRemezMaxBands) {
            ctx.err << "--bands: at most " << kRemezMaxBands << " bands\n";
            return false;
        }
        std::istringstream fields(band);
        const int k = table.nBands;
        std::string extra;
        if (!(fields >> table.low[k] >> table.high[k] >> table.gain[k] >> table.weight[k]) ||
            (fields >> extra)) {
            ctx.err << "--bands: each band is LOW_HZ HIGH_HZ GAIN WEIGHT: " << band << "\n";
            return false;
        }
        ++table.nBands;
    }
    if (table.nBands < kRemezMinBands) {
        ctx.err << "--bands: at least " << kRemezMinBands << " bands\n";
        return false;
    }
    return true;
}

// Shows a failed check like the dialog does, on the error stream.
int Refuse(const RemezCheck& check, CliContext& ctx) {
    for (const std::string& n : check.notices) ctx.ui.ShowMessage(n, MessageIcon::None);
    ctx.ui.ShowMessage(check.message, MessageIcon::None);
    return 1;
}

int Output(const CliArgs& args, CliContext& ctx, const char* kind, const char* shapeName,
           double cutLow, double cutHigh, const std::vector<double>& taps) {
    if (const auto path = args.Get("o")) {
        ctx.ui.fileAnswers.push_back(*path);
        CoefFile file(ctx.ui);
        if (file.WriteFir("Empty", kind, shapeName, cutLow, cutHigh, static_cast<int>(taps.size()),
                          taps.data()) != 1)
            return 1;
        ctx.out << "taps=" << taps.size() << "\n";
        return 0;
    }
    char line[64];
    for (double h : taps) {
        std::snprintf(line, sizeof line, "%e\n", h);
        ctx.out << line;
    }
    return 0;
}

int RunEasy(const CliArgs& args, CliContext& ctx) {
    EasyRemezSettings s;
    const auto shapeText = args.Get("shape");
    const auto shapeCode = shapeText ? ParseFirShape(*shapeText) : std::nullopt;
    if (!shapeCode) {
        ctx.err << "--shape must be lpf, hpf, bpf or bsf\n";
        return 2;
    }
    s.shape = *shapeCode;
    const auto fs = CliInt(args, "fs", ctx);
    const auto fl = CliNumber(args, "fl", ctx);
    const auto tr = CliNumber(args, "transition", ctx);
    const auto rp = CliNumber(args, "ripple", ctx);
    const auto as = CliNumber(args, "atten", ctx);
    if (!fs || !fl || !tr || !rp || !as) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    s.f1 = static_cast<float>(*fl);
    s.f2 = s.f1;
    if (s.shape == shape::BandPass || s.shape == shape::BandStop) {
        const auto fh = CliNumber(args, "fh", ctx);
        if (!fh) return 2;
        s.f2 = static_cast<float>(*fh);
    }
    s.transition = static_cast<float>(*tr);
    s.ripple = static_cast<float>(*rp);
    s.atten = static_cast<float>(*as);
    if (args.Has("taps")) {
        const auto taps = CliInt(args, "taps", ctx);
        if (!taps) return 2;
        s.taps = *taps;
    } else {
        // The prediction stands in for the taps entry; a count outside the limits is refused.
        s.taps = 3;
        if (RemezCheck c = ValidateEasyRemez(s, *fs); !c.ok) return Refuse(c, ctx);
        s.taps = EstimateRemezTaps(s, *fs);
    }
    if (RemezCheck c = ValidateEasyRemez(s, *fs); !c.ok) return Refuse(c, ctx);
    std::vector<double> h;
    if (DesignRemez(EasyRemezBands(s, *fs), s.taps, *fs, h) != 1) {
        ctx.ui.ShowMessage(kRemezNoConvergenceEasy, MessageIcon::None);
        return 1;
    }
    const bool band = s.shape == shape::BandPass || s.shape == shape::BandStop;
    return Output(args, ctx, "Easy_Remez", FirShapeName(s.shape), s.f1, band ? s.f2 : 0.0, h);
}

int RunBands(const CliArgs& args, CliContext& ctx) {
    RemezBandTable table;
    const auto bands = args.Get("bands");
    if (!bands) {
        ctx.err << "--bands is needed (or --easy)\n";
        return 2;
    }
    if (!ParseBands(*bands, table, ctx)) return 2;
    const auto taps = CliInt(args, "taps", ctx);
    const auto fs = CliInt(args, "fs", ctx);
    if (!taps || !fs) return 2;
    if (*fs <= 0) {
        ctx.err << "--fs must be positive\n";
        return 2;
    }
    RemezCheck check = ValidateRemezBands(table, *fs, false);
    for (const std::string& n : check.notices) ctx.ui.ShowMessage(n, MessageIcon::None);
    if (!check.ok) {
        ctx.ui.ShowMessage(check.message, MessageIcon::None);
        return 1;
    }
    if (RemezCheck c = ValidateRemezTaps(*taps, kRemezFileMaxTaps); !c.ok) return Refuse(c, ctx);
    std::vector<double> h;
    if (DesignRemez(TableRemezBands(table), *taps, *fs, h) != 1) {
        ctx.ui.ShowMessage(kRemezNoConvergence, MessageIcon::None);
        return 1;
    }
    return Output(args, ctx, "Detail_Remez", "Unknown", 0.0, 0.0, h);
}

} // namespace

SONALYX_CLI_COMMAND("design remez",
                    "design remez --bands \"F0 F1 GAIN WEIGHT; ...\" --taps N --fs HZ [-o COEF.csv]"
                    " | --easy --shape lpf|hpf|bpf|bsf --fl HZ [--fh HZ] --transition HZ --ripple"
                    " DB --atten DB --fs HZ [--taps N] [-o COEF.csv]   equiripple FIR design",
                    args, ctx) {
    return args.Has("easy") ? RunEasy(args, ctx) : RunBands(args, ctx);
}
