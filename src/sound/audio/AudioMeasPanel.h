#pragma once

#include "sound/audio/AudioAnalyzer.h"
#include "sound/audio/AudioItems.h"
#include "sound/audio/AudioResults.h"
#include "sound/spectrum/TraceControls.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

class CKymoDoc;
class ISoundCard;
class SoundDuplex;
class CAudioEngine;

// The audio measurement set-up: the card check, a rate below 44.1 kHz becomes 48 kHz and 8 bits
// become 16 (each with its message). 1 when the panel may open.
int BeginAudioMeasurement(CKymoDoc& doc, ISoundCard* card);
// After the panel closed: the last spectra stay as kind 33 when something was analysed.
void FinishAudioMeasurement(CKymoDoc& doc);

// The audio measurement panel "ｵｰﾃﾞｨｵ測定" without its widgets. ON calibrates (step 0: the input
// levels), Run steps through the ticked items (1 frequency response, 2 THD, 3 S/N, 4 dynamic
// range, 5 IM, 6 .. 9 crosstalk), each 7 settling buffers (8 in manual mode) and 8 analysed
// blocks; step 10 stores the flags and stops. Direct mode plays every item's signal, manual mode
// measures one item again and again, synchronous mode follows the test file's lead-in.
class CAudioMeasPanel {
public:
    enum Mode { Synchronous = 0, Direct = 1, Manual = 2 };
    static constexpr int kDone = 10;

    CAudioMeasPanel(CKymoDoc& doc, ISoundCard& card);
    ~CAudioMeasPanel();

    // ---- Buttons ----
    bool OnStart();         // "ON"
    void OnStop();          // stop button
    void Close();           // "OFF"
    void OnRun();           // "Run"
    void OnTakeReference(); // "基準ﾚﾍﾞﾙ取得"
    void OnBandLimit();     // "Button1": toggles the band limit, recomputes from the store
    void SetMode(int mode); // mode combo
    // Item check boxes (CAudioResults::Item): unticking clears the item's result fields; in
    // manual mode ticking unticks the others, and the frequency response and the crosstalk
    // cannot be ticked.
    void SetItem(int item, bool on);
    void SetAll(bool on); // "Set All"
    // "Set" (detail dialog OK): validates in the dialog's order; false (message shown, nothing
    // stored) when a value is out of range.
    bool SetDetail(int thdFreq, int thdDb, int im1, int im2, int im1Db, int im2Db, int f1, int f2);
    // The argument SetDetail last refused (0 thdFreq .. 7 f2, in the order of its arguments);
    // -1 after a successful one.
    int DetailFault() const { return m_nDetailFault; }
    // "F1" .. "F6": shows an item's stored curves (request code 7). False with
    // "測定ﾃﾞｰﾀｰがありません。" when the item is not stored.
    bool ShowGraph(int item);
    // "Save": .csv or .opr by the path. 1 when written.
    int OnSave(const std::string& path);
    // "Load": an "AUDO" file. 1 when loaded.
    int OnLoad(const std::string& path);
    // The buttons: ask for the path ("MeasureData" .opr or .csv; a name without an extension
    // is saved as CSV), then save or load. 0 when cancelled.
    int OnSaveButton();
    int OnLoadButton();
    // "Fs=" and "Bit=" buttons: set directly (cycling is the dialog's).
    void SetRate(int rate);
    void SetWidthCode(int code);
    // The buttons themselves: the next rate (44100 -> 48000 -> 96000 -> 44100) and the next
    // width code (1 -> 2 -> 3 -> 1; from code 1 to 2 the top-level step rises by 10, from 3 to 1
    // it falls by 10).
    void OnRateButton();
    void OnWidthButton();
    // "Avr_": toggles averaging (switching on clears the accumulators); the count restarts.
    void OnAverage();
    // "Wave": ticks every item and writes the synchronous mode's test files (asking for each
    // path). The number of files written.
    int OnWave();

    // ---- Spins (delta +1 up, -1 down) ----
    void OnIntervalSpin(int delta); // "間隔(sec)", tenths 0 .. 20
    void OnTopLevelSpin(int delta);
    void OnDynamicRangeSpin(int delta);

    // Trace controls of the display: "ﾚﾝｼﾞ(倍)" and "ﾎﾟｼﾞｼｮﾝ(%)" spins of each channel and "±50%".
    void OnRangeSpin(int channel, int delta) { m_trace.OnRangeSpin(channel, delta); }
    void OnPositionSpin(int channel, int delta) { m_trace.OnPositionSpin(channel, delta); }
    void OnFixedPositions(bool on) { m_trace.OnFixedPositions(on); }
    bool FixedPositions() const { return m_trace.FixedPositions(); }
    std::string RangeText(int channel) const { return m_trace.RangeText(channel); }
    std::string PositionText(int channel) const { return m_trace.PositionText(channel); }

    // ---- Texts of the controls ----
    std::string IntervalText() const;
    std::string TopLevelText() const;
    std::string DynamicRangeText() const;
    std::string RateText() const;  // "Fs=44.1kHz", "Fs=48kHz", "Fs=96kHz"
    std::string WidthText() const; // "Bit=16", "Bit=24", "Bit=32"
    // The label of a frequency-response row (0: f1, 1: f2): "%dHz", or "%dkHz" from 1000 Hz.
    std::string FreqRowLabel(int row) const;
    // The input device ("ID#%u:%s").
    std::string DeviceText() const;
    // The detail settings as the detail dialog shows them.
    int ThdFreq() const { return m_nThdFreq; }
    int ThdDb() const { return m_nThdDb; }
    int ImFreq(int i) const { return m_nImFreq[i]; }
    int ImDb(int i) const { return m_nImDb[i]; }
    int F1() const { return m_nF1; }
    int F2() const { return m_nF2; }

    // ---- State ----
    bool IsRunning() const;
    bool IsFinished() const { return m_nStep == kDone && !IsRunning(); }
    // Step 0 has measured the input levels at least once.
    bool Calibrated() const { return m_bLevelTaken; }
    // Item results computed since ON (manual mode: rounds of the item).
    int Rounds() const { return m_nRounds; }
    int Step() const { return m_nStep; }
    int Mode() const { return m_nMode; }
    int Rate() const { return m_nRate; }
    int WidthCode() const { return m_nWidthCode; }
    bool BandLimit() const { return m_bBandLimit; }
    bool Item(int item) const { return m_items[item]; }
    const CAudioResults& Results() const { return m_results; }
    const float* InputLevels() const { return m_fLevel; }
    double Monitor(int i) const { return m_fMonitor[i]; }
    SoundDuplex& Engine();

    // Text lines "name=value" of every result of the panel.
    std::vector<std::string> ResultLines() const;

private:
    void Fill(int index, std::uint8_t* in, std::uint8_t* out, std::uint32_t len);
    void HandOver();
    void WriteSignal(std::uint8_t* out, std::uint32_t len);
    void AnalyseBlock(int index, const std::uint8_t* in, std::uint32_t len);
    void StepResult();
    void ComputeItem(int step, std::vector<float>& l, std::vector<float>& r, bool fromStore);
    void Recompute();
    bool StepTicked(int step) const;
    void ClearCounters();
    void ClearAll();
    void ShowToDocument(const std::vector<float>& l, const std::vector<float>& r, int points);
    // Result graphs and loads show the result top level, the live display its own: exchanges
    // the document's top level with the other one when `result` differs from the one in use.
    void UseResultTopLevel(bool result);

    CKymoDoc& m_doc;
    CTraceControls m_trace;
    std::unique_ptr<CAudioEngine> m_engine;
    CAudioAnalyzer m_analyzer;
    CAudioResults m_results;
    std::vector<float> m_tsp;
    std::vector<std::uint8_t> m_capture;

    int m_nRate = 48000;
    int m_nWidthCode = 1;
    int m_nMode = Direct;
    bool m_bBandLimit = true;
    std::array<bool, CAudioResults::kItems> m_items{true, true, true, true, true, true};
    int m_nThdFreq = 1000, m_nThdDb = 0;
    int m_nImFreq[2] = {60, 7000}, m_nImDb[2] = {-3, -15};
    int m_nF1 = 30, m_nF2 = 19000;
    float m_fLevel[2] = {75.0f, 75.0f};
    float m_fRefLevel[2] = {75.0f, 75.0f};
    float m_fLoudLevel[2][2] = {{0, 0}, {0, 0}};
    double m_fMonitor[2] = {0.0, 0.0};

    int m_nStep = 0;
    int m_nSettle = 0;
    long long m_nPhase = 0;
    int m_nAnalysed = 0;
    int m_nBlockCounter = 0;
    int m_nBlockInterval = 0;
    int m_nLoud = 0;
    bool m_bFinished = false;
    bool m_bHandOver = false;
    bool m_bLevelTaken = false;
    int m_nRounds = 0;
    int m_nDetailFault = -1;
    int m_nOtherTopLevelStep = 1; // the top level not in use (10 dB for the results at first)
    bool m_bResultTopLevel = false;
};
