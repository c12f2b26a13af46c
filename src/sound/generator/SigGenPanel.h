#pragma once

#include "sound/generator/SigGenDuplex.h"
#include "sound/generator/SigGenValidation.h"
#include "sound/scope/ScopeControls.h"

#include <cstdint>
#include <optional>
#include <string>

class ISoundCard;

// The signal generator's control panel "信号発生器" without its widgets: the five sources with
// their switches, channel buttons, sliders and boxes, "Stereo/Mono", "Fs=...", "Bit=..",
// "Wave保存", and the storage-scope display of the output (no "SING", no "OvrSamp"). The
// settings live in the document (m_sigGen; rate and width in m_nMeasRate / m_nMeasBits).
// Opened after CKymoDoc::BeginSignalGenerator; after Close the owner calls
// CKymoDoc::FinishOscilloscope.
class CSigGenPanel : public CScopeControls {
public:
    static constexpr int kSliderSteps = 60;
    static constexpr double kSineRatio = 1.1224526166915894;
    static constexpr double kSquareRatio = 1.0797751;

    CSigGenPanel(CKymoDoc& doc, ISoundCard& card);

    // ---- Sources ----
    // "gen": toggles a source. Switching runs the validation (refused on a bad value, which
    // gets the focus) and restarts the mix at n = 0 when running.
    bool OnSourceSwitch(int source);
    // "chansel": swaps which setting pair drives ch1.
    void OnChannelSwap(int source);
    // Typed values of a box (pair 0 the first box, 1 the second); the slider follows.
    void SetFreq(int source, int pair, int hz);
    void SetLevel(int source, int pair, int db);
    void SetRecordSeconds(int seconds);
    // Sliders (they drive the first pair): 0..60 frequency steps, -60..0 dB.
    void OnFreqSlider(int source, int position);
    void OnLevelSlider(int source, int position);
    // The focus enters a value box: the output stops as with "DISP".
    void OnValueFocus();

    // ---- Ch/FS/Bit ----
    void OnStereoMono();
    // "Bit=..": 1 -> 2 -> 3 -> 1; 16 to 24 bits raises the spectrum's top level by 100, 32 back
    // to 16 lowers it by 100. Restarts when running.
    void OnWidth();
    // "Wave保存": stops the output, validates, writes the file, starts again when it ran.
    int OnWaveSave();

    // ---- Texts and positions ----
    std::string FreqText(int source, int pair) const;
    std::string LevelText(int source, int pair) const;
    std::string WidthText() const; // "Bit=16", "Bit=24", "Bit=32"
    std::string ModeText() const;  // "Stereo", "Mono"
    std::string SecondsText() const;
    int FreqSlider(int source) const;
    int LevelSlider(int source) const;
    bool SourceOn(int source) const;
    // The box the last failed validation pointed at.
    std::optional<SigGenBox> FocusBox() const { return m_focus; }

    // Frequency of a slider position, and the position of a typed value.
    static int SliderFrequency(int source, int position);
    static int SliderForFrequency(int source, int hz);
    static int SliderForLevel(int db);

    // Tests fix the noise's seed.
    void SetSeed(std::uint32_t seed) { m_seed = seed; }
    CSigGenDuplex& GenEngine() { return m_gen; }

protected:
    bool BeforeStart() override;
    void ReportRingFailure() override;
    bool StartDevices(int bufferFrames) override;
    void SetRate(int rate) override;

private:
    CSigGenPanel(CKymoDoc& doc, std::unique_ptr<CSigGenDuplex> engine);
    SigGenSettings& Settings();
    const SigGenSettings& Settings() const;
    bool Validate();
    std::uint32_t Seed() const;

    CSigGenDuplex& m_gen;
    std::optional<SigGenBox> m_focus;
    std::optional<std::uint32_t> m_seed;
};
