#include "realtime/RtFirTool.h"

#include "document/CKymoDoc.h"
#include "filters/CoefFile.h"
#include "filters/FirMagnitude.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

CRtFirTool::CRtFirTool(CKymoDoc& doc, ISoundCard& card)
    : CRtFilterTool(doc, card, RtFilterKind::Fir) {}

bool CRtFirTool::Design(int fs) {
    std::vector<double> taps;
    if (!DesignTaps(fs, taps) || taps.empty()) return false;
    m_taps = std::move(taps);
    m_engine->SetFirTaps(m_taps);
    return true;
}

void CRtFirTool::AfterDesign() {
    if (m_nDisplay == rtdisplay::Design) ShowDesignResponse();
    m_engine->SetMonitorCode(m_nDisplay == rtdisplay::Monitor ? realtime::kFilterSpectrum : 0);
}

void CRtFirTool::ShowDesignResponse() {
    const int m = m_doc.m_nPoints / 2;
    if (m < 1 || 2 * m > static_cast<int>(m_doc.m_fRe.size()) || m_taps.empty()) return;
    FirMagnitude(0, m_taps.data(), m, static_cast<int>(m_taps.size()), m_doc.m_fRe.data(),
                 m_doc.m_fOpRe.data());
    m_doc.ProcessRealtime(realtime::kDesignResponse);
}

bool CRtFirTool::OnDisplay(int index) {
    if (index == rtdisplay::Design && !IsRunning()) {
        m_doc.Ui().ShowMessage(rtmsg::kStartFirst);
        m_nDisplay = rtdisplay::Monitor;
        return false;
    }
    m_nDisplay = index == rtdisplay::Design ? rtdisplay::Design : rtdisplay::Monitor;
    SwapLevels(m_nDisplay == rtdisplay::Design);
    if (m_nDisplay == rtdisplay::Monitor) m_doc.RebuildTwiddleTables();
    AfterDesign();
    return true;
}

bool CRtFirTool::OnDesignChanged() {
    if (!IsRunning()) return true;
    if (!Design(Rate())) return false;
    if (m_nDisplay == rtdisplay::Design) ShowDesignResponse();
    return true;
}

int CRtFirTool::WriteTaps(const std::string& path) {
    const FirSaveInfo info = SaveInfo();
    m_engine->SetMute(true);
    CoefFile file(m_doc.Ui());
    const int written = file.WriteFir(path, info.kind, info.shape, info.cutLow, info.cutHigh,
                                      static_cast<int>(m_taps.size()), m_taps.data());
    m_engine->SetMute(false);
    return written;
}

int CRtFirTool::OnSave() {
    if (!HasTaps()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    return WriteTaps("Empty");
}

std::string CRtFirTool::TapsSummary() const {
    double peak = 0.0;
    for (double h : m_taps) peak = std::max(peak, std::fabs(h));
    char text[80];
    std::snprintf(text, sizeof text, "Taps=%d  |h|max=%2.2e", static_cast<int>(m_taps.size()),
                  peak);
    return text;
}
