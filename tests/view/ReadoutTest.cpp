#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "view/DocumentView.h"
#include "view/ViewInteraction.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class ReadoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc.m_fDt = 1.0f / 48000;
        layout = ComputeLayout(doc);
        state.scales.m_fTopDb = 40;
        state.scales.m_fBottomDb = -20;
    }
    // x of bin k on the lower panel's axis.
    double XOfBin(int k) const {
        const LogAxis a = MakeLogAxis(2.0 * doc.m_fDt, doc.m_nPoints);
        return a.XOf((k + 0.5) * a.binHz, layout.lower.left, layout.lower.W());
    }
    CScriptedUi ui;
    CKymoDoc doc{ui};
    ViewState state;
    ViewLayout layout;
};

TEST_F(ReadoutTest, ComplexResultShowsFrequencyLevelAndPhase) {
    doc.disp_mode1 = kind::Transfer;
    doc.disp_mode2 = present::LogMagAuto;
    doc.m_fRe[64] = 0;
    doc.m_fIm[64] = 10;
    const Readout r = ComputeReadout(doc, state, layout, XOfBin(64));
    ASSERT_TRUE(r.valid);
    EXPECT_EQ(r.bin, 64);
    EXPECT_EQ(r.text, "周波数=1.500         [kHz] レベル=20.00dB 位相=90.0Deg ");
    EXPECT_EQ(r.markers.size(), 2u); // level and phase (mode 0)
    state.m_nPhaseMode = 2;
    doc.m_fIm[64] = 0;
    const Readout z = ComputeReadout(doc, state, layout, XOfBin(64));
    EXPECT_EQ(z.text, "周波数=1.500         [kHz] レベル=False     位相=0.0Deg ");
    ASSERT_EQ(z.markers.size(), 1u);
    EXPECT_DOUBLE_EQ(z.markers[0].y, layout.lower.lower); // zero magnitude at the bottom
}

TEST_F(ReadoutTest, TwoChannelSpectrumShowsTheDifference) {
    doc.disp_mode1 = kind::Spectrum2;
    doc.disp_mode2 = present::LogMagAuto;
    doc.m_fRe[10] = 1;
    doc.m_fOpRe[10] = 10;
    const Readout r = ComputeReadout(doc, state, layout, XOfBin(10));
    ASSERT_TRUE(r.valid);
    EXPECT_NE(r.text.find(" ch1=0.00dB ch2=20.00dB 差分=20.00dB"), std::string::npos) << r.text;
    doc.m_fRe[10] = 0;
    const Readout f = ComputeReadout(doc, state, layout, XOfBin(10));
    EXPECT_NE(f.text.find(" ch1=False    ch2=20.00dB "), std::string::npos) << f.text;
}

TEST_F(ReadoutTest, OutsideTheBinsOrKindsThereIsNoReading) {
    doc.disp_mode1 = kind::Spectrum1;
    EXPECT_TRUE(ComputeReadout(doc, state, layout, layout.lower.left).shown);
    EXPECT_FALSE(ComputeReadout(doc, state, layout, layout.lower.left).valid);  // below bin 1
    EXPECT_FALSE(ComputeReadout(doc, state, layout, layout.lower.right).valid); // above N/2
    doc.disp_mode1 = kind::Spectrum;
    doc.disp_mode2 = present::RealImag;
    EXPECT_FALSE(ComputeReadout(doc, state, layout, 300).shown);
}

} // namespace
