#pragma once

#include <string>

class IDocumentUi;

// Choices of the measurement-conditions dialog "測定条件の設定" that the spectrum analyzer,
// correlation meter, servo analyzer and 3D spectrum show before their panel opens, with the
// dialog's rules as plain operations so that the desktop dialog, the command line and the tests
// share them. Indexes are those of the dialog's controls.
namespace meas {
constexpr int kRateCount = 6; // 11025, 22050, 32000, 44100, 48000, 96000 Hz
constexpr int kRate48000 = 4;
constexpr int kBits8 = 0, kBits16 = 1;
constexpr int kMono = 0, kStereo = 1;
constexpr int kWindowNone = 5; // combo index of "窓なし"
// Stored input offsets are percent of full scale; times these they are sample units.
constexpr float kPercentTo8Bit = 1.28f;
constexpr float kPercentTo16Bit = 327.68f;
// Loop characteristics of the servo analyzer.
constexpr int kClose = 1, kOpenPlus = 2, kOpenMinus = 3;

// Sampling rate of a rate index; index 4 and any unknown index give 48000 Hz.
int RateOfIndex(int index);
// Index of a rate in the combo, -1 when the rate is not offered.
int IndexOfRate(int rate);
// The combo texts: "11025Hz" ..., "128点" ..., "ﾄﾗｲｱﾝｸﾞﾙ" ... "窓なし".
const char* RateText(int index);
std::string PointsText(int pow);
const char* WindowText(int index);
// Characteristic texts: "Close特性", "Open(+)特性", "Open(-)特性", and "無効".
extern const char* const kInvalid;
const char* CharacteristicText(int characteristic);
// 1, 2, 3 for the three texts, 0 for "無効" or anything else.
int CharacteristicOfText(const std::string& text);
} // namespace meas

// What the instrument asking for the conditions allows.
struct MeasConditionMode {
    bool allow8Bit = true;   // every instrument but the servo analyzer
    bool twoChannel = false; // measures between the two channels (servo analyzer)
    bool correlation = false;
    bool tspExcitation = false; // servo analyzer with one of the two TSP excitations
};

// The dialog's values and its behaviour.
class CMeasConditions {
public:
    CMeasConditions(const MeasConditionMode& mode, IDocumentUi& ui);

    int rateIndex = meas::kRate48000;
    int bitsIndex = meas::kBits16;
    int channelsIndex = meas::kStereo;
    int pow = 4;
    int windowIndex = 3;        // Blackman
    int downExp = 0;            // 0, -1 .. -6
    std::string characteristic; // text of the read-only field

    const MeasConditionMode& Mode() const { return m_mode; }
    // The characteristic field, its button and the mode label are enabled.
    bool CharacteristicEnabled() const { return characteristic != meas::kInvalid; }
    // "ｻｰﾎﾞ測定ﾓｰﾄﾞ" or empty.
    std::string ModeLabel() const;
    // "注)入力信号に指定窓関数をかけます", "注)TSP信号では窓関数をかけません" or
    // "注)Rand信号では窓関数をかけます".
    std::string WindowNote() const;
    // The bandwidth after down-sampling: "%dHz" below 10000 Hz, else whole kHz and "kHz".
    std::string BandwidthText() const;

    // "ﾓﾉ"/"ｽﾃﾚｵ": refused with its message while the instrument measures between channels.
    void SelectChannels(int index);
    // "8bit"/"16bit": 8 bits only where the instrument allows it.
    void SelectBits(int index);
    // Rate combo: the bandwidth is checked again.
    void SelectRate(int index);
    // One spin step; the up arrow (delta -1) lowers the exponent. A step leaving less than
    // 100 Hz of bandwidth is refused with its message.
    void StepDownSampling(int delta);
    // "切替": Close -> Open(+) -> Open(-) -> Close; nothing with "無効".
    void CycleCharacteristic();

private:
    // After a change of exponent or rate: goes back up one step while the bandwidth is below
    // 100 Hz, with the message.
    void CheckBandwidth();

    MeasConditionMode m_mode;
    IDocumentUi& m_ui;
};
