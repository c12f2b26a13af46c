#include "realtime/LmsFilter.h"

#include "dsp/FloatToInt.h"
#include "realtime/LmsSettings.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// mu scaled for products of two 16-bit amplitudes: 2^-30.
constexpr double kMuScale = 1.0 / 1073741824.0;

} // namespace

void CLmsFilter::Init(const std::vector<double>& h, double mu, int delay) {
    m_h = h;
    const int n = static_cast<int>(h.size());
    m_w.assign(h.size(), 0.0);
    if (n > 0) m_w[n / 2] = 0.01;
    m_fMu = mu;
    m_nDelay = std::clamp(delay, -n, n);
    m_nSineCounter = 0;
    m_fRelError = 0.0;
    m_nFrames = 0;
    m_xl.clear();
    m_xr.clear();
    m_s.clear();
}

void CLmsFilter::Resize(int frames) {
    const std::size_t size = 2 * (m_w.size() + static_cast<std::size_t>(frames));
    m_nFrames = frames;
    m_xl.assign(size, 0.0);
    m_xr.assign(size, 0.0);
    m_s.assign(size, 0.0);
    m_lastL.assign(static_cast<std::size_t>(frames), 0.0);
    m_lastR.assign(static_cast<std::size_t>(frames), 0.0);
    m_lastSine.assign(static_cast<std::size_t>(frames), 0.0);
}

double CLmsFilter::Sine() {
    const double t = static_cast<double>(m_nSineCounter++);
    return std::trunc(std::sin(2.0 * std::numbers::pi * m_sig.sineFreq * t / m_sig.fs) *
                      m_sig.sineAmp * 32768.0);
}

void CLmsFilter::MakeNewest(const std::int16_t* in, int frames) {
    const std::size_t at = m_w.size() + static_cast<std::size_t>(frames);
    if (!m_sig.generator) {
        for (int k = 0; k < frames; ++k) {
            m_xl[at + k] = in[2 * k];
            m_xr[at + k] = in[2 * k + 1];
        }
        return;
    }
    const bool noise = m_sig.noiseOn && m_sig.mode != lmsmode::Predict;
    const bool predict = m_sig.mode == lmsmode::Predict && m_sig.sineOn;
    for (int k = 0; k < frames; ++k) {
        if (noise) {
            const double v = m_noise.Next(m_sig.noiseFactor);
            m_xl[at + k] = m_xr[at + k] = v;
            if (m_sig.mode == lmsmode::Denoise) m_s[at + k] = Sine();
        } else if (predict) {
            const double s = Sine();
            const double v = m_sig.noiseOn ? m_noise.Next(m_sig.noiseFactor) : 0.0;
            m_xl[at + k] = s;
            m_xr[at + k] = std::trunc(s + v);
        }
    }
}

void CLmsFilter::Process(const std::int16_t* in, std::int16_t* out, int frames) {
    const int n = Taps();
    if (n == 0 || frames <= 0) return;
    if (frames != m_nFrames) Resize(frames);
    MakeNewest(in, frames);

    const int d = m_nDelay;
    int oL, oR;
    if (m_sig.generator) {
        oR = d > 0 ? d : 0;
        oL = d > 0 ? 0 : -d;
    } else {
        oR = d > 0 ? 0 : n + d;
        oL = d > 0 ? n - d : 0;
    }
    // The line source runs the identifying kernel whatever the mode list shows.
    const int mode = m_sig.generator ? m_sig.mode : lmsmode::Identify;
    const bool filteredDesired = m_sig.generator && mode != lmsmode::Predict;
    const double mu = m_fMu * kMuScale;
    const std::size_t size = m_xl.size();
    const auto at = [size](const std::vector<double>& x, long long i) {
        return i >= 0 && static_cast<std::size_t>(i) < size ? x[static_cast<std::size_t>(i)] : 0.0;
    };
    double y = 0.0, desired = 0.0;
    for (int k = 0; k < frames; ++k) {
        // x[N + oR + k - j] for j = 0 ... N-1 runs from xr[base] down to xr[base - N + 1] >= 1.
        const double* xr = m_xr.data() + n + oR + k;
        y = 0.0;
        for (int j = 0; j < n; ++j) y += m_w[j] * xr[-j];
        if (filteredDesired) {
            const double* xl = m_xl.data() + n + oL + k;
            desired = 0.0;
            for (int j = 0; j < n; ++j) desired += m_h[j] * xl[-j];
            if (mode == lmsmode::Denoise) {
                m_lastSine[k] = at(m_s, static_cast<long long>(n) + frames + oL + k);
                desired += m_lastSine[k];
            }
        } else {
            desired = at(m_xl, oL + k);
        }
        m_lastL[k] = m_xl[n + k];
        m_lastR[k] = m_xr[n + k];
        out[2 * k] = WrapToInt16(desired);
        out[2 * k + 1] = WrapToInt16(y);
        const double step = mu * (y - desired);
        for (int j = 0; j < n; ++j) m_w[j] -= step * xr[-j];
    }
    const double sum = y + desired;
    m_fRelError = sum == 0.0 ? 0.0 : std::fabs((y - desired) / sum);
    // The oldest block drops out; the newest area keeps its content until it is written again.
    const std::size_t f = static_cast<std::size_t>(frames);
    const std::size_t keep = m_w.size() + 2 * f - f;
    for (auto* track : {&m_xl, &m_xr, &m_s})
        std::copy(track->begin() + f, track->begin() + f + keep, track->begin());
}

double CLmsFilter::InputLeft(int k) const {
    return k >= 0 && static_cast<std::size_t>(k) < m_lastL.size() ? m_lastL[k] : 0.0;
}

double CLmsFilter::InputRight(int k) const {
    return k >= 0 && static_cast<std::size_t>(k) < m_lastR.size() ? m_lastR[k] : 0.0;
}

double CLmsFilter::SineAt(int k) const {
    return k >= 0 && static_cast<std::size_t>(k) < m_lastSine.size() ? m_lastSine[k] : 0.0;
}
