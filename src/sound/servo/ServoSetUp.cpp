// The servo analyzer's set-up before its panel opens and its finish step after it closed.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundReports.h"
#include "sound/servo/ServoExcitation.h"
#include "sound/servo/ServoMessages.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/MeasMessages.h"

int CKymoDoc::BeginServoAnalyzer(ISoundCard* card, bool fromToolbar) {
    WaveInCaps caps;
    if (!card || card->GetInDevCaps(caps) != mmres::NoError) {
        ReportNoSoundCard(m_ui);
        return 0;
    }
    ClearAccumulators();
    m_nRealUpdates = 0;
    m_bDualCh = 1;
    m_bCorrMode = 0;
    if (m_nMeasBits == meas::kBits8) {
        m_ui.ShowMessage(servomsg::kNo8Bit);
        m_nMeasBits = meas::kBits16;
    } else if (m_nMeasBits != meas::kBits16) {
        m_ui.ShowMessage(measmsg::kWidth16Only);
        m_nMeasBits = meas::kBits16;
    }
    m_nMeasCh = meas::kStereo;
    m_nExcitation =
        m_nExcitation >= 0 && m_nExcitation < servo::kCount ? m_nExcitation : servo::kDefault;
    MeasConditionMode mode;
    mode.allow8Bit = false;
    mode.twoChannel = true;
    mode.tspExcitation = servo::IsTsp(m_nExcitation);
    m_bFromToolbar = fromToolbar ? 1 : 0;
    const int ok = SetUpMeasurement(card, mode);
    m_bFromToolbar = 0;
    return ok;
}

void CKymoDoc::FinishServoAnalyzer() {
    if (m_nRealUpdates > 0) {
        // The last (or averaged) H is in m_fRe/m_fIm: its impulse response, as a servo result.
        MakeImpulseResponse();
        disp_mode1 = kind::Transfer;
        disp_mode2 = present::LogMagAuto;
    } else {
        OnStopPlay();
        disp_mode1 = kind::None;
    }
    ReleaseWaveImage();
    m_bRealBusy = 0;
    UpdateAllViews();
}
