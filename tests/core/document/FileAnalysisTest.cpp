#include "document/FileAnalysis.h"
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <random>
#include <vector>

namespace {

using cd = std::complex<double>;
constexpr double kPi = 3.141592653589793;

// White noise of `frames` samples, about +-8000.
std::vector<double> Noise(int frames, unsigned seed) {
    std::mt19937 gen(seed);
    std::normal_distribution<double> dist(0.0, 3000.0);
    std::vector<double> x(frames);
    for (auto& v : x) v = std::clamp(dist(gen), -30000.0, 30000.0);
    return x;
}

std::vector<int> Interleave(const std::vector<double>& a, const std::vector<double>& b) {
    std::vector<int> s;
    for (std::size_t i = 0; i < a.size(); ++i) {
        s.push_back(static_cast<int>(std::lround(a[i])));
        s.push_back(static_cast<int>(std::lround(b[i])));
    }
    return s;
}

class FileAnalysis : public ::testing::Test {
protected:
    void Load(const std::vector<int>& samples, int channels = 2, int rate = 48000) {
        WavFormat format;
        format.channels = channels;
        format.rate = rate;
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, samples)));
    }
    // Set-up and the whole averaging pass with K = Kmax.
    void Analyse(int which, int pow, int window, int downExp = 0) {
        AnalysisSetup setup;
        setup.pow = pow;
        setup.windowType = window;
        setup.downExp = downExp;
        ASSERT_EQ(doc.OnSetUpFileAnalysis(which, setup), 1);
        ASSERT_EQ(doc.disp_mode1, PendingKindOf(which));
        ASSERT_EQ(doc.RunAveragingPass(doc.AveragingMaxCount()), 1);
    }
    cd H(int k) const { return {doc.m_fRe[k], doc.m_fIm[k]}; }
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(FileAnalysis, OneSecondAt48kHzHolds23RecordsOf2048) {
    const auto x = Noise(48000, 1);
    Load(Interleave(x, x));
    AnalysisSetup setup;
    setup.pow = 4;
    setup.windowType = wnd::None;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
    EXPECT_EQ(doc.AveragingMaxCount(), 23);
    EXPECT_EQ(doc.m_nWindowType, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::SpectrumPending);
}

TEST_F(FileAnalysis, TransferOfAKnownFilterReproducesItsResponse) {
    // ch2 = ch1 through a 5-tap FIR (linear phase, delay of 2 samples).
    const double h[5] = {0.1, 0.2, 0.4, 0.2, 0.1};
    const auto x = Noise(96000, 2);
    std::vector<double> y(x.size(), 0.0);
    for (std::size_t i = 0; i < x.size(); ++i)
        for (int m = 0; m < 5; ++m)
            if (i >= static_cast<std::size_t>(m)) y[i] += h[m] * x[i - m];
    Load(Interleave(x, y));
    Analyse(analysis::Transfer, 4, wnd::Hanning);
    EXPECT_EQ(doc.disp_mode1, kind::Transfer);
    EXPECT_EQ(doc.disp_mode2, present::LogMagAuto);
    EXPECT_EQ(doc.m_bRescale, 1);
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 48000);
    const int n = 2048;
    double worstDb = 0.0, worstDeg = 0.0;
    for (int k = 1; k < n * 2 / 5; ++k) { // pass band up to 0.4 fs
        cd want = 0.0;
        for (int m = 0; m < 5; ++m) want += h[m] * std::polar(1.0, -2.0 * kPi * k * m / n);
        const cd got = H(k);
        worstDb = std::max(worstDb, std::abs(20 * std::log10(std::abs(got) / std::abs(want))));
        worstDeg = std::max(worstDeg, std::abs(std::arg(got / want)) * 180 / kPi);
    }
    EXPECT_LT(worstDb, 0.5);
    EXPECT_LT(worstDeg, 5.0);
    // The impulse response (unscaled inverse) shows the filter's taps at their delays.
    EXPECT_NEAR(doc.m_fWave1[2] / n, 0.4, 0.02);
    EXPECT_NEAR(doc.m_fWave1[0] / n, 0.1, 0.02);
    EXPECT_EQ(doc.m_fWork1[2], doc.m_fWave1[2]);
}

TEST_F(FileAnalysis, IdenticalChannelsGiveUnityAndEqualCorrelations) {
    const auto x = Noise(20000, 3);
    Load(Interleave(x, x));
    Analyse(analysis::Transfer, 3, wnd::Blackman);
    for (int k = 0; k < 1024; ++k) ASSERT_NEAR(std::abs(H(k) - 1.0), 0.0, 1e-5) << k;

    doc.OnSelectChannel(chan::Both);
    Analyse(analysis::AutoCorr, 3, wnd::Hanning);
    EXPECT_EQ(doc.disp_mode1, kind::AutoCorr2);
    const std::vector<float> auto1(doc.m_fRe.begin(), doc.m_fRe.begin() + 1024);
    EXPECT_NEAR(auto1[0], 1.0, 0.01);
    for (int k = 0; k < 1024; ++k) ASSERT_EQ(doc.m_fOpRe[k], auto1[k]);

    doc.OnSelectChannel(chan::Both);
    Analyse(analysis::CrossCorr, 3, wnd::Hanning);
    EXPECT_EQ(doc.disp_mode1, kind::CrossCorr);
    for (int k = 0; k < 1024; ++k) ASSERT_NEAR(doc.m_fRe[k], auto1[k], 1e-5) << k;
}

TEST_F(FileAnalysis, UnwindowedSineOnABinHasHalfItsAmplitude) {
    // 1000 Hz at 48 kHz with N = 1024 is not on a bin; use bin 64 of 1024: 3000 Hz.
    std::vector<double> a(8192), b(8192, 0.0);
    for (int i = 0; i < 8192; ++i) a[i] = 10000.0 * std::cos(2 * kPi * 64 * i / 1024.0);
    Load(Interleave(a, b));
    doc.OnSelectChannel(chan::Ch1);
    Analyse(analysis::Spectrum, 3, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum1);
    EXPECT_NEAR(doc.m_fRe[64], 5000.0, 1.0);
    EXPECT_NEAR(doc.m_fRe[1024 - 64], 5000.0, 1.0);
    EXPECT_NEAR(doc.m_fRe[65], 0.0, 1.0);
    // The same from one cut record.
    doc.OnBackToWave();
    ASSERT_TRUE(doc.CutRecord(100));
    doc.OnAnalyseRecord(analysis::Spectrum);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum1);
    EXPECT_NEAR(doc.m_fRe[64], 5000.0, 1.0);
}

// Both traces of a two-channel single-record spectrum are the windowed records, as the title
// "[時間表示:窓付]" says.
TEST_F(FileAnalysis, TwoChannelRecordSpectrumShowsBothChannelsWindowed) {
    Load(Interleave(Noise(4096, 5), Noise(4096, 6)));
    doc.OnSelectChannel(chan::Both);
    doc.SetPow(2);
    ASSERT_TRUE(doc.CutRecord(100));
    ASSERT_EQ(doc.disp_mode1, kind::CutTwoChannels);
    const std::vector<float> raw1(doc.m_fWave1.begin(), doc.m_fWave1.begin() + 512);
    doc.OnWindowCommand(wnd::Hanning);
    doc.OnAnalyseRecord(analysis::Spectrum);
    ASSERT_EQ(doc.disp_mode1, kind::Spectrum2);
    for (int i = 0; i < 512; ++i) {
        const float w = doc.m_fWindow[i];
        ASSERT_EQ(doc.m_fWave1[i], raw1[i] * w) << i;
        ASSERT_EQ(doc.m_fWave2[i], doc.m_fWork2[i]) << i;
    }
}

TEST_F(FileAnalysis, SilentChannelOneGivesZeroTransferAndZeroCorrelation) {
    const auto y = Noise(4096, 4);
    Load(Interleave(std::vector<double>(4096, 0.0), y));
    Analyse(analysis::Transfer, 2, wnd::Hanning);
    for (int k = 0; k < 512; ++k) ASSERT_EQ(H(k), cd(0.0, 0.0));

    doc.OnSelectChannel(chan::Both);
    Analyse(analysis::CrossCorr, 2, wnd::None);
    for (int k = 0; k < 512; ++k) ASSERT_EQ(doc.m_fRe[k], 0.0f);
    doc.OnSelectChannel(chan::Ch1);
    Analyse(analysis::AutoCorr, 2, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::AutoCorr1);
    for (int k = 0; k < 512; ++k) ASSERT_EQ(doc.m_fRe[k], 0.0f);
    // A single silent record too.
    doc.OnBackToWave();
    ASSERT_TRUE(doc.CutRecord(0));
    doc.OnAnalyseRecord(analysis::AutoCorr);
    for (int k = 0; k < 512; ++k) ASSERT_EQ(doc.m_fRe[k], 0.0f);
}

TEST_F(FileAnalysis, FilteredChannelCodesAreTreatedAsTheirChannels) {
    const auto x = Noise(8192, 5);
    Load(Interleave(x, x));
    doc.OnSelectChannel(chan::Both);
    doc.disp_mode3 = 13;
    Analyse(analysis::AutoCorr, 2, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::AutoCorr2);
    doc.OnSelectChannel(chan::Both);
    doc.disp_mode3 = 13;
    Analyse(analysis::CrossCorr, 2, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::CrossCorr);
    doc.OnSelectChannel(chan::Ch2);
    doc.disp_mode3 = 12;
    Analyse(analysis::AutoCorr, 2, wnd::None);
    EXPECT_EQ(doc.disp_mode1, kind::AutoCorr1);
    EXPECT_EQ(doc.m_fWork1[5],
              static_cast<float>(doc.GetSample(doc.AveragingMaxCount() * 512 - 512 + 5, 2)));
}

// Counts the running displays and the progress reports.
class CountingUi : public CScriptedUi {
public:
    bool ReportProgress(long long done, long long total) override {
        last = done;
        return done < stopAt;
    }
    long long last = 0;
    long long stopAt = 1LL << 40;
};

TEST(AveragingPass, RefreshesAtMost30TimesAndRetitles) {
    struct Case {
        int frames, pow, k, refreshes;
    };
    for (const Case c : {Case{23 * 2048, 4, 23, 22}, Case{100 * 128, 0, 100, 29},
                         Case{30 * 128, 0, 30, 29}, Case{31 * 128, 0, 31, 29}}) {
        CountingUi ui;
        CKymoDoc doc(ui);
        WavFormat format;
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(c.frames, 2, 1000, 0.01))));
        AnalysisSetup setup;
        setup.pow = c.pow;
        setup.windowType = wnd::Hanning;
        ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 1);
        ASSERT_EQ(doc.AveragingMaxCount(), c.k);
        std::vector<std::string> titles;
        std::vector<int> records;
        doc.RunAveragingPass(c.k, [&] {
            titles.push_back(doc.m_averaging.currentTitle);
            EXPECT_EQ(doc.m_averaging.title, "[2chスペアナ表示]");
            records.push_back(doc.m_averaging.records);
            EXPECT_TRUE(doc.m_averaging.running);
        });
        EXPECT_EQ(static_cast<int>(titles.size()), c.refreshes) << c.k;
        EXPECT_EQ(titles.front(), "[2chスペアナ表示]");
        EXPECT_EQ(titles.back(), "[これを表示したらおかしい]");
        EXPECT_EQ(records.front(), c.k <= 30 ? 2 : c.k / 30 + 1);
        EXPECT_EQ(ui.last, c.k);
        EXPECT_FALSE(doc.m_averaging.running);
        EXPECT_EQ(doc.disp_mode1, kind::Spectrum2);
    }
}

TEST(AveragingPass, StoppingFromTheProgressReturnsToTheWave) {
    CountingUi ui;
    ui.stopAt = 3;
    CKymoDoc doc(ui);
    WavFormat format;
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, SineSamples(8 * 128, 2, 1000, 0.01))));
    AnalysisSetup setup;
    setup.pow = 0;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::Transfer, setup), 1);
    EXPECT_EQ(doc.RunAveragingPass(8), 0);
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(ui.last, 3);
}

TEST_F(FileAnalysis, TooShortAFileForOneRecordIsRefused) {
    Load(SineSamples(1000, 2, 1000, 0.01));
    AnalysisSetup setup;
    setup.pow = 4;
    setup.windowType = wnd::Hanning;
    EXPECT_EQ(doc.OnSetUpFileAnalysis(analysis::Spectrum, setup), 0);
    EXPECT_EQ(doc.OnSetUpFileAnalysis(analysis::CrossCorr, setup), 0);
    EXPECT_EQ(ui.MessageTexts(),
              (std::vector<std::string>{msg::kTooShortSpectrum, msg::kTooShortCorrelation}));
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
    EXPECT_EQ(doc.m_nPoints, 2048);
}

TEST_F(FileAnalysis, CancellingTheAveragingDialogReturnsToTheWave) {
    Load(SineSamples(4096, 2, 1000, 0.01));
    AnalysisSetup setup;
    setup.pow = 0;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(analysis::CrossCorr, setup), 1);
    doc.OnCancelAveraging();
    EXPECT_EQ(doc.disp_mode1, kind::Wave);
}

TEST(DownSampleChoice, TextAndLimit) {
    EXPECT_EQ(DownSampleText(0, 48000), "24kHz");
    EXPECT_EQ(DownSampleText(-2, 44100), "5512Hz");
    EXPECT_EQ(DownSampleText(-1, 22050), "5512Hz");
    EXPECT_EQ(DownSampleText(-5, 8000), "125Hz");
    EXPECT_TRUE(DownSampleStepAllowed(-5, 8000));
    EXPECT_FALSE(DownSampleStepAllowed(-6, 8000)); // 62 Hz
    EXPECT_TRUE(DownSampleStepAllowed(-6, 48000));
    EXPECT_FALSE(DownSampleStepAllowed(-7, 48000));
    EXPECT_FALSE(DownSampleStepAllowed(1, 48000));
}

TEST(PendingKinds, MapBothWays) {
    for (int a : {analysis::Spectrum, analysis::AutoCorr, analysis::CrossCorr, analysis::Transfer})
        EXPECT_EQ(AnalysisOfPendingKind(PendingKindOf(a)), a);
    EXPECT_EQ(AnalysisOfPendingKind(kind::Wave), -1);
    EXPECT_EQ(BaseChannel(12), 2);
    EXPECT_EQ(BaseChannel(3), 3);
    EXPECT_EQ(BaseChannel(100), 100);
}

} // namespace
