#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/ServoElements.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

namespace {

using cd = std::complex<double>;

// Writes an "OPER" file of a flat response `gain` with N = 2^(pow + 7) at `fs`.
std::string FlatFile(const TempDir& dir, const std::string& name, int pow, double fs, double gain) {
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.OnInitGain(pow, fs);
    doc.OnServoGain(gain, servo_op::Multiply);
    ui.fileAnswers.push_back(dir.Path(name));
    EXPECT_EQ(doc.OnSaveResult(), 1);
    return dir.Path(name);
}

class ServoFiles : public ::testing::Test {
protected:
    void SetUp() override { doc.OnInitGain(4, 48000.0); }
    cd H(int k) const { return {doc.m_fRe[k], doc.m_fIm[k]}; }
    TempDir dir;
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(ServoFiles, EqualLengthsCombineDirectly) {
    ui.fileAnswers.push_back(FlatFile(dir, "two.opr", 4, 48000.0, 2.0));
    ASSERT_EQ(doc.ReadServoOperandFile(), 1);
    doc.CombineServoFile(servo_op::Add);
    for (int k : {0, 1, 1000, 2047}) EXPECT_NEAR(std::abs(H(k) - 3.0), 0.0, 1e-5);
    EXPECT_EQ(doc.m_szHistory[2],
              "2,Read Temp. File,-- ,-- ,+:加算  ,48000  ,2048 ," + dir.Path("two.opr") + " \r\n");
}

TEST_F(ServoFiles, AShorterFileIsStretchedToTheCurrentLength) {
    ui.fileAnswers.push_back(FlatFile(dir, "short.opr", 3, 48000.0, 2.0));
    ASSERT_EQ(doc.ReadServoOperandFile(), 1);
    EXPECT_EQ(doc.m_nPoints, 2048);
    EXPECT_EQ(doc.m_nPow, 4);
    doc.CombineServoFile(servo_op::Multiply);
    for (int k : {0, 1, 700, 2047}) EXPECT_NEAR(std::abs(H(k) - 2.0), 0.0, 1e-4) << k;
    const auto texts = ui.MessageTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), msg::kFileShorter), texts.end());
}

TEST_F(ServoFiles, ALongerFileStretchesTheCurrentResult) {
    doc.OnServoGain(3.0, servo_op::Multiply);
    ui.fileAnswers.push_back(FlatFile(dir, "long.opr", 5, 48000.0, 2.0));
    ASSERT_EQ(doc.ReadServoOperandFile(), 1);
    EXPECT_EQ(doc.m_nPoints, 4096);
    EXPECT_EQ(doc.m_nPow, 5);
    doc.CombineServoFile(servo_op::Multiply);
    for (int k : {0, 3, 2048, 4095}) EXPECT_NEAR(std::abs(H(k) - 6.0), 0.0, 1e-4) << k;
    const auto texts = ui.MessageTexts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), msg::kFileLonger), texts.end());
}

TEST_F(ServoFiles, AnotherSamplingPeriodIsRefused) {
    ui.fileAnswers.push_back(FlatFile(dir, "other.opr", 4, 44100.0, 2.0));
    EXPECT_EQ(doc.ReadServoOperandFile(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), msg::kSamplingMismatch);
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 48000);
    EXPECT_EQ(doc.m_nPoints, 2048);
    EXPECT_EQ(H(5), cd(1.0, 0.0));
}

TEST_F(ServoFiles, OnlyAComplexRecordIsAccepted) {
    // A two-channel spectrum file ("OPS2").
    CScriptedUi ui2;
    CKymoDoc other(ui2);
    WavFormat format;
    ASSERT_TRUE(other.LoadFromBytes(BuildWav(format, SineSamples(4096, 2, 1000, 0.01))));
    other.SetPow(3);
    ASSERT_TRUE(other.CutRecord(0));
    other.OnAnalyseRecord(0);
    ASSERT_EQ(other.disp_mode1, kind::Spectrum2);
    ui2.fileAnswers.push_back(dir.Path("format.opr"));
    ASSERT_EQ(other.OnSaveResult(), 1);

    std::fill(doc.m_fOpRe.begin(), doc.m_fOpRe.end(), 5.0f);
    std::fill(doc.m_fWave1.begin(), doc.m_fWave1.end(), 7.0f);
    ui.fileAnswers.push_back(dir.Path("format.opr"));
    EXPECT_EQ(doc.ReadServoOperandFile(), 0);
    EXPECT_EQ(ui.MessageTexts().back(), msg::kOtherDataFormat);
    EXPECT_EQ(doc.m_nPoints, 2048);
    EXPECT_EQ(doc.m_nPow, 4);
    EXPECT_FLOAT_EQ(doc.m_fDt, 1.0f / 48000);
    EXPECT_EQ(doc.m_fOpRe[3], 5.0f);
    EXPECT_EQ(doc.m_fWave1[3], 7.0f);
    EXPECT_EQ(doc.disp_mode1, kind::Spectrum);
}

TEST_F(ServoFiles, InitialResponseFromAFile) {
    const std::string path = FlatFile(dir, "init.opr", 2, 96000.0, 4.0);
    CScriptedUi ui2;
    CKymoDoc fresh(ui2);
    ui2.fileAnswers.push_back(path);
    ASSERT_EQ(fresh.OnInitFromFile(), 1);
    EXPECT_EQ(fresh.disp_mode1, kind::Spectrum);
    EXPECT_EQ(fresh.m_nPoints, 512);
    EXPECT_FLOAT_EQ(fresh.m_fDt, 1.0f / 96000);
    EXPECT_NEAR(fresh.m_fRe[100], 4.0f, 1e-6);
    EXPECT_NEAR(fresh.m_fWave1[0], 4.0f, 1e-4);
    EXPECT_EQ(fresh.m_szHistory[1],
              "1,Read Initial File,-- ,-- ,--  ,96000  ,512 ," + path + " \r\n");
}

} // namespace
