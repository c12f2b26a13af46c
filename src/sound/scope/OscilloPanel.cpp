#include "sound/scope/OscilloPanel.h"

#include "document/CKymoDoc.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/scope/ScopeSweeps.h"

COscilloPanel::COscilloPanel(CKymoDoc& doc, ISoundCard& card)
    : CScopeControls(doc, std::make_unique<CScopeDuplex>(card, doc)),
      m_bOver(doc.m_nScopeOver == 4) {}

bool COscilloPanel::StartDevices(int /*bufferFrames*/) {
    CScopeDuplex& engine = Engine();
    if (!engine.initRSound(Rate(), 16, 2, scope::kBlockMilliseconds)) {
        if (engine.OpenFailed()) ReportOpenFailure(m_doc.Ui(), engine.Card());
        return false;
    }
    if (!engine.StartRSound()) {
        m_doc.Ui().ShowMessage(sndmsg::kMeasuring);
        return false;
    }
    return true;
}

bool COscilloPanel::OnSingle() {
    m_doc.m_bScopeXY = 0;
    Engine().SetXY(false);
    Stop();
    return StartRun(true);
}

void COscilloPanel::OnOverSample() {
    m_bOver = !m_bOver;
    m_doc.m_nPoints = scope::SweepFrames(m_doc.m_nScopeSweep, Rate(), Over());
    Restart();
}

void COscilloPanel::Close() {
    CScopeControls::Close();
    m_doc.m_nScopeOver = Over();
}
