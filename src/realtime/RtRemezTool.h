#pragma once

#include "realtime/RtFirTool.h"

// The sound side of the Remez tools "Remez_Exchange(簡易設定)" and "Remez_Exchange(詳細設定)":
// their panels check and design (filters/RemezSettings.h); each converged design comes here.
class CRtRemezTool : public CRtFirTool {
public:
    CRtRemezTool(CKymoDoc& doc, ISoundCard& card);

    // A converged design at the sampling rate fs with what "保存" writes for it. An idle tool,
    // or one running at another rate, starts with it; a running tool takes it in place from the
    // next buffer. False when the sound could not be started.
    bool OnDesigned(const std::vector<double>& taps, int fs, const FirSaveInfo& info);

protected:
    bool DesignTaps(int fs, std::vector<double>& taps) override;
    FirSaveInfo SaveInfo() const override { return m_info; }

private:
    std::vector<double> m_design;
    FirSaveInfo m_info;
};
