#include "sound/audio/AudioAnalyzer.h"

#include "dsp/Window.h"
#include "dsp/WindowKinds.h"
#include "sound/audio/AudioItems.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
constexpr float kKaiserBeta = 12.0f;
constexpr double kPercentTo16 = 327.68;
constexpr double kPercentTo32 = 21474836.0;
} // namespace

CAudioAnalyzer::CAudioAnalyzer()
    : m_window(audio::kSinePoints), m_re(audio::kSinePoints), m_im(audio::kSinePoints) {
    FillWindow(wnd::Kaiser, audio::kSinePoints, kKaiserBeta, m_window.data());
    m_fft.Init(m_planN, audio::kSinePoints);
    m_fft.Init(m_planT, audio::kTspPoints);
    for (int c = 0; c < 2; ++c) {
        m_acc[c].assign(audio::kSinePoints, 0.0);
        m_shown[c].assign(audio::kSinePoints, 0.0f);
        m_wave[c].assign(audio::kSinePoints, 0.0f);
    }
}

void CAudioAnalyzer::Clear() {
    for (auto& a : m_acc) std::fill(a.begin(), a.end(), 0.0);
    m_nAccumulated = 0;
}

void CAudioAnalyzer::Analyse(const std::uint8_t* frames, int points, int widthCode,
                             const float offset[2], bool averaging) {
    const bool windowed = points == audio::kSinePoints;
    const bool wide = widthCode != 1;
    const int bytes = wide ? 4 : 2;
    m_nPoints = points;
    for (int c = 0; c < 2; ++c) {
        const double off = offset[c] * (wide ? kPercentTo32 : kPercentTo16);
        for (int i = 0; i < points; ++i) {
            const std::uint8_t* p = frames + (static_cast<std::size_t>(i) * 2 + c) * bytes;
            double x = 0.0;
            if (wide) {
                std::int32_t v;
                std::memcpy(&v, p, 4);
                x = v;
            } else {
                std::int16_t v;
                std::memcpy(&v, p, 2);
                x = v;
            }
            m_wave[c][i] = static_cast<float>(x - off);
            m_re[i] = static_cast<float>((x - off) * (windowed ? m_window[i] : 1.0f));
            m_im[i] = 0.0f;
        }
        m_fft.Transform(windowed ? m_planN : m_planT, 0, m_re.data(), m_im.data());
        for (int k = 0; k < points; ++k) {
            const float mag = std::sqrt(m_re[k] * m_re[k] + m_im[k] * m_im[k]);
            if (averaging) {
                m_acc[c][k] += mag;
                m_shown[c][k] = static_cast<float>(m_acc[c][k] / (m_nAccumulated + 1));
            } else {
                m_shown[c][k] = mag;
            }
        }
    }
    if (averaging) ++m_nAccumulated;
}
