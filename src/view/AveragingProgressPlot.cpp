#include "view/AveragingProgressPlot.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "view/DocumentView.h"
#include "view/PlotRoutines.h"
#include "view/ViewScales.h"

#include <algorithm>
#include <cmath>

void DrawAveragingProgress(PlotCanvas& c, CKymoDoc& doc, ViewState& state, const ViewLayout& l) {
    const AveragingProgress& p = doc.m_averaging;
    if (!p.running || p.refreshes == 0) return;
    const int n = doc.m_nPoints;
    const double dt = doc.m_fDt;
    const bool two = p.analysis == analysis::CrossCorr || p.analysis == analysis::Transfer ||
                     BaseChannel(doc.disp_mode3) == chan::Both;
    ComputeAutoScale(doc, n, state.scales);
    const ViewScales& s = state.scales;
    // Full scales of the record being read (the pending kinds have no stored scales).
    float max1 = 0.0f, max2 = 0.0f;
    for (int i = 0; i < n; ++i) {
        max1 = std::max(max1, std::abs(doc.m_fWave1[i]));
        if (two) max2 = std::max(max2, std::abs(doc.m_fWave2[i]));
    }
    PlotTimeRecord(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(), max1 > 0 ? max1 : 1.0f,
                   max2 > 0 ? max2 : 1.0f, 0, 0, n, dt, two ? 2 : 1, "[時間表示]");

    const double e = 2.0 * dt;
    switch (p.analysis) {
    case analysis::Spectrum: {
        const bool both = BaseChannel(doc.disp_mode3) == chan::Both;
        const float* b = both ? doc.m_fOpRe.data() : nullptr;
        PlotLogProgress(c, l.lower, nullptr, nullptr, s.m_fTopDb, s.m_fBottomDb, n, e, both ? 7 : 5,
                        p.title);
        PlotLogProgress(c, l.lower, doc.m_fRe.data(), b, s.m_fTopDb, s.m_fBottomDb, n, e,
                        both ? 6 : 4, p.currentTitle);
        break;
    }
    case analysis::Transfer:
        PlotLogProgress(c, l.lower, nullptr, nullptr, s.m_fTopDb, s.m_fBottomDb, n, e, 3, p.title);
        PlotLogProgress(c, l.lower, doc.m_fRe.data(), doc.m_fIm.data(), s.m_fTopDb, s.m_fBottomDb,
                        n, e, 2, p.currentTitle);
        break;
    default: {
        const bool both =
            p.analysis == analysis::AutoCorr && BaseChannel(doc.disp_mode3) == chan::Both;
        const double gain = std::ldexp(1.0, -doc.m_nCorrGainExp);
        const int Z = 1 << std::clamp(doc.m_nCorrTimeExp, 0, 16);
        PlotCorrelation(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), gain, n, dt, Z, 3,
                        p.title);
        state.m_nDrawStep = PlotCorrelation(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), gain,
                                            n, dt, Z, both ? 5 : 4, p.currentTitle);
        break;
    }
    }
}
