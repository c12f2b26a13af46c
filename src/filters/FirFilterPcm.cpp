#include "dsp/CpuDispatch.h"
#include "filters/FirOverlapSave.h"
#include "filters/PcmFilters.h"
#include "filters/PcmSample.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <new>
#include <vector>

namespace {

constexpr int kBlockFrames = 1024; // output frames computed per pass over the taps

// Four doubles as one GCC/Clang vector; the helpers below are internal and inlined, so the
// argument-passing ABI of such vectors (which differs with and without AVX) never matters.
#pragma GCC diagnostic ignored "-Wpsabi"
using v4d = double __attribute__((vector_size(32)));

inline v4d Load4(const double* p) {
    v4d v;
    __builtin_memcpy(&v, p, sizeof v);
    return v;
}

inline void Store4(double* p, v4d v) {
    __builtin_memcpy(p, &v, sizeof v);
}

// acc[t] += sum over k of h[k] * xEnd[t - k], k = 0 ... taps-1, added in the order of k, so
// every output is the same double sum as a plain loop would give. xEnd[t - k] must be readable
// for t = 0 ... count-1. Eight vectors of four outputs stay in registers while the taps pass.
__attribute__((always_inline)) inline void Accumulate(double* acc, const double* xEnd, int count,
                                                      const double* h, int taps) {
    constexpr int kLanes = 4;
    constexpr int kVectors = 8;
    int t = 0;
    for (; t + kLanes * kVectors <= count; t += kLanes * kVectors) {
        v4d a[kVectors];
#pragma GCC unroll 8
        for (int v = 0; v < kVectors; ++v) a[v] = Load4(acc + t + kLanes * v);
        for (int k = 0; k < taps; ++k) {
            const double* x = xEnd + t - k;
            const double hk = h[k];
#pragma GCC unroll 8
            for (int v = 0; v < kVectors; ++v) a[v] += hk * Load4(x + kLanes * v);
        }
#pragma GCC unroll 8
        for (int v = 0; v < kVectors; ++v) Store4(acc + t + kLanes * v, a[v]);
    }
    for (; t < count; ++t) {
        double sum = acc[t];
        for (int k = 0; k < taps; ++k) sum += h[k] * xEnd[t - k];
        acc[t] = sum;
    }
}

void AccumulateBaseline(double* acc, const double* xEnd, int count, const double* h, int taps) {
    Accumulate(acc, xEnd, count, h, taps);
}

#if SONALYX_AVX2_DISPATCH
SONALYX_TARGET_AVX2_FMA void AccumulateAvx2(double* acc, const double* xEnd, int count,
                                            const double* h, int taps) {
    Accumulate(acc, xEnd, count, h, taps);
}
#endif

void AccumulateTaps(double* acc, const double* xEnd, int count, const double* h, int taps) {
#if SONALYX_AVX2_DISPATCH
    if (CpuHasAvx2Fma()) {
        AccumulateAvx2(acc, xEnd, count, h, taps);
        return;
    }
#endif
    AccumulateBaseline(acc, xEnd, count, h, taps);
}

struct Layout {
    int channels;
    int width; // bytes per sample
    int block; // bytes per frame
};

int ReadCentred(const std::uint8_t* p, int width) {
    return width == 2 ? pcmio::Read16(p) : pcmio::Read8(p);
}

void StoreFir(std::uint8_t* p, int width, double y) {
    if (width == 2) {
        pcmio::StoreWrap16(p, y);
    } else {
        const double limited = std::isnan(y) ? 0.0 : std::clamp(y, -127.0, 127.0);
        *p = static_cast<std::uint8_t>(static_cast<int>(limited) + 128);
    }
}

// Filters channel `ch` (0 or 1) of input frames taps ... frames-1 into output frames
// 0 ... frames-taps-1.
void FilterChannel(const Layout& L, int ch, int frames, int taps, const double* h,
                   const std::uint8_t* in, std::uint8_t* out) {
    const int outputs = frames - taps;
    std::vector<double> x(static_cast<std::size_t>(kBlockFrames + taps));
    std::vector<double> acc(kBlockFrames);
    for (int j0 = 0; j0 < outputs; j0 += kBlockFrames) {
        const int count = std::min(kBlockFrames, outputs - j0);
        // x[m] holds input frame j0 + 1 + m; output j = j0 + t uses frames j + 1 ... j + taps.
        const int inputs = count + taps - 1;
        for (int m = 0; m < inputs; ++m) {
            const std::size_t at = static_cast<std::size_t>(j0 + 1 + m) * L.block +
                                   static_cast<std::size_t>(ch * L.width);
            x[static_cast<std::size_t>(m)] = ReadCentred(in + at, L.width);
        }
        std::fill(acc.begin(), acc.begin() + count, 0.0);
        AccumulateTaps(acc.data(), x.data() + (taps - 1), count, h, taps);
        for (int t = 0; t < count; ++t) {
            const std::size_t at =
                static_cast<std::size_t>(j0 + t) * L.block + static_cast<std::size_t>(ch * L.width);
            StoreFir(out + at, L.width, acc[static_cast<std::size_t>(t)]);
        }
    }
}

// ---- Overlap-save path ------------------------------------------------------------------

// One sequence of a segment: channel `ch`, outputs first ... first + step - 1.
struct Part {
    int ch;
    int first;
};

// Reads the segment of `part` (input frames first + 1 ... first + m; 0 past the last frame).
void FillSegment(const Layout& L, const Part& part, int frames, int m, const std::uint8_t* in,
                 double* x) {
    const int available = std::clamp(frames - 1 - part.first, 0, m);
    const std::uint8_t* p = in + static_cast<std::size_t>(part.first + 1) * L.block +
                            static_cast<std::size_t>(part.ch * L.width);
    for (int t = 0; t < available; ++t)
        x[t] = ReadCentred(p + static_cast<std::size_t>(t) * L.block, L.width);
    std::fill(x + available, x + m, 0.0);
}

// Output j of channel ch by the direct form, exactly as FilterChannel computes it.
double DirectOutput(const Layout& L, int ch, int j, int taps, const double* h,
                    const std::uint8_t* in, std::vector<double>& x) {
    for (int m = 0; m < taps; ++m) {
        const std::size_t at =
            static_cast<std::size_t>(j + 1 + m) * L.block + static_cast<std::size_t>(ch * L.width);
        x[static_cast<std::size_t>(m)] = ReadCentred(in + at, L.width);
    }
    double acc = 0.0;
    AccumulateTaps(&acc, x.data() + (taps - 1), 1, h, taps);
    return acc;
}

// Stores the outputs of `part`: a value farther than `bound` from every integer truncates (and
// wraps or limits) to the same sample as the direct form's sum; the others are recomputed.
void StoreSegment(const Layout& L, const Part& part, const double* y, double bound, int step,
                  int outputs, int taps, const double* h, const std::uint8_t* in, std::uint8_t* out,
                  std::vector<double>& x) {
    const int count = std::min(step, outputs - part.first);
    for (int t = 0; t < count; ++t) {
        const int j = part.first + t;
        double v = y[t];
        if (!(std::fabs(v - std::nearbyint(v)) > bound) || !(std::fabs(v) < 0x1p40))
            v = DirectOutput(L, part.ch, j, taps, h, in, x);
        const std::size_t at =
            static_cast<std::size_t>(j) * L.block + static_cast<std::size_t>(part.ch * L.width);
        StoreFir(out + at, L.width, v);
    }
}

// Filters the selected channels by overlap-save segments, two sequences per transform: the two
// channels of the same frames, or two successive segments of one channel.
void FilterFast(const Layout& L, FirOverlapSave& fast, bool filter1, bool filter2, int frames,
                int taps, const double* h, const std::uint8_t* in, std::uint8_t* out) {
    const int outputs = frames - taps;
    const int step = fast.Step();
    const int m = fast.Size();
    std::vector<Part> parts;
    for (int first = 0; first < outputs; first += step) {
        if (filter1) parts.push_back(Part{0, first});
        if (filter2) parts.push_back(Part{1, first});
    }
    std::vector<double> x(static_cast<std::size_t>(taps));
    for (std::size_t p = 0; p < parts.size(); p += 2) {
        const bool pair = p + 1 < parts.size();
        FillSegment(L, parts[p], frames, m, in, fast.Re());
        if (pair)
            FillSegment(L, parts[p + 1], frames, m, in, fast.Im());
        else
            std::fill(fast.Im(), fast.Im() + m, 0.0);
        const double bound = fast.Convolve();
        StoreSegment(L, parts[p], fast.Re() + (taps - 1), bound, step, outputs, taps, h, in, out,
                     x);
        if (pair)
            StoreSegment(L, parts[p + 1], fast.Im() + (taps - 1), bound, step, outputs, taps, h, in,
                         out, x);
    }
}

// False when the taps or the memory do not allow the fast path.
bool PlanFast(FirOverlapSave& fast, const double* h, int taps, int width) {
    try {
        return fast.Init(h, taps, width == 2 ? 32768.0 : 128.0);
    } catch (const std::bad_alloc&) {
        return false;
    }
}

} // namespace

namespace {

void FilterPcm(bool allowFast, int channelMode, int frames, int format, int taps, const double* h,
               int headSize, const std::uint8_t* src, std::uint8_t* dst) {
    if (headSize > 0) std::memcpy(dst, src, static_cast<std::size_t>(headSize));
    if (format < pcm::Mono8 || format > pcm::Stereo16 || frames <= 0) return;
    const int channels = (format & 1) ? 2 : 1;
    const int width = format >= pcm::Mono16 ? 2 : 1;
    const Layout L{channels, width, channels * width};
    taps = std::max(taps, 0);
    const std::uint8_t* in = src + headSize;
    std::uint8_t* out = dst + headSize;
    const int outputs = std::max(frames - taps, 0);
    const auto block = static_cast<std::size_t>(L.block);

    // Frames the filter does not reach: silence.
    std::uint8_t* tail = out + static_cast<std::size_t>(outputs) * block;
    std::memset(tail, width == 1 ? 128 : 0, static_cast<std::size_t>(frames - outputs) * block);
    if (outputs == 0) return;

    const bool filter1 = channelMode == chmode::Ch1 || channelMode == chmode::Both ||
                         (channels == 1 && channelMode == chmode::Ch2);
    const bool filter2 =
        channels == 2 && (channelMode == chmode::Ch2 || channelMode == chmode::Both);
    if (!filter1 && !filter2) {
        std::memcpy(out, in + static_cast<std::size_t>(taps) * block,
                    static_cast<std::size_t>(outputs) * block);
        return;
    }
    FirOverlapSave fast;
    if (allowFast && taps >= kFirFftFromTaps && outputs >= taps && PlanFast(fast, h, taps, width)) {
        FilterFast(L, fast, filter1, filter2, frames, taps, h, in, out);
    } else {
        if (filter1) FilterChannel(L, 0, frames, taps, h, in, out);
        if (filter2) FilterChannel(L, 1, frames, taps, h, in, out);
    }
    if (channels == 2 && filter1 != filter2) {
        // The unfiltered channel follows the filter's (taps - 1) / 2 delay less the shift.
        const int copied = filter1 ? 1 : 0;
        const int lag = taps - taps / 2;
        for (int j = 0; j < outputs; ++j) {
            const std::size_t to = static_cast<std::size_t>(j) * block + copied * width;
            const std::size_t from = static_cast<std::size_t>(j + lag) * block + copied * width;
            std::memcpy(out + to, in + from, static_cast<std::size_t>(width));
        }
    }
}

} // namespace

void FirFilterPcm(int channelMode, int frames, int format, int taps, const double* h, int headSize,
                  const std::uint8_t* src, std::uint8_t* dst) {
    FilterPcm(true, channelMode, frames, format, taps, h, headSize, src, dst);
}

void FirFilterPcmDirect(int channelMode, int frames, int format, int taps, const double* h,
                        int headSize, const std::uint8_t* src, std::uint8_t* dst) {
    FilterPcm(false, channelMode, frames, format, taps, h, headSize, src, dst);
}
