#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentLimits.h"
#include "document/ScriptedUi.h"
#include "view/DocumentView.h"
#include "view/PlotRoutines.h"
#include "view/Spectrum3dPicture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace {

constexpr int kN = 2048;
constexpr int kTone1 = 213; // 4992 Hz at 48 kHz
constexpr int kTone2 = 725; // 16992 Hz

// A finished 3D measurement of two tones (amplitude 10000, 80 dB) over a floor of 0.01
// (-40 dB, below the bottom level of -20 dB), 400 rows in both channels.
struct TwoToneDoc {
    CScriptedUi ui;
    CKymoDoc doc{ui};
    TwoToneDoc() {
        doc.SetPow(4);
        doc.m_fDt = 1.0f / 48000;
        doc.m_nChannel = 2;
        doc.m_nTopLevel = 80;
        doc.m_nDynamicRange = 100;
        EXPECT_EQ(doc.Allocate3dHistory(), 1);
        for (int ch = 1; ch <= 2; ++ch)
            for (int r = 0; r < limits::kHistoryRows3D; ++r) {
                float* row = const_cast<float*>(doc.History3dRow(ch, r));
                for (int k = 0; k < kN / 2; ++k) row[k] = 0.01f;
                row[kTone1] = row[kTone2] = 10000.0f;
            }
        doc.m_nRow3D = limits::kHistoryRows3D;
        doc.disp_mode1 = kind::Spectrum3dFinished;
    }
};

QRgb PeakHue() {
    return HueColour(7 * LargeLayout3d().H).rgb();
}

TEST(Spectrum3dGeometry, ProjectionOriginsAndHeights) {
    // α = 0, β = 90: straight from above, x to the left (X = -x), depth to the right.
    const Projection3d top(-1, 8);
    EXPECT_EQ(top.alphaDeg, -5);
    const Projection3d p(-11, 7); // α = -105°, β = 75°
    const double sa = std::sin(-105 * M_PI / 180), ca = std::cos(-105 * M_PI / 180);
    const double sb = std::sin(75 * M_PI / 180), cb = std::cos(75 * M_PI / 180);
    for (auto [x, y, z] : {std::tuple{0.0, 0.0, 0.0}, {400.0, 200.0, 150.0}, {123.0, 45.0, 67.0}}) {
        const QPoint q = p.Project3d(x, y, z);
        EXPECT_EQ(q.x(), static_cast<int>(y * ca - x * sa + 0.5)) << x;
        EXPECT_EQ(q.y(), -static_cast<int>(z * sb - (x * ca + y * sa) * cb + 0.5)) << x;
    }
    EXPECT_TRUE(p.Mirrored());
    EXPECT_FALSE(Projection3d(-9, 7).Mirrored());

    EXPECT_EQ(Height3d(10000.0f, 80, -20, 150), 150);
    EXPECT_EQ(Height3d(1e9f, 80, -20, 150), 150); // above the top: the top
    EXPECT_EQ(Height3d(0.0f, 80, -20, 150), 0);
    EXPECT_EQ(Height3d(std::nanf(""), 80, -20, 150), 0);
    EXPECT_EQ(Height3d(1.0f, 80, -20, 150), 30); // 0 dB: 20/100 of the height
    EXPECT_EQ(BinX3d(213, 2048, 1.0 / 48000, false, 400), 2 * 400 * 213 / 2048);
    // Log axis at 48 kHz, N = 2048: o = 5, E = 4 (10 Hz .. 100 kHz); 1 kHz at 2/4 of W.
    EXPECT_NEAR(BinX3d(1, 2048, 1.0 / 48000, true, 400), (std::log10(48000.0 / 2048) - 1) * 100,
                1e-9);
}

TEST(Spectrum3dGeometry, OriginsFollowTheAzimuth) {
    EnsureTestGuiApp();
    TwoToneDoc t;
    Picture3dState st;
    QImage image(800, 1000, QImage::Format_RGB32);
    // Default angles: x0 = max(a, 150) limited to 240.
    Draw3dAxes(image, st, t.doc, LargeLayout3d(), 1, 270, 0, "[Ch1]   ");
    EXPECT_EQ(st.x0, 150);
    Draw3dAxes(image, st, t.doc, LargeLayout3d(), 1, 600, 0, "[Ch1]   ");
    EXPECT_EQ(st.x0, 240);
    t.doc.m_nTheta3D = -9; // α = -85°: 80 .. 170
    Draw3dAxes(image, st, t.doc, LargeLayout3d(), 1, 270, 0, "[Ch1]   ");
    EXPECT_EQ(st.x0, 80);
    const int y1 = Draw3dAxes(image, st, t.doc, LargeLayout3d(), 1, 600, 0, "[Ch1]   ");
    EXPECT_EQ(st.x0, 170);
    const Projection3d p(-9, 7);
    EXPECT_EQ(y1, 20 + std::max(-p.Project3d(0, 200, 150).y(), -p.Project3d(400, 200, 150).y()));
    const int y2 = Draw3dAxes(image, st, t.doc, LargeLayout3d(), 2, 600, 0, "[Ch2]   ");
    EXPECT_GT(y2, y1 + 45);
}

struct AngleCase {
    int theta, phi;
    bool log;
};

class TwoToneRidges : public ::testing::TestWithParam<AngleCase> {};

// The finished picture of two tones: in every row the two tone bins stand at full height where
// the projection puts them, the back row shows them in the hue of the top, and it has no third
// ridge. Changing the angles or the axis redraws from the stored rows.
TEST_P(TwoToneRidges, RidgesStandAtTheToneFrequencies) {
    EnsureTestGuiApp();
    const AngleCase c = GetParam();
    TwoToneDoc t;
    t.doc.m_nTheta3D = c.theta;
    t.doc.m_nPhi3D = c.phi;
    t.doc.m_bLogAxis = c.log ? 1 : 0;
    ViewState state;
    const QImage image = RenderDocumentView(t.doc, state, QSize(900, 1000));
    SaveToGallery(image, "spectrum3d-" + std::to_string(c.theta) + "-" + std::to_string(c.phi) +
                             (c.log ? "-log" : "-lin"));
    const Picture3dState& st = state.picture3d;
    const Layout3d l = LargeLayout3d();
    const Projection3d p(c.theta, c.phi);
    const double backDepth = static_cast<int>(399 * 0.5f);
    for (int ch = 1; ch <= 2; ++ch) {
        auto pixel = [&](int k, double depth, int h) {
            const QPoint q = p.Project3d(BinX3d(k, kN, t.doc.m_fDt, c.log, l.W), depth, h);
            return image.pixel(st.x0 + q.x(), st.y[ch - 1] + q.y()) & 0xFFFFFF;
        };
        for (int tone : {kTone1, kTone2}) {
            EXPECT_EQ(pixel(tone, backDepth, l.H), PeakHue() & 0xFFFFFF) << ch << " " << tone;
            for (int r : {0, 150, 300}) {
                const QRgb front = pixel(tone, static_cast<int>(r * 0.5f), l.H);
                EXPECT_NE(front, 0xFFFFFFu) << ch << " " << tone << " row " << r;
            }
        }
        int peaks = 0;
        for (int k = 1; k < kN / 2; ++k) {
            if (std::abs(k - kTone1) <= 2 || std::abs(k - kTone2) <= 2) continue;
            if (pixel(k, backDepth, 0) == (PeakHue() & 0xFFFFFF)) ++peaks;
        }
        // Only where another row's ridge happens to cross (low elevations): no third ridge.
        EXPECT_LT(peaks, kN / 2 / 50) << ch;
    }
}

INSTANTIATE_TEST_SUITE_P(Angles, TwoToneRidges,
                         ::testing::Values(AngleCase{-11, 7, false}, AngleCase{-11, 7, true},
                                           AngleCase{-9, 5, false}, AngleCase{-13, 3, true},
                                           AngleCase{-4, 4, false}, AngleCase{-14, 6, true}),
                         [](const auto& info) {
                             const AngleCase& c = info.param;
                             return "Theta" + std::string(c.theta < 0 ? "Minus" : "") +
                                    std::to_string(std::abs(c.theta)) + "Phi" +
                                    std::to_string(c.phi) + (c.log ? "Log" : "Linear");
                         });

// The live picture: kind 29 starts empty boxes, kind 30 adds the completed rows, and a history
// that started again (Repeat) starts the picture again.
TEST(Spectrum3dLive, RowsAreAddedAndThePictureRestarts) {
    EnsureTestGuiApp();
    TwoToneDoc t;
    t.doc.m_nRow3D = 0;
    t.doc.disp_mode1 = kind::Spectrum3dStart;
    ViewState state;
    const QImage empty = RenderDocumentView(t.doc, state, QSize(800, 1000));
    EXPECT_EQ(state.picture3d.liveRows, 0);
    t.doc.m_nRow3D = 50;
    t.doc.disp_mode1 = kind::Spectrum3dRowDone;
    const QImage rows = RenderDocumentView(t.doc, state, QSize(800, 1000));
    EXPECT_EQ(state.picture3d.liveRows, 50);
    SaveToGallery(rows, "spectrum3d-live");
    const QRect box(0, 280, 800, 720);
    const QRgb liveTop = HueColour(7 * LiveLayout3d().H).rgb();
    EXPECT_EQ(CountColour(empty, box, liveTop), 0);
    EXPECT_GT(CountColour(rows, box, liveTop), 20);
    t.doc.disp_mode1 = kind::Spectrum3dAveraging; // the picture stays as it is
    const QImage same = RenderDocumentView(t.doc, state, QSize(800, 1000));
    EXPECT_EQ(CountColour(same, box, liveTop), CountColour(rows, box, liveTop));
    t.doc.m_nRow3D = 0; // the history started again
    t.doc.disp_mode1 = kind::Spectrum3dRowDone;
    const QImage restarted = RenderDocumentView(t.doc, state, QSize(800, 1000));
    EXPECT_EQ(state.picture3d.liveRows, 0);
    EXPECT_EQ(CountColour(restarted, box, liveTop), 0);
}

} // namespace
