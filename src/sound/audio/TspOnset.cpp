#include "sound/audio/TspOnset.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
constexpr std::size_t kProbeStep = 512;
constexpr int kProbeLoud = 3000;
constexpr int kQuietProbes = 16;
} // namespace

std::size_t audio::TspOnsetStart(const std::uint8_t* buffer, std::size_t len, int channel,
                                 int widthCode) {
    const bool wide = widthCode != 1;
    const std::size_t sample = wide ? 4 : 2;
    const std::size_t first = static_cast<std::size_t>(channel) * sample + (wide ? 2 : 0);
    int quiet = 0;
    for (std::size_t pos = first; pos + 2 <= len; pos += kProbeStep) {
        std::int16_t v;
        std::memcpy(&v, buffer + pos, 2);
        if (std::abs(static_cast<int>(v)) < kProbeLoud) {
            ++quiet;
            continue;
        }
        if (quiet > kQuietProbes) {
            const long long start = static_cast<long long>(pos - first) -
                                    static_cast<long long>(kQuietProbes * kProbeStep);
            const auto limited = static_cast<std::size_t>(std::clamp<long long>(start, 0, len / 2));
            return limited - limited % (2 * sample);
        }
        quiet = 0;
    }
    return 0;
}
