#include "view/KindPanels.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/DocumentView.h"
#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"
#include "view/StartScreen.h"

#include <algorithm>
#include <cstdlib>

namespace {

void CopyRecord(const std::vector<float>& from, std::vector<float>& to, int n) {
    std::copy(from.begin(), from.begin() + std::min<std::size_t>(n, from.size()), to.begin());
}

// Lower panel of the complex results of kinds 2 and 7.
void DrawComplexPanel(PlotCanvas& c, CKymoDoc& doc, ViewState& st, const PanelRect& r) {
    const int k = doc.disp_mode1;
    const int mode = doc.disp_mode2;
    const char* title = ComplexPanelTitle(k, mode);
    if (!*title) return;
    const int n = doc.m_nPoints;
    const double e = 2.0 * doc.m_fDt;
    const ViewScales& s = st.scales;
    switch (mode) {
    case 0:
        PlotTrace(c, r, doc.m_fRe.data(), doc.m_fIm.data(), s.m_fMaxReIm, s.m_fMaxReIm, n, e,
                  tracetype::RealImag, title, st.m_nDrawStep);
        break;
    case 1:
        PlotTrace(c, r, doc.m_fRe.data(), doc.m_fIm.data(), s.m_fMaxMag, s.m_fMaxMag, n, e,
                  tracetype::MagPhase, title, st.m_nDrawStep);
        break;
    default:
        PlotBode(c, r, doc.m_fRe.data(), doc.m_fIm.data(), s.m_fTopDb, s.m_fBottomDb, mode == 2, n,
                 e, true, st.m_nPhaseMode, title);
        if (k == kind::Transfer && doc.m_bShowCoherence && doc.HasCoherence())
            PlotCoherence(c, r, doc.m_fCoherence.data(), n, e);
        break;
    }
}

} // namespace

const char* ComplexPanelTitle(int k, int mode) {
    if (k == kind::Transfer) {
        switch (mode) {
        case 0:
            return "[Real/Imag表示(伝達関数)]";
        case 1:
            return "[振幅/位相表示(伝達関数)]";
        case 2:
            return "[f特性表示(伝達関数)]";
        case 3:
            return "[f特性表示(伝達関数):Manual_scale]";
        case 4:
            return "[f特性表示:Filter計算結果]";
        default:
            return "";
        }
    }
    switch (mode) {
    case 0:
        return "[Real/Imag表示]";
    case 1:
        return "[振幅/位相表示]";
    case 2:
    case 4:
        return "[f特性表示]";
    case 3:
        return "[f特性表示:Manual_scale]";
    default:
        return "";
    }
}

void DrawKindPanels(PlotCanvas& c, CKymoDoc& doc, ViewState& st, const ViewLayout& l) {
    const int k = doc.disp_mode1;
    const int n = doc.m_nPoints;
    const double dt = doc.m_fDt;
    const ViewScales& s = st.scales;
    const int step = st.m_nDrawStep;
    const bool windowed = IsWindowed(doc);
    switch (k) {
    case kind::None: {
        const int random =
            st.startScreenRandom >= 0 ? st.startScreenRandom : (std::rand() & 0x7fff);
        DrawStartScreen(c, doc, l.upper, random);
        break;
    }
    case kind::TimeRecord:
        CopyRecord(doc.m_fWave1, doc.m_fWave2, n);
        PlotTrace(c, l.upper, doc.m_fWave1.data(), nullptr, s.m_fMaxWave, 0, n, dt,
                  tracetype::Impulse, "[ｲﾝﾊﾟﾙｽ応答1]", step);
        if (windowed) {
            CopyRecord(doc.m_fWork1, doc.m_fWork2, n);
            PlotTrace(c, l.lower, doc.m_fWork1.data(), nullptr, s.m_fMaxWork, 0, n, dt,
                      tracetype::Time, "[時間表示:窓付]", step);
        }
        break;
    case kind::Spectrum:
        CopyRecord(doc.m_fWork1, doc.m_fWork2, n);
        PlotTrace(c, l.upper, doc.m_fWork1.data(), nullptr, s.m_fMaxWork, 0, n, dt,
                  tracetype::Impulse,
                  doc.m_nWindowType == 7 ? "[ｲﾝﾊﾟﾙｽ応答2]" : "[ｲﾝﾊﾟﾙｽ応答:窓付2]", step);
        DrawComplexPanel(c, doc, st, l.lower);
        break;
    case kind::Transfer:
        PlotTrace(c, l.upper, doc.m_fWork1.data(), nullptr, s.m_fMaxWork, 0, n, dt,
                  tracetype::Impulse, "[ｲﾝﾊﾟﾙｽ応答TFT7]", step);
        DrawComplexPanel(c, doc, st, l.lower);
        break;
    case kind::Wave:
    case kind::WaveAgain:
        DrawWaveOverview(c, doc, st.envelope, l.upper, l.lower);
        break;
    case kind::FilterResult:
        DrawFilterOverview(c, doc, st.envelope, st.filterEnvelope, l.upper, l.lower);
        break;
    case kind::CutOneChannel:
        PlotTrace(c, l.upper, doc.m_fWave1.data(), nullptr, s.m_fMaxWave, 0, n, dt, tracetype::Time,
                  "[時間表示:1ch]", step);
        if (windowed)
            PlotTrace(c, l.lower, doc.m_fWork1.data(), nullptr, s.m_fMaxWork, 0, n, dt,
                      tracetype::Time, "[窓関数表示:1ch]", step);
        break;
    case kind::CutTwoChannels:
        PlotTrace(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(), s.m_fMaxWave, s.m_fScale2,
                  n, dt, tracetype::TimeTwo, "[時間表示:両ch]", step);
        if (windowed)
            PlotTrace(c, l.lower, doc.m_fWork1.data(), doc.m_fWork2.data(), s.m_fMaxWork,
                      s.m_fMaxWork, n, dt, tracetype::TimeTwo, "[窓関数表示：両ch]", step);
        break;
    default:
        DrawInstrumentPanels(c, doc, st, l);
        break;
    }
}
