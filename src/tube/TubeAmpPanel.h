#pragma once

#include "sound/spectrum/TraceControls.h"
#include "tube/TubeAmpCompute.h"
#include "tube/TubeData.h"

#include <memory>
#include <string>
#include <vector>

class CKymoDoc;
class ISoundCard;
class SoundDuplex;
class CTubeEngine;

// The amplifier's set-up: the card check ("サウンドカードがないのでは！！"), a rate below 44.1 kHz
// becomes 48 kHz and 8 bits become 16, each with its message. 1 when the panel may open.
int BeginTubeAmp(CKymoDoc& doc, ISoundCard* card);

// The virtual tube amplifier's panel "Virtual Tube" without its widgets: the device, the circuit
// and bias, the per-tube values, the wanted power, "計算", ON/stop/OFF, "Through" and "保存". The
// desktop dialog shows these values, the command line and the tests press the buttons. The
// panel owns its engine (frame-counted, request code 9): every buffer of the input is played
// through the computed stage.
class CTubeAmpPanel {
public:
    CTubeAmpPanel(CKymoDoc& doc, ISoundCard& card);
    ~CTubeAmpPanel();

    // Device combo: 0 .. 2 built in, tube::kMyTube reads `path` (asked for when empty). A running
    // stream is stopped and the computed flag cleared. False (messages shown, the previous
    // device kept) when the data cannot be read or are invalid.
    bool SelectDevice(int index, const std::string& path = "");
    // Circuit and bias combos; a running stream is stopped ("ﾓﾆﾀｰ動作を停止します" for the
    // circuit) and the computed flag cleared.
    void SetCircuit(int circuit);
    void SetBias(int bias);
    // "計算". True when the stage was computed; the characteristics are then drawn.
    bool OnCompute();
    // "ON": refused while running and without a computation.
    bool OnStart();
    // Stop button.
    void OnStop();
    // "OFF": stops and stores the settings into the document.
    void Close();
    // "Through".
    void OnThrough();
    // "保存": the current device data as a tube-data file.
    int OnSave();
    // "Fs=" and "Bit=": the next rate (44100 -> 48000 -> 96000 -> 44100) and width code
    // (1 -> 2 -> 3 -> 1, the top level moving by 100 dB from 16 to 24 bits and back from 32 to
    // 16). A running stream is stopped and the computed flag cleared.
    void OnRateButton();
    void OnWidthButton();
    // Ep error (which 0) and Ip error (which 1) spins of a tube: error -= delta within -10 .. 10
    // percent; the computed flag is cleared.
    void OnErrorSpin(int which, int tube, int delta);
    // Sweep spin: 3 .. 6 ("0.5ms/div" .. "5ms/div").
    void OnSweepSpin(int delta);
    // "Triger": the scope's trigger channel, L or R.
    void OnTrigger();

    // Trace controls of the display: "ﾚﾝｼﾞ(倍)" and "ﾎﾟｼﾞｼｮﾝ(%)" spins of each channel and "±50%".
    void OnRangeSpin(int channel, int delta) { m_trace.OnRangeSpin(channel, delta); }
    void OnPositionSpin(int channel, int delta) { m_trace.OnPositionSpin(channel, delta); }
    void OnFixedPositions(bool on) { m_trace.OnFixedPositions(on); }
    bool FixedPositions() const { return m_trace.FixedPositions(); }
    std::string RangeText(int channel) const { return m_trace.RangeText(channel); }
    std::string PositionText(int channel) const { return m_trace.PositionText(channel); }

    // ---- Texts of the controls ----
    std::string RateText() const;  // "Fs=44.1kHz", "Fs=48kHz", "Fs=96kHz"
    std::string WidthText() const; // "Bit=16", "Bit=24", "Bit=32"
    std::string SweepText() const;
    int Sweep() const { return m_nSweep; }
    int TriggerChannel() const { return m_nTrigger; }
    // The bias combo's entries for the circuit ("定電流" only for the differential stage) and the
    // label and value of the bias field of the bias method: "設定電流(mA/球)" (current),
    // "Gﾊﾞｲｱｽ電圧(V/球)" (grid bias) or "Cﾊﾞｲｱｽ電圧(V/球)" (cathode bias).
    std::vector<std::string> BiasChoices() const;
    std::string BiasLabel() const;
    double BiasValue(int tube) const;
    void SetBiasValue(int tube, double value);
    // The computed operating point of a tube: "ｶｿｰﾄﾞ抵抗値" with "%.1fkΩ" / "%.1fΩ" for cathode
    // bias, else "ｶｿｰﾄﾞ電流値" with "%.1fmA" / "%.1fμA"; the value is empty before "計算".
    std::string ResultLabel() const;
    std::string ResultText(int tube) const;

    // Panel values (the edit boxes): per tube (0 upper, 1 lower).
    TubeAmpSettings& Settings() { return m_settings; }
    const TubeAmpSettings& Settings() const { return m_settings; }
    double& Wanted() { return m_settings.wanted; }
    const TubeData& Device() const { return m_data; }
    int DeviceIndex() const { return m_nDevice; }
    bool IsComputed() const { return m_bComputed; }
    bool IsThrough() const;
    bool IsRunning() const;
    const TubeAmpResult& Result() const { return m_result; }
    int Rate() const;
    int WidthCode() const { return m_nWidthCode; }
    // "Bit=16": width code 1 (16 bits), 2 (24 bits) or 3 (32 bits).
    void SetWidthCode(int code) { m_nWidthCode = code >= 1 && code <= 3 ? code : 1; }
    SoundDuplex& Engine();

private:
    void TakeDevice(const TubeData& data, bool operating);
    void StopStream();

    CKymoDoc& m_doc;
    CTraceControls m_trace;
    std::unique_ptr<CTubeEngine> m_engine;
    TubeData m_data;
    int m_nDevice = -1;
    TubeAmpSettings m_settings;
    TubeAmpResult m_result;
    bool m_bComputed = false;
    int m_nWidthCode = 1;
    int m_nSweep = 4;
    int m_nTrigger = 0;
};
