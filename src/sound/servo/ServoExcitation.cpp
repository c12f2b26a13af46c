#include "sound/servo/ServoExcitation.h"

#include "dsp/FloatToInt.h"
#include "dsp/Tsp.h"

#include <cmath>

namespace {
constexpr double kTspLevel = 1000.0;
constexpr const char* kTexts[servo::kCount] = {"TSP(ﾀｲﾑｽﾄﾚｯﾁ)信号①", "TSP(ﾀｲﾑｽﾄﾚｯﾁ)信号②",
                                               "ﾊﾞｰｽﾄﾗﾝﾀﾞﾑ①",        "ﾊﾞｰｽﾄﾗﾝﾀﾞﾑ②",
                                               "連続ﾗﾝﾀﾞﾑ",          "外部信号源"};
} // namespace

const char* servo::ExcitationText(int excitation) {
    return excitation >= 0 && excitation < kCount ? kTexts[excitation] : "";
}

int CServoExcitation::Stretch(int excitation, int n) {
    return excitation == servo::kTsp1 ? n / 4 : static_cast<int>(0.15 * n);
}

void CServoExcitation::Begin(int excitation, int pow, int downExp, const std::vector<double>& taps,
                             std::uint32_t seed) {
    m_nExcitation = excitation;
    m_nPow = pow;
    m_nPoints = 1 << (pow + 7);
    m_nDown = downExp;
    m_taps = taps;
    m_rand.Seed(seed);
    if (servo::IsTsp(excitation))
        MakeTsp();
    else
        MakeRandom();
}

void CServoExcitation::Renew() {
    if (!servo::IsTsp(m_nExcitation)) MakeRandom();
}

void CServoExcitation::MakeTsp() {
    const int n = m_nPoints;
    const std::vector<float> tsp = ::MakeTsp(n, Stretch(m_nExcitation, n));
    const double scale = kTspLevel / std::sqrt(std::ldexp(1.0, m_nPow));
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i) x[i] = SaturateToRange(scale * tsp[i], -32768, 32767);
    Interpolate(x, false);
    Store(x);
}

void CServoExcitation::MakeRandom() {
    const int n = m_nPoints;
    const bool burst = m_nExcitation == servo::kBurst1 || m_nExcitation == servo::kBurst2;
    std::vector<double> x(n);
    for (int i = 0; i < n; ++i) {
        const int r = static_cast<std::int16_t>(static_cast<std::uint16_t>(m_rand.Next() * 2));
        x[i] = burst && (i < n / 4 || i > n - n / 4) ? 0.0 : r;
    }
    Interpolate(x, m_nExcitation == servo::kRandom);
    Store(x);
}

void CServoExcitation::Interpolate(std::vector<double>& x, bool circular) const {
    const int taps = static_cast<int>(m_taps.size());
    for (int stage = 0; stage < m_nDown && taps > 0; ++stage) {
        const int in = static_cast<int>(x.size());
        const int stuffed = 2 * in;
        std::vector<double> y(static_cast<std::size_t>(stuffed + taps), 0.0);
        for (int j = 0; j < stuffed + taps; ++j) {
            double acc = 0.0;
            for (int k = 0; k < taps; ++k) {
                int at = j - k;
                if (circular) at = ((at % stuffed) + stuffed) % stuffed;
                if (at < 0 || at >= stuffed || (at & 1)) continue;
                acc += m_taps[k] * x[at / 2];
            }
            y[j] = 2.0 * acc;
        }
        x.swap(y);
    }
}

void CServoExcitation::Store(const std::vector<double>& x) {
    m_period.resize(x.size());
    for (std::size_t i = 0; i < x.size(); ++i)
        m_period[i] = static_cast<std::int16_t>(SaturateToRange(x[i], -32768, 32767));
}
