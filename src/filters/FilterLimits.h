#pragma once

// Capacities of the filter designs and coefficient files.
namespace filt {
constexpr int kMaxFirTaps = 4096;      // taps a coefficient file and the window method hold
constexpr int kMinFirTaps = 5;         // fewest taps of a window-method design
constexpr int kMaxSections = 30;       // second-order sections of a BiquadTable
constexpr int kMaxIirOrder = 60;       // 2 * kMaxSections
constexpr int kMaxFirFileLines = 6144; // last line index of a section in an FIR coefficient file
constexpr int kMaxIirFileLines = 120;  // lines an IIR coefficient file may have
constexpr int kLineChars = 499;        // characters of a coefficient-file line that are read
constexpr int kTokenChars = 51;        // characters of one token that are kept
// Largest tap count a Kaiser design may produce; beyond it the transition is refused.
constexpr int kMaxDesignTaps = 1 << 20;
} // namespace filt

// Filter shapes shared by the FIR design tools (`m_nFilterShape`).
namespace shape {
constexpr int LowPass = 0;
constexpr int HighPass = 1;
constexpr int BandPass = 2;
constexpr int BandStop = 3;
// Band-pass and band-stop have a second cut-off.
constexpr bool HasTwoEdges(int code) {
    return code == BandPass || code == BandStop;
}
} // namespace shape
