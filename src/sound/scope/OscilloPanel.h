#pragma once

#include "sound/scope/ScopeControls.h"

class ISoundCard;

// The oscilloscope's control panel "オシロスコープ" without its widgets: the storage-scope
// controls plus "SING" (single shot), "OvrSamp" (fourfold interpolation) and the input played
// back unchanged. Opened after CKymoDoc::BeginOscilloscope; after Close the owner calls
// CKymoDoc::FinishOscilloscope.
class COscilloPanel : public CScopeControls {
public:
    COscilloPanel(CKymoDoc& doc, ISoundCard& card);

    // "SING": leaves X-Y, arms the single shot and starts again; the first sweep shown stops
    // the run as "DISP" does.
    bool OnSingle();
    // "OvrSamp": D 1 <-> 4; restarts when running.
    void OnOverSample();
    bool OverSampling() const { return m_bOver; }
    bool SingleEnabled() const { return !IsRunning(); }
    // "OFF": stops and keeps "OvrSamp" in m_nScopeOver.
    void Close() override;

protected:
    bool StartDevices(int bufferFrames) override;
    int Over() const override { return m_bOver ? 4 : 1; }

private:
    bool m_bOver = false;
};
