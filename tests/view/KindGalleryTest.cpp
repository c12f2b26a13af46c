#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "view/DocumentView.h"
#include "view/PlotCanvas.h"
#include "view/PlotColours.h"
#include "view/PlotRoutines.h"

#include <QPainter>

#include <gtest/gtest.h>

#include <cmath>

namespace {

// Fills the buffers every kind reads: two time records, amplitude spectra (ch1 in m_fRe, ch2 in
// m_fOpRe), a transfer function in m_fRe/m_fIm for the Bode kinds, correlations.
void FillBuffers(CKymoDoc& doc, int k) {
    const int n = doc.m_nPoints;
    doc.m_fDt = 1.0f / 48000;
    for (int i = 0; i < n; ++i) {
        doc.m_fWave1[i] = static_cast<float>(12000 * std::sin(2 * M_PI * 8 * i / n));
        doc.m_fWave2[i] = static_cast<float>(6000 * std::sin(2 * M_PI * 21 * i / n));
        doc.m_fWork1[i] = doc.m_fWave1[i];
        doc.m_fWork2[i] = doc.m_fWave2[i];
    }
    const bool bode = k == kind::LiveTransfer || k == kind::FilterDesign ||
                      k == kind::FilterStages || k == kind::Transfer;
    const bool corr = k == kind::AutoCorr1 || k == kind::AutoCorr2 || k == kind::CrossCorr ||
                      k == kind::LiveAutoCorr || k == kind::LiveCrossCorr;
    for (int b = 0; b < n; ++b) {
        if (bode) {
            // A second-order low-pass at 1 kHz.
            const double w = b / (n * doc.m_fDt) / 1000.0;
            const double dre = 1 - w * w, dim = 0.5 * w;
            const double d = dre * dre + dim * dim;
            doc.m_fRe[b] = static_cast<float>(dre / d);
            doc.m_fIm[b] = static_cast<float>(-dim / d);
        } else if (corr) {
            const int lag = b < n / 2 ? b : n - b;
            doc.m_fRe[b] = static_cast<float>(std::exp(-lag / 40.0) * std::cos(lag / 6.0));
            doc.m_fOpRe[b] = static_cast<float>(0.6 * std::exp(-lag / 90.0));
        } else {
            doc.m_fRe[b] = static_cast<float>(3000.0 / (1 + std::fabs(b - 8.0)));
            doc.m_fOpRe[b] = static_cast<float>(800.0 / (1 + std::fabs(b - 21.0)));
            doc.m_fIm[b] = 0;
        }
    }
    doc.m_nScopeShow = 2;
    doc.m_bAveraging = 1;
    doc.m_nRealUpdates = 7;
    doc.m_szGraphTitle = "周波数特性";
    doc.m_nTopLevel = 100;
    doc.m_nDynamicRange = 120;
    doc.m_nFilterFftSize = 1024;
}

struct KindCase {
    int kind;
    const char* name;
    bool lowerTrace; // a trace is expected in the lower panel, else in the upper one
};

// Test names show the case's name, not its bytes (which hold a pointer).
void PrintTo(const KindCase& c, std::ostream* os) {
    *os << c.name;
}

class KindGallery : public ::testing::TestWithParam<KindCase> {};

TEST_P(KindGallery, DrawsItsPanelsWithTraces) {
    EnsureTestGuiApp();
    const KindCase& c = GetParam();
    CScriptedUi ui;
    CKymoDoc doc(ui);
    doc.disp_mode1 = c.kind;
    doc.disp_mode3 = 3;
    FillBuffers(doc, c.kind);
    doc.m_bRealBusy = 1;
    ViewState state;
    DrawResult r;
    const QImage image = RenderDocumentView(doc, state, QSize(640, 620), &r);
    SaveToGallery(image, c.name);
    EXPECT_TRUE(r.panelsDrawn);
    EXPECT_EQ(doc.m_bRealBusy, 0);
    const QRect panel = c.lowerTrace ? QRect(101, 326, 338, 218) : QRect(101, 61, 338, 218);
    int coloured = 0;
    for (int y = panel.top(); y <= panel.bottom(); ++y)
        for (int x = panel.left(); x <= panel.right(); ++x) {
            const QColor px = QColor(image.pixel(x, y));
            if (std::abs(px.red() - px.green()) > 60 || std::abs(px.green() - px.blue()) > 60)
                ++coloured;
        }
    EXPECT_GT(coloured, 50) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, KindGallery,
    ::testing::Values(
        KindCase{kind::Transfer, "kind7", true}, KindCase{kind::LiveSpectrum, "kind10", true},
        KindCase{kind::LiveTransfer, "kind11", true}, KindCase{kind::LiveScope, "kind12", false},
        KindCase{kind::Scope, "kind14", false}, KindCase{kind::Spectrum1, "kind15", true},
        KindCase{kind::Spectrum2, "kind16", true}, KindCase{kind::RtFilterRunning, "kind19", true},
        KindCase{kind::LiveAutoCorr, "kind20", true}, KindCase{kind::AutoCorr2, "kind23", true},
        KindCase{kind::CrossCorr, "kind26", true}, KindCase{kind::AudioGraph, "kind32", false},
        KindCase{kind::AudioMeasurement, "kind33", false},
        KindCase{kind::FilterDesign, "kind71", true}, KindCase{kind::RadioRunning, "kind192", true},
        KindCase{kind::RadioWaterfall, "kind194", true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PlotLogProgress, DrawingTheRunningTracesTwiceRestoresThePicture) {
    EnsureTestGuiApp();
    const int n = 2048;
    std::vector<float> a(n), b(n);
    for (int k = 0; k < n; ++k) {
        a[k] = 100.0f / (1 + k);
        b[k] = 30.0f / (1 + std::abs(k - 50));
    }
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PlotCanvas c(p);
    const PanelRect r{100, 440, -280, -60};
    c.SetFontHeight(PlotFontHeight(r));
    PlotLogProgress(c, r, a.data(), b.data(), 40, -30, n, 2.0 / 48000, 7, "[2chスペアナ表示]");
    const QImage framed = image.copy();
    SaveToGallery(framed, "progress_type7");
    PlotLogProgress(c, r, a.data(), b.data(), 40, -30, n, 2.0 / 48000, 6, "");
    const QImage erased = image.copy();
    PlotLogProgress(c, r, a.data(), b.data(), 40, -30, n, 2.0 / 48000, 6, "");
    p.end();
    EXPECT_EQ(image, framed);
    EXPECT_NE(erased, framed);
}

} // namespace

namespace {

TEST(PlotStages, CumulativeCurvesAndTheOverallProduct) {
    EnsureTestGuiApp();
    const int n = 2048;
    // Three stages with gains 2, 0.5 and j·4 at every bin.
    std::vector<StageResponse> stages(3);
    const float gains[3][2] = {{2, 0}, {0.5f, 0}, {0, 4}};
    for (int s = 0; s < 3; ++s) {
        stages[s].re.assign(n / 2, gains[s][0]);
        stages[s].im.assign(n / 2, gains[s][1]);
    }
    std::vector<float> re(n / 2, -1), im(n / 2, -1);
    QImage image(640, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    PlotCanvas c(p);
    const PanelRect r{100, 440, -280, -60};
    c.SetFontHeight(PlotFontHeight(r));
    PlotStages(c, r, stages, 3, true, 20, -20, n, 2.0 / 48000, phasemode::Shifted,
               "[f特性表示:ｽﾃｰｼﾞ別計算結果]", re.data(), im.data());
    p.end();
    SaveToGallery(image, "stages_cumulative");
    EXPECT_NEAR(re[5], 0, 1e-6);
    EXPECT_NEAR(im[5], 4, 1e-6);
    // Stage 3's cumulative curve (12 dB) is drawn in its hue.
    const QColor hue = HueColour(3 * (5852 / 3));
    const double y = -280 + 220.0 * (20 * std::log10(4.0) + 20) / 40;
    int found = 0;
    for (int x = 150; x < 400; ++x)
        for (int dy = -2; dy <= 2; ++dy)
            found += QColor(image.pixel(x, static_cast<int>(-y) + dy)) == hue;
    EXPECT_GT(found, 100);
}

} // namespace
