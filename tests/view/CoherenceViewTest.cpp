#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/Coherence.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "view/DocumentView.h"
#include "view/PlotColours.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QSize kSize(640, 620);
const QRect kLowerPanel(100, 325, 341, 221);

class CoherenceView : public ::testing::Test {
protected:
    void SetUp() override {
        EnsureTestGuiApp();
        doc.SetPow(2);
        doc.m_fDt = 1.0f / 48000;
        const int n = doc.m_nPoints;
        for (int k = 0; k < n; ++k) {
            doc.m_fRe[k] = 1.0f / (1.0f + 0.01f * k);
            doc.m_fIm[k] = -0.2f;
            doc.m_fCoherence[k] = 0.5f + 0.5f * std::cos(k * 0.01f);
        }
        doc.disp_mode1 = kind::Transfer;
        doc.disp_mode2 = 2;
    }
    QImage Render() {
        ViewState state;
        return RenderDocumentView(doc, state, kSize);
    }
    int CoherencePixels(const QImage& image) {
        return CountColour(image, kLowerPanel, plotcolour::Coherence().rgb());
    }
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(CoherenceView, TraceIsOffByDefaultAndLeavesThePictureUnchanged) {
    const QImage without = Render();
    doc.m_nCoherenceKey = TransferFingerprint(doc);
    ASSERT_TRUE(doc.HasCoherence());
    const QImage heldButOff = Render();
    EXPECT_EQ(heldButOff, without);
    EXPECT_EQ(CoherencePixels(heldButOff), 0);
}

TEST_F(CoherenceView, ShownAsAThirdTraceWhileItBelongsToTheTransferFunction) {
    doc.m_nCoherenceKey = TransferFingerprint(doc);
    doc.OnToggleCoherence();
    ASSERT_EQ(doc.m_bShowCoherence, 1);
    const QImage shown = Render();
    SaveToGallery(shown, "kind7_coherence");
    EXPECT_GT(CoherencePixels(shown), 150);

    // Mag/Phase shows no coherence; nor does a changed H.
    doc.disp_mode2 = 1;
    EXPECT_EQ(CoherencePixels(Render()), 0);
    doc.disp_mode2 = 2;
    doc.m_fRe[3] *= 2.0f;
    EXPECT_EQ(CoherencePixels(Render()), 0);
}

} // namespace
