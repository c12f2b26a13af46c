// The road of a recording through the menu operations, drawn after each step.
#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "dsp/WindowKinds.h"
#include "support/WavBuilder.h"
#include "view/DocumentView.h"
#include "view/PlotColours.h"

#include <gtest/gtest.h>

namespace {

class Road : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestGuiApp();
        WavFormat format;
        format.rate = 44100;
        ASSERT_TRUE(
            doc.LoadFromBytes(BuildWav(format, SineSamples(44100, 2, 20000, 1000.0 / 44100))));
        RenderDocumentView(doc, state, kSize);
    }
    static constexpr QSize kSize{640, 620};
    CScriptedUi ui;
    CKymoDoc doc{ui};
    ViewState state;
};

TEST_F(Road, CutWindowedStereoRecord) {
    ASSERT_TRUE(doc.CutRecord(1000));
    doc.OnWindowCommand(wnd::Hanning);
    ASSERT_EQ(doc.disp_mode1, kind::CutTwoChannels);
    const QImage image = RenderDocumentView(doc, state, kSize);
    SaveToGallery(image, "road_kind6_hanning");
    const QRect lower(100, 325, 341, 221);
    EXPECT_GT(CountColour(image, lower, plotcolour::First().rgb()), 50);
    EXPECT_GT(CountColour(image, lower, plotcolour::Second().rgb()), 50);
}

TEST_F(Road, SpectrumOfAWindowedRecordInEveryPresentation) {
    doc.OnSelectChannel(1);
    RenderDocumentView(doc, state, kSize);
    ASSERT_TRUE(doc.CutRecord(0));
    doc.OnWindowCommand(wnd::Blackman);
    ASSERT_EQ(doc.OnFft(), 1);
    ASSERT_EQ(doc.disp_mode1, kind::Spectrum);
    const char* names[] = {"road_kind2_realimag", "road_kind2_magphase", "road_kind2_logmag"};
    for (int mode = 0; mode < 3; ++mode) {
        doc.disp_mode2 = mode;
        DrawResult r;
        const QImage image = RenderDocumentView(doc, state, kSize, &r);
        SaveToGallery(image, names[mode]);
        EXPECT_TRUE(r.panelsDrawn) << r.warning;
    }
    // The automatic dB scale puts the 1 kHz peak near the top of the lower panel.
    EXPECT_GT(state.scales.m_fTopDb, 60);
    EXPECT_LT(state.scales.m_fTopDb, 80);
}

} // namespace
