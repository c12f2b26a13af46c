// PcmRecordToFloat against a sample-by-sample decoding of the same bytes: 8 and 16 bits, mono
// and stereo (either channel), with and without a window, records ending on the last byte of
// their buffer, which lies just before an inaccessible page (a read past the record faults).
#include "dsp/PcmRecord.h"

#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

// `size` bytes that end where a page without access begins.
class GuardedBytes {
public:
    explicit GuardedBytes(std::size_t size) : m_size(size) {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        m_mapped = (size + page - 1) / page * page + page;
        void* base =
            mmap(nullptr, m_mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED) return;
        m_base = static_cast<std::uint8_t*>(base);
        if (mprotect(m_base + m_mapped - page, page, PROT_NONE) != 0) {
            munmap(m_base, m_mapped);
            m_base = nullptr;
        }
    }
    ~GuardedBytes() {
        if (m_base) munmap(m_base, m_mapped);
    }
    GuardedBytes(const GuardedBytes&) = delete;
    GuardedBytes& operator=(const GuardedBytes&) = delete;
    std::uint8_t* Data() const {
        const std::size_t page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        return m_base ? m_base + (m_mapped - page - m_size) : nullptr;
    }

private:
    std::size_t m_size;
    std::size_t m_mapped = 0;
    std::uint8_t* m_base = nullptr;
};

struct Case {
    int bits;
    int channels;
    int channel; // 0 or 1
    int n;
};

std::string Name(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    return "Bits" + std::to_string(c.bits) + "Ch" + std::to_string(c.channels) + "Read" +
           std::to_string(c.channel + 1) + "N" + std::to_string(c.n);
}

class PcmRecord : public ::testing::TestWithParam<Case> {};

TEST_P(PcmRecord, MatchesSampleBySampleDecoding) {
    const Case& c = GetParam();
    const int width = c.bits / 8;
    const int stride = width * c.channels;
    // The record's last byte is the buffer's last byte: the frames end with the channel read.
    const std::size_t size = static_cast<std::size_t>(c.n - 1) * stride +
                             static_cast<std::size_t>((c.channel + 1) * width);
    GuardedBytes guarded(size);
    std::uint8_t* bytes = guarded.Data();
    ASSERT_NE(bytes, nullptr);
    std::mt19937 rng(static_cast<unsigned>(c.n * 8 + c.bits + c.channel));
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(rng());
    // The most negative sample first, the most positive one second.
    std::uint8_t* p = bytes + c.channel * width;
    const std::vector<std::uint8_t> lowest =
        c.bits == 16 ? std::vector<std::uint8_t>{0x00, 0x80} : std::vector<std::uint8_t>{0x00};
    const std::vector<std::uint8_t> highest =
        c.bits == 16 ? std::vector<std::uint8_t>{0xFF, 0x7F} : std::vector<std::uint8_t>{0xFF};
    std::copy(lowest.begin(), lowest.end(), p);
    if (c.n > 1) std::copy(highest.begin(), highest.end(), p + stride);

    std::vector<float> window(static_cast<std::size_t>(c.n));
    for (int i = 0; i < c.n; ++i) window[i] = 0.25f + 0.5f * static_cast<float>(i % 7) / 7.0f;
    for (const float* w :
         {static_cast<const float*>(nullptr), static_cast<const float*>(window.data())}) {
        std::vector<float> out(static_cast<std::size_t>(c.n), -1.0f);
        PcmRecordToFloat(p, c.bits, stride, c.n, w, out.data());
        for (int i = 0; i < c.n; ++i) {
            const std::uint8_t* s = p + static_cast<std::size_t>(i) * stride;
            const int v = c.bits == 16 ? static_cast<std::int16_t>(s[0] | (s[1] << 8)) : s[0] - 128;
            const float want = w ? static_cast<float>(v) * w[i] : static_cast<float>(v);
            ASSERT_EQ(out[i], want) << "sample " << i << (w ? " windowed" : "");
        }
    }
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (int bits : {8, 16})
        for (int channels : {1, 2})
            for (int channel = 0; channel < channels; ++channel)
                for (int n : {1, 7, 8, 9, 16, 17, 1024})
                    cases.push_back(Case{bits, channels, channel, n});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Formats, PcmRecord, ::testing::ValuesIn(Cases()), Name);

} // namespace
