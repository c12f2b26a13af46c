#include "realtime/RtRemezTool.h"

CRtRemezTool::CRtRemezTool(CKymoDoc& doc, ISoundCard& card) : CRtFirTool(doc, card) {}

bool CRtRemezTool::OnDesigned(const std::vector<double>& taps, int fs, const FirSaveInfo& info) {
    m_design = taps;
    m_info = info;
    if (IsRunning() && fs == Rate()) return OnDesignChanged();
    for (int i = 0; i < kRtRateCount; ++i)
        if (RtRateOfIndex(i) == fs) SetRateIndex(i);
    return OnStart();
}

bool CRtRemezTool::DesignTaps(int, std::vector<double>& taps) {
    if (m_design.empty()) return false;
    taps = m_design;
    return true;
}
