#pragma once

#include "sound/scope/ScopeDuplex.h"
#include "sound/spectrum/TraceControls.h"

#include <memory>
#include <string>

class CKymoDoc;

// The storage-scope part of the oscilloscope's and the signal generator's panels, without
// widgets: ON/DISP/OFF/"保存", the sweep and rate, the channel choice, ranges and positions, the
// trigger (level, "固定(0%)", channel, slope, mode, delay) and X-Y. Values live in the document
// (the view reads them; OFF leaves them there for the next start). A change of sweep, rate or
// delay while running restarts the run: a new device session, so nothing queued before reaches
// the new ring.
class CScopeControls {
public:
    virtual ~CScopeControls();

    // ---- Buttons ----
    // "ON": starts a run. "測定中ですので終了させて下さい!" while running. False when it did not
    // start (reported).
    bool OnStart();
    // "DISP": stops and holds the last sweep.
    void OnDisp();
    // "OFF" / Escape: stops and releases the run; the settings stay in the document.
    virtual void Close();
    // "保存": stops as "DISP" and saves the sweep shown ("OSC1" or CSV). 1 when written.
    int OnSave();
    // "Fs=...": the next rate (44100 -> 48000 -> 96000); restarts when running.
    void OnRate();
    // Sweep spin: index -= delta within 1..11; restarts when running.
    void OnSweepSpin(int delta);
    // Channel check boxes (1 or 2).
    void OnChannelSelect(int channel, bool on);
    // "X_Y": needs both channels.
    void OnXY(bool on);

    // ---- Trigger ----
    void OnTrigLevelSpin(int delta);
    void OnTrigFixedZero(bool on);
    // "ch1" / "ch2" (1 or 2): a hidden channel selects the other one.
    void OnTrigChannel(int channel);
    void OnSlope(int slope);   // 0 "ﾄﾘｶﾞ(+)", 1 "ﾄﾘｶﾞ(-)"
    void OnTrigMode(int mode); // 0 "ｵｰﾄ", 1 "ﾉｰﾏﾙ"
    void OnDelaySpin(int delta);

    // ---- Trace controls ----
    void OnRangeSpin(int channel, int delta);
    void OnPositionSpin(int channel, int delta);
    void OnFixedPositions(bool on);

    // ---- Texts ----
    std::string SweepText() const;
    std::string RateText() const;
    std::string RangeText(int channel) const { return m_trace.RangeText(channel); }
    std::string PositionText(int channel) const { return m_trace.PositionText(channel); }
    std::string TrigLevelText() const;
    std::string DelayText() const;

    // ---- State ----
    bool IsRunning() const { return m_engine->IsRunning(); }
    bool StartEnabled() const { return !IsRunning(); }
    bool StopEnabled() const { return IsRunning(); }
    bool RangeEnabled(int channel) const { return m_trace.Shown(channel); }
    bool HasMeasured() const { return m_bMeasured; }
    int Rate() const;
    int LevelPercent() const;
    int DelayPercent() const;
    CScopeDuplex& Engine() { return *m_engine; }

protected:
    CScopeControls(CKymoDoc& doc, std::unique_ptr<CScopeDuplex> engine);
    // Arms the engine for a run (the single shot pending or not) and starts it. False when it
    // did not start (reported).
    bool StartRun(bool single);
    // Checks made before a run is armed (the generator's validation); false cancels the start.
    virtual bool BeforeStart() { return true; }
    // Shown when the ring cannot be allocated.
    virtual void ReportRingFailure();
    // Opens and starts the devices for a run armed with `bufferFrames` per buffer; false when
    // they did not start (reported).
    virtual bool StartDevices(int bufferFrames) = 0;
    // D of the next run (4 with the oscilloscope's "OvrSamp").
    virtual int Over() const { return 1; }
    // Sets the rate (the document's format and m_nMeasRate).
    virtual void SetRate(int rate);
    // Stops and releases the ring.
    void Stop();
    // Stop then ON when running.
    void Restart();
    // m_nTrigLevel from the level, the trigger channel and its range; given to a running engine.
    void UpdateTrigger();
    // The trigger of the document's settings (m_nTrigLevel as UpdateTrigger left it).
    ScopeTrigger Trigger() const;
    int ChannelMode() const;

    CKymoDoc& m_doc;
    CTraceControls m_trace;
    std::unique_ptr<CScopeDuplex> m_engine;
    bool m_bMeasured = false;
};
