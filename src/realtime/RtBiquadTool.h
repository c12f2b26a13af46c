#pragma once

#include "realtime/RtFilterTool.h"
#include "realtime/RtFirTool.h"

#include <string>

// "IIRﾌｨﾙﾀｰの設定(Bi_Quad)" (`CRtBiquadDlg`): one second-order section (BiquadDesign of the type,
// frequency and gain) run with BiquadFilterPcm, whose histories carry the signal from buffer to
// buffer. The display list is that of the FIR tools (rtdisplay::); the design response is shown
// as the impulse response and response of kind 71 (ProcessRealtime 10).
class CRtBiquadTool : public CRtFilterTool {
public:
    enum class Field { None, Frequency, Gain };

    CRtBiquadTool(CKymoDoc& doc, ISoundCard& card);

    int Type() const { return m_nType; }
    float Frequency() const { return m_fFreq; }
    float GainDb() const { return m_fGain; }
    // Type list: a running tool checks and restarts.
    void SetType(int type);
    // Edits: a running tool checks and designs again in place.
    void SetFrequency(float f);
    void SetGainDb(float g);
    // The checks at fs: "0Hz以上の周波数にして下さい。", the Nyquist limit, the gain range.
    bool Validate(int fs);
    Field FailedField() const { return m_failed; }

    // Sliders: frequency positions 0 ... 60 (floor(20 * 1.1224526^p) Hz), gain 0 ... 40 (p - 20
    // dB). A running tool designs again in place, its histories kept.
    void OnFrequencySlider(int position);
    void OnGainSlider(int position);
    int FrequencySliderPosition() const;
    int GainSliderPosition() const;
    static constexpr int kGainSliderMax = 40;

    void SetChannel(int index) override;
    void SetLineOut(int mode) override;
    bool OnDisplay(int index);
    int Display() const { return m_nDisplay; }
    // "保存" (running only): the section as an "Easy_IIR" coefficient file. 1 written.
    int OnSave();

    const float* Denominator() const { return m_den; }
    const float* Numerator() const { return m_num; }
    // The coefficients of the panel's block diagram, "%2.2e" each.
    std::string CoefficientText(const char* name) const;

protected:
    bool Design(int fs) override;
    void AfterDesign() override;
    void OnSoundStopped() override;
    void BeforeClose() override;
    void SettleDocument() override;

private:
    void Redesign();
    void ShowResponse();

    int m_nType;
    float m_fFreq;
    float m_fGain;
    float m_den[3] = {1.0f, 0.0f, 0.0f};
    float m_num[3] = {1.0f, 0.0f, 0.0f};
    int m_nDisplay = rtdisplay::Monitor;
    Field m_failed = Field::None;
};
