#pragma once

#include "filters/BiquadTable.h"
#include "realtime/RtFilterTool.h"

#include <string>
#include <vector>

// Display list 1301 of the cascade and coefficient-file IIR tools.
namespace stagedisplay {
constexpr int Result = 0;     // "f特:結果": overall response and impulse response (kind 71)
constexpr int Cumulative = 1; // "f特:累積": stages 1 ... k multiplied (kind 72)
constexpr int Single = 2;     // "f特:個別": stage k alone (kind 72)
constexpr int MonitorLog = 3; // "ﾓﾆﾀｰ_Log": measured spectrum, kind 19
constexpr int MonitorLin = 4; // "ﾓﾆﾀｰ_Lin": kind 192
constexpr int MonitorOff = 5; // "ﾓﾆﾀｰ_OFF": nothing handed over
constexpr int kCount = 6;
const char* Name(int entry);
inline bool IsDesign(int entry) {
    return entry >= Result && entry <= Single;
}
} // namespace stagedisplay

// The cumulative display from this stage on is too slow to draw while the sound runs.
constexpr int kSlowStage = 9;

// What the cascade and coefficient-file IIR tools share: a cascade of sections run with
// CascadeFilterPcm, the six-entry display list with its design responses (overall, cumulative
// and single stage, evaluated per stage for the N = m_nPoints display), the stage spin, the
// slow-machine rule and their closing steps.
class CRtStageTool : public CRtFilterTool {
public:
    int Display() const { return m_nDisplay; }
    // Display list. False when the choice was refused (back to "ﾓﾆﾀｰ_Log").
    bool OnDisplay(int index);
    int Stage() const { return m_nStage; }
    int StageCount() const;
    // Stage spin: k moves within 1 ... S; the slow-machine rule is tested first. False when k did
    // not change.
    bool OnStageSpin(int delta);
    // The panel picture's lines of a digital section: "Cascade No.=k" and its coefficients.
    static std::vector<std::string> SectionLines(const BiquadTable& t, int k);
    // The sound was stopped by the slow-machine rule since the last start.
    bool SlowStopped() const { return m_bSlowStopped; }

protected:
    CRtStageTool(CKymoDoc& doc, ISoundCard& card);

    // The sections of the response display and their source (0 digital, 1 realized, 2 s-function).
    virtual const BiquadTable& ResponseTable(int& source) const = 0;
    virtual int Sections() const = 0;
    virtual bool HasDesign() const = 0;
    // Refuses a display choice (with its message) before the running check; false refuses.
    virtual bool MayChooseDisplay() { return true; }
    // Before a design display is computed while running (the cascade's realization). False stops.
    virtual bool PrepareResponse() { return true; }
    virtual void OnStageChanged() {}
    // The slow-machine rule fires at most once per start (cascade) or every time.
    virtual bool SlowRuleOncePerStart() const { return false; }

    void AfterDesign() override;
    void BeforeClose() override;
    void SettleDocument() override { SettleIirDocument(); }

    // The responses of the current design into m_fRe/m_fIm (N entries, mirrored conjugate) and
    // the stage fields, and a copy of the overall response for the closing step.
    void ComputeResponse();
    // Requests what the design display shows (10 or 11); nothing for the monitor entries.
    void RequestDesignDisplay();
    // Recomputes and redraws a design display after a design change.
    void RefreshDesignDisplay();
    void SetMonitorForDisplay();
    // Stops the sound for the slow cumulative display; true when it did.
    bool ApplySlowRule(const char* message);
    void ClearSlowStop() { m_bSlowStopped = false; }

    int m_nDisplay = stagedisplay::MonitorLog;
    int m_nStage = 1;

private:
    bool m_bSlowStopped = false;
    std::vector<float> m_savedRe, m_savedIm;
};
