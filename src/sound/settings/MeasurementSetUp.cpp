// The set-up every block-sized instrument runs before its panel opens: sound-card checks, the
// conditions dialog, the down-sampling filter and the capture area; and the spectrum analyzer's
// finish step after its panel closed.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocumentUi.h"
#include "dsp/WindowKinds.h"
#include "filters/KaiserFir.h"
#include "sound/engine/SoundCard.h"
#include "sound/engine/SoundMessages.h"
#include "sound/engine/SoundReports.h"
#include "sound/settings/MeasConditions.h"
#include "sound/settings/MeasMessages.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {
constexpr int kTopLevelDrop = 100;
} // namespace

int CKymoDoc::DecimationTapsFor(int rate, int pow) {
    return static_cast<int>(DecimationFilter(rate, pow).size());
}

std::vector<double> CKymoDoc::DecimationFilter(int rate, int pow) {
    const float fs = static_cast<float>(rate);
    KaiserFir design;
    const int taps = pow > 2 ? design.DesignLowpass(fs, 0.225f * fs, 0.25f * fs, 60.0f)
                             : design.DesignLowpass(fs, 0.175f * fs, 0.25f * fs, 40.0f);
    std::vector<double> h(static_cast<std::size_t>(std::max(taps, 0)));
    if (taps > 0) design.CopyTaps(h.data());
    return h;
}

int CKymoDoc::SetUpMeasurement(ISoundCard* card, const MeasConditionMode& mode) {
    WaveInCaps caps;
    if (!card || card->GetInDevCaps(caps) != mmres::NoError) {
        ReportNoSoundCard(m_ui);
        return 0;
    }
    if (m_nMeasBits != meas::kBits8 && m_nMeasBits != meas::kBits16) {
        m_ui.ShowMessage(measmsg::kWidthTo16);
        m_nMeasBits = meas::kBits16;
        m_nTopLevelStep -= kTopLevelDrop / 10;
        m_nTopLevel -= kTopLevelDrop;
    }

    CMeasConditions c(mode, m_ui);
    c.rateIndex =
        m_nMeasRate >= 0 && m_nMeasRate < meas::kRateCount ? m_nMeasRate : meas::kRate48000;
    c.bitsIndex = mode.allow8Bit ? m_nMeasBits : meas::kBits16;
    c.channelsIndex = mode.twoChannel && !mode.correlation ? meas::kStereo : m_nMeasCh;
    c.pow = m_nPow;
    c.windowIndex = m_nWindowType >= wnd::Triangle && m_nWindowType <= wnd::Kaiser
                        ? m_nWindowType - 1
                        : meas::kWindowNone;
    c.downExp = m_nDownExp;
    c.characteristic = mode.twoChannel && !mode.correlation
                           ? meas::CharacteristicText(m_nCharacteristic)
                           : meas::kInvalid;
    if (!m_bFromToolbar && !m_ui.AskMeasConditions(c)) return 0;

    m_nMeasRate = c.rateIndex;
    m_nMeasBits = c.bitsIndex;
    m_nMeasCh = c.channelsIndex;
    SetPow(c.pow);
    if (c.windowIndex >= 0 && c.windowIndex < meas::kWindowNone) {
        m_nWindowType = c.windowIndex + 1;
        MakeWindow(1, m_bFromToolbar, m_nWindowType, m_nPoints);
    } else {
        m_nWindowType = wnd::None;
    }
    m_nDownExp = c.downExp;
    const int characteristic = meas::CharacteristicOfText(c.characteristic);
    m_bCharUsed = characteristic != 0 ? 1 : 0;
    if (characteristic != 0) m_nCharacteristic = characteristic;
    m_nAnalyseCount = m_nPoints;

    const int rate = meas::RateOfIndex(m_nMeasRate);
    const int bits = m_nMeasBits == meas::kBits8 ? 8 : 16;
    const int channels = m_nMeasCh == meas::kMono ? 1 : 2;
    if (!(caps.formats & wavecaps::FormatBit(rate, bits, channels)) ||
        !card->IsFormatSupported(MakePcmFormat(rate, bits, channels))) {
        m_ui.ShowMessage(measmsg::kModeUnsupported);
        return 0;
    }
    if (channels != 1 && channels != 2) {
        m_ui.ShowMessage(measmsg::kBadChannels);
        return 0;
    }
    m_nDecimTaps = m_nDownExp != 0 ? DecimationTapsFor(rate, m_nPow) : 0;
    if (!AllocateCaptureArea()) {
        m_ui.ShowMessage(sndmsg::kAllocFailed, MessageIcon::Error);
        return 0;
    }
    m_fDt = static_cast<float>(std::ldexp(1.0, -m_nDownExp) / rate);
    disp_mode3 = channels == 1 ? chan::Ch1 : chan::Both;
    return 1;
}

namespace {

// The set-up of the spectrum analyzer and the correlation meter; they differ by the mode flags.
int BeginBlockInstrument(CKymoDoc& doc, ISoundCard* card, bool fromToolbar, bool dualCh,
                         bool corrMode) {
    doc.ClearAccumulators();
    doc.m_nRealUpdates = 0;
    doc.m_bDualCh = dualCh ? 1 : 0;
    doc.m_bCorrMode = corrMode ? 1 : 0;
    doc.m_bFromToolbar = fromToolbar ? 1 : 0;
    MeasConditionMode mode;
    mode.twoChannel = dualCh;
    mode.correlation = corrMode;
    const int ok = doc.SetUpMeasurement(card, mode);
    doc.m_bFromToolbar = 0;
    return ok;
}

} // namespace

int CKymoDoc::BeginSpectrumAnalyzer(ISoundCard* card, bool fromToolbar) {
    return BeginBlockInstrument(*this, card, fromToolbar, false, false);
}

int CKymoDoc::BeginCorrelationMeter(ISoundCard* card, bool cross, bool storedConditions) {
    return BeginBlockInstrument(*this, card, storedConditions, cross, true);
}

void CKymoDoc::FinishSpectrumAnalyzer() {
    if (m_nRealUpdates > 0) {
        const bool mono = m_nMeasCh == meas::kMono;
        if (!m_bCorrMode)
            disp_mode1 = mono ? kind::Spectrum1 : kind::Spectrum2;
        else if (m_bDualCh)
            disp_mode1 = kind::CrossCorr;
        else
            disp_mode1 = mono ? kind::AutoCorr1 : kind::AutoCorr2;
        disp_mode3 = mono ? chan::Ch1 : chan::Both;
    } else {
        disp_mode1 = kind::None;
    }
    ReleaseWaveImage();
    m_bRealBusy = 0;
    UpdateAllViews();
}
