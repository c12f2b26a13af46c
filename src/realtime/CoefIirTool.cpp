#include "realtime/CoefIirTool.h"

#include "document/CKymoDoc.h"
#include "realtime/CoefProperty.h"
#include "realtime/RtMessages.h"

#include <algorithm>

CCoefIirTool::CCoefIirTool(CKymoDoc& doc, ISoundCard& card)
    : CRtStageTool(doc, card), m_nSavedRate(doc.m_nSamplesPerSec) {}

int CCoefIirTool::OnRead(const std::string& path) {
    IDocumentUi& ui = m_doc.Ui();
    if (IsRunning()) {
        ui.ShowMessage(rtmsg::kIirReadPauses);
        StopSound();
    }
    CoefFileHeader header;
    BiquadTable table;
    CoefFile file(ui);
    const int read =
        path.empty() ? file.ReadIir(header, table) : file.ReadIirFile(path, header, table);
    if (read != 1) return 0;
    m_header = header;
    m_table = table;
    m_bRead = true;
    m_engine->SetCascade(m_header.count, m_table);
    if (stagedisplay::IsDesign(m_nDisplay)) {
        ComputeResponse();
        RequestDesignDisplay();
    } else {
        SetMonitorForDisplay();
    }
    return 1;
}

bool CCoefIirTool::Design(int) {
    if (!m_bRead) {
        m_doc.Ui().ShowMessage(rtmsg::kNoFileRead);
        return false;
    }
    ClearSlowStop();
    m_doc.RebuildTwiddleTables();
    m_engine->SetCascade(m_header.count, m_table);
    return true;
}

const BiquadTable& CCoefIirTool::ResponseTable(int& source) const {
    source = 0;
    return m_table;
}

bool CCoefIirTool::MayChooseDisplay() {
    if (m_bRead) return true;
    m_doc.Ui().ShowMessage(rtmsg::kNoFileRead);
    return false;
}

void CCoefIirTool::SetChannel(int index) {
    CRtFilterTool::SetChannel(std::clamp(index, 0, 2));
}

void CCoefIirTool::RestoreRate() {
    m_doc.m_nSamplesPerSec = m_nSavedRate;
    m_doc.m_fDt = 1.0f / static_cast<float>(m_nSavedRate > 0 ? m_nSavedRate : 48000);
}

std::string CCoefIirTool::PropertyText() const {
    return m_bRead ? IirPropertyText(m_header) : kNoFileProperty;
}

std::vector<std::string> CCoefIirTool::StageLines() const {
    if (!m_bRead || Sections() == 0) return {};
    return SectionLines(m_table, std::clamp(m_nStage, 1, Sections()) - 1);
}
