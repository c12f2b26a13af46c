#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The device under test of the virtual sound card, as written in its text: `;`-separated
// `key=value` items (whitespace around items ignored, empty text = every default).
//
//   in1=, in2=   out1 | out2 | src | 0            what feeds each input (out1, out2)
//   src=         tone:F:A[:PHASE_DEG] and noise:SIGMA:SEED terms joined by `+`, or wav:PATH
//   dut1=, dut2= chain applied to that input, elements joined by `,`:
//                gain:G, delay:FRAMES, biquad:lpf|hpf|peaking|lowshelf:F[:GAIN_DB],
//                coef:PATH, poly:A1[:A2...], noise:SIGMA:SEED
//   leak=L       input k gets chain_k(raw_k) + L * raw_other (raw: routed, before any chain)
//   latency=N    loop delay from output to input in frames (1999)
//   fault=       open | start | lose:SECONDS
//
// Levels (A, SIGMA) are in 16-bit counts (full scale +-32768); F in Hz. Paths run to the end of
// their item or element, so they cannot hold `;` (nor `,` inside a chain). A repeated key,
// an unknown key or element, or a malformed or out-of-range number is refused; nothing is
// guessed.

enum class DutRoute { Out1, Out2, Src, Zero };

enum class DutFault { None, Open, Start, Lose };

// One term of the external source.
struct DutSourceTerm {
    enum class Kind { Tone, Noise };
    Kind kind = Kind::Tone;
    double freq = 0.0;     // tone, Hz
    double amp = 0.0;      // tone amplitude or noise sigma, counts
    double phaseDeg = 0.0; // tone phase at the first frame, degrees
    std::uint64_t seed = 0;
};

// The external source: a sum of terms, or a looped WAV file (`wavPath` non-empty).
struct DutSourceDef {
    std::vector<DutSourceTerm> terms;
    std::string wavPath;
    std::string item; // "src=..." for messages
};

// One element of a chain.
struct DutElementDef {
    enum class Kind { Gain, Delay, Biquad, Coef, Poly, Noise };
    Kind kind = Kind::Gain;
    double value = 0.0;       // gain factor, delay frames, biquad frequency (Hz), noise sigma
    int biquadType = 0;       // biquadtype code
    double gainDb = 20.0;     // biquad gain of the shelving and peaking types, dB
    std::vector<double> poly; // A1, A2, ...
    std::uint64_t seed = 0;   // noise
    std::string path;         // coefficient file
    std::string item;         // "dut1=gain:2" for messages
};

struct DutText {
    DutRoute in[2] = {DutRoute::Out1, DutRoute::Out2};
    DutSourceDef src;
    std::vector<DutElementDef> dut[2];
    double leak = 0.0;
    long long latency = 1999;
    DutFault fault = DutFault::None;
    double loseSeconds = 0.0;
};

namespace dutlimits {
constexpr long long kMaxLatency = 1000000; // frames of loop delay
constexpr long long kMaxDelay = 1000000;   // frames of a delay element
constexpr int kMaxPolyTerms = 16;
constexpr double kMaxLeak = 1.0;    // |L|
constexpr double kMaxGainDb = 20.0; // biquad gain range, as the biquad tool's
constexpr double kMaxLoseSeconds = 1.0e6;
} // namespace dutlimits

// Parses `text` into `dut`. False with `error` naming the offending item (dut is then
// unspecified).
bool ParseDutText(const std::string& text, DutText& dut, std::string& error);

// The one message format of the card's refusals: DUTの項目 "ITEM" が正しくありません, followed by
// the reason in parentheses when one is given.
std::string DutItemError(const std::string& item, const std::string& reason = {});
