#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "filters/CascadeResponse.h"
#include "view/DocumentView.h"
#include "view/KindPanels.h"
#include "view/PlotCanvas.h"
#include "view/PlotRoutines.h"
#include "view/PlotTube.h"
#include "view/Waterfall.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace {

struct ChannelScales {
    double s1, s2;
    int p1, p2;
};

// Integer full scale of the samples divided by each channel's range, and the positions.
ChannelScales InstrumentScales(const CKymoDoc& doc) {
    const double full = std::ldexp(1.0, doc.m_nBitsPerSample - 1);
    ChannelScales cs;
    cs.s1 = full / (doc.m_fCh1Range > 0 ? doc.m_fCh1Range : 1.0f);
    cs.s2 = full / (doc.m_fCh2Range > 0 ? doc.m_fCh2Range : 1.0f);
    cs.p1 = doc.m_bFixedPositions ? 50 : doc.m_nCh1Position;
    cs.p2 = doc.m_bFixedPositions ? -50 : doc.m_nCh2Position;
    return cs;
}

const char* TimeTitle(const CKymoDoc& doc) {
    return IsWindowed(doc) ? "[時間表示:窓付]" : "[時間表示]";
}

double TopLevel(const CKymoDoc& doc) {
    return doc.m_nTopLevel;
}

double BottomLevel(const CKymoDoc& doc) {
    return doc.m_nTopLevel - doc.m_nDynamicRange;
}

// Upper panel of the real-time filter tools and the software radio.
void FilterToolTime(PlotCanvas& c, const CKymoDoc& doc, const PanelRect& r) {
    const double full = std::ldexp(1.0, doc.m_nBitsPerSample - 1);
    const double dt = doc.m_nSamplesPerSec > 0 ? 1.0 / doc.m_nSamplesPerSec : doc.m_fDt;
    PlotTimeRecord(c, r, doc.m_fWave1.data(), doc.m_fWave2.data(), full, full, 50, -50,
                   doc.m_nFilterFftSize, dt, 2, "[時間表示]");
}

// The responses of the stages of the document's stage table at the bins of the display.
std::vector<StageResponse> StageResponses(const CKymoDoc& doc) {
    const int n = doc.m_nPoints;
    const int count = std::clamp(doc.m_nStageCount, 0, filt::kMaxSections);
    const double fs = doc.m_nSamplesPerSec > 0 ? doc.m_nSamplesPerSec : 1.0 / doc.m_fDt;
    std::vector<StageResponse> stages(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        stages[k].re.resize(static_cast<std::size_t>(n / 2));
        stages[k].im.resize(static_cast<std::size_t>(n / 2));
        for (int j = 0; j < n / 2; ++j) {
            const std::complex<double> h =
                StageBinResponse(doc.m_StageTable, k, doc.m_nStageSource != 0, fs, n, j);
            stages[k].re[j] = static_cast<float>(h.real());
            stages[k].im[j] = static_cast<float>(h.imag());
        }
    }
    return stages;
}

} // namespace

bool DrawInstrumentPanels(PlotCanvas& c, CKymoDoc& doc, ViewState& st, const ViewLayout& l) {
    const int k = doc.disp_mode1;
    const int n = doc.m_nPoints;
    const double dt = doc.m_fDt;
    const double e = 2.0 * dt;
    const ViewScales& s = st.scales;
    const ChannelScales cs = InstrumentScales(doc);
    const int channels = doc.m_nChannel >= 2 ? 2 : 1;
    if (DrawSpectrum3dKinds(c, doc, st, l)) return true;
    switch (k) {
    case kind::LiveSpectrum:
    case kind::LiveTransfer: {
        const bool audio = k == kind::LiveSpectrum && doc.m_bAudioMode == 1;
        PlotTimeRecord(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(), cs.s1, cs.s2, cs.p1,
                       cs.p2, audio ? n / 32 : n, dt, channels,
                       audio ? "[ｵｰﾃﾞｨｵ性能測定]" : TimeTitle(doc));
        if (k == kind::LiveSpectrum) {
            const std::string title =
                doc.m_bAveraging ? PlotPrintf("[スペアナ表示]:%d回アベレージ", doc.m_nRealUpdates)
                                 : std::string("[スペアナ表示]");
            PlotLogSpectrum(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), TopLevel(doc),
                            BottomLevel(doc), false, n, e, channels, title, false);
        } else {
            const std::string title =
                doc.m_bAveraging ? PlotPrintf("[ｻｰﾎﾞｱﾅﾗｲｽﾞ]:%d回アベレージ", doc.m_nRealUpdates)
                                 : std::string("[ｻｰﾎﾞｱﾅﾗｲｽﾞ表示]");
            PlotBode(c, l.lower, doc.m_fRe.data(), doc.m_fIm.data(), TopLevel(doc),
                     BottomLevel(doc), false, n, e, true, st.m_nPhaseMode, title);
        }
        return true;
    }
    case kind::LiveScope:
    case kind::Scope: {
        ScopeParams p;
        p.s1 = cs.s1;
        p.s2 = cs.s2;
        p.p1 = cs.p1;
        p.p2 = cs.p2;
        if (k == kind::Scope) {
            // A stored record draws with the display values stored with it.
            const double full = std::ldexp(1.0, doc.m_nBitsPerSample - 1);
            const ScopeDisplay& sd = doc.m_scope;
            p.s1 = full / (sd.m_fRange1 > 0 ? sd.m_fRange1 : 1.0f);
            p.s2 = full / (sd.m_fRange2 > 0 ? sd.m_fRange2 : 1.0f);
            p.p1 = sd.m_nPosition1;
            p.p2 = sd.m_nPosition2;
        }
        p.n = n;
        p.dt = dt;
        p.show = doc.m_nScopeShow;
        p.interp = k == kind::LiveScope ? std::max(1, doc.m_nScopeOver) : 1;
        p.trigFrac = doc.m_fTrigFrac;
        const int capacity = static_cast<int>(doc.m_fWave1.size());
        if (p.interp * p.n > capacity) p.interp = std::max(1, capacity / std::max(1, p.n));
        PlotScope(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(), p);
        return true;
    }
    case kind::Spectrum1:
    case kind::RtFirDisplay:
    case kind::Spectrum2: {
        const bool two = k == kind::Spectrum2;
        const int type = two ? 2 : (doc.disp_mode3 == 2 ? 3 : 1);
        PlotTimeRecord(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(), s.m_fMaxWave,
                       s.m_fScale2, 0, 0, n, dt, type, TimeTitle(doc));
        const float* b = two ? doc.m_fOpRe.data() : nullptr;
        if (doc.disp_mode2 == 4) {
            PlotLogSpectrum(c, l.lower, doc.m_fRe.data(), b, TopLevel(doc), BottomLevel(doc), false,
                            n, e, two ? 2 : 1, "[f特性表示:FIR計算結果]");
        } else {
            PlotLogSpectrum(c, l.lower, doc.m_fRe.data(), b, s.m_fTopDb, s.m_fBottomDb,
                            doc.disp_mode2 == 2, n, e, two ? 2 : 1,
                            doc.disp_mode2 == 3 ? "[スペアナ表示]:Manual_Scale" : "[スペアナ表示]");
        }
        return true;
    }
    case kind::RtFilterRunning:
    case kind::RtFilterClosed:
        FilterToolTime(c, doc, l.upper);
        PlotLogSpectrum(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), TopLevel(doc),
                        BottomLevel(doc), false, doc.m_nFilterFftSize,
                        doc.m_nSamplesPerSec > 0 ? 2.0 / doc.m_nSamplesPerSec : e, 2,
                        PlotPrintf("[ｽﾍﾟｸﾄﾗﾑ]:%d回目", doc.m_nRealUpdates));
        return true;
    case kind::RadioRunning:
    case kind::RadioLinear:
    case kind::RadioLinearStored:
        FilterToolTime(c, doc, l.upper);
        PlotLinearSpectrum(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), TopLevel(doc),
                           BottomLevel(doc), doc.m_nFilterFftSize, doc.m_nSamplesPerSec, false,
                           PlotPrintf("[ﾘﾆｱｰ表示ｽﾍﾟｸﾄﾗﾑ]:%d回目", doc.m_nRealUpdates));
        return true;
    case kind::RadioWaterfall:
        FilterToolTime(c, doc, l.upper);
        UpdateWaterfall(st.waterfall, doc.m_fRe.data(), doc.m_nFilterFftSize, TopLevel(doc),
                        BottomLevel(doc), false);
        DrawWaterfall(c, l.lower, st.waterfall, doc.m_nDynamicRange / 10.0,
                      PlotPrintf("[Waterfall表示]:%d回目", doc.m_nRealUpdates));
        return true;
    case kind::RadioWaterfallReset:
        ResetWaterfall(st.waterfall);
        return true;
    case kind::LiveAutoCorr:
    case kind::LiveCrossCorr:
    case kind::AutoCorr1:
    case kind::AutoCorr2:
    case kind::CrossCorr: {
        const bool live = k == kind::LiveAutoCorr || k == kind::LiveCrossCorr;
        const bool cross = k == kind::LiveCrossCorr || k == kind::CrossCorr;
        int type = 1;
        if (k == kind::AutoCorr2 || (k == kind::LiveAutoCorr && channels == 2)) type = 2;
        const int timeType = (cross || type == 2) ? 2 : 1;
        PlotTimeRecord(c, l.upper, doc.m_fWave1.data(), doc.m_fWave2.data(),
                       live ? cs.s1 : s.m_fMaxWave, live ? cs.s2 : s.m_fScale2, cs.p1, cs.p2, n, dt,
                       timeType, TimeTitle(doc));
        std::string title;
        if (cross)
            title = doc.m_bAveraging ? PlotPrintf("[相互相関]:%d回アベレージ", doc.m_nRealUpdates)
                                     : std::string("[相互相関表示]");
        else
            title = doc.m_bAveraging
                        ? PlotPrintf("[自己相関表示]:%d回アベレージ", doc.m_nRealUpdates)
                        : std::string("[自己相関表示]");
        const double gain = std::ldexp(1.0, -doc.m_nCorrGainExp);
        const int Z = 1 << std::clamp(doc.m_nCorrTimeExp, 0, 16);
        st.m_nDrawStep = PlotCorrelation(c, l.lower, doc.m_fRe.data(), doc.m_fOpRe.data(), gain, n,
                                         dt, Z, type, title);
        return true;
    }
    case kind::AudioGraph:
        PlotLogSpectrum(c, l.upper, doc.m_fRe.data(), doc.m_fOpRe.data(), TopLevel(doc),
                        BottomLevel(doc), false, n, e, channels, doc.m_szGraphTitle,
                        doc.m_bSwapColours != 0);
        return true;
    case kind::AudioMeasurement:
        PlotLogSpectrum(c, l.upper, doc.m_fRe.data(), doc.m_fOpRe.data(), s.m_fTopDb, s.m_fBottomDb,
                        doc.disp_mode2 == 2, n, e, 4, doc.m_szGraphTitle, doc.m_bSwapColours != 0);
        return true;
    case kind::FilterDesign:
    case kind::FilterDesignStored:
        PlotTrace(c, l.upper, doc.m_fWork1.data(), nullptr, s.m_fMaxWork, 0, n, dt,
                  tracetype::Impulse, "[ｲﾝﾊﾟﾙｽ応答TFT7]", st.m_nDrawStep);
        PlotBode(c, l.lower, doc.m_fRe.data(), doc.m_fIm.data(), TopLevel(doc), BottomLevel(doc),
                 false, n, e, true, st.m_nPhaseMode, "[f特性表示:Filter計算結果]");
        return true;
    case kind::TubeCharacteristics:
        if (doc.m_pTubeChart) {
            PanelRect area = l.upper;
            area.lower = l.lower.lower;
            PlotCanvas up(c.Painter(), c.Scale(), true);
            PlotTubeCharacteristics(up, area, *doc.m_pTubeChart);
        }
        return true;
    case kind::TubeScope: {
        PlotCanvas up(c.Painter(), c.Scale(), true);
        PlotTubeScope(up, l.upper, l.lower, doc);
        return true;
    }
    case kind::FilterStages:
        PlotStages(c, l.upper, StageResponses(doc), doc.m_nStageShown, doc.m_bStageCumulative != 0,
                   TopLevel(doc), BottomLevel(doc), n, e, st.m_nPhaseMode,
                   "[f特性表示:ｽﾃｰｼﾞ別計算結果]", doc.m_fRe.data(), doc.m_fIm.data());
        PlotBode(c, l.lower, doc.m_fRe.data(), doc.m_fIm.data(), TopLevel(doc), BottomLevel(doc),
                 false, n, e, true, st.m_nPhaseMode, "[f特性表示:Filter計算結果]");
        return true;
    default:
        return false;
    }
}
