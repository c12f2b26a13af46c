#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using Texts = std::vector<std::string>;

WavFormat Fmt(int channels, int bits, int fmtSize = 16, bool fact = false, int list = -1) {
    WavFormat s;
    s.channels = channels;
    s.bits = bits;
    s.rate = bits == 8 ? 8000 : 44100;
    s.fmtSize = fmtSize;
    s.factChunk = fact;
    s.listChunkSize = list;
    return s;
}

std::vector<std::uint8_t> Stereo16(int frames) {
    return BuildWav(Fmt(2, 16), SineSamples(frames, 2, 20000, 0.01));
}

struct LoadCase {
    const char* name;
    WavFormat format;
    int frames;
    int headSize;
    int dispMode3;
};

void PrintTo(const LoadCase& c, std::ostream* os) {
    *os << c.name;
}

class WaveLoad : public ::testing::TestWithParam<LoadCase> {};

TEST_P(WaveLoad, ReadsFormatAndSamples) {
    const LoadCase& c = GetParam();
    const auto samples =
        SineSamples(c.frames, c.format.channels, c.format.bits == 8 ? 100 : 20000, 0.01);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(c.format, samples)))
        << testing::PrintToString(ui.MessageTexts());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.disp_mode0, subreq::RawWave);
    EXPECT_EQ(doc.disp_mode3, c.dispMode3);
    EXPECT_EQ(doc.m_nChannel, c.format.channels);
    EXPECT_EQ(doc.m_nBitsPerSample, c.format.bits);
    EXPECT_EQ(doc.m_nSamplesPerSec, c.format.rate);
    EXPECT_EQ(doc.m_nHeadSize, c.headSize);
    EXPECT_EQ(doc.m_nFrames, c.frames);
    EXPECT_FLOAT_EQ(doc.m_fWaveFrames, static_cast<float>(c.frames));
    EXPECT_FLOAT_EQ(doc.m_fWaveDt, 1.0f / c.format.rate);
    EXPECT_EQ(doc.GetUpdateCount(), 1);
    for (int f : {0, 1, c.frames / 2, c.frames - 1})
        for (int ch = 1; ch <= c.format.channels; ++ch)
            EXPECT_EQ(doc.GetSample(f, ch), samples[f * c.format.channels + ch - 1])
                << f << "/" << ch;
}

INSTANTIATE_TEST_SUITE_P(
    Formats, WaveLoad,
    ::testing::Values(LoadCase{"mono8", Fmt(1, 8), 1001, 44, chan::Ch1},
                      LoadCase{"stereo8", Fmt(2, 8), 64, 44, chan::Both},
                      LoadCase{"stereo16", Fmt(2, 16), 3000, 44, chan::Both},
                      LoadCase{"mono16", Fmt(1, 16), 513, 44, chan::Ch1},
                      LoadCase{"header56", Fmt(2, 16, 16, true), 100, 56, chan::Both},
                      LoadCase{"fmt18", Fmt(2, 16, 18), 100, 46, chan::Both},
                      LoadCase{"oddList", Fmt(1, 16, 16, false, 7), 100, 60, chan::Ch1},
                      LoadCase{"evenList", Fmt(1, 16, 16, false, 6), 100, 58, chan::Ch1}),
    [](const auto& info) { return std::string(info.param.name); });

// Files the reader refuses, with the messages the user sees.
struct RejectCase {
    const char* name;
    std::vector<std::uint8_t> bytes;
    Texts messages;
};

void PrintTo(const RejectCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<std::uint8_t> Patched(std::vector<std::uint8_t> b, std::size_t at, std::uint32_t v) {
    WriteLe32(b.data() + at, v);
    return b;
}

std::vector<RejectCase> RejectCases() {
    const Texts openFailed{msg::kOpenFailed};
    std::vector<RejectCase> cases;
    cases.push_back({"fmt14", BuildWav(Fmt(2, 16, 14), {0, 0}), openFailed});
    // A 14-byte "fmt " chunk followed by a chunk whose first two bytes, read as the missing
    // sample size, would say 16 bits: refused for its size, not read past its end.
    auto fmt14Then16 = BuildWav(Fmt(2, 16, 14), {1, 2, 3, 4});
    const std::uint8_t looksLike16Bits[8] = {16, 0, 'p', 'a', 0, 0, 0, 0};
    fmt14Then16.insert(fmt14Then16.begin() + 34, looksLike16Bits, looksLike16Bits + 8);
    cases.push_back({"fmt14Then16",
                     Patched(fmt14Then16, 4, static_cast<std::uint32_t>(fmt14Then16.size() - 8)),
                     openFailed});
    cases.push_back(
        {"bits24", BuildWav(Fmt(2, 24), {1, 2, 3, 4}), {msg::kNoWide, msg::kOpenFailed}});
    cases.push_back({"bits32", BuildWav(Fmt(1, 32), {1, 2}), {msg::kNoWide, msg::kOpenFailed}});
    cases.push_back({"bits12", BuildWav(Fmt(1, 12), {1, 2}), openFailed});
    cases.push_back({"short", {'R', 'I', 'F', 'F', 1, 0, 0}, openFailed});
    auto notWave = Stereo16(4);
    std::copy_n("RIFX", 4, notWave.begin());
    std::copy_n("WAVX", 4, notWave.begin() + 8);
    cases.push_back({"notWave", notWave, openFailed});
    cases.push_back({"riffBelow4", Patched(Stereo16(4), 4, 3), openFailed});
    cases.push_back({"zeroChannels", Patched(Stereo16(4), 20, 1u), openFailed}); // channels 0
    cases.push_back({"zeroRate", Patched(Stereo16(4), 24, 0), openFailed});
    auto smallBlock = BuildWav(
        [] {
            auto s = Fmt(2, 16);
            s.blockAlignOverride = 2;
            return s;
        }(),
        {1, 2, 3, 4});
    cases.push_back({"blockTooSmall", smallBlock, openFailed});
    // "fmt " chunk announced at the very end: its 16 bytes are not in the file.
    std::vector<std::uint8_t> fmtAtEnd{'R', 'I', 'F', 'F', 0,  0, 0, 0, 'W', 'A', 'V', 'E',
                                       'f', 'm', 't', ' ', 16, 0, 0, 0, 1,   0,   2,   0};
    cases.push_back({"fmtPastEnd", Patched(fmtAtEnd, 4, 16), openFailed});
    auto noData = BuildWav(Fmt(2, 16), {});
    noData.resize(noData.size() - 8); // drop the data chunk header
    cases.push_back({"noDataChunk",
                     Patched(noData, 4, static_cast<std::uint32_t>(noData.size() - 8)),
                     openFailed});
    cases.push_back({"audio",
                     {'A', 'U', 'D', 'O', 0, 0, 0, 0, 0, 0, 0, 0},
                     {msg::kAudioFile, msg::kOpenFailed}});
    return cases;
}

class WaveReject : public ::testing::TestWithParam<RejectCase> {};

TEST_P(WaveReject, ShowsMessagesAndHoldsNoWave) {
    const RejectCase& c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    // A wave held before the failed open is released and its data kind falls back.
    ASSERT_TRUE(doc.LoadFromBytes(Stereo16(100)));
    ui.Clear();
    EXPECT_FALSE(doc.LoadFromBytes(c.bytes));
    EXPECT_EQ(ui.MessageTexts(), c.messages);
    EXPECT_FALSE(doc.HasWave());
    EXPECT_EQ(doc.m_nWaveImageSize, 0);
    EXPECT_EQ(doc.m_nWavDataSize, 0);
    EXPECT_EQ(doc.m_pWaveData, nullptr);
    EXPECT_EQ(doc.disp_mode1, kind::None);
    EXPECT_EQ(doc.GetSample(0, 1), 0);
}

// The same files opened by name: read straight into the image, with the same messages.
TEST_P(WaveReject, SameThroughFileOpen) {
    const RejectCase& c = GetParam();
    TempDir dir;
    TempDir::WriteFile(dir.Path("bad.wav"), c.bytes);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(Stereo16(100)));
    ui.Clear();
    EXPECT_FALSE(doc.OnOpenDocument(dir.Path("bad.wav")));
    EXPECT_EQ(ui.MessageTexts(), c.messages);
    EXPECT_FALSE(doc.HasWave());
    EXPECT_TRUE(doc.m_strPathName.empty());
}

INSTANTIATE_TEST_SUITE_P(Files, WaveReject, ::testing::ValuesIn(RejectCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(WaveRead, FourChannelsStayLoadedWithChannelCode100) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const auto samples = SineSamples(50, 4, 1000, 0.05);
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(Fmt(4, 16), samples)));
    EXPECT_EQ(ui.MessageTexts(), Texts{msg::kTwoChannelsOnly});
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.disp_mode3, chan::TooManyChannels);
    EXPECT_EQ(doc.m_nFrames, 50);
    EXPECT_EQ(doc.GetSample(10, 2), samples[10 * 4 + 1]);
}

TEST(WaveRead, WaveTagAloneIsEnough) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    auto bytes = Stereo16(10);
    std::copy_n("JUNK", 4, bytes.begin());
    EXPECT_TRUE(doc.LoadFromBytes(bytes));
    EXPECT_EQ(doc.m_nFrames, 10);
}

TEST(WaveRead, TruncatedFileKeepsOnlyWholeFramesPresent) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    auto bytes = Stereo16(1000);
    bytes.resize(bytes.size() - 1003); // cut inside a frame
    ASSERT_TRUE(doc.LoadFromBytes(bytes));
    EXPECT_EQ(doc.m_nWaveImageSize, static_cast<int>(bytes.size()));
    EXPECT_EQ(doc.m_nWavDataSize, static_cast<int>(bytes.size()) - 44);
    EXPECT_EQ(doc.m_nFrames, (static_cast<int>(bytes.size()) - 44) / 4);
    EXPECT_LE(doc.m_nHeadSize + doc.m_nFrames * doc.m_nBlockSize, doc.m_nWaveImageSize);
}

TEST(WaveRead, LyingSizesNeitherAllocateOnTrustNorLoop) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    // RIFF size far beyond the file, and one that overflows when 8 is added.
    for (std::uint32_t riff : {0x7FFFFFF0u, 0xFFFFFFFFu}) {
        ASSERT_TRUE(doc.LoadFromBytes(Patched(Stereo16(20), 4, riff)));
        EXPECT_EQ(doc.m_nWaveImageSize, 44 + 80);
        EXPECT_EQ(doc.m_nFrames, 20);
    }
    // A chunk whose size would move the walk backwards (negative as a signed int).
    auto back = BuildWav(Fmt(2, 16, 16, false, 4), SineSamples(20, 2, 100, 0.1));
    WriteLe32(back.data() + 40, 0xFFFFFFF0u);
    EXPECT_FALSE(doc.LoadFromBytes(back));
    // A data chunk larger than the file.
    ASSERT_TRUE(doc.LoadFromBytes(Patched(Stereo16(20), 40, 1u << 30)));
    EXPECT_EQ(doc.m_nWavDataSize, 80);
    EXPECT_EQ(doc.m_nFrames, 20);
}

TEST(WaveRead, BytesBeyondTheRiffSizeAreIgnored) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    auto bytes = Stereo16(10);
    const auto size = bytes.size();
    bytes.insert(bytes.end(), {'t', 'r', 'a', 'i', 'l'});
    ASSERT_TRUE(doc.LoadFromBytes(bytes));
    EXPECT_EQ(doc.m_nWaveImageSize, static_cast<int>(size));
}

TEST(WaveRead, GetSampleStaysInsideTheImage) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.LoadFromBytes(Stereo16(10)));
    EXPECT_EQ(doc.GetSample(10, 1), 0);
    EXPECT_EQ(doc.GetSample(1 << 28, 2), 0);
    EXPECT_EQ(doc.GetSample(-1, 1), 0);
    EXPECT_EQ(doc.GetSample(0, 3), 0);
}

TEST(WaveRead, FileOpenReadsTheWaveOnce) {
    TempDir dir;
    const auto bytes = Stereo16(300);
    TempDir::WriteFile(dir.Path("s.wav"), bytes);
    CScriptedUi ui;
    CKymoDoc doc(ui);
    ASSERT_TRUE(doc.OnOpenDocument(dir.Path("s.wav")));
    EXPECT_EQ(doc.m_strPathName, dir.Path("s.wav"));
    EXPECT_EQ(doc.m_nWaveImageSize, static_cast<int>(bytes.size()));
    EXPECT_EQ(doc.m_nFrames, 300);
    CKymoDoc fromBytes(ui);
    ASSERT_TRUE(fromBytes.LoadFromBytes(bytes));
    for (int f : {0, 1, 150, 299})
        for (int ch : {1, 2}) EXPECT_EQ(doc.GetSample(f, ch), fromBytes.GetSample(f, ch));
}

#if defined(__SANITIZE_ADDRESS__)
#define SONALYX_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define SONALYX_ASAN 1
#endif
#endif

// A wave larger than the memory the program may use: the image cannot be allocated, which is
// said, and the program goes on (a child process with a limited address space opens it).
TEST(WaveRead, FileLargerThanMemoryGivesTheAllocationMessage) {
#ifdef SONALYX_ASAN
    GTEST_SKIP() << "address-space limits do not apply under AddressSanitizer";
#else
    TempDir dir;
    const std::string path = dir.Path("huge.wav");
    constexpr std::uint64_t kHugeBytes = 1536ull << 20; // sparse: takes no disk space
    auto head = Stereo16(16);
    WriteLe32(head.data() + 4, static_cast<std::uint32_t>(kHugeBytes - 8));
    WriteLe32(head.data() + 40, static_cast<std::uint32_t>(kHugeBytes - 44));
    TempDir::WriteFile(path, head);
    std::filesystem::resize_file(path, kHugeBytes);
    const auto openWithLittleMemory = [&path] {
        // Half a gigabyte more than the process already maps.
        std::ifstream statm("/proc/self/statm");
        unsigned long long pages = 0;
        statm >> pages;
        const rlim_t bytes = pages * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (512ull << 20);
        const rlimit limit{bytes, bytes};
        setrlimit(RLIMIT_AS, &limit);
        CScriptedUi ui;
        CKymoDoc doc(ui);
        const bool opened = doc.OnOpenDocument(path);
        const bool said = ui.MessageTexts() == Texts{msg::kAllocFailed, msg::kOpenFailed};
        std::_Exit(!opened && said && !doc.HasWave() ? 0 : 1);
    };
    EXPECT_EXIT(openWithLittleMemory(), ::testing::ExitedWithCode(0), "");
#endif
}

} // namespace
