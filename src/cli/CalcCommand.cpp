// sonalyx-cli calc: the servo-loop calculator, one step per option, applied in order.
#include "cli/CliCommand.h"
#include "cli/CliDocument.h"
#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "dsp/ServoChecks.h"
#include "dsp/ServoElements.h"

#include <cstdlib>
#include <optional>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kUsage =
    "usage: sonalyx-cli calc --init gain|tsp|impulse|FILE.opr [--fs HZ] [--points N] STEP... "
    "-o OUT.opr|OUT.csv [--history HISTORY.csv]\n"
    "  steps: --gain G:OP --integral G,F0KHZ:OP --derivative G,F0KHZ:OP --laglead A,B,C,D:OP\n"
    "         --resonance F0,K,Q0DB:OP --resonance-acc A,FA,K,Q0DB:OP --file OTHER.opr:OP\n"
    "         --closed --open --inverse --store --recall:OP   (OP is one of + - x /)\n";

std::optional<int> ParseOperation(const std::string& text) {
    if (text == "+") return servo_op::Add;
    if (text == "-") return servo_op::Subtract;
    if (text == "x" || text == "*") return servo_op::Multiply;
    if (text == "/") return servo_op::Divide;
    return std::nullopt;
}

// "V1,V2,...:OP" with `count` numbers.
bool ParseStep(const std::string& value, std::size_t count, std::vector<double>& numbers, int& op) {
    const auto colon = value.rfind(':');
    if (colon == std::string::npos) return false;
    const auto parsed = ParseOperation(value.substr(colon + 1));
    if (!parsed) return false;
    op = *parsed;
    numbers.clear();
    std::stringstream list(value.substr(0, colon));
    std::string item;
    while (std::getline(list, item, ',')) {
        char* end = nullptr;
        const double v = std::strtod(item.c_str(), &end);
        if (item.empty() || *end != '\0') return false;
        numbers.push_back(v);
    }
    return numbers.size() == count;
}

int PowForPoints(int n) {
    for (int pow = limits::kMinPow; pow <= limits::kMaxPow; ++pow)
        if (PointsForPow(pow) == n) return pow;
    return -1;
}

} // namespace

SONALYX_CLI_COMMAND("calc",
                    "calc --init gain|tsp|impulse|FILE.opr [--fs HZ] [--points N] STEP... -o "
                    "OUT.opr|OUT.csv [--history HISTORY.csv]   servo-loop calculation",
                    args, ctx) {
    if (!args.Has("init") || !args.Has("o") || !args.Positional().empty()) {
        ctx.err << kUsage;
        return 2;
    }
    double fs = 48000.0;
    if (args.Has("fs")) {
        const auto v = CliNumber(args, "fs", ctx);
        if (!v) return 1;
        if (*v <= 0.0) {
            ctx.err << "--fs: a sampling frequency above 0 Hz\n";
            return 1;
        }
        fs = *v;
    }
    int pow = 4;
    if (args.Has("points")) {
        const auto n = CliInt(args, "points", ctx);
        if (!n) return 1;
        pow = PowForPoints(*n);
        if (pow < 0) {
            ctx.err << "--points: one of 128, 256, 512, 1024, 2048, 4096, 8192, 16384, 32768\n";
            return 1;
        }
    }

    auto doc = MakeCliDocument(ctx);
    const std::string init = args.GetOr("init", "");
    if (init == "gain") {
        doc->OnInitGain(pow, fs);
    } else if (init == "tsp") {
        doc->OnTsp(pow, fs);
    } else if (init == "impulse") {
        doc->OnImpulse(pow, 0, 1, fs);
    } else {
        ctx.ui.fileAnswers.push_back(init);
        if (!doc->OnInitFromFile()) return 1;
    }

    std::vector<double> v;
    int op = servo_op::Multiply;
    for (const auto& option : args.Ordered()) {
        const std::string& name = option.first;
        const std::string& value = option.second;
        if (name == "init" || name == "fs" || name == "points" || name == "o" || name == "history")
            continue;
        const auto bad = [&] {
            ctx.err << "--" << name << ": bad step value \"" << value << "\"\n" << kUsage;
            return 1;
        };
        // A value the calculator's dialogs refuse, with their message.
        const auto refused = [&](const std::string& refusal) {
            if (refusal.empty()) return false;
            ctx.err << "--" << name << ": " << refusal << "\n";
            return true;
        };
        if (name == "gain") {
            if (!ParseStep(value, 1, v, op)) return bad();
            if (refused(CheckGainDivision(v[0], op))) return 1;
            doc->OnServoGain(v[0], op);
        } else if (name == "integral" || name == "derivative") {
            if (!ParseStep(value, 2, v, op)) return bad();
            const bool integral = name == "integral";
            if (refused(CheckRange(v[1], 1e-6, 1e6)) ||
                refused(integral ? CheckIntegralDivision(v[0], op)
                                 : CheckDerivativeDivision(v[0], op)))
                return 1;
            if (integral)
                doc->OnServoIntegral(v[0], v[1], op);
            else
                doc->OnServoDerivative(v[0], v[1], op);
        } else if (name == "laglead") {
            if (!ParseStep(value, 4, v, op)) return bad();
            if (refused(CheckLagLeadDivision(v[0], v[1], v[2], v[3], op))) return 1;
            doc->OnServoLagLead(v[0], v[1], v[2], v[3], op);
        } else if (name == "resonance" || name == "resonance-acc") {
            const bool acc = name == "resonance-acc";
            if (!ParseStep(value, acc ? 4 : 3, v, op)) return bad();
            ResonanceSettings s;
            s.byAcceleration = acc;
            if (acc) {
                s.A = v[0];
                s.fa = v[1];
                s.K = v[2];
                s.q0dB = v[3];
            } else {
                s.f0 = v[0];
                s.K = v[1];
                s.q0dB = v[2];
            }
            if (refused(CheckResonance(s))) return 1;
            doc->OnServoResonance(s, op);
        } else if (name == "file") {
            const auto colon = value.rfind(':');
            const auto parsed =
                colon == std::string::npos ? std::nullopt : ParseOperation(value.substr(colon + 1));
            if (!parsed) return bad();
            const std::string path = value.substr(0, colon);
            ctx.ui.fileAnswers.push_back(path);
            if (!doc->ReadServoOperandFile()) return 1;
            doc->CombineServoFile(*parsed);
        } else if (name == "closed" && value.empty()) {
            doc->OnClosedLoop();
        } else if (name == "open" && value.empty()) {
            doc->OnOpenLoop();
        } else if (name == "inverse" && value.empty()) {
            doc->OnInverse();
        } else if (name == "store" && value.empty()) {
            doc->OnMemoryStore();
        } else if (name.rfind("recall:", 0) == 0 && value.empty()) {
            const auto parsed = ParseOperation(name.substr(7));
            if (!parsed) return bad();
            if (!doc->m_bMemoryStored) {
                ctx.err << "--recall: nothing stored (use --store first)\n";
                return 1;
            }
            doc->OnMemoryRecall(*parsed);
        } else {
            ctx.err << "unknown step --" << name << (value.empty() ? "" : " " + value) << "\n"
                    << kUsage;
            return 2;
        }
    }

    ctx.ui.fileAnswers.push_back(args.GetOr("o", ""));
    if (!doc->OnSaveResult()) return 1;
    if (args.Has("history")) {
        ctx.ui.fileAnswers.push_back(args.GetOr("history", ""));
        if (!doc->OnSaveHistory()) return 1;
    }
    return 0;
}
