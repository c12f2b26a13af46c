#pragma once

#include "realtime/RtFilterEngine.h"
#include "realtime/RtPanelSettings.h"

#include <memory>
#include <string>

class CKymoDoc;
class ISoundCard;

// Sampling rates of the tools' rate button, in the order it cycles (44100 -> 48000 -> 96000).
constexpr int kRtRateCount = 3;
int RtRateOfIndex(int index);
// The document's m_nMeasRate for a rate index: 3, 4, 5.
int RtMeasRateOfIndex(int index);

// The control panel every real-time filter tool shares, without its widgets: start and stop,
// the rate button, the source ("line" / "gen" with its level), the channel and line-out lists,
// the output gain with "固定", the display levels and the load meter. The desktop dialogs show
// these values and press these handlers; the command line and the tests press them too.
//
// A tool owns its engine. Opening a tool prepares the document (the Kaiser window and FFT tables
// for m_nPoints, accumulators cleared, 16 bits, m_nRealUpdates = 0, the panel's levels); Close()
// stops the sound, stores the panel back into the document and settles the document's display.
// Derived tools supply the design step and the display list.
class CRtFilterTool {
public:
    CRtFilterTool(CKymoDoc& doc, ISoundCard& card, RtFilterKind kind);
    virtual ~CRtFilterTool();
    CRtFilterTool(const CRtFilterTool&) = delete;
    CRtFilterTool& operator=(const CRtFilterTool&) = delete;

    // ---- Buttons ----
    // "開始": stops a running tool, designs (messages shown, the tool stays idle on a failure)
    // and starts the sound. False when the tool does not run.
    bool OnStart();
    // "終了" or Escape: stops the sound ("DSP処理はしないのですね！" when it was not running and
    // `reportIdle`),
    // stores the settings and settles the document. Later calls do nothing.
    void Close(bool reportIdle = true);
    // Rate button: 44100 -> 48000 -> 96000 -> 44100 Hz; a running tool restarts.
    void OnRate();
    // The rate button showing `index` (0 44100, 1 48000, 2 96000): a running tool restarts.
    void OnRateIndex(int index);

    // ---- Common controls ----
    void SetSource(bool generator);
    void SetLevel(int position);        // generator level slider, 0 ... 100 (-dB)
    virtual void SetChannel(int index); // "ﾌｨﾙﾀｰCH" entry
    virtual void SetLineOut(int mode);
    void SetGain(int gainDb); // clamped to -20 ... 20
    void SetGainFixed(bool fixed);
    void OnTopLevelSpin(int delta); // steps of 10 dB
    void OnRangeSpin(int delta);

    // ---- State ----
    bool IsRunning() const { return m_engine->IsRunning(); }
    int RateIndex() const { return m_nRateIndex; }
    int Rate() const { return RtRateOfIndex(m_nRateIndex); }
    void SetRateIndex(int index);
    const RtPanelSettings& Panel() const { return m_panel; }
    int ChannelMode() const { return m_panel.channelIndex + 1; }
    // Percent for the "処理能力" bar (range 0 ... 150).
    int LoadPercent() const;
    // A block was handed over to the document since the tool opened.
    bool HandedOver() const { return m_bHandedOver || m_engine->HandedOver() > 0; }
    CRtFilterEngine& Engine() { return *m_engine; }
    CKymoDoc& Doc() { return m_doc; }
    std::string TopLevelText() const;
    std::string RangeText() const;

protected:
    // The tool's design step at the sampling rate fs: checks (showing its messages), computes
    // the coefficients and hands them to the engine. False keeps the tool idle.
    virtual bool Design(int fs) = 0;
    // After a successful design at start: shows the design response when a design display is
    // selected and sets the engine's monitor code.
    virtual void AfterDesign() = 0;
    // Puts the document's rate back as it was before the tool opened (m_nMeasRate).
    virtual void RestoreRate();
    // Called whenever the sound stopped (before the tool is idle).
    virtual void OnSoundStopped() {}
    // The closing steps of the tool's display before the document is settled.
    virtual void BeforeClose() {}
    // Settles the document's display after the sound stopped for good (FIR tools: a monitor
    // spectrum stays as kind 191; with nothing handed over the display is cleared).
    virtual void SettleDocument();
    // The IIR tools' settling: kinds 19 and 192 stay as 191 and 193; with nothing handed over,
    // any display but the design displays (7, 71, 72) is cleared.
    void SettleIirDocument();

    // Stops the sound; true when it was running.
    bool StopSound();
    // Applies source, channel and output stage to the engine.
    void ApplyPanel();
    // Swaps the document's display levels with the pair kept for the other display group.
    void SwapLevels(bool toDesign);
    bool DesignLevelsShown() const { return m_bDesignLevels; }
    // A restart after a change of structure (rate, lists): only when running.
    void Restart();

    CKymoDoc& m_doc;
    std::unique_ptr<CRtFilterEngine> m_engine;
    RtPanelSettings m_panel;
    int m_nSavedMeasRate;

private:
    int m_nRateIndex = 1;
    bool m_bDesignLevels = false;
    bool m_bHandedOver = false;
    bool m_bClosed = false;
};
