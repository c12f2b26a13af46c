#include "filters/KaiserFir.h"

#include "filters/FilterLimits.h"

#include <cmath>
#include <new>

namespace {

constexpr float kPiF = 3.1415927f;
constexpr double kPi = 3.14159265358979323846;

float TransitionRadians(float halfRate, float passEdge, float stopEdge) {
    return (stopEdge - passEdge) / halfRate * kPiF;
}

// h = h * scale * cos(pi (fH + fL) offset / fs), in double.
void Modulate(float& h, double scale, float fH, float fL, int offset, float fs) {
    h = static_cast<float>(h * scale *
                           std::cos(kPi * (static_cast<double>(fH) + fL) * offset / fs));
}

} // namespace

double KaiserFir::EstimateTaps(float halfRate, float passEdge, float stopEdge, float atten) {
    const float dw = TransitionRadians(halfRate, passEdge, stopEdge);
    if (!(dw > 0.0f) || !std::isfinite(dw)) return 0.0;
    double m = std::trunc((static_cast<double>(atten) - 8.0) / (2.285 * dw) + 1.0);
    if (!std::isfinite(m)) return m;
    if (m < 0.0) m = 0.0;
    if (std::fmod(m, 2.0) != 0.0) m += 1.0;
    return m + 1.0;
}

float KaiserFir::Beta(float atten) {
    if (atten > 50.0f) return 0.1102f * (atten - 8.7f);
    if (atten >= 21.0f) return 0.5842f * std::pow(atten - 21.0f, 0.4f) + 0.07886f * (atten - 21.0f);
    return 0.0f;
}

float KaiserFir::BesselI0(float x) {
    float sum = 1.0f;
    float power = 1.0f;     // (x/2)^k
    float factorial = 1.0f; // k!
    for (int k = 1; k <= 20; ++k) {
        power *= x * 0.5f;
        factorial *= static_cast<float>(k);
        const float term = power / factorial;
        sum += term * term;
    }
    return sum;
}

int KaiserFir::DesignPrototype(float atten) {
    m_pTaps.reset();
    m_pSpare.reset();
    m_nTaps = 0;
    const double estimate = EstimateTaps(m_fHalfRate, m_fPassEdge, m_fStopEdge, atten);
    if (!(estimate >= 1.0) || estimate > filt::kMaxDesignTaps) return 0;
    const int n = static_cast<int>(estimate);
    const int m = n - 1;
    m_pTaps.reset(new (std::nothrow) float[n]());
    m_pSpare.reset(new (std::nothrow) float[n]());
    if (!m_pTaps || !m_pSpare) {
        m_pTaps.reset();
        m_pSpare.reset();
        return 0;
    }
    m_nTaps = n;

    const float wc = (m_fPassEdge / m_fHalfRate * kPiF + m_fStopEdge / m_fHalfRate * kPiF) * 0.5f;
    const float beta = Beta(atten);
    const float i0Beta = BesselI0(beta);
    const int half = m / 2;
    for (int i = -half; i <= half; ++i) {
        const float ideal =
            i == 0 ? wc / kPiF
                   : std::sin(wc * static_cast<float>(i)) / (kPiF * static_cast<float>(i));
        float w = 1.0f;
        if (half > 0) {
            const float r = static_cast<float>(i) / static_cast<float>(half);
            w = BesselI0(beta * std::sqrt(1.0f - r * r)) / i0Beta;
        }
        m_pTaps[static_cast<std::size_t>(i + half)] = ideal * w;
    }
    return n;
}

int KaiserFir::DesignLowpass(float fs, float fc, float fStop, float atten) {
    m_fHalfRate = fs / 2.0f;
    m_fPassEdge = fc;
    m_fStopEdge = fStop;
    return DesignPrototype(atten);
}

int KaiserFir::DesignHighpass(float fs, float fc, float fStop, float atten) {
    m_fHalfRate = fs / 2.0f;
    m_fPassEdge = m_fHalfRate - fc;
    m_fStopEdge = m_fHalfRate - fStop;
    const int n = DesignPrototype(atten);
    for (int j = 1; j < n; j += 2) m_pTaps[static_cast<std::size_t>(j)] *= -1.0f;
    return n;
}

int KaiserFir::DesignBandpass(float fs, float fH, float fHStop, float fL, float fLStop,
                              float atten) {
    m_fHalfRate = fs / 2.0f;
    m_fPassEdge = (fH - fL) / 2.0f;
    m_fStopEdge = (fHStop - fLStop) / 2.0f;
    const int n = DesignPrototype(atten);
    const int c = (n - 1) / 2;
    for (int j = 0; j < n; ++j)
        Modulate(m_pTaps[static_cast<std::size_t>(j)], 2.0, fH, fL, j - c, fs);
    return n;
}

int KaiserFir::DesignBandstop(float fs, float fH, float fHStop, float fL, float fLStop,
                              float atten) {
    m_fHalfRate = fs / 2.0f;
    m_fPassEdge = (fH - fL) / 2.0f;
    m_fStopEdge = (fHStop - fLStop) / 2.0f;
    const int n = DesignPrototype(atten);
    if (n == 0) return 0;
    const int c = (n - 1) / 2;
    for (int j = 0; j < n; ++j)
        Modulate(m_pTaps[static_cast<std::size_t>(j)], -2.0, fH, fL, j - c, fs);
    m_pTaps[static_cast<std::size_t>(c)] += 1.0f;
    return n;
}

int KaiserFir::CopyTaps(double* out) const {
    for (int j = 0; j < m_nTaps; ++j) out[j] = m_pTaps[static_cast<std::size_t>(j)];
    return m_nTaps;
}
