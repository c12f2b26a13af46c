#pragma once

#include <string>
#include <vector>

// What the software radio does: one entry per mode of the mode lists, whatever list shows it.
enum class RadioMode {
    AmLoop,  // "AM変復調"
    LsbLoop, // "LSB変復調"
    UsbLoop, // "USB変復調"
    AmTx,    // "AM変調"
    DsbTx,   // "DSB変調"
    LsbTx,   // "LSB変調" (filter method)
    UsbTx,   // "USB変調" (filter method)
    IfLsbTx, // "IF_LSB変調" (phasing)
    IfUsbTx,
    IqLsbTx, // "IQ_LSB変調"
    IqUsbTx,
    CrystalAm, // "鉱石検波器AM"
    DsbRx,     // "DSB復調"
    IfLsbRx,   // "IF_LSB復調"
    IfUsbRx,
    IqLsbRx, // "IQ_LSB復調"
    IqUsbRx,
    AmToSsbRx, // "AM⇒SSB復調"
    Through,   // "ｽﾙｰﾓｰﾄﾞ"
};

// The settings of the software radio under the names its settings file uses.
struct RadioSettings {
    int TrmFlg = 0;
    int RcvFlg = 1;
    int m_mod = 1;                     // index into the mode list of the flags
    int m_filter = 2, m_filter2 = 1;   // filter 1: shape (shape::), approximation (0 ... 3)
    int m_cfilter = 0, m_cfilter2 = 3; // filter 2
    int m_VolLevel = -6;
    float m_VolGain = 0.5f;
    int m_VolLevel2 = 0;
    float m_VolGain2 = 1.0f;
    float m_cutlow = 200.0f, m_cuthigh = 2800.0f, m_ripple = 1.0f, m_reject = 60.0f;
    int m_tapbuf = 8;
    float m_ccutlow = 1500.0f, m_ccuthigh = 3000.0f, m_cripple = 1.0f, m_creject = 60.0f;
    int m_ctapbuf = 8;
    int m_iffreq = 13500, m_iffreq2 = 1500;
    int IQ_BalSpin = 0;
};

// The panel state of the radio that is not written to its settings file.
struct RadioPanel {
    bool generator = true; // "gen" source instead of "line"
    bool sineOn = true;    // "Singen"
    bool noiseOn = false;  // "Noisegen"
    int sineDb = -6, noiseDb = -40;
    double sineFreq = 1000.0;
    int gainDb = 0; // "Out_Gain(dB)", -20 ... 20
    bool gainFixed = false;
    int iqPhase = 0; // 0.1 degree per step, -20 ... 20
    int display = 8; // radiodisplay::
};

namespace radiodisplay {
constexpr int Result = 0;     // "f特:結果"
constexpr int Cumulative = 1; // "f特:累積"
constexpr int Individual = 2; // "f特:個別"
constexpr int LogAf = 3, LogRf = 4, LinAf = 5, LinRf = 6, Waterfall = 7, Off = 8;
} // namespace radiodisplay

namespace radiolimits {
constexpr int kMaxOrder = 60; // effective order of a filter
constexpr int kMinLevelDb = -60, kMaxLevelDb = 20;
constexpr int kMaxBalance = 20; // IQ balance and phase steps, +-
constexpr double kMinRipple = 0.1;
constexpr double kMaxRate = 96000.0;
} // namespace radiolimits

// The mode list of a flag combination, in its order.
std::vector<std::string> RadioModeNames(int trm, int rcv);
// The mode of a flag combination and list index (clamped to the list).
RadioMode RadioModeOf(int trm, int rcv, int mod);
inline RadioMode RadioModeOf(const RadioSettings& s) {
    return RadioModeOf(s.TrmFlg, s.RcvFlg, s.m_mod);
}
// The radio code the view gets: 9, unless the display is "Lin_RF" or "Waterfall" and a flag is
// on: m_mod (transmit only), m_mod + 10 (receive only), m_mod + 20 (both).
int RadioCode(const RadioSettings& s, int display);

// The checks before "開始" at `rate`, in their order: the first failure's message, or "" when
// the settings can run.
std::string CheckRadioSettings(const RadioSettings& s, int rate);

// The "Defoult" settings of a mode: the levels, both filters and both oscillators.
void LoadRadioDefaults(RadioSettings& s);
