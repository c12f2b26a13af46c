#include "utilities/Benchmark.h"
#include "document/CKymoDoc.h"
#include "document/ScriptedUi.h"
#include "dsp/Dft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

int ThreadNice() {
    return getpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)));
}

BenchTimes Times(double dft, double fft, double conv) {
    BenchTimes t;
    t.dft = dft;
    t.fft = fft;
    t.conv = conv;
    return t;
}

class FailingDft : public CBenchmark {
public:
    using CBenchmark::CBenchmark;

protected:
    int InitDft(Dft&, DftPlan&) override { return 2; }
};

} // namespace

TEST(Benchmark, BeforeTheStartTheTimesAreUnmeasured) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CBenchmark bench(doc);
    EXPECT_EQ(CBenchmark::VerdictText(bench.Verdict()), std::string("Well Come to my Bench!"));
    const auto lines = bench.TimeLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].first, "DFT:8192点");
    EXPECT_EQ(lines[0].second, "999.999ms ");
    EXPECT_EQ(lines[2].first, "Conv:2400x1024点");
    EXPECT_EQ(lines[3].first, "FastConv:8192x8192点");
    EXPECT_EQ(lines[3].second, "999.999ms(準備中)");
}

// The running score settles at 1000 / (sum of the measured times) and the needle at a tenth of
// it; the verdict follows t = v / 100 with the thresholds 0.5 and 0.25.
TEST(Benchmark, VerdictFollowsTheThresholds) {
    const struct {
        double sum;
        const char* verdict;
    } cases[] = {{10.0, "Excellent!!"},
                 {19.0, "Excellent!!"},
                 {21.0, "Good!!"},
                 {39.0, "Good!!"},
                 {41.0, "Let's go to PC Shop! ASAP!"},
                 {200.0, "Let's go to PC Shop! ASAP!"}};
    for (const auto& c : cases) {
        CScriptedUi ui;
        CKymoDoc doc(ui);
        CBenchmark bench(doc);
        bench.Start();
        for (int i = 0; i < 400; ++i) bench.Score(Times(c.sum / 2, c.sum / 4, c.sum / 4));
        EXPECT_NEAR(bench.ScoreValue(), 10000.0 / c.sum, 1e-6) << c.sum;
        EXPECT_EQ(CBenchmark::VerdictText(bench.Verdict()), std::string(c.verdict)) << c.sum;
        EXPECT_EQ(bench.Times().fastConv, 999.999);
        bench.Stop();
    }
}

TEST(Benchmark, NeedleTurnsWithTheScoreUpToTheEndOfItsScale) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    CBenchmark bench(doc);
    EXPECT_DOUBLE_EQ(bench.NeedleAngle(), -30.0);
    bench.Start();
    bench.Score(Times(50.0, 25.0, 25.0)); // x = 10, v = 1
    EXPECT_DOUBLE_EQ(bench.NeedleAngle(), -33.0);
    for (int i = 0; i < 400; ++i) bench.Score(Times(0.5, 0.25, 0.25));
    EXPECT_DOUBLE_EQ(bench.NeedleAngle(), -330.0);
}

TEST(Benchmark, TicksMeasurePositiveFiniteTimesAndRestoreThePriority) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int nice = ThreadNice();
    const std::vector<float> tables(doc.m_fSinTbl.begin(),
                                    doc.m_fSinTbl.begin() + doc.m_nPoints / 2);
    {
        CBenchmark bench(doc);
        bench.Start();
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(bench.Tick());
        for (double t : {bench.Times().dft, bench.Times().fft, bench.Times().conv}) {
            EXPECT_TRUE(std::isfinite(t));
            EXPECT_GT(t, 0.0);
            EXPECT_LT(t, 999.0);
        }
        EXPECT_GT(bench.ScoreValue(), 0.0);
        bench.Stop();
        EXPECT_EQ(ThreadNice(), nice);
    }
    EXPECT_EQ(ThreadNice(), nice);
    // The document's own twiddle tables are back.
    EXPECT_EQ(std::vector<float>(doc.m_fSinTbl.begin(), doc.m_fSinTbl.begin() + doc.m_nPoints / 2),
              tables);
    EXPECT_TRUE(ui.MessageTexts().empty());
}

// A DFT that cannot be set up stops the run before its message, so the message comes once.
TEST(Benchmark, DftFailureIsShownOnceAndStopsTheRun) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    const int nice = ThreadNice();
    FailingDft bench(doc);
    bench.Start();
    EXPECT_FALSE(bench.Tick());
    EXPECT_FALSE(bench.IsRunning());
    EXPECT_TRUE(bench.Tick());
    EXPECT_TRUE(bench.Tick());
    EXPECT_EQ(ui.MessageTexts(), std::vector<std::string>{"DFTのInitで失敗"});
    EXPECT_EQ(ThreadNice(), nice);
}
