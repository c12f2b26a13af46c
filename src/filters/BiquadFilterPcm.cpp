#include "filters/PcmFilters.h"
#include "filters/PcmSample.h"

#include <cstring>

namespace {

struct Ratios {
    float b0, b1, b2, a1, a2;
};

int ReadAt(const std::uint8_t* data, int frame, int block, int offset, int width) {
    const std::uint8_t* p = data + static_cast<std::size_t>(frame) * block + offset;
    return width == 2 ? pcmio::Read16(p) : pcmio::Read8(p);
}

void FilterChannel(const Ratios& r, int frames, int block, int offset, int width,
                   const std::uint8_t* in, std::uint8_t* out, float* xh, float* yh) {
    for (int n = 0; n < frames; ++n) {
        const float x0 = static_cast<float>(ReadAt(in, n, block, offset, width));
        const float x1 =
            n >= 1 ? static_cast<float>(ReadAt(in, n - 1, block, offset, width)) : xh[0];
        const float x2 = n >= 2   ? static_cast<float>(ReadAt(in, n - 2, block, offset, width))
                         : n == 1 ? xh[0]
                                  : xh[1];
        const float y1 =
            n >= 1 ? static_cast<float>(ReadAt(out, n - 1, block, offset, width)) : yh[0];
        const float y2 = n >= 2   ? static_cast<float>(ReadAt(out, n - 2, block, offset, width))
                         : n == 1 ? yh[0]
                                  : yh[1];
        // The float ratios and samples are summed in double: a section whose numerator equals its
        // denominator (a peaking section at 0 dB) then gives its input back exactly.
        const double y = static_cast<double>(r.b0) * x0 + static_cast<double>(r.b1) * x1 +
                         static_cast<double>(r.b2) * x2 - static_cast<double>(r.a1) * y1 -
                         static_cast<double>(r.a2) * y2;
        std::uint8_t* p = out + static_cast<std::size_t>(n) * block + offset;
        if (width == 2)
            pcmio::StoreWrap16(p, y);
        else
            pcmio::StoreWrap8(p, std::isfinite(y) ? std::trunc(y) + 128.0 : 128.0);
    }
    if (frames == 0) return;
    const float lastX = static_cast<float>(ReadAt(in, frames - 1, block, offset, width));
    const float lastY = static_cast<float>(ReadAt(out, frames - 1, block, offset, width));
    if (frames >= 2) {
        xh[1] = static_cast<float>(ReadAt(in, frames - 2, block, offset, width));
        yh[1] = static_cast<float>(ReadAt(out, frames - 2, block, offset, width));
    } else {
        xh[1] = xh[0];
        yh[1] = yh[0];
    }
    xh[0] = lastX;
    yh[0] = lastY;
}

} // namespace

void BiquadFilterPcm(int channelMode, int frames, int format, double a0, double a1, double a2,
                     double b0, double b1, double b2, float* inHist1, float* inHist2,
                     float* outHist1, float* outHist2, int headSize, const std::uint8_t* src,
                     std::uint8_t* dst) {
    if (headSize > 0) std::memcpy(dst, src, static_cast<std::size_t>(headSize));
    if (format < pcm::Mono8 || format > pcm::Stereo16 || frames <= 0) return;
    const int channels = (format & 1) ? 2 : 1;
    const int width = format >= pcm::Mono16 ? 2 : 1;
    const int block = channels * width;
    const std::uint8_t* in = src + headSize;
    std::uint8_t* out = dst + headSize;
    std::memcpy(out, in, static_cast<std::size_t>(frames) * block);

    const bool filter1 = channelMode == chmode::Ch1 || channelMode == chmode::Both ||
                         (channels == 1 && channelMode == chmode::Ch2);
    const bool filter2 =
        channels == 2 && (channelMode == chmode::Ch2 || channelMode == chmode::Both);
    const float fa0 = static_cast<float>(a0);
    const Ratios r{static_cast<float>(b0) / fa0, static_cast<float>(b1) / fa0,
                   static_cast<float>(b2) / fa0, static_cast<float>(a1) / fa0,
                   static_cast<float>(a2) / fa0};
    if (filter1) FilterChannel(r, frames, block, 0, width, in, out, inHist1, outHist1);
    if (filter2) FilterChannel(r, frames, block, width, width, in, out, inHist2, outHist2);
}
