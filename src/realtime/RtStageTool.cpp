#include "realtime/RtStageTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "filters/CascadeResponse.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <complex>
#include <cstdio>

const char* stagedisplay::Name(int entry) {
    static const char* const kNames[kCount] = {"f特:結果", "f特:累積", "f特:個別",
                                               "ﾓﾆﾀｰ_Log", "ﾓﾆﾀｰ_Lin", "ﾓﾆﾀｰ_OFF"};
    return entry >= 0 && entry < kCount ? kNames[entry] : "";
}

CRtStageTool::CRtStageTool(CKymoDoc& doc, ISoundCard& card)
    : CRtFilterTool(doc, card, RtFilterKind::Cascade) {}

int CRtStageTool::StageCount() const {
    return Sections();
}

void CRtStageTool::ComputeResponse() {
    const int n = m_doc.m_nPoints;
    if (n < 2 || n > static_cast<int>(m_doc.m_fRe.size())) return;
    int source = 0;
    const BiquadTable& table = ResponseTable(source);
    const int sections = Sections();
    const double fs = Rate();
    // Work arrays of the display's own length: N entries are written.
    std::vector<std::complex<double>> overall(static_cast<std::size_t>(n / 2), 1.0);
    for (int k = 0; k < sections; ++k)
        for (int j = 0; j < n / 2; ++j)
            overall[j] *= StageBinResponse(table, k, source != 0, fs, n, j);
    for (int j = 0; j < n / 2; ++j) {
        m_doc.m_fRe[j] = static_cast<float>(overall[j].real());
        m_doc.m_fIm[j] = static_cast<float>(overall[j].imag());
        m_doc.m_fRe[n - 1 - j] = m_doc.m_fRe[j];
        m_doc.m_fIm[n - 1 - j] = -m_doc.m_fIm[j];
    }
    m_savedRe.assign(m_doc.m_fRe.begin(), m_doc.m_fRe.begin() + n);
    m_savedIm.assign(m_doc.m_fIm.begin(), m_doc.m_fIm.begin() + n);
    m_doc.m_StageTable = table;
    m_doc.m_nStageSource = source;
}

void CRtStageTool::RequestDesignDisplay() {
    if (m_nDisplay == stagedisplay::Result) {
        m_doc.ProcessRealtime(realtime::kIirImpulse);
    } else if (stagedisplay::IsDesign(m_nDisplay)) {
        const int sections = Sections();
        m_doc.m_bStageCumulative = m_nDisplay == stagedisplay::Cumulative ? 1 : 0;
        m_nStage = std::clamp(m_nStage, 1, std::max(sections, 1));
        m_doc.m_nStageShown = m_nStage;
        m_doc.m_nStageCount = sections;
        m_doc.ProcessRealtime(realtime::kIirStages);
    }
}

void CRtStageTool::SetMonitorForDisplay() {
    switch (m_nDisplay) {
    case stagedisplay::MonitorLog:
        m_engine->SetMonitorCode(realtime::kFilterSpectrum);
        break;
    case stagedisplay::MonitorLin:
        m_engine->SetMonitorCode(realtime::kLinearMonitor);
        break;
    default:
        m_engine->SetMonitorCode(0);
        break;
    }
}

void CRtStageTool::AfterDesign() {
    SetMonitorForDisplay();
    if (!stagedisplay::IsDesign(m_nDisplay)) return;
    ComputeResponse();
    RequestDesignDisplay();
}

void CRtStageTool::RefreshDesignDisplay() {
    if (!stagedisplay::IsDesign(m_nDisplay)) return;
    ComputeResponse();
    RequestDesignDisplay();
}

bool CRtStageTool::ApplySlowRule(const char* message) {
    if (!IsRunning() || m_nDisplay != stagedisplay::Cumulative || m_nStage < kSlowStage)
        return false;
    if (SlowRuleOncePerStart() && m_bSlowStopped) return false;
    m_doc.m_bStageCumulative = 1;
    if (message) m_doc.Ui().ShowMessage(message);
    StopSound();
    m_bSlowStopped = true;
    return true;
}

bool CRtStageTool::OnDisplay(int index) {
    if (!MayChooseDisplay()) {
        m_nDisplay = stagedisplay::MonitorLog;
        SetMonitorForDisplay();
        return false;
    }
    if (!IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kStartBeforeChoosing);
        m_nDisplay = stagedisplay::MonitorLog;
        SetMonitorForDisplay();
        return false;
    }
    if (!PrepareResponse()) return false;
    m_nDisplay = std::clamp(index, 0, stagedisplay::kCount - 1);
    const bool design = stagedisplay::IsDesign(m_nDisplay);
    SwapLevels(design);
    if (!design) m_doc.RebuildTwiddleTables();
    AfterDesign();
    return true;
}

bool CRtStageTool::OnStageSpin(int delta) {
    ApplySlowRule(rtmsg::kSlowStopSpin);
    const int k = std::clamp(m_nStage + delta, 1, std::max(Sections(), 1));
    if (k == m_nStage) return false;
    m_nStage = k;
    m_doc.m_nStageShown = k;
    OnStageChanged();
    m_doc.UpdateAllViews();
    return true;
}

void CRtStageTool::BeforeClose() {
    if (!stagedisplay::IsDesign(m_nDisplay) || !HasDesign()) return;
    const int n = static_cast<int>(m_savedRe.size());
    if (n > 0 && m_nDisplay != stagedisplay::Result) {
        std::copy(m_savedRe.begin(), m_savedRe.end(), m_doc.m_fRe.begin());
        std::copy(m_savedIm.begin(), m_savedIm.end(), m_doc.m_fIm.begin());
    }
    m_doc.ProcessRealtime(realtime::kIirImpulse);
    m_doc.disp_mode1 = kind::Transfer;
    m_doc.disp_mode2 = present::FilterResponse;
    m_doc.UpdateAllViews();
}

std::vector<std::string> CRtStageTool::SectionLines(const BiquadTable& t, int k) {
    char text[160];
    std::vector<std::string> lines{"Cascade No.=" + std::to_string(k + 1)};
    std::snprintf(text, sizeof text, "b0=%2.2e b1=%2.2e b2=%2.2e", t.b0[k], t.b1[k], t.b2[k]);
    lines.push_back(text);
    std::snprintf(text, sizeof text, "a1=%2.2e a2=%2.2e", t.a1[k], t.a2[k]);
    lines.push_back(text);
    return lines;
}
