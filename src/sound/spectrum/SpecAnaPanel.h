#pragma once

#include "sound/engine/SoundDuplex.h"
#include "sound/spectrum/TraceControls.h"

#include <memory>
#include <string>

class CKymoDoc;
class ISoundCard;

// The spectrum analyzer's control panel "ｽﾍﾟｸﾄﾗﾑｱﾅﾗｲｻﾞｰ" without its widgets: every control's
// value and text, and the handlers of its buttons and spins. The desktop dialog shows these,
// the command line and the tests press them. The panel owns its engine (block-sized, request
// code 1); display values go into the document at once, so the next drawing uses them.
//
// Opened after the document's measurement set-up succeeded; Close() (OFF or Escape) stops the
// engine and stores the settings back before the owner calls the document's finish step.
class CSpecAnaPanel {
public:
    CSpecAnaPanel(CKymoDoc& doc, ISoundCard& card);
    virtual ~CSpecAnaPanel();

    // ---- Buttons ----
    // "ON": starts the engine. Refused while running. False when the start failed (reported).
    virtual bool OnStart();
    // "dISP": stops the engine and keeps the panel open.
    void OnDisp();
    // "OFF" / Escape: stops the engine and stores the panel's settings into the document.
    virtual void Close();
    // "Avr_": toggles averaging.
    void OnAverage();
    // "保存": stops the capture and saves the current result. 1 when written.
    int OnSave();
    // "±50%".
    void OnFixedPositions(bool on);

    // ---- Spins (delta +1 up, -1 down) ----
    void OnIntervalSpin(int delta);
    void OnRangeSpin(int channel, int delta);
    void OnPositionSpin(int channel, int delta);
    void OnTopLevelSpin(int delta);
    void OnDynamicRangeSpin(int delta);

    // ---- Texts of the fields ----
    std::string IntervalText() const;
    std::string RangeText(int channel) const;
    std::string PositionText(int channel) const;
    std::string TopLevelText() const;
    std::string DynamicRangeText() const;

    // ---- State ----
    bool IsRunning() const { return m_engine->IsRunning(); }
    bool StartEnabled() const { return !IsRunning(); }
    bool StopEnabled() const { return IsRunning(); }
    bool IsStereo() const;
    bool HasMeasured() const { return m_bMeasured; }
    bool FixedPositions() const;
    SoundDuplex& Engine() { return *m_engine; }

protected:
    // Engines of instruments that share this panel's behaviour (the correlation meter, the servo
    // analyzer).
    CSpecAnaPanel(CKymoDoc& doc, std::unique_ptr<SoundDuplex> engine);
    // The text of a magnification 2^exp: "0.25", "0.5", then the whole number.
    static std::string MagnificationText(int exp);
    // The length argument of initRSound: the frames of one captured block.
    virtual int EngineLength() const;
    CKymoDoc& m_doc;
    CTraceControls m_trace;

private:
    void ApplyToDocument();

    std::unique_ptr<SoundDuplex> m_engine;
    bool m_bMeasured = false;
};
