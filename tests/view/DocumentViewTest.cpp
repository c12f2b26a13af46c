#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"
#include "view/DocumentView.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"
#include "view/ViewMessages.h"
#include "view/WaveOverview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

const QSize kSize(640, 620);

class DocumentViewTest : public ::testing::Test {
protected:
    void SetUp() override { EnsureTestGuiApp(); }

    // A windowed record of a sine at bin 64 and its spectrum (kind 2).
    void FillSpectrum() {
        const int n = doc.m_nPoints;
        doc.m_fDt = 1.0f / 48000;
        doc.m_nWindowType = 4;
        for (int i = 0; i < n; ++i) {
            const double w =
                0.42 - 0.5 * std::cos(2 * M_PI * i / n) + 0.08 * std::cos(4 * M_PI * i / n);
            doc.m_fWork1[i] = static_cast<float>(1000 * std::sin(2 * M_PI * 64 * i / n) * w);
            doc.m_fRe[i] = 0;
            doc.m_fIm[i] = 0;
        }
        // Blackman main lobe around bin 64 (and its mirror), a small floor elsewhere.
        for (int k = 1; k < n / 2; ++k) doc.m_fRe[k] = 0.01f;
        doc.m_fIm[64] = -210;
        doc.m_fIm[63] = doc.m_fIm[65] = 125;
        doc.m_fIm[62] = doc.m_fIm[66] = -20;
        doc.m_fIm[n - 64] = 210;
        doc.m_fRe[100] = 0; // a zero bin: drawn at the bottom of the dB range
        doc.disp_mode1 = kind::Spectrum;
    }

    QImage Render(DrawResult* result = nullptr) {
        return RenderDocumentView(doc, state, kSize, result);
    }

    CScriptedUi ui;
    CKymoDoc doc{ui};
    ViewState state;
};

TEST_F(DocumentViewTest, SpectrumInEveryPresentationDrawsItsPanels) {
    FillSpectrum();
    const char* names[] = {"kind2_realimag", "kind2_magphase", "kind2_logmag_auto"};
    for (int mode = 0; mode < 3; ++mode) {
        doc.disp_mode2 = mode;
        DrawResult r;
        const QImage image = Render(&r);
        SaveToGallery(image, names[mode]);
        EXPECT_TRUE(r.panelsDrawn);
        EXPECT_TRUE(r.warning.empty());
        // Lower panel: device rows 325 .. 545; the first trace colour appears there.
        const QRect lower(100, 325, 341, 221);
        EXPECT_GT(CountColour(image, lower, plotcolour::First().rgb()), 20) << names[mode];
    }
    EXPECT_FLOAT_EQ(state.scales.m_fMaxReIm, 210);
}

TEST_F(DocumentViewTest, AutomaticLogScaleCoversThePeakAndManualScaleStays) {
    FillSpectrum();
    doc.disp_mode2 = present::LogMagAuto;
    Render();
    // Peak 20·log10(210) = 46.4 dB, floor -40 dB: range 86.4, span 100, top 50.
    const DbScale s = MakeDbScale(state.scales.m_fTopDb, state.scales.m_fBottomDb, true);
    EXPECT_DOUBLE_EQ(s.span, 100);
    EXPECT_DOUBLE_EQ(s.top, 50);

    doc.disp_mode2 = present::LogMagManual;
    state.scales.m_fTopDb = 0;
    state.scales.m_fBottomDb = -60;
    const QImage image = Render();
    SaveToGallery(image, "kind2_logmag_manual");
    EXPECT_FLOAT_EQ(state.scales.m_fTopDb, 0);
    EXPECT_FLOAT_EQ(state.scales.m_fBottomDb, -60);
    // The peak lies above 0 dB: the level trace touches the upper edge of the lower panel.
    EXPECT_GT(CountColour(image, QRect(250, 324, 100, 3), plotcolour::First().rgb()), 0);
}

// Manual Log_Mag scaling keeps its dB range but not the full scales of the other panels: after
// an inverse transform the time panel is scaled to the new record.
TEST_F(DocumentViewTest, ManualLogScaleHoldsOnlyTheDbRange) {
    FillSpectrum();
    doc.disp_mode2 = present::LogMagManual;
    state.scales.m_fTopDb = 0;
    state.scales.m_fBottomDb = -60;
    Render();
    EXPECT_FLOAT_EQ(state.scales.m_fMaxReIm, 210);
    const int n = doc.m_nPoints;
    for (int i = 0; i < n; ++i) {
        doc.m_fWave1[i] = static_cast<float>(0.1 * std::sin(2 * M_PI * 3 * i / n));
        doc.m_fRe[i] = doc.m_fIm[i] = 0;
    }
    doc.disp_mode1 = kind::TimeRecord;
    DrawResult r;
    Render(&r);
    EXPECT_TRUE(r.panelsDrawn);
    EXPECT_NEAR(state.scales.m_fMaxWave, 0.1, 1e-6);
    EXPECT_FLOAT_EQ(state.scales.m_fMaxReIm, 0);
    EXPECT_FLOAT_EQ(state.scales.m_fTopDb, 0);
    EXPECT_FLOAT_EQ(state.scales.m_fBottomDb, -60);
}

TEST_F(DocumentViewTest, NonFiniteBinsLeaveTheAutomaticScaleDefined) {
    FillSpectrum();
    doc.m_fRe[10] = INFINITY;
    doc.m_fIm[11] = NAN;
    doc.m_fWork1[3] = NAN;
    ComputeAutoScale(doc, doc.m_nPoints, state.scales);
    EXPECT_TRUE(std::isfinite(state.scales.m_fTopDb));
    EXPECT_TRUE(std::isfinite(state.scales.m_fBottomDb));
    EXPECT_TRUE(std::isfinite(state.scales.m_fMaxMag));
    EXPECT_FLOAT_EQ(state.scales.m_fMaxRe, 0.01f);
    EXPECT_FLOAT_EQ(state.scales.m_fMaxReIm, 210);
    EXPECT_NEAR(state.scales.m_fTopDb, 20 * std::log10(210.0), 1e-3);
    EXPECT_NEAR(state.scales.m_fBottomDb, -40, 1e-3);
}

TEST_F(DocumentViewTest, WarningsReplaceThePanels) {
    struct Case {
        int kind;
        int dispMode3;
        const char* warning;
        bool repaint;
    } cases[] = {
        {kind::Spectrum, 3, viewmsg::kNoFft, false},
        {kind::TimeRecord, 3, viewmsg::kNoSignal, false},
        {kind::CutOneChannel, 1, viewmsg::kNoSignal, false},
        {kind::Wave, 100, viewmsg::kBadFormat, true},
    };
    for (const Case& c : cases) {
        doc.disp_mode1 = c.kind;
        doc.disp_mode3 = c.dispMode3;
        doc.m_bRealBusy = 1;
        DrawResult r;
        Render(&r);
        EXPECT_FALSE(r.panelsDrawn) << c.kind;
        EXPECT_EQ(r.warning, c.warning) << c.kind;
        EXPECT_EQ(r.repaint, c.repaint) << c.kind;
        EXPECT_EQ(doc.m_bRealBusy, 1) << c.kind;
    }
    EXPECT_EQ(doc.disp_mode3, 0);
}

TEST_F(DocumentViewTest, LoadedWaveShowsHeaderOnceAndKeepsItsEnvelope) {
    WavFormat format;
    format.rate = 44100;
    const auto samples = SineSamples(1000, 2, 12000, 0.01);
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, samples)));
    doc.m_bRealBusy = 1;
    DrawResult r;
    const QImage first = Render(&r);
    SaveToGallery(first, "kind3_loaded");
    EXPECT_TRUE(r.panelsDrawn);
    EXPECT_EQ(doc.m_bRealBusy, 0);
    EXPECT_EQ(doc.disp_mode0, subreq::HeaderDrawn);
    EXPECT_EQ(state.envelope.segments, 250);
    EXPECT_TRUE(state.envelope.ch1);
    EXPECT_TRUE(state.envelope.ch2);
    int largest = 0;
    for (int v : samples) largest = std::max(largest, std::abs(v));
    EXPECT_FLOAT_EQ(doc.m_fWaveAmp, static_cast<float>(largest));
    // Both channels appear in the upper panel: ch1 in its pen, ch2 masked onto the panel fill.
    const QRect upper(100, 60, 341, 221);
    const QImage second = Render();
    SaveToGallery(second, "kind3_redraw");
    EXPECT_GT(CountColour(second, upper, plotcolour::WaveCh1().rgb()), 100);
    const QRgb masked = qRgb(240 & ~180, 240 & ~40, 240 & ~40);
    EXPECT_GT(CountColour(second, upper, masked), 100);
    // The header lines (opaque text) are gone on the redraw: the upper left corner of the panel
    // shows its fill again.
    EXPECT_EQ(second.pixel(102, 63) & 0xffffff, plotcolour::PanelFill().rgb() & 0xffffff);
}

TEST_F(DocumentViewTest, FilterResultShowsTheFilteredImageBelowTheWave) {
    WavFormat format;
    const auto samples = SineSamples(3000, 2, 16000, 0.003);
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(format, samples)));
    // A "filtered" image at a quarter of the amplitude.
    doc.m_nFilterImageSize = doc.m_nWaveImageSize;
    doc.m_pFilterImage.reset(new std::uint8_t[doc.m_nFilterImageSize]);
    std::copy_n(doc.m_pWaveImage.get(), doc.m_nFilterImageSize, doc.m_pFilterImage.get());
    for (int i = doc.m_nHeadSize; i + 1 < doc.m_nFilterImageSize; i += 2) {
        auto* p = doc.m_pFilterImage.get() + i;
        const auto v = static_cast<std::int16_t>(p[0] | (p[1] << 8)) / 4;
        p[0] = static_cast<std::uint8_t>(v & 0xff);
        p[1] = static_cast<std::uint8_t>((v >> 8) & 0xff);
    }
    doc.disp_mode1 = kind::FilterResult;
    doc.disp_mode0 = subreq::FilterResult;
    doc.disp_mode3 = 13;
    const QImage image = Render();
    SaveToGallery(image, "kind13");
    EXPECT_EQ(doc.disp_mode0, subreq::HeaderDrawn);
    EXPECT_EQ(state.filterEnvelope.segments, 250);
    EXPECT_NEAR(state.filterEnvelope.amp, state.envelope.amp / 4, 1.0);
    EXPECT_GT(CountColour(image, QRect(100, 330, 341, 211), plotcolour::WaveCh1().rgb()), 50);
}

// The result line names the filter actually used, not the window-method settings.
TEST_F(DocumentViewTest, FilterResultLineNamesTheFilterUsed) {
    doc.disp_mode1 = kind::FilterResult;
    doc.disp_mode3 = 11;
    doc.m_nFirTaps = 163;
    doc.m_fCutLow = 1234.0f;
    doc.m_filterUsed = {false, 27417, 2000.0, 0.0};
    EXPECT_EQ(FilterResultLine(doc),
              "NumTap=27417   Lpfc=2000.000000 disp_mode1=13 disp_mode3=11 ");
    doc.m_filterUsed = {false, 101, 0.0, 0.0}; // Remez: band edges, no cut-off of its own
    EXPECT_EQ(FilterResultLine(doc), "NumTap=101 disp_mode1=13 disp_mode3=11 ");
    doc.m_filterUsed = {true, 8, 1000.0, 3000.0};
    EXPECT_EQ(FilterResultLine(doc),
              "IIR Order=8   Lpfc=1000.000000   Hpfc=3000.000000 disp_mode1=13 disp_mode3=11 ");
}

// After down-sampling the header lines say that the wave held is no longer the file.
TEST_F(DocumentViewTest, HeaderLinesOfAReplacedWaveGiveTheNewRate) {
    ASSERT_TRUE(doc.LoadFromBytes(BuildWav(WavFormat{}, SineSamples(20000, 2, 8000, 0.01))));
    const auto before = WaveHeaderLines(doc);
    ASSERT_EQ(doc.DecimateWave(), 1);
    const auto after = WaveHeaderLines(doc);
    const std::string note = "ﾀﾞｳﾝｻﾝﾌﾟﾘﾝｸﾞ後の波形です(24000Hz):元のﾌｧｲﾙは変わっていません";
    EXPECT_EQ(std::find(before.begin(), before.end(), note), before.end());
    EXPECT_NE(std::find(after.begin(), after.end(), note), after.end());
}

TEST_F(DocumentViewTest, CutRecordsOfBothChannelsAreDrawnWithTheirWindow) {
    const int n = doc.m_nPoints;
    for (int i = 0; i < n; ++i) {
        doc.m_fWave1[i] = static_cast<float>(8000 * std::sin(2 * M_PI * 5 * i / n));
        doc.m_fWave2[i] = static_cast<float>(3000 * std::cos(2 * M_PI * 9 * i / n));
        const double w = 0.5 - 0.5 * std::cos(2 * M_PI * i / n);
        doc.m_fWork1[i] = static_cast<float>(doc.m_fWave1[i] * w);
        doc.m_fWork2[i] = static_cast<float>(doc.m_fWave2[i] * w);
    }
    doc.disp_mode1 = kind::CutTwoChannels;
    doc.disp_mode3 = 3;
    doc.m_nWindowType = 2;
    const QImage image = Render();
    SaveToGallery(image, "kind6_windowed");
    EXPECT_FLOAT_EQ(state.scales.m_fMaxWave, 8000);
    EXPECT_FLOAT_EQ(state.scales.m_fScale2, 8000);
    const QRect lower(100, 325, 341, 221);
    EXPECT_GT(CountColour(image, lower, plotcolour::First().rgb()), 50);
    EXPECT_GT(CountColour(image, lower, plotcolour::Second().rgb()), 50);
}

TEST_F(DocumentViewTest, StartScreenWritesItsFigureIntoTheTimeBuffers) {
    doc.disp_mode1 = kind::None;
    for (int random : {0, 30000}) {
        state.startScreenRandom = random;
        const QImage image = Render();
        SaveToGallery(image, random ? "kind0_xy" : "kind0_sine");
        const int n = doc.m_nPoints;
        if (random == 0) {
            EXPECT_NEAR(doc.m_fWave1[n / 4], 1.0f, 1e-6);
            EXPECT_NEAR(doc.m_fWave2[0], 1.0f, 1e-6);
        } else {
            const int k = (random >> 12) + 21;
            EXPECT_NEAR(doc.m_fWave2[1], std::sin(M_PI * k / n), 1e-6);
        }
    }
}

} // namespace
