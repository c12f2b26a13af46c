#pragma once

#include "tube/TubeAmpCompute.h"
#include "tube/TubeData.h"

#include <memory>
#include <string>

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

    // Panel values (the edit boxes): per tube (0 upper, 1 lower).
    TubeAmpSettings& Settings() { return m_settings; }
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
    std::unique_ptr<CTubeEngine> m_engine;
    TubeData m_data;
    int m_nDevice = -1;
    TubeAmpSettings m_settings;
    TubeAmpResult m_result;
    bool m_bComputed = false;
    int m_nWidthCode = 1;
};
