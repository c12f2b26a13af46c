#pragma once

#include <string>

class CKymoDoc;

// The control dialog "3Dｽﾍﾟｸﾄﾙ操作" after a 3D measurement, without its widgets: top level and
// dynamic range (the spectrum panel's steps), the two angles (azimuth step -14..-4, elevation
// step 3..7) and the frequency axis. Every change goes into the document at once and redraws
// the finished picture (kind 28) from the stored rows.
class CSpec3DViewControl {
public:
    explicit CSpec3DViewControl(CKymoDoc& doc);

    void OnTopLevelSpin(int delta);
    void OnDynamicRangeSpin(int delta);
    void OnThetaSpin(int delta);
    void OnPhiSpin(int delta);
    // "LOGLIN": logarithmic axis; "LINLOG": linear axis.
    void OnLogAxis();
    void OnLinearAxis();

    std::string TopLevelText() const;
    std::string DynamicRangeText() const;
    std::string ThetaText() const;
    std::string PhiText() const;
    // Which of the two axis buttons can be pressed.
    bool LogEnabled() const;
    bool LinearEnabled() const;

private:
    void Redraw();
    CKymoDoc& m_doc;
};
