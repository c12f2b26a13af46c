#include "view/LogMagScaling.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "view/DocumentView.h"

#include <algorithm>

LogMagChoice LogMagStartValues(const ViewState& state) {
    LogMagChoice c;
    c.top = state.scales.m_fTopDb;
    c.range = state.scales.m_fTopDb - state.scales.m_fBottomDb;
    c.phaseMode = state.m_nPhaseMode;
    return c;
}

void ApplyLogMagChoice(CKymoDoc& doc, ViewState& state, const LogMagChoice& choice) {
    doc.disp_mode2 = present::LogMagAuto;
    if (choice.accepted && choice.manual) {
        doc.disp_mode2 = present::LogMagManual;
        state.scales.m_fTopDb = static_cast<float>(choice.top);
        state.scales.m_fBottomDb = static_cast<float>(choice.top - choice.range);
        state.m_nPhaseMode = std::clamp(choice.phaseMode, 0, 2);
    }
}
