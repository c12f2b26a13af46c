#include "cli/FilterDesignArgs.h"

#include "cli/FilterCliOptions.h"
#include "filters/BiquadDesign.h"
#include "filters/CoefFile.h"
#include "filters/RemezSettings.h"

#include <map>
#include <sstream>

namespace {

std::optional<double> OptionalNumber(const CliArgs& args, const std::string& name, double fallback,
                                     CliContext& ctx) {
    if (!args.Has(name)) return fallback;
    return CliNumber(args, name, ctx);
}

template <class Map>
bool Choose(const CliArgs& args, const std::string& name, const Map& map, int& value,
            CliContext& ctx) {
    const auto text = args.Get(name);
    if (!text) return true;
    const auto it = map.find(*text);
    if (it == map.end()) {
        ctx.err << "--" << name << ": unknown value: " << *text << "\n";
        return false;
    }
    value = it->second;
    return true;
}

bool Number(const CliArgs& args, const std::string& name, double& value, CliContext& ctx) {
    const auto v = OptionalNumber(args, name, value, ctx);
    if (v) value = *v;
    return v.has_value();
}

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

int EasyRemez(const CliArgs& args, CliContext& ctx, int fs, int maxTaps, CliRemezResult& r) {
    EasyRemezSettings s;
    const auto shapeText = args.Get("shape");
    const auto shapeCode = shapeText ? ParseFirShape(*shapeText) : std::nullopt;
    if (!shapeCode) {
        ctx.err << "--shape must be lpf, hpf, bpf or bsf\n";
        return 2;
    }
    s.shape = *shapeCode;
    const auto fl = CliNumber(args, "fl", ctx);
    const auto tr = CliNumber(args, "transition", ctx);
    const auto rp = CliNumber(args, "ripple", ctx);
    const auto as = CliNumber(args, "atten", ctx);
    if (!fl || !tr || !rp || !as) return 2;
    s.f1 = static_cast<float>(*fl);
    s.f2 = s.f1;
    if (shape::HasTwoEdges(s.shape)) {
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
        if (RemezCheck c = ValidateEasyRemez(s, fs); !c.ok) return Refuse(c, ctx);
        s.taps = EstimateRemezTaps(s, fs);
    }
    if (RemezCheck c = ValidateEasyRemez(s, fs); !c.ok) return Refuse(c, ctx);
    if (RemezCheck c = ValidateRemezTaps(s.taps, maxTaps); !c.ok) return Refuse(c, ctx);
    if (DesignRemez(EasyRemezBands(s, fs), s.taps, fs, r.taps) != 1) {
        ctx.ui.ShowMessage(kRemezNoConvergenceEasy, MessageIcon::None);
        return 1;
    }
    const bool band = shape::HasTwoEdges(s.shape);
    r.kind = "Easy_Remez";
    r.shape = FirShapeName(s.shape);
    r.cutLow = s.f1;
    r.cutHigh = band ? s.f2 : 0.0;
    return 0;
}

int BandRemez(const CliArgs& args, CliContext& ctx, int fs, int maxTaps, CliRemezResult& r) {
    RemezBandTable table;
    const auto bands = args.Get("bands");
    if (!bands) {
        ctx.err << "--bands is needed (or --easy)\n";
        return 2;
    }
    if (!ParseBands(*bands, table, ctx)) return 2;
    const auto taps = CliInt(args, "taps", ctx);
    if (!taps) return 2;
    RemezCheck check = ValidateRemezBands(table, fs, false);
    for (const std::string& n : check.notices) ctx.ui.ShowMessage(n, MessageIcon::None);
    if (!check.ok) {
        ctx.ui.ShowMessage(check.message, MessageIcon::None);
        return 1;
    }
    if (RemezCheck c = ValidateRemezTaps(*taps, maxTaps); !c.ok) return Refuse(c, ctx);
    if (DesignRemez(TableRemezBands(table), *taps, fs, r.taps) != 1) {
        ctx.ui.ShowMessage(kRemezNoConvergence, MessageIcon::None);
        return 1;
    }
    r.kind = "Detail_Remez";
    r.shape = "Unknown";
    return 0;
}

} // namespace

std::optional<FirWindowSettings> CliFirWindowSettings(const CliArgs& args, CliContext& ctx) {
    const auto shapeCode = CliShape(args, ctx);
    if (!shapeCode) return std::nullopt;
    const auto taps = CliInt(args, "taps", ctx);
    const auto fl = CliNumber(args, "fl", ctx);
    const auto fh = OptionalNumber(args, "fh", 0.0, ctx);
    if (!taps || !fl || !fh) return std::nullopt;
    return FirWindowSettings{*shapeCode, *taps, static_cast<float>(*fl), static_cast<float>(*fh)};
}

std::optional<KaiserSettings> CliKaiserSettings(const CliArgs& args, CliContext& ctx) {
    const auto shapeCode = CliShape(args, ctx);
    if (!shapeCode) return std::nullopt;
    const auto atten = CliNumber(args, "atten", ctx);
    const auto transition = CliNumber(args, "transition", ctx);
    const auto fl = CliNumber(args, "fl", ctx);
    const auto fh = OptionalNumber(args, "fh", 0.0, ctx);
    if (!atten || !transition || !fl || !fh) return std::nullopt;
    KaiserSettings s{*shapeCode, static_cast<float>(*fl), static_cast<float>(*fh),
                     static_cast<float>(*atten), static_cast<float>(*transition)};
    NormaliseKaiserSettings(s);
    return s;
}

std::optional<BiquadSettings> CliBiquadSettings(const CliArgs& args, CliContext& ctx) {
    static const std::map<std::string, int> kTypes = {{"lpf", biquadtype::LowPass},
                                                      {"LowPass", biquadtype::LowPass},
                                                      {"0", biquadtype::LowPass},
                                                      {"hpf", biquadtype::HighPass},
                                                      {"HighPass", biquadtype::HighPass},
                                                      {"1", biquadtype::HighPass},
                                                      {"lowshelf", biquadtype::LowShelving},
                                                      {"LowShelving", biquadtype::LowShelving},
                                                      {"2", biquadtype::LowShelving},
                                                      {"peaking", biquadtype::Peaking},
                                                      {"Peaking", biquadtype::Peaking},
                                                      {"3", biquadtype::Peaking}};
    const auto typeText = args.Get("type");
    const auto it = typeText ? kTypes.find(*typeText) : kTypes.end();
    if (it == kTypes.end()) {
        ctx.err << "--type must be lpf, hpf, lowshelf or peaking\n";
        return std::nullopt;
    }
    const auto f = CliNumber(args, "f", ctx);
    const auto gain = OptionalNumber(args, "gain", 20.0, ctx);
    if (!f || !gain) return std::nullopt;
    return BiquadSettings{it->second, static_cast<float>(*f), static_cast<float>(*gain)};
}

bool CliCascadeParams(const CliArgs& args, CliContext& ctx, CascadeParams& p, int& series) {
    static const std::map<std::string, int> kKinds = {{"butter", kCascadeButterworth},
                                                      {"cheby", kCascadeChebyshev},
                                                      {"invcheby", kCascadeInvChebyshev},
                                                      {"elliptic", kCascadeElliptic}};
    static const std::map<std::string, int> kSeries = {
        {"e12", kSeriesE12}, {"e24", kSeriesE24}, {"exact", kSeriesExact}};
    series = kSeriesSFunction;
    if (!Choose(args, "type", kKinds, p.kind, ctx) ||
        !Choose(args, "realize", kSeries, series, ctx) || !Number(args, "fl", p.cutLow, ctx) ||
        !Number(args, "fh", p.cutHigh, ctx) || !Number(args, "ripple", p.ripple, ctx) ||
        !Number(args, "stop", p.stopLevel, ctx) || !Number(args, "r", p.refResistorK, ctx) ||
        !Number(args, "c", p.refCapacitorU, ctx))
        return false;
    if (args.Has("shape")) {
        const auto code = CliShape(args, ctx);
        if (!code) return false;
        p.shape = *code;
    }
    if (args.Has("order")) {
        const auto n = CliInt(args, "order", ctx);
        if (!n) return false;
        p.order = *n;
    }
    return true;
}

int CliDesignRemez(const CliArgs& args, CliContext& ctx, int fs, int maxTaps,
                   CliRemezResult& result) {
    return args.Has("easy") ? EasyRemez(args, ctx, fs, maxTaps, result)
                            : BandRemez(args, ctx, fs, maxTaps, result);
}
