#pragma once

#include "realtime/RtFilterTool.h"

#include <string>
#include <vector>

// Entries of the FIR tools' display list 1301 (sorted, so the design response comes first).
namespace rtdisplay {
constexpr int Design = 0;  // "f特計算"
constexpr int Monitor = 1; // "ﾓﾆﾀｰ表示"
} // namespace rtdisplay

// What a design writes into the coefficient file of "保存".
struct FirSaveInfo {
    std::string kind;
    std::string shape;
    double cutLow = 0.0;
    double cutHigh = 0.0;
};

// The common part of the real-time FIR tools (window method, Kaiser, Remez, coefficient file,
// free-form): the taps of the current design, the design response (FirMagnitude with
// M = m_nPoints / 2, ProcessRealtime 4), the monitor (ProcessRealtime 2), the redesign while
// running and "保存". A derived tool supplies the design step.
class CRtFirTool : public CRtFilterTool {
public:
    CRtFirTool(CKymoDoc& doc, ISoundCard& card);

    // Display list: the design response needs a running tool ("開始してからにして下さい！" and back
    // to the monitor otherwise). False when the choice was refused.
    bool OnDisplay(int index);
    int Display() const { return m_nDisplay; }
    // A design setting changed: a running tool designs again in place, the sound goes on with
    // the new taps from the next buffer (a failed design keeps the old ones). False when the
    // redesign failed.
    bool OnDesignChanged();
    // "保存": the taps as a coefficient file (path asked). 1 written.
    virtual int OnSave();

    bool HasTaps() const { return !m_taps.empty(); }
    const std::vector<double>& Taps() const { return m_taps; }
    // The panel picture's numbers: the tap count and the largest |h|, "%2.2e".
    std::string TapsSummary() const;

protected:
    bool Design(int fs) final;
    void AfterDesign() override;
    // Checks the settings at fs (messages shown) and computes the taps. False leaves `taps`
    // as it was.
    virtual bool DesignTaps(int fs, std::vector<double>& taps) = 0;
    virtual FirSaveInfo SaveInfo() const = 0;
    // The design response of the taps into m_fRe and m_fOpRe and ProcessRealtime 4.
    virtual void ShowDesignResponse();
    // Writes the taps with the file dialog open: the output is silent meanwhile.
    int WriteTaps(const std::string& path);

    std::vector<double> m_taps;
    int m_nDisplay = rtdisplay::Monitor;
};
