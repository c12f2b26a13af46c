#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/ServoElements.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

using cd = std::complex<double>;

cd H(const CKymoDoc& doc, int k) {
    return {doc.m_fRe[k], doc.m_fIm[k]};
}

class ServoCalc : public ::testing::Test {
protected:
    void SetUp() override { doc.OnInitGain(4, 48000.0); }
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(ServoCalc, InitialGainSetsTheFrameAndAFlatResponse) {
    CScriptedUi ui2;
    CKymoDoc d(ui2);
    const int updates = d.GetUpdateCount();
    d.OnInitGain(1, 96000.0);
    EXPECT_EQ(d.m_nPoints, 256);
    EXPECT_FLOAT_EQ(d.m_fDt, 1.0f / 96000);
    EXPECT_EQ(d.disp_mode1, kind::Spectrum);
    EXPECT_EQ(d.disp_mode0, subreq::ForwardResult);
    for (int k = 0; k < 256; ++k) EXPECT_EQ(H(d, k), cd(1.0, 0.0));
    EXPECT_EQ(d.m_szHistory[1], "1,初期設定,1.000000 ,0.000000 ,NOP  ,96000  ,256 ,  \r\n");
    EXPECT_EQ(d.GetUpdateCount(), updates + 1);
}

TEST_F(ServoCalc, OpenLoopOfTheInitialGainGivesTwoToThe23MinusOne) {
    doc.OnOpenLoop();
    for (int k = 0; k < doc.m_nPoints; ++k) ASSERT_EQ(H(doc, k), cd(8388607.0, 0.0)) << k;
    EXPECT_EQ(doc.m_szHistory[2], "2,Open,-- ,-- ,Open特性  ,48000  ,2048 ,  \r\n");
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
}

TEST_F(ServoCalc, ClosedThenOpenLoopReturnsUnity) {
    doc.OnClosedLoop();
    EXPECT_EQ(H(doc, 5), cd(0.5, 0.0));
    doc.OnOpenLoop();
    for (int k = 0; k < doc.m_nPoints; ++k) ASSERT_EQ(H(doc, k), cd(1.0, 0.0)) << k;
    EXPECT_EQ(doc.m_szHistory[2], "2,Closed,-- ,-- ,Close特性  ,48000  ,2048 ,  \r\n");
}

TEST_F(ServoCalc, IntegralAtOneKilohertz) {
    doc.OnServoIntegral(1.0, 1.0, servo_op::Multiply);
    EXPECT_NEAR(std::abs(H(doc, 43)), 0.99, 0.005);
    EXPECT_NEAR(H(doc, 0).real(), 426.667, 1e-3);
    EXPECT_EQ(H(doc, 0).imag(), 0.0);
    EXPECT_EQ(H(doc, 2047), std::conj(H(doc, 0)));
    EXPECT_EQ(doc.m_szHistory[2], "2,積分,1.000000 ,1.000000 ,x:乗算  ,48000  ,2048 ,  \r\n");
    // The operand keeps the element.
    EXPECT_EQ(doc.m_fOpRe[43], doc.m_fRe[43]);
}

TEST_F(ServoCalc, DerivativeTimesAndDivideAreInverseOperations) {
    doc.OnServoDerivative(3.0, 0.25, servo_op::Multiply);
    // Multiplying by the derivative: |H| = G f / f0 plus the small real part 1/u.
    const double f = 100 / (2048 / 48000.0);
    EXPECT_NEAR(H(doc, 100).imag(), 3.0 * f / 250.0, 1e-3);
    EXPECT_NEAR(H(doc, 100).real(), 3.0 / (10000 * 0.25 * 2048 / 48000.0), 1e-5);
    doc.OnServoDerivative(3.0, 0.25, servo_op::Divide);
    for (int k : {1, 100, 1000}) {
        EXPECT_NEAR(H(doc, k).real(), 1.0, 1e-5);
        EXPECT_NEAR(H(doc, k).imag(), 0.0, 1e-5);
    }
    EXPECT_EQ(doc.m_szHistory[3].rfind("3,微分,3.000000 ,0.250000 ,/:", 0), 0u);
}

TEST_F(ServoCalc, DerivativeAddThenSubtractOnlyMovesTheImaginaryPart) {
    doc.OnServoDerivative(1.0, 1.0, servo_op::Add);
    const double f = 10 / (2048 / 48000.0);
    EXPECT_EQ(H(doc, 10).real(), 1.0);
    EXPECT_NEAR(H(doc, 10).imag(), f / 1000.0, 1e-6);
    EXPECT_NEAR(H(doc, 2047 - 10).imag(), -f / 1000.0, 1e-6);
    doc.OnServoDerivative(1.0, 1.0, servo_op::Subtract);
    EXPECT_NEAR(H(doc, 10).imag(), 0.0, 1e-6);
}

TEST_F(ServoCalc, GainOperations) {
    doc.OnServoGain(4.0, servo_op::Add);
    EXPECT_EQ(H(doc, 3), cd(5.0, 0.0));
    doc.OnServoIntegral(1.0, 1.0, servo_op::Multiply); // gives H an imaginary part
    const cd before = H(doc, 50);
    doc.OnServoGain(2.0, servo_op::Multiply);
    EXPECT_NEAR(std::abs(H(doc, 50) - 2.0 * before), 0.0, 1e-5);
    doc.OnServoGain(2.0, servo_op::Subtract);
    EXPECT_NEAR(H(doc, 50).imag(), 2.0 * before.imag(), 1e-5);
    doc.OnServoGain(0.5, servo_op::Divide);
    EXPECT_NEAR(std::abs(H(doc, 50) - 2.0 * (2.0 * before - 2.0)), 0.0, 1e-4);
    EXPECT_EQ(doc.m_szHistory[6].rfind("6,ゲイン,0.500000 ,0.000000", 0), 0u);
}

TEST_F(ServoCalc, LagLeadDivideWithTheDefaults) {
    doc.OnServoLagLead(1.0, 0.0003, 1.0, 0.00007, servo_op::Divide);
    for (int k : {1, 30, 700}) {
        const double w = 2 * 3.141592653589793 * k * 48000.0 / 2048;
        const cd want = cd(1.0, 0.00007 * w) / cd(1.0, 0.0003 * w);
        EXPECT_NEAR(std::abs(H(doc, k) - want), 0.0, 1e-6) << k;
    }
    EXPECT_EQ(doc.m_szHistory[2], "2,ﾗｸﾞﾘｰﾄﾞ,-- ,-- ,/:除算  ,48000  ,2048 ,a=1.000000 b=0.000300 "
                                  "c=1.000000 d=0.000070 \r\n");
}

TEST_F(ServoCalc, ResonanceWritesItsNoteAndCancelKeepsH) {
    ResonanceSettings s;
    doc.OnServoResonance(s, servo_op::Cancelled);
    EXPECT_EQ(H(doc, 1), cd(1.0, 0.0));
    EXPECT_EQ(doc.m_nHistoryCount, 2);
    EXPECT_NE(doc.m_fOpRe[1], 0.0f);
    doc.OnServoResonance(s, servo_op::Multiply);
    EXPECT_EQ(doc.m_szHistory[2], "2,2次自由振動,1.000000 ,0.000000 ,x:乗算  ,48000  ,2048 ,"
                                  "Q0=20.000000[dB]　f0=20.000000[Hz] \r\n");
    s.byAcceleration = true;
    doc.OnServoResonance(s, servo_op::Add);
    EXPECT_NE(doc.m_szHistory[3].find("Q0=20.000000[dB]　ACC_Gain=1.000000 at1000.000000[Hz] \r\n"),
              std::string::npos);
}

TEST_F(ServoCalc, MemoryStoreAndRecall) {
    doc.OnServoGain(3.0, servo_op::Multiply);
    doc.OnMemoryStore();
    EXPECT_EQ(doc.m_bMemoryStored, 1);
    EXPECT_EQ(doc.m_szHistory[3], "3,結果の一時保存,-- ,-- ,--  ,48000  ,2048 ,  \r\n");
    doc.OnServoGain(3.0, servo_op::Divide);
    doc.OnMemoryRecall(servo_op::Cancelled);
    EXPECT_EQ(H(doc, 7), cd(1.0, 0.0));
    EXPECT_EQ(doc.m_fOpRe[7], 3.0f);
    doc.OnMemoryRecall(servo_op::Add);
    EXPECT_EQ(H(doc, 7), cd(4.0, 0.0));
    EXPECT_EQ(doc.m_szHistory[5], "5,結果の一時読み出し,-- ,-- ,+:加算  ,48000  ,2048 ,  \r\n");
}

TEST_F(ServoCalc, InverseOfTheIntegralIsItsReciprocal) {
    doc.OnServoIntegral(2.0, 0.5, servo_op::Multiply);
    const cd before = H(doc, 21);
    doc.OnInverse();
    EXPECT_NEAR(std::abs(H(doc, 21) - 1.0 / before), 0.0, 1e-6);
    EXPECT_EQ(doc.m_szHistory[3], "3,逆数,-- ,-- ,逆特性  ,48000  ,2048 ,  \r\n");
}

} // namespace

namespace {

TEST_F(ServoCalc, FinishWritesTheImpulseResponseOfH) {
    // Unity gain is an impulse of height 1 at t = 0.
    EXPECT_NEAR(doc.m_fWave1[0], 1.0f, 1e-5);
    EXPECT_NEAR(doc.m_fWave1[1], 0.0f, 1e-5);
    // The integral's impulse response is a decaying step: positive and nearly flat at first.
    doc.OnServoIntegral(1.0, 1.0, servo_op::Multiply);
    double dc = 0.0;
    for (int i = 0; i < doc.m_nPoints; ++i) dc += doc.m_fWave1[i];
    EXPECT_NEAR(dc, doc.m_fRe[0], 1e-2 * doc.m_fRe[0]);
    EXPECT_EQ(doc.m_fWork1[17], doc.m_fWave1[17]);
    EXPECT_GT(doc.m_fWave1[3], 0.0f);
}

} // namespace
