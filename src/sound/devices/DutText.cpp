#include "sound/devices/DutText.h"

#include "filters/BiquadDesign.h"

#include <charconv>
#include <cmath>
#include <optional>

namespace {

std::string Trim(const std::string& s) {
    const auto first = s.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t\r\n");
    return s.substr(first, last - first + 1);
}

std::vector<std::string> Split(const std::string& s, char sep) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto at = s.find(sep, start);
        parts.push_back(s.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos) return parts;
        start = at + 1;
    }
}

// A number of type T written in full (no blanks, no trailing characters).
template <class T> std::optional<T> Whole(const std::string& s) {
    T v{};
    const char* end = s.data() + s.size();
    const auto [ptr, ec] = std::from_chars(s.data(), end, v);
    if (s.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return v;
}

std::optional<double> Number(const std::string& s) {
    const auto v = Whole<double>(s);
    return v && std::isfinite(*v) ? v : std::nullopt;
}

std::optional<long long> Integer(const std::string& s, long long lo, long long hi) {
    const auto v = Whole<long long>(s);
    return v && *v >= lo && *v <= hi ? v : std::nullopt;
}

std::optional<std::uint64_t> Seed(const std::string& s) {
    return Whole<std::uint64_t>(s);
}

std::optional<DutRoute> Route(const std::string& s) {
    if (s == "out1") return DutRoute::Out1;
    if (s == "out2") return DutRoute::Out2;
    if (s == "src") return DutRoute::Src;
    if (s == "0") return DutRoute::Zero;
    return std::nullopt;
}

// tone:F:A[:PHASE_DEG] or noise:SIGMA:SEED.
std::optional<DutSourceTerm> SourceTerm(const std::string& text) {
    const auto f = Split(text, ':');
    DutSourceTerm term;
    if (f[0] == "tone" && (f.size() == 3 || f.size() == 4)) {
        const auto freq = Number(f[1]), amp = Number(f[2]);
        const auto phase = f.size() == 4 ? Number(f[3]) : std::optional<double>(0.0);
        if (!freq || *freq < 0.0 || !amp || !phase) return std::nullopt;
        term.kind = DutSourceTerm::Kind::Tone;
        term.freq = *freq;
        term.amp = *amp;
        term.phaseDeg = *phase;
        return term;
    }
    if (f[0] == "noise" && f.size() == 3) {
        const auto sigma = Number(f[1]);
        const auto seed = Seed(f[2]);
        if (!sigma || *sigma < 0.0 || !seed) return std::nullopt;
        term.kind = DutSourceTerm::Kind::Noise;
        term.amp = *sigma;
        term.seed = *seed;
        return term;
    }
    return std::nullopt;
}

bool ParseSource(const std::string& key, const std::string& value, DutSourceDef& src,
                 std::string& error) {
    src.item = key + "=" + value;
    if (value.rfind("wav:", 0) == 0) {
        src.wavPath = value.substr(4);
        if (src.wavPath.empty()) {
            error = DutItemError(src.item);
            return false;
        }
        return true;
    }
    for (const auto& part : Split(value, '+')) {
        const std::string t = Trim(part);
        const auto term = SourceTerm(t);
        if (!term) {
            error = DutItemError(key + "=" + t);
            return false;
        }
        src.terms.push_back(*term);
    }
    return true;
}

std::optional<int> BiquadType(const std::string& s) {
    if (s == "lpf") return biquadtype::LowPass;
    if (s == "hpf") return biquadtype::HighPass;
    if (s == "lowshelf") return biquadtype::LowShelving;
    if (s == "peaking") return biquadtype::Peaking;
    return std::nullopt;
}

// biquad:TYPE:F[:GAIN_DB]. The low- and high-pass have the fixed quality factor of the design
// and take no third value.
bool BiquadElement(const std::vector<std::string>& f, DutElementDef& e) {
    if (f.size() < 3 || f.size() > 4) return false;
    const auto type = BiquadType(f[1]);
    const auto freq = Number(f[2]);
    if (!type || !freq || *freq <= 0.0) return false;
    e.biquadType = *type;
    e.value = *freq;
    if (f.size() == 4) {
        if (!BiquadUsesGain(*type)) return false;
        const auto g = Number(f[3]);
        if (!g || std::fabs(*g) > dutlimits::kMaxGainDb) return false;
        e.gainDb = *g;
    }
    return true;
}

bool ChainElement(const std::string& text, DutElementDef& e) {
    const auto f = Split(text, ':');
    const std::string& name = f[0];
    if (name == "coef") {
        e.kind = DutElementDef::Kind::Coef;
        if (f.size() < 2) return false;
        e.path = text.substr(5);
        return !e.path.empty();
    }
    if (name == "gain" && f.size() == 2) {
        e.kind = DutElementDef::Kind::Gain;
        const auto g = Number(f[1]);
        if (!g) return false;
        e.value = *g;
        return true;
    }
    if (name == "delay" && f.size() == 2) {
        e.kind = DutElementDef::Kind::Delay;
        const auto d = Integer(f[1], 0, dutlimits::kMaxDelay);
        if (!d) return false;
        e.value = static_cast<double>(*d);
        return true;
    }
    if (name == "biquad") {
        e.kind = DutElementDef::Kind::Biquad;
        return BiquadElement(f, e);
    }
    if (name == "poly" && f.size() >= 2 &&
        f.size() <= static_cast<std::size_t>(dutlimits::kMaxPolyTerms) + 1) {
        e.kind = DutElementDef::Kind::Poly;
        for (std::size_t i = 1; i < f.size(); ++i) {
            const auto a = Number(f[i]);
            if (!a) return false;
            e.poly.push_back(*a);
        }
        return true;
    }
    if (name == "noise" && f.size() == 3) {
        e.kind = DutElementDef::Kind::Noise;
        const auto sigma = Number(f[1]);
        const auto seed = Seed(f[2]);
        if (!sigma || *sigma < 0.0 || !seed) return false;
        e.value = *sigma;
        e.seed = *seed;
        return true;
    }
    return false;
}

bool ParseChain(const std::string& key, const std::string& value, std::vector<DutElementDef>& chain,
                std::string& error) {
    for (const auto& part : Split(value, ',')) {
        DutElementDef e;
        const std::string t = Trim(part);
        e.item = key + "=" + t;
        if (!ChainElement(t, e)) {
            error = DutItemError(e.item);
            return false;
        }
        chain.push_back(std::move(e));
    }
    return true;
}

bool ParseFault(const std::string& value, DutText& dut) {
    if (value == "open") {
        dut.fault = DutFault::Open;
        return true;
    }
    if (value == "start") {
        dut.fault = DutFault::Start;
        return true;
    }
    const auto f = Split(value, ':');
    if (f.size() != 2 || f[0] != "lose") return false;
    const auto s = Number(f[1]);
    if (!s || *s < 0.0 || *s > dutlimits::kMaxLoseSeconds) return false;
    dut.fault = DutFault::Lose;
    dut.loseSeconds = *s;
    return true;
}

// One key=value item; chains and sources name their own failing part.
bool ParseItem(const std::string& item, DutText& dut, std::vector<std::string>& seen,
               std::string& error) {
    const auto eq = item.find('=');
    if (eq == std::string::npos) {
        error = DutItemError(item);
        return false;
    }
    const std::string key = Trim(item.substr(0, eq));
    const std::string value = Trim(item.substr(eq + 1));
    for (const auto& k : seen) {
        if (k == key) {
            error = DutItemError(item, "重複しています");
            return false;
        }
    }
    seen.push_back(key);
    bool ok = false;
    if (key == "in1" || key == "in2") {
        const auto route = Route(value);
        if (route) dut.in[key == "in1" ? 0 : 1] = *route;
        ok = route.has_value();
    } else if (key == "src") {
        return ParseSource(key, value, dut.src, error);
    } else if (key == "dut1" || key == "dut2") {
        return ParseChain(key, value, dut.dut[key == "dut1" ? 0 : 1], error);
    } else if (key == "leak") {
        const auto l = Number(value);
        ok = l && std::fabs(*l) <= dutlimits::kMaxLeak;
        if (ok) dut.leak = *l;
    } else if (key == "latency") {
        const auto n = Integer(value, 0, dutlimits::kMaxLatency);
        ok = n.has_value();
        if (ok) dut.latency = *n;
    } else if (key == "fault") {
        ok = ParseFault(value, dut);
    }
    if (!ok) error = DutItemError(item);
    return ok;
}

} // namespace

std::string DutItemError(const std::string& item, const std::string& reason) {
    std::string text = "DUTの項目 \"" + item + "\" が正しくありません";
    if (!reason.empty()) text += "（" + reason + "）";
    return text;
}

bool ParseDutText(const std::string& text, DutText& dut, std::string& error) {
    dut = DutText();
    error.clear();
    std::vector<std::string> seen;
    for (const auto& part : Split(text, ';')) {
        const std::string item = Trim(part);
        if (item.empty()) continue;
        if (!ParseItem(item, dut, seen, error)) return false;
    }
    return true;
}
