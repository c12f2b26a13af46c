#include "dsp/PcmRecord.h"

#include "dsp/SimdLanes.h"

#include <bit>
#include <cstring>

namespace {

typedef std::int16_t Vec16s __attribute__((vector_size(32)));
typedef std::int16_t Vec8s __attribute__((vector_size(16)));
typedef std::int32_t Vec8i __attribute__((vector_size(32)));

inline float Sample16(const std::uint8_t* p) {
    return static_cast<float>(
        static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8))));
}

// 16-bit samples with a frame of 2 (mono) or 4 (stereo) bytes, eight at a time. A stereo load
// of eight frames takes 32 bytes from the first sample, 2 beyond the eighth: it stops while a
// ninth sample follows, so that it never reads past the record's last byte.
template <int Stride> void Read16(const std::uint8_t* p, int n, const float* window, float* out) {
    constexpr int kAfter = Stride == 4 ? 1 : 0; // samples that must follow a stereo load
    int i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; i + 8 + kAfter <= n; i += 8) {
            Vec8s s;
            if constexpr (Stride == 2) {
                s = simd::Load<Vec8s>(p + 2 * i);
            } else {
                const Vec16s pairs = simd::Load<Vec16s>(p + 4 * i);
                s = __builtin_shufflevector(pairs, pairs, 0, 2, 4, 6, 8, 10, 12, 14);
            }
            simd::Vec8 x = __builtin_convertvector(__builtin_convertvector(s, Vec8i), simd::Vec8);
            if (window) x *= simd::Load<simd::Vec8>(window + i);
            simd::Store(out + i, x);
        }
    }
    for (; i < n; ++i) {
        const float x = Sample16(p + static_cast<long>(i) * Stride);
        out[i] = window ? x * window[i] : x;
    }
}

} // namespace

void PcmRecordToFloat(const std::uint8_t* p, int bits, int stride, int n, const float* window,
                      float* out) {
    if (bits == 16 && stride == 2) {
        Read16<2>(p, n, window, out);
    } else if (bits == 16 && stride == 4) {
        Read16<4>(p, n, window, out);
    } else if (bits == 16) {
        for (int i = 0; i < n; ++i) {
            const float x = Sample16(p + static_cast<long>(i) * stride);
            out[i] = window ? x * window[i] : x;
        }
    } else {
        for (int i = 0; i < n; ++i) {
            const float x =
                static_cast<float>(static_cast<int>(p[static_cast<long>(i) * stride]) - 128);
            out[i] = window ? x * window[i] : x;
        }
    }
}
