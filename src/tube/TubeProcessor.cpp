#include "tube/TubeProcessor.h"

#include "dsp/FloatToInt.h"
#include "tube/TubeData.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {
constexpr double kFull16 = 32767.0;
constexpr double kFull32 = 2147483648.0;
constexpr double kPercentTo16 = 327.68;
constexpr double kPercentTo32 = 21474836.0;
} // namespace

double CTubeProcessor::Output(double x, double f) const {
    const TubeRecord& u = m_model.rec[0];
    if (m_model.circuit == tube::kSingle) {
        const double eg = u.eg0 + x * u.a / f;
        return (u.Limited(eg) - u.p0) * f / u.d;
    }
    const TubeRecord& l = m_model.rec[1];
    const double egU = u.eg0 + x * u.a / f;
    const double egL = l.eg0 + x * l.a / f;
    return (l.Limited(egL) - u.Limited(egU)) * f / l.d;
}

void CTubeProcessor::Process(std::uint8_t* data, int frames, int widthCode, float* wave1,
                             float* wave2) {
    const bool wide = widthCode != 1;
    const int bytes = wide ? 4 : 2;
    const double f = wide ? kFull32 : kFull16;
    const double toCount = wide ? kPercentTo32 : kPercentTo16;
    const std::int32_t hi = wide ? std::numeric_limits<std::int32_t>::max() : 32767;
    const std::int32_t lo = wide ? std::numeric_limits<std::int32_t>::min() : -32767;
    float* wave[2] = {wave1, wave2};
    for (int i = 0; i < frames; ++i)
        for (int ch = 0; ch < 2; ++ch) {
            std::uint8_t* p = data + (static_cast<std::size_t>(i) * 2 + ch) * bytes;
            std::int32_t x = 0;
            if (wide) {
                std::uint32_t v = 0;
                std::memcpy(&v, p, 4);
                x = static_cast<std::int32_t>(v);
            } else {
                std::int16_t v = 0;
                std::memcpy(&v, p, 2);
                x = v;
            }
            const double xs = x - m_offset[ch] * toCount;
            if (wave[ch]) wave[ch][i] = static_cast<float>(xs);
            const double g = std::fabs(xs * m_model.rec[0].a / f);
            m_peak[ch] = std::max(m_peak[ch], g);
            if (m_bThrough) continue;
            const std::int32_t y = SaturateToRange(Output(xs, f), lo, hi);
            if (wide) {
                const auto v = static_cast<std::uint32_t>(y);
                std::memcpy(p, &v, 4);
            } else {
                const auto v = static_cast<std::int16_t>(y);
                std::memcpy(p, &v, 2);
            }
        }
}
