#pragma once

#include "dsp/Rand15.h"

#include <cstdint>
#include <vector>

// The servo analyzer's excitations (`m_nExcitation`, the panel's combo 1398).
namespace servo {
constexpr int kTsp1 = 0;     // "TSP(ﾀｲﾑｽﾄﾚｯﾁ)信号①": m = N / 4
constexpr int kTsp2 = 1;     // "TSP(ﾀｲﾑｽﾄﾚｯﾁ)信号②": m = 0.15 N
constexpr int kBurst1 = 2;   // "ﾊﾞｰｽﾄﾗﾝﾀﾞﾑ①": a new burst every buffer
constexpr int kBurst2 = 3;   // "ﾊﾞｰｽﾄﾗﾝﾀﾞﾑ②": one burst repeated
constexpr int kRandom = 4;   // "連続ﾗﾝﾀﾞﾑ": new noise every buffer
constexpr int kExternal = 5; // "外部信号源": nothing is played
constexpr int kCount = 6;
constexpr int kDefault = kRandom;

const char* ExcitationText(int excitation);
inline bool IsTsp(int excitation) {
    return excitation == kTsp1 || excitation == kTsp2;
}
// The random excitations (and the external source) are windowed when a window is chosen.
inline bool IsWindowed(int excitation) {
    return excitation >= kBurst1 && excitation <= kExternal;
}
} // namespace servo

// One period of the excitation, S = 2^d N + (2^d - 1) L mono 16-bit samples: built at the
// analysis rate with N points, then raised to the capture rate by d stages of zero insertion,
// the down-sampling low-pass (taps L, with the same edges) and a gain of 2.
//   TSP: G(k) = e^(j 4 pi m k^2 / N^2) for k <= N/2, G(N-k) = conj G(k); g = the
//        unscaled inverse FFT; sample i = trunc(1000 / sqrt(2^p) Re g[(i + N/2 - m) mod N])
//        (MakeTsp).
//   Random: rand() * 2 wrapped into 16 bits; the bursts are 0 for i < N/4 and i > N - N/4.
// The bursts and the TSP start each stage's filter from zeros; the continuous random runs it
// on the period itself (circularly), so that the period repeats without a seam. Every store
// saturates.
class CServoExcitation {
public:
    // Builds the first period for N = 2^(pow + 7) points.
    void Begin(int excitation, int pow, int downExp, const std::vector<double>& taps,
               std::uint32_t seed);
    // Indexes 2 and 4 make a new period for every buffer.
    bool RenewsEveryBuffer() const {
        return m_nExcitation == servo::kBurst1 || m_nExcitation == servo::kRandom;
    }
    // A new random period (bursts and continuous random).
    void Renew();
    const std::vector<std::int16_t>& Period() const { return m_period; }
    int Excitation() const { return m_nExcitation; }

    // The stretch m of a TSP excitation for N points.
    static int Stretch(int excitation, int n);

private:
    void MakeTsp();
    void MakeRandom();
    // d stages up to the capture rate; `circular` for the continuous random.
    void Interpolate(std::vector<double>& x, bool circular) const;
    void Store(const std::vector<double>& x);

    int m_nExcitation = servo::kDefault;
    int m_nPow = 4;
    int m_nPoints = 2048;
    int m_nDown = 0;
    std::vector<double> m_taps;
    std::vector<std::int16_t> m_period;
    CRand15 m_rand;
};
