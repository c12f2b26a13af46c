#include "dsp/Dft.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/Fft.h"
#include "dsp/FftTables.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>
#include <vector>

namespace {

struct Signal {
    std::vector<float> re, im;
};

Signal RandomSignal(int n, unsigned seed) {
    std::mt19937 gen(seed);
    std::uniform_real_distribution<float> dist(-1.0f, 1.0f);
    Signal s{std::vector<float>(n), std::vector<float>(n)};
    for (int i = 0; i < n; ++i) {
        s.re[i] = dist(gen);
        s.im[i] = dist(gen);
    }
    return s;
}

// Reference forward transform in double precision, scaled by 1/n.
Signal NaiveDft(const Signal& x) {
    const int n = static_cast<int>(x.re.size());
    Signal out{std::vector<float>(n), std::vector<float>(n)};
    for (int k = 0; k < n; ++k) {
        double sr = 0, si = 0;
        for (int t = 0; t < n; ++t) {
            const double a = -2.0 * std::numbers::pi * ((static_cast<long long>(t) * k) % n) / n;
            sr += x.re[t] * std::cos(a) - x.im[t] * std::sin(a);
            si += x.re[t] * std::sin(a) + x.im[t] * std::cos(a);
        }
        out.re[k] = static_cast<float>(sr / n);
        out.im[k] = static_cast<float>(si / n);
    }
    return out;
}

double MaxDiff(const Signal& a, const Signal& b, int count) {
    double d = 0;
    for (int i = 0; i < count; ++i) {
        d = std::max(d, static_cast<double>(std::abs(a.re[i] - b.re[i])));
        d = std::max(d, static_cast<double>(std::abs(a.im[i] - b.im[i])));
    }
    return d;
}

} // namespace

TEST(FftTest, InitAcceptsOnlyPowersOfTwoFromFour) {
    Fft fft;
    for (int c : {0, 1, 2, 3, 6, 12, 1000}) {
        DftPlan plan;
        EXPECT_EQ(fft.Init(plan, c), 1) << c;
        EXPECT_EQ(plan.m_nFftSize, 0) << c;
    }
    DftPlan plan;
    ASSERT_EQ(fft.Init(plan, 4), 0);
    EXPECT_EQ(plan.m_nFftSize, 4);
    fft.Free(plan);
    EXPECT_EQ(plan.m_nFftSize, 0);
    EXPECT_EQ(plan.m_pSinTable, nullptr);
}

TEST(FftTest, SineTableAndBitReversalOfSize16) {
    Fft fft;
    DftPlan plan;
    ASSERT_EQ(fft.Init(plan, 16), 0);
    for (int k = 0; k < 12; ++k)
        EXPECT_NEAR(plan.m_pSinTable[k], std::sin(2 * std::numbers::pi * k / 16), 1e-7) << k;
    const int expected[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(plan.m_pBitReverse[i], expected[i]);
    fft.Free(plan);
}

TEST(FftTest, ForwardMatchesReferenceAndInverseRestores) {
    for (int c : {4, 8, 64, 2048}) {
        Fft fft;
        DftPlan plan;
        ASSERT_EQ(fft.Init(plan, c), 0);
        const Signal x = RandomSignal(c, c);
        Signal y = x;
        fft.Transform(plan, 0, y.re.data(), y.im.data());
        EXPECT_LT(MaxDiff(y, NaiveDft(x), c), 1e-6) << c;
        fft.Transform(plan, 1, y.re.data(), y.im.data());
        EXPECT_LT(MaxDiff(y, x, c), 1e-5) << c;
        fft.Free(plan);
    }
}

TEST(DftTest, InitRejectsLengthOneAndSizesTheConvolution) {
    Dft dft;
    DftPlan plan;
    EXPECT_EQ(dft.Init(plan, 1, 1), 1);
    EXPECT_EQ(dft.Init(plan, 0, 0), 1);
    ASSERT_EQ(dft.Init(plan, 2, 2), 0);
    EXPECT_EQ(plan.m_nConvSize, 4);
    EXPECT_EQ(plan.m_nFftSize, 4);
    dft.Free(plan);
    ASSERT_EQ(dft.Init(plan, 1024, 1024), 0);
    EXPECT_EQ(plan.m_nConvSize, 2048);
    EXPECT_EQ(plan.m_pChirpIm, plan.m_pChirpRe + 1024);
    dft.Free(plan);
    EXPECT_EQ(plan.m_nLength, 0);
    EXPECT_EQ(plan.m_pChirpRe, nullptr);
    EXPECT_EQ(plan.m_pFilterRe, nullptr);
    EXPECT_EQ(plan.m_nFftSize, 0);
    dft.Free(plan); // freeing an empty plan is harmless
}

TEST(DftTest, OutputCountOutsideRangeMeansAll) {
    for (int m : {0, 1, 11, 500}) {
        Dft dft;
        DftPlan plan;
        ASSERT_EQ(dft.Init(plan, 10, m), 0);
        EXPECT_EQ(plan.m_nOutputs, 10) << m;
        dft.Free(plan);
    }
    Dft dft;
    DftPlan plan;
    ASSERT_EQ(dft.Init(plan, 10, 5), 0);
    EXPECT_EQ(plan.m_nOutputs, 5);
    const Signal x = RandomSignal(10, 3);
    Signal y = x;
    dft.Transform(plan, 0, y.re.data(), y.im.data());
    EXPECT_LT(MaxDiff(y, NaiveDft(x), 5), 1e-6);
    dft.Free(plan);
}

class DftLengthTest : public ::testing::TestWithParam<int> {};

TEST_P(DftLengthTest, ForwardMatchesReferenceAndInverseRestores) {
    const int n = GetParam();
    Dft dft;
    DftPlan plan;
    ASSERT_EQ(dft.Init(plan, n, n), 0);
    const Signal x = RandomSignal(n, n);
    Signal y = x;
    dft.Transform(plan, 0, y.re.data(), y.im.data());
    if (n <= 2048) {
        EXPECT_LT(MaxDiff(y, NaiveDft(x), n), 2e-6);
    }
    dft.Transform(plan, 1, y.re.data(), y.im.data());
    EXPECT_LT(MaxDiff(y, x, n), n > 10000 ? 2e-4 : 2e-5);
    dft.Free(plan);
}

INSTANTIATE_TEST_SUITE_P(Lengths, DftLengthTest,
                         ::testing::Values(2, 3, 5, 128, 1000, 1024, 32768, 96000));

TEST(DftTest, OnesAndCosineGiveTheirBins) {
    const int n = 1000;
    Dft dft;
    DftPlan plan;
    ASSERT_EQ(dft.Init(plan, n, n), 0);
    std::vector<float> re(n, 1.0f), im(n, 0.0f);
    dft.Transform(plan, 0, re.data(), im.data());
    EXPECT_NEAR(re[0], 1.0f, 1e-5);
    for (int k = 1; k < n; ++k) {
        ASSERT_NEAR(re[k], 0.0f, 1e-5) << k;
        ASSERT_NEAR(im[k], 0.0f, 1e-5) << k;
    }
    for (int t = 0; t < n; ++t) {
        re[t] = static_cast<float>(std::cos(2 * std::numbers::pi * 5 * t / n));
        im[t] = 0.0f;
    }
    dft.Transform(plan, 0, re.data(), im.data());
    for (int k = 0; k < n; ++k) {
        const float expected = (k == 5 || k == n - 5) ? 0.5f : 0.0f;
        ASSERT_NEAR(std::hypot(re[k], im[k]), expected, 1e-5) << k;
    }
    dft.Free(plan);
}

TEST(DocumentFftTest, AgreesWithDftAndInverseRestores) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    for (int log2n = 1; log2n <= 15; ++log2n) {
        const int n = 1 << log2n;
        doc.SetPow(std::max(0, log2n - 7));
        MakeFftTables(n, doc.m_fSinTbl.data(), doc.m_fCosTbl.data());
        const Signal x = RandomSignal(n, 100 + n);
        Signal y = x;
        doc.FftBitReverse(n, y.re.data(), y.im.data());
        doc.FftButterflies(log2n, 1, y.re.data(), y.im.data());
        if (n >= 4 && n <= 2048) {
            Signal z = x;
            Dft dft;
            DftPlan plan;
            ASSERT_EQ(dft.Init(plan, n, n), 0);
            dft.Transform(plan, 0, z.re.data(), z.im.data());
            dft.Free(plan);
            EXPECT_LT(MaxDiff(y, z, n), 1e-6) << n;
        }
        doc.FftBitReverse(n, y.re.data(), y.im.data());
        doc.FftButterflies(log2n, 2, y.re.data(), y.im.data());
        EXPECT_LT(MaxDiff(y, x, n), 1e-4) << n;
    }
}

TEST(DocumentFftTest, EveryDirectionButOneIsTheInverse) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int n = doc.m_nPoints;
    const Signal x = RandomSignal(n, 7);
    Signal inverse2 = x, inverse0 = x, inverseNeg = x;
    for (auto [s, dir] : {std::pair{&inverse2, 2}, {&inverse0, 0}, {&inverseNeg, -1}}) {
        doc.FftBitReverse(n, s->re.data(), s->im.data());
        doc.FftButterflies(doc.m_nPow + 7, dir, s->re.data(), s->im.data());
    }
    EXPECT_EQ(MaxDiff(inverse2, inverse0, n), 0.0);
    EXPECT_EQ(MaxDiff(inverse2, inverseNeg, n), 0.0);
    // The inverse is unscaled: a single 1 in bin 0 gives n ones.
    std::vector<float> re(n, 0.0f), im(n, 0.0f);
    re[0] = 1.0f;
    doc.FftBitReverse(n, re.data(), im.data());
    doc.FftButterflies(doc.m_nPow + 7, 2, re.data(), im.data());
    for (int i = 0; i < n; ++i) ASSERT_NEAR(re[i], 1.0f, 1e-6);
}

TEST(DocumentFftTest, TablesHoldSinesAndCosinesOfTheSize) {
    std::vector<float> s(16384), c(16384);
    MakeFftTables(32768, s.data(), c.data());
    for (int i : {0, 1, 4096, 8192, 16383}) {
        const double a = static_cast<double>(static_cast<float>(i) * 6.2831855f / 32768.0f);
        EXPECT_FLOAT_EQ(s[i], static_cast<float>(std::sin(a))) << i;
        EXPECT_FLOAT_EQ(c[i], static_cast<float>(std::cos(a))) << i;
    }
}
