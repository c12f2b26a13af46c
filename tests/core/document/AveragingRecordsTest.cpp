// The averaging pass reads its records from the wave image in bulk and transforms each real
// record as one half-size complex transform. Its spectra and transfer functions against those of
// the direct form: every sample read with GetSample, windowed, and the complex document FFT of
// (x, 0), for 8 and 16 bits, mono and stereo, each channel choice, with and without a window.
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <random>
#include <string>
#include <vector>

namespace {

using Cx = std::complex<double>;

struct Case {
    int bits;
    int channels;
    int which;   // analysis::Spectrum or analysis::Transfer
    int channel; // chan::Ch1, Ch2 or Both
    int window;
};

std::string Name(const ::testing::TestParamInfo<Case>& info) {
    const Case& c = info.param;
    return "Bits" + std::to_string(c.bits) + "Channels" + std::to_string(c.channels) +
           (c.which == analysis::Spectrum ? "Spectrum" : "Transfer") + "Ch" +
           std::to_string(c.channel) + "Window" + std::to_string(c.window);
}

// Full-scale noise on channel 1; channel 2 a smoothed copy plus its own noise.
std::vector<int> Samples(int frames, int channels, int bits) {
    const int hi = bits == 16 ? 32767 : 127;
    std::mt19937 rng(static_cast<unsigned>(frames + bits));
    std::uniform_int_distribution<int> full(-hi - 1, hi);
    std::vector<int> s;
    int prev = 0;
    for (int i = 0; i < frames; ++i) {
        const int x = full(rng);
        s.push_back(x);
        if (channels == 2) s.push_back(std::clamp((x + prev) / 2 + full(rng) / 8, -hi - 1, hi));
        prev = x;
    }
    return s;
}

// The transform of record r of `channel` by the direct form.
std::vector<Cx> DirectRecord(CKymoDoc& doc, int r, int channel, bool windowed) {
    const int n = doc.m_nPoints;
    std::vector<float> re(n), im(n, 0.0f);
    for (int i = 0; i < n; ++i) {
        const float x = static_cast<float>(doc.GetSample(r * n + i, channel));
        re[i] = windowed ? x * doc.m_fWindow[i] : x;
    }
    DocForwardFft(doc, re.data(), im.data());
    std::vector<Cx> out(n);
    for (int k = 0; k < n; ++k) out[k] = Cx(re[k], im[k]);
    return out;
}

// Root-mean-square difference relative to the root-mean-square of `want`.
double RelativeError(const std::vector<Cx>& got, const std::vector<Cx>& want) {
    double err = 0, norm = 0;
    for (std::size_t k = 0; k < want.size(); ++k) {
        err += std::norm(got[k] - want[k]);
        norm += std::norm(want[k]);
    }
    return std::sqrt(err / norm);
}

class AveragingRecords : public ::testing::TestWithParam<Case> {};

TEST_P(AveragingRecords, AgreeWithTheDirectFormToFloatRounding) {
    const Case& c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    WavFormat format;
    format.channels = c.channels;
    format.bits = c.bits;
    // Five records of 1024 and a partial one.
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, Samples(5 * 1024 + 300, c.channels, c.bits))));
    doc.OnSelectChannel(c.channel);
    AnalysisSetup setup;
    setup.pow = 3; // 1024 points
    setup.windowType = c.window;
    ASSERT_EQ(doc.OnSetUpFileAnalysis(c.which, setup), 1);
    const int records = doc.AveragingMaxCount();
    ASSERT_EQ(records, 5);
    ASSERT_EQ(doc.RunAveragingPass(records), 1);

    const int n = doc.m_nPoints;
    const bool windowed = c.window != wnd::None;
    const bool both = c.channel == chan::Both;
    std::vector<Cx> first(n), second(n);
    for (int r = 0; r < records; ++r) {
        if (c.which == analysis::Spectrum) {
            const auto x = DirectRecord(doc, r, c.channel == chan::Ch2 ? 2 : 1, windowed);
            for (int k = 0; k < n; ++k) first[k] += std::abs(x[k]) / records;
            if (both) {
                const auto y = DirectRecord(doc, r, 2, windowed);
                for (int k = 0; k < n; ++k) second[k] += std::abs(y[k]) / records;
            }
        } else {
            const auto x = DirectRecord(doc, r, 1, windowed);
            const auto y = DirectRecord(doc, r, 2, windowed);
            for (int k = 0; k < n; ++k)
                if (std::norm(x[k]) != 0.0) first[k] += y[k] / x[k] / static_cast<double>(records);
        }
    }
    std::vector<Cx> got(n), gotSecond(n);
    for (int k = 0; k < n; ++k) {
        got[k] = Cx(doc.m_fRe[k], doc.m_fIm[k]);
        gotSecond[k] = Cx(doc.m_fOpRe[k], doc.m_fOpIm[k]);
    }
    // A quotient of two spectra carries the rounding of both, divided by the input's magnitude,
    // which is small in some bins.
    EXPECT_LT(RelativeError(got, first), c.which == analysis::Spectrum ? 2e-6 : 2e-5);
    if (both && c.which == analysis::Spectrum) EXPECT_LT(RelativeError(gotSecond, second), 2e-6);
}

std::vector<Case> Cases() {
    std::vector<Case> cases;
    for (int bits : {8, 16})
        for (int window : {wnd::Hanning, wnd::None}) {
            cases.push_back(Case{bits, 1, analysis::Spectrum, chan::Ch1, window});
            for (int channel : {chan::Ch1, chan::Ch2, chan::Both})
                cases.push_back(Case{bits, 2, analysis::Spectrum, channel, window});
            cases.push_back(Case{bits, 2, analysis::Transfer, chan::Both, window});
        }
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Formats, AveragingRecords, ::testing::ValuesIn(Cases()), Name);

} // namespace
