#include "document/CKymoDoc.h"
#include "sound/RealtimeCodes.h"

int CKymoDoc::ProcessRealtime(int code) {
    ++m_nRealUpdates;
    bool redraw = false;
    switch (code) {
    case realtime::kSpectrum:
        redraw = ComputeLiveSpectrum() != 0;
        break;
    default:
        break;
    }
    if (!redraw) {
        // Nothing will be drawn, so nothing would clear the flag.
        m_bRealBusy = 0;
        return 0;
    }
    UpdateAllViews();
    return 1;
}
