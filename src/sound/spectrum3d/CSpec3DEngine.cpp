#include "sound/spectrum3d/CSpec3DEngine.h"

#include "document/CKymoDoc.h"
#include "document/DocumentLimits.h"
#include "sound/RealtimeCodes.h"

CSpec3DEngine::CSpec3DEngine(ISoundCard& card, CKymoDoc& doc) : SoundDuplex(card, doc) {
    SetVariant(SoundVariant::BlockSized);
    SetRequestCode(realtime::kSpectrum3d);
}

void CSpec3DEngine::HandOver() {
    CKymoDoc& doc = Doc();
    if (doc.m_bStopAtEnd3D && doc.m_nRow3D >= limits::kHistoryRows3D) {
        // The last step of the buffer's handling: nothing of it is used after the stop.
        m_bStoppedAtEnd = true;
        StopRSound();
        NotifyStopped();
        return;
    }
    if (m_bSkipNext) {
        m_bSkipNext = false;
        ++m_nBlockCounter;
        return;
    }
    const long long before = m_stats.handedOver;
    SoundDuplex::HandOver();
    if (doc.m_bUsbCardFix && m_stats.handedOver != before) m_bSkipNext = true;
}
