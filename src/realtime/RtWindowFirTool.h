#pragma once

#include "filters/FirSettings.h"
#include "realtime/CutSliders.h"
#include "realtime/RtFirTool.h"

#include <optional>

// "FIRﾌｨﾙﾀｰの設定(ﾘｱﾙﾀｲﾑ処理)" (`CRtFirDlg`): the window-method design (shape, taps 5 ... 4096,
// cut-offs with their sliders) with the window of the FIR kind (m_nFirType 0 ... 4; any other
// kind uses the optimised Blackman window). Settings come from the document and go back at
// Close().
class CRtWindowFirTool : public CRtFirTool {
public:
    CRtWindowFirTool(CKymoDoc& doc, ISoundCard& card);

    const FirWindowSettings& Settings() const { return m_settings; }
    void SetSettings(const FirWindowSettings& s) { m_settings = s; }
    int Window() const { return m_nWindow; }
    // The field the last failed check pointed at.
    std::optional<FirField> FailedField() const { return m_failed; }
    // Cut-off slider 1 or 2 moved: the frequencies follow and a running tool designs again.
    void OnCutSlider(int which, int position);
    const CutSliderPair& Sliders() const { return m_sliders; }

protected:
    bool DesignTaps(int fs, std::vector<double>& taps) override;
    FirSaveInfo SaveInfo() const override;
    void BeforeClose() override;

private:
    FirWindowSettings m_settings;
    int m_nWindow;
    CutSliderPair m_sliders;
    std::optional<FirField> m_failed;
};
