#include "sound/settings/MeasConditions.h"

#include "document/DocumentUi.h"
#include "document/FileAnalysis.h"
#include "sound/settings/MeasMessages.h"

#include <algorithm>

namespace {
constexpr int kRates[meas::kRateCount] = {11025, 22050, 32000, 44100, 48000, 96000};
constexpr const char* kRateTexts[meas::kRateCount] = {"11025Hz", "22050Hz", "32000Hz",
                                                      "44100Hz", "48000Hz", "96000Hz"};
constexpr const char* kWindowTexts[] = {"ﾄﾗｲｱﾝｸﾞﾙ", "ﾊﾆﾝｸﾞ", "ﾊﾐﾝｸﾞ", "ﾌﾞﾗｯｸﾏﾝ", "ｶｲｻﾞｰ", "窓なし"};
constexpr const char* kCharacteristics[] = {"Close特性", "Open(+)特性", "Open(-)特性"};
constexpr int kMinDownExp = -6;
constexpr int kLowestBandwidth = 100; // Hz
} // namespace

const char* const meas::kInvalid = "無効";

int meas::RateOfIndex(int index) {
    return index >= 0 && index < kRateCount ? kRates[index] : 48000;
}

int meas::IndexOfRate(int rate) {
    for (int i = 0; i < kRateCount; ++i)
        if (kRates[i] == rate) return i;
    return -1;
}

const char* meas::RateText(int index) {
    return index >= 0 && index < kRateCount ? kRateTexts[index] : "";
}

std::string meas::PointsText(int pow) {
    return std::to_string(1 << (std::clamp(pow, 0, 8) + 7)) + "点";
}

const char* meas::WindowText(int index) {
    return index >= 0 && index <= kWindowNone ? kWindowTexts[index] : "";
}

const char* meas::CharacteristicText(int characteristic) {
    return characteristic >= kClose && characteristic <= kOpenMinus
               ? kCharacteristics[characteristic - 1]
               : kInvalid;
}

int meas::CharacteristicOfText(const std::string& text) {
    for (int c = kClose; c <= kOpenMinus; ++c)
        if (text == kCharacteristics[c - 1]) return c;
    return 0;
}

CMeasConditions::CMeasConditions(const MeasConditionMode& mode, IDocumentUi& ui)
    : characteristic(meas::kInvalid), m_mode(mode), m_ui(ui) {}

std::string CMeasConditions::ModeLabel() const {
    return CharacteristicEnabled() ? "ｻｰﾎﾞ測定ﾓｰﾄﾞ" : "";
}

std::string CMeasConditions::WindowNote() const {
    if (!m_mode.twoChannel || m_mode.correlation) return measmsg::kWindowNoteInput;
    return m_mode.tspExcitation ? measmsg::kWindowNoteTsp : measmsg::kWindowNoteRandom;
}

std::string CMeasConditions::BandwidthText() const {
    return DownSampleText(downExp, meas::RateOfIndex(rateIndex));
}

void CMeasConditions::SelectChannels(int index) {
    if (index == meas::kMono && m_mode.twoChannel && !m_mode.correlation) {
        m_ui.ShowMessage(measmsg::kStereoOnly);
        channelsIndex = meas::kStereo;
        return;
    }
    channelsIndex = index == meas::kMono ? meas::kMono : meas::kStereo;
}

void CMeasConditions::SelectBits(int index) {
    if (index == meas::kBits8 && !m_mode.allow8Bit) return;
    bitsIndex = index == meas::kBits8 ? meas::kBits8 : meas::kBits16;
}

void CMeasConditions::SelectRate(int index) {
    rateIndex = std::clamp(index, 0, meas::kRateCount - 1);
    CheckBandwidth();
}

void CMeasConditions::StepDownSampling(int delta) {
    downExp = std::clamp(downExp + delta, kMinDownExp, 0);
    CheckBandwidth();
}

void CMeasConditions::CheckBandwidth() {
    while (downExp < 0 &&
           DownSampledTopFrequency(downExp, meas::RateOfIndex(rateIndex)) < kLowestBandwidth) {
        m_ui.ShowMessage(measmsg::kDownSampleLimit);
        ++downExp;
    }
}

void CMeasConditions::CycleCharacteristic() {
    const int c = meas::CharacteristicOfText(characteristic);
    if (c == 0) return;
    characteristic = meas::CharacteristicText(c == meas::kOpenMinus ? meas::kClose : c + 1);
}
