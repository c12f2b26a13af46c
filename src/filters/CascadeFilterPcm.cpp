#include "dsp/FloatToInt.h"
#include "filters/PcmFilters.h"
#include "filters/PcmSample.h"

#include <algorithm>
#include <cstring>

namespace {

double RunSections(const BiquadTable& t, int sections, CascadeState& s, double z) {
    for (int k = 0; k < sections; ++k) {
        const double w = z - (t.a1[k] * s.w1[k] + t.a2[k] * s.w2[k]);
        z = t.b0[k] * w + t.b1[k] * s.w1[k] + t.b2[k] * s.w2[k];
        s.w2[k] = s.w1[k];
        s.w1[k] = w;
    }
    return z;
}

} // namespace

void CascadeFilterPcm(int channelMode, double gain, int dataBytes, int blockSize, int format,
                      int order, const BiquadTable& table, CascadeState& state1,
                      CascadeState& state2, int headSize, const std::uint8_t* src,
                      std::uint8_t* dst, bool saturate) {
    dataBytes = std::max(dataBytes, 0);
    headSize = std::max(headSize, 0);
    std::memcpy(dst, src, static_cast<std::size_t>(headSize) + dataBytes);
    if (format < pcm::Mono8 || format > pcm::Stereo16 || blockSize <= 0) return;
    const int channels = (format & 1) ? 2 : 1;
    const int width = format >= pcm::Mono16 ? 2 : 1;
    if (blockSize < channels * width) return;
    const bool filter1 = channelMode == chmode::Ch1 || channelMode == chmode::Both ||
                         (channels == 1 && channelMode == chmode::Ch2);
    const bool filter2 =
        channels == 2 && (channelMode == chmode::Ch2 || channelMode == chmode::Both);
    if (!filter1 && !filter2) return;

    const int sections = std::clamp((order + 1) / 2, 0, filt::kMaxSections);
    const int frames = dataBytes / blockSize;
    const std::uint8_t* in = src + headSize;
    std::uint8_t* out = dst + headSize;
    for (int f = 0; f < frames; ++f) {
        for (int ch = 0; ch < 2; ++ch) {
            if (!(ch == 0 ? filter1 : filter2)) continue;
            const std::size_t at = static_cast<std::size_t>(f) * blockSize +
                                   (ch == 0 ? 0 : static_cast<std::size_t>(blockSize / 2));
            const double x = width == 2 ? pcmio::Read16(in + at) : pcmio::Read8(in + at);
            const double z = RunSections(table, sections, ch == 0 ? state1 : state2, x);
            if (saturate && width == 2)
                pcmio::Write16(out + at, SaturateToRange(gain * z, -32768, 32767));
            else if (saturate)
                *(out + at) =
                    static_cast<std::uint8_t>(SaturateToRange(gain * (z + 128.0), 0, 255));
            else if (width == 2)
                pcmio::StoreWrap16(out + at, gain * z);
            else
                pcmio::StoreWrap8(out + at, gain * (z + 128.0));
        }
    }
}
