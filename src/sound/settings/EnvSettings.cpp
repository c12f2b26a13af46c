#include "sound/settings/EnvSettings.h"

#include "document/CKymoDoc.h"

EnvSettings EnvSettings::FromDocument(const CKymoDoc& doc) {
    EnvSettings s;
    s.bufferSize = doc.m_nBufferSize;
    s.processPriority = doc.m_nProcessPriority;
    s.threadPriority = doc.m_nThreadPriority;
    s.drawSpeed = doc.m_nDrawSpeed;
    s.smoothing = doc.m_nSmoothing;
    s.usbCardFix = doc.m_bUsbCardFix;
    s.invertWhileMeasuring = doc.m_bInvertWhileMeasuring;
    return s;
}

void EnvSettings::RestoreDefaults() {
    *this = EnvSettings();
}

void CloseEnvSettings(CKymoDoc& doc, const EnvSettings* accepted) {
    if (accepted) {
        doc.m_nBufferSize = accepted->bufferSize;
        doc.m_nProcessPriority = accepted->processPriority;
        doc.m_nThreadPriority = accepted->threadPriority;
        doc.m_nDrawSpeed = accepted->drawSpeed;
        doc.m_nSmoothing = accepted->smoothing;
        doc.m_bUsbCardFix = accepted->usbCardFix;
        doc.m_bInvertWhileMeasuring = accepted->invertWhileMeasuring;
    }
    DeriveFilterFftSize(doc);
}

void DeriveFilterFftSize(CKymoDoc& doc) {
    // Large buffers (0) give the largest display transform.
    switch (doc.m_nBufferSize) {
    case 0:
        doc.m_nFilterFftExp = 11;
        break;
    case 2:
        doc.m_nFilterFftExp = 9;
        break;
    default:
        doc.m_nFilterFftExp = 10;
        break;
    }
    doc.m_nFilterFftSize = 1 << doc.m_nFilterFftExp;
}
