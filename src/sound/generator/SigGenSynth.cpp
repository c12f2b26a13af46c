#include "sound/generator/SigGenSynth.h"

#include "dsp/FloatToInt.h"

#include <cmath>

void SigGenSettings::CopyCh1ToCh2() {
    for (SigGenSource& s : source) {
        s.freq[s.Pair(1)] = s.freq[s.Pair(0)];
        s.level[s.Pair(1)] = s.level[s.Pair(0)];
    }
}

int CSigGenSynth::FileFrameBytes(int widthCode) {
    return widthCode == 1 ? 4 : widthCode == 2 ? 6 : 8;
}

double CSigGenSynth::SquareFrequency(int rate, int freq) {
    const int period = SquarePeriod(rate, freq);
    return period > 0 ? static_cast<double>(rate) / period : 0.0;
}

void CSigGenSynth::Begin(const SigGenSettings& settings, std::uint32_t seed, std::uint64_t start) {
    m_set = settings;
    m_nWidth = settings.widthCode;
    m_fFull = m_nWidth == 1 ? 32767.0 : 2147483647.0;
    for (int g = 0; g < siggen::kSources; ++g)
        for (int ch = 0; ch < 2; ++ch)
            m_fAmp[g][ch] = std::pow(10.0, m_set.source[g].Level(ch) * 0.05);
    for (int ch = 0; ch < 2; ++ch) {
        m_nPeriod[ch] = SquarePeriod(m_set.rate, m_set.source[siggen::kSquare].Freq(ch));
        m_nSquarePos[ch] = m_nPeriod[ch] > 0 ? static_cast<int>(start % m_nPeriod[ch]) : 0;
    }
    m_nSine = static_cast<std::uint32_t>(start % static_cast<std::uint64_t>(m_set.rate));
    m_rand.Seed(seed);
}

void CSigGenSynth::NextFrame(std::int32_t& ch1, std::int32_t& ch2) {
    std::uint32_t sum[2] = {0u, 0u};
    const double fs = m_set.rate;
    for (int g = 0; g < siggen::kSines; ++g) {
        const SigGenSource& s = m_set.source[g];
        if (!s.on) continue;
        for (int ch = 0; ch < 2; ++ch) {
            const double x = std::sin(kTwoPi * m_nSine * s.Freq(ch) / fs);
            sum[ch] += static_cast<std::uint32_t>(SaturateToInt32(x * m_fAmp[g][ch] * m_fFull));
        }
    }
    if (m_set.source[siggen::kSquare].on) {
        for (int ch = 0; ch < 2; ++ch) {
            const std::int32_t a = SaturateToInt32(m_fAmp[siggen::kSquare][ch] * m_fFull);
            const bool high = 2 * m_nSquarePos[ch] < m_nPeriod[ch];
            sum[ch] += static_cast<std::uint32_t>(high ? a : -a);
        }
    }
    if (m_set.source[siggen::kNoise].on) {
        int r = 0;
        for (int ch = 0; ch < 2; ++ch) {
            if (ch == 0 || m_set.stereo) {
                const auto raw = static_cast<std::uint32_t>(m_rand.Next());
                r = m_nWidth == 1 ? static_cast<std::int16_t>(static_cast<std::uint16_t>(raw * 2u))
                                  : static_cast<std::int32_t>(raw << 17);
            }
            sum[ch] += static_cast<std::uint32_t>(
                SaturateToInt32(static_cast<double>(r) * m_fAmp[siggen::kNoise][ch]));
        }
    }
    if (++m_nSine >= static_cast<std::uint32_t>(m_set.rate)) m_nSine = 0;
    for (int ch = 0; ch < 2; ++ch)
        if (m_nPeriod[ch] > 0 && ++m_nSquarePos[ch] >= m_nPeriod[ch]) m_nSquarePos[ch] = 0;
    if (m_nWidth == 1) {
        ch1 = static_cast<std::int16_t>(static_cast<std::uint16_t>(sum[0]));
        ch2 = static_cast<std::int16_t>(static_cast<std::uint16_t>(sum[1]));
    } else {
        ch1 = static_cast<std::int32_t>(sum[0]);
        ch2 = static_cast<std::int32_t>(sum[1]);
    }
}

namespace {
void PutLe(std::uint8_t*& p, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) *p++ = static_cast<std::uint8_t>(v >> (8 * i));
}
} // namespace

void CSigGenSynth::FillContainers(std::uint8_t* out, int frames) {
    const int bytes = m_nWidth == 1 ? 2 : 4;
    for (int f = 0; f < frames; ++f) {
        std::int32_t v[2];
        NextFrame(v[0], v[1]);
        for (std::int32_t x : v) PutLe(out, static_cast<std::uint32_t>(x), bytes);
    }
}

void CSigGenSynth::FillFile(std::uint8_t* out, int frames) {
    for (int f = 0; f < frames; ++f) {
        std::int32_t v[2];
        NextFrame(v[0], v[1]);
        for (std::int32_t x : v) {
            if (m_nWidth == 2)
                PutLe(out, static_cast<std::uint32_t>(x) >> 8, 3);
            else
                PutLe(out, static_cast<std::uint32_t>(x), m_nWidth == 1 ? 2 : 4);
        }
    }
}
