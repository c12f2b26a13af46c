#pragma once

#include "filters/FirSettings.h"
#include "realtime/CutSliders.h"
#include "realtime/RtFirTool.h"

#include <optional>

// "FIRﾌｨﾙﾀｰ(Kaiser窓)" (`CRtKaiserDlg`): the Kaiser design with the real-time tool's own checks
// (each cut-off below half the rate, a positive transition width and cut-offs, fL + transition
// below fH for the band shapes, 10 ... 90 dB) and at most 4096 taps. Settings come from the
// document and go back at Close().
class CRtKaiserTool : public CRtFirTool {
public:
    CRtKaiserTool(CKymoDoc& doc, ISoundCard& card);

    const KaiserSettings& Settings() const { return m_settings; }
    void SetSettings(const KaiserSettings& s) { m_settings = s; }
    std::optional<FirField> FailedField() const { return m_failed; }
    void OnCutSlider(int which, int position);
    const CutSliderPair& Sliders() const { return m_sliders; }

    // The checks of the tool at fs, first failure wins.
    static std::optional<FirFieldError> Check(const KaiserSettings& s, int fs);

protected:
    bool DesignTaps(int fs, std::vector<double>& taps) override;
    FirSaveInfo SaveInfo() const override;
    void BeforeClose() override;

private:
    KaiserSettings m_settings;
    CutSliderPair m_sliders;
    std::optional<FirField> m_failed;
    int m_nLastTaps = 0;
};
