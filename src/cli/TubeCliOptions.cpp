#include "cli/TubeCliOptions.h"

#include "tube/TubeAmpCompute.h"

bool ApplyTubeOptions(const CliArgs& args, TubeAmpSettings& s, CliContext& ctx) {
    const auto integer = [&](const char* name, int lo, int hi, int& value) {
        if (!args.Has(name)) return true;
        const auto v = CliInt(args, name, ctx);
        if (!v) return false;
        if (*v < lo || *v > hi) {
            ctx.err << "--" << name << ": " << lo << " ... " << hi << "\n";
            return false;
        }
        value = *v;
        return true;
    };
    const auto number = [&](const char* name, auto&& apply) {
        if (!args.Has(name)) return true;
        const auto v = CliNumber(args, name, ctx);
        if (!v) return false;
        apply(*v);
        return true;
    };
    return integer("circuit", 0, 2, s.circuit) && integer("bias", 0, 3, s.bias) &&
           number("power", [&](double v) { s.wanted = v; }) &&
           number("load", [&](double v) { s.tube[0].load = s.tube[1].load = v; }) &&
           number("supply", [&](double v) { s.tube[0].supply = s.tube[1].supply = v; }) &&
           number("current", [&](double v) { s.tube[0].current = s.tube[1].current = v; });
}
