#pragma once

#include "realtime/LmsEngine.h"
#include "realtime/LmsSettings.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CKymoDoc;
class ISoundCard;

// The LMS adaptive FIR tool without its widgets: the demo filter (a window-method design of
// the document's shape, cut-offs and tap count), the adaptive filter's settings, the source and
// its generator, start and stop, the displays, "保存" of the weights. The desktop dialog and the
// command line press these handlers.
//
// Opening copies the document's settings in; Close() stops the sound and copies them back.
class CLmsTool {
public:
    CLmsTool(CKymoDoc& doc, ISoundCard& card);
    ~CLmsTool();
    CLmsTool(const CLmsTool&) = delete;
    CLmsTool& operator=(const CLmsTool&) = delete;

    // "開始": stops a running tool, validates (messages shown), designs the demo filter, starts
    // the adaptation from w[N/2] = 0.01 and the sound. False when the tool does not run.
    bool OnStart();
    // "終了": stops ("DSP処理はしないのですね！" when it was not running and `reportIdle`), copies
    // the settings back and settles the document. Later calls do nothing.
    void Close(bool reportIdle = true);

    // ---- Settings (taking effect at the next start unless said otherwise) ----
    void SetTaps(int n) { m_nTaps = n; }
    void SetMu(double mu) { m_s.mu = mu; }
    // Stops a running tool.
    void SetDelay(int d);
    // Stops a running tool; with the generator, "Rch表示" follows: "L-R  Δe" for noise
    // suppression, "Rout" otherwise.
    void SetMode(int mode);
    // "gen" (true) or "line"; stops a running tool.
    void SetGenerator(bool on);
    void SetNoise(bool on);
    void SetSine(bool on);
    void SetNoiseLevel(int position); // -60 ... 0 dB
    void SetSineFreqPosition(int position);
    void SetSineLevel(int position); // -60 ... 0 dB
    void SetShape(int shape) { m_nShape = shape; }
    void SetCutOffs(double f1, double f2);
    // A cut-off slider (which 1 low, 2 high) moved: the demo filter is designed again and a
    // running adaptation starts again.
    void OnCutSlider(int which, int position);
    void SetRateIndex(int index);
    // Display list: 0 "f特計算", 1 "ﾓﾆﾀｰ表示".
    void SetDisplay(int index);
    void SetRch(int index);
    // "ｹﾞｲﾝ(dB)" (-20 ... 20) and "固定": edited and kept with the other real-time tools' output
    // gain; this tool plays its output without an output stage.
    void SetGain(int gainDb);
    void SetGainFixed(bool fixed) { m_bGainFixed = fixed; }
    void Seed(std::uint32_t seed) { m_seed = seed; }

    // "保存" (running only): the weights as an FIR coefficient file; 1 written.
    int OnSave(const std::string& path = "Empty");

    // ---- State ----
    bool IsRunning() const { return m_engine->IsRunning(); }
    int Rate() const;
    int RateIndex() const { return m_nRateIndex; }
    const LmsSettings& Settings() const { return m_s; }
    int Taps() const { return m_nTaps; }
    int GainDb() const { return m_nGainDb; }
    bool GainFixed() const { return m_bGainFixed; }
    int Shape() const { return m_nShape; }
    double CutLow() const { return m_fCutLow; }
    double CutHigh() const { return m_fCutHigh; }
    const std::vector<double>& Weights() const { return m_engine->Filter().Weights(); }
    const std::vector<double>& DemoTaps() const { return m_engine->Filter().DemoTaps(); }
    double RelativeError() const { return m_engine->Filter().RelativeError(); }
    int LoadPercent() const;
    CLmsEngine& Engine() { return *m_engine; }
    // The panel picture's texts: "%d個", the largest weight "%2.2e", "μ=%2.2e",
    // "誤差=%3.3f(%s)" and "Z=%d".
    std::string PictureText() const;

private:
    bool Validate(int fs);
    bool DesignDemo(int fs);
    void ApplySignals();
    bool StopSound();

    CKymoDoc& m_doc;
    std::unique_ptr<CLmsEngine> m_engine;
    LmsSettings m_s;
    int m_nTaps;
    int m_nShape;
    double m_fCutLow, m_fCutHigh;
    int m_nWindow; // window code of the demo filter
    int m_nRateIndex = 1;
    int m_nGainDb;
    bool m_bGainFixed;
    std::optional<std::uint32_t> m_seed;
    bool m_bClosed = false;
};
