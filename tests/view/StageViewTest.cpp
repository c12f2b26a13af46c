#include "ViewTestSupport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "filters/CascadeDesign.h"
#include "filters/CascadeResponse.h"
#include "view/DocumentView.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>

// Kind 72: the view evaluates every stage of the stage table at the display's bins and leaves
// the product of all of them in m_fRe/m_fIm, whichever stages it draws.
TEST(StageView, LeavesTheOverallResponseOfTheStages) {
    EnsureTestGuiApp();
    for (int source : {0, 2}) {
        CScriptedUi ui;
        CKymoDoc doc(ui);
        BiquadTable ana, iir;
        ASSERT_EQ(CascadeChebyshev(2, 4, 48000.0, 500.0, 3000.0, 1.0, ana, iir), 1);
        doc.m_StageTable = source == 0 ? iir : ana;
        doc.m_nStageSource = source;
        doc.m_nStageCount = 4;
        doc.m_nStageShown = 2;
        doc.m_bStageCumulative = source == 0 ? 1 : 0;
        doc.m_nSamplesPerSec = 48000;
        doc.m_fDt = 1.0f / 48000.0f;
        doc.disp_mode1 = kind::FilterStages;
        doc.disp_mode2 = present::FilterResponse;
        doc.m_nTopLevel = 20;
        doc.m_nDynamicRange = 100;
        ViewState state;
        DrawResult r;
        const QImage image = RenderDocumentView(doc, state, QSize(800, 640), &r);
        EXPECT_TRUE(r.panelsDrawn);
        SaveToGallery(image, source == 0 ? "kind72-digital" : "kind72-analog");
        const int n = doc.m_nPoints;
        for (int j = 1; j < n / 2; j += 37) {
            const double w = 2.0 * M_PI * j / n;
            const std::complex<double> h = source == 0 ? DigitalCascadeResponse(iir, 4, w)
                                                       : AnalogCascadeResponse(ana, 4, w * 48000.0);
            ASSERT_NEAR(doc.m_fRe[j], h.real(), 1e-4 + 1e-4 * std::abs(h)) << source << " " << j;
            ASSERT_NEAR(doc.m_fIm[j], h.imag(), 1e-4 + 1e-4 * std::abs(h)) << source << " " << j;
        }
    }
}
