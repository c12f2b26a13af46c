#include "sound/devices/PcmFrameCodec.h"

#include "document/ByteOrder.h"
#include "sound/engine/WaveTypes.h"

#include <cmath>

namespace {

// round(v * scale) limited to [lo, hi]; NaN gives 0.
long long Quantise(double v, double scale, long long lo, long long hi) {
    const double r = std::round(v * scale);
    if (!(r == r)) return 0;
    if (r <= static_cast<double>(lo)) return lo;
    if (r >= static_cast<double>(hi)) return hi;
    return static_cast<long long>(r);
}

} // namespace

void pcmframe::Read(const WaveFormat& format, const std::uint8_t* p, double* v) {
    for (int c = 0; c < format.channels; ++c) {
        switch (format.bitsPerSample) {
        case 8:
            v[c] = (p[c] - 128) * 256.0;
            break;
        case 16:
            v[c] = static_cast<std::int16_t>(ReadLe16(p + 2 * c));
            break;
        default: {
            const auto s32 = static_cast<std::int32_t>(ReadLe32(p + 4 * c));
            // 24 valid bits: the sample is the top 24 bits, the low byte is ignored.
            v[c] = format.validBitsPerSample == 24 ? (s32 >> 8) / 256.0 : s32 / 65536.0;
            break;
        }
        }
    }
}

void pcmframe::Write(const WaveFormat& format, const double* v, std::uint8_t* p) {
    for (int c = 0; c < format.channels; ++c) {
        switch (format.bitsPerSample) {
        case 8:
            p[c] = static_cast<std::uint8_t>(128 + Quantise(v[c], 1.0 / 256.0, -128, 127));
            break;
        case 16:
            WriteLe16(p + 2 * c, static_cast<std::uint16_t>(Quantise(v[c], 1.0, -32768, 32767)));
            break;
        default: {
            const long long s = format.validBitsPerSample == 24
                                    ? Quantise(v[c], 256.0, -(1LL << 23), (1LL << 23) - 1) * 256
                                    : Quantise(v[c], 65536.0, -(1LL << 31), (1LL << 31) - 1);
            WriteLe32(p + 4 * c, static_cast<std::uint32_t>(s));
            break;
        }
        }
    }
}
