// Commands on the wave held: sample count, processing channel, back to wave, cut, playback.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"

void CKymoDoc::OnSampleCount(int pow) {
    SetPow(pow);
    if (disp_mode1 == kind::Wave) {
        UpdateAllViews();
    } else if (HasWave()) {
        disp_mode1 = kind::Wave;
        disp_mode0 = subreq::AfterSampleCount;
        UpdateAllViews();
    }
}

void CKymoDoc::OnSelectChannel(int channel) {
    disp_mode1 = kind::Wave;
    disp_mode0 = subreq::RawWave;
    disp_mode3 = channel;
    UpdateAllViews();
}

void CKymoDoc::OnBackToWave() {
    if (disp_mode3 > chan::FilteredOffset && disp_mode3 <= chan::FilteredOffset + chan::Both)
        disp_mode3 -= chan::FilteredOffset;
    disp_mode1 = kind::Wave;
    disp_mode0 = subreq::RawWave;
    UpdateAllViews();
}

bool CKymoDoc::CutRecord(int startFrame) {
    if (!HasWave() || disp_mode1 != kind::Wave) return false;
    if (disp_mode3 < chan::Ch1 || disp_mode3 > chan::Both) return false;
    const int n = m_nPoints;
    if (startFrame < 0 || static_cast<long long>(startFrame) + n > m_nFrames) return false;

    m_fDt = m_fWaveDt;
    m_nWindowType = 7;
    const int first = disp_mode3 == chan::Ch2 ? 2 : 1;
    for (int i = 0; i < n; ++i) {
        const float v = static_cast<float>(GetSample(startFrame + i, first));
        m_fWave1[i] = v;
        m_fWork1[i] = v;
    }
    if (disp_mode3 == chan::Both) {
        for (int i = 0; i < n; ++i) {
            const float v = static_cast<float>(GetSample(startFrame + i, 2));
            m_fWave2[i] = v;
            m_fWork2[i] = v;
        }
        disp_mode1 = kind::CutTwoChannels;
    } else {
        disp_mode1 = kind::CutOneChannel;
    }
    UpdateAllViews();
    return true;
}

void CKymoDoc::OnPlay(bool loop) {
    if (!HasWave()) return;
    m_pPlayer->Stop();
    const bool ok =
        m_pPlayer->Play(m_pWaveImage.get(), static_cast<std::size_t>(m_nWaveImageSize), loop);
    if (!ok && !loop) m_ui.ShowMessage(msg::kPlayFailed);
}

void CKymoDoc::OnStopPlay() {
    m_pPlayer->Stop();
}

void CKymoDoc::OnServoChipNotOpen() {
    m_ui.ShowMessage(msg::kNotOpen);
}
