#include "document/CommandRules.h"
#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ScriptedUi.h"
#include "support/WavBuilder.h"

#include <gtest/gtest.h>

#include <set>

using namespace cmd;

namespace {

// Every data kind the document can hold.
const std::vector<int> kAllKinds{0,  1,  2,  3,  4,  6,  7,   8,   10,  11,  12,  13,  14, 15,
                                 16, 18, 19, 20, 21, 22, 23,  24,  26,  27,  28,  29,  30, 31,
                                 32, 33, 34, 35, 71, 72, 151, 191, 192, 193, 194, 195, 196};

struct KindRule {
    std::vector<int> ids;
    std::set<int> enabledKinds; // with a stereo wave held, both channels selected, memory written
};

const std::set<int> kResult{2, 7};
const std::set<int> kAlways(kAllKinds.begin(), kAllKinds.end());

std::vector<KindRule> Rules() {
    std::set<int> notWave = kAlways;
    notWave.erase(3);
    return {
        {{ID_FFT}, {1}},
        {{ID_IFT}, kResult},
        {{ID_WIN_TRIANGLE, ID_WIN_HANNING, ID_WIN_HAMMING, ID_WIN_BLACKMAN, ID_WIN_KAISER,
          ID_WIN_WITHOUT},
         {4, 6}},
        {{ID_SAMPLE_COUNT, ID_SAMPLE_COUNT_TB, ID_CHANNEL_1, ID_CHANNEL_2, ID_CHANNEL_BOTH}, {3}},
        {{ID_BACK_TO_WAVE, ID_BACK_TO_WAVE_TB}, notWave},
        {{ID_PLAY,
          ID_PLAY_REPEAT,
          ID_PLAY_STOP,
          ID_IMPULSE,
          ID_TSP,
          ID_INIT_GAIN,
          ID_INIT_FILE,
          ID_INIT_FILE_TB,
          ID_FILTER_HELP,
          ID_SPECTRUM_ANALYZER,
          ID_SPECTRUM_ANALYZER_TB,
          ID_SERVO_ANALYZER,
          ID_SERVO_ANALYZER_TB,
          ID_AUTOCORR_METER,
          ID_CROSSCORR_METER,
          ID_OSCILLOSCOPE,
          ID_SIGNAL_GENERATOR,
          ID_SIGNAL_GENERATOR_TB,
          ID_SPECTRUM_3D_LINEAR,
          ID_SPECTRUM_3D_LOG,
          ID_SPECTRUM_3D_TB,
          ID_AUDIO_MEASUREMENT,
          ID_TUBE_AMP,
          ID_RADIO,
          ID_COEF_TRANSFER,
          ID_ENV_SETTINGS,
          ID_OFFSET_ADJUST,
          ID_SOUND_VOLUME,
          ID_MANUAL_MAIN,
          ID_MANUAL_AUDIO,
          ID_MANUAL_TUBE,
          ID_DEMO,
          ID_BENCHMARK,
          ID_BENCHMARK_TB,
          ID_RT_FIR_RECT,
          ID_RT_FIR_BARTLETT,
          ID_RT_FIR_BLACKMAN_OPT,
          ID_RT_FIR_HAMMING,
          ID_RT_FIR_HANNING,
          ID_RT_FIR_KAISER,
          ID_RT_FIR_EASY_REMEZ,
          ID_RT_FIR_REMEZ,
          ID_RT_FIR_FREE_FORM,
          ID_RT_FIR_COEF,
          ID_RT_FIR_LMS,
          ID_RT_FIR_START,
          ID_RT_FIR_START_TB,
          ID_RT_IIR_BIQUAD,
          ID_RT_IIR_CASCADE,
          ID_RT_IIR_COEF,
          ID_RT_IIR_START,
          ID_EXPORT_FIR_WAV,
          ID_EXPORT_HEADER,
          ID_EXPORT_HEADER_CMSIS},
         kAlways},
        {{ID_GAIN,
          ID_GAIN_TB,
          ID_INTEGRAL,
          ID_INTEGRAL_TB,
          ID_DERIVATIVE,
          ID_DERIVATIVE_TB,
          ID_LAG_LEAD,
          ID_RESONANCE,
          ID_COMBINE_FILE,
          ID_OPEN_LOOP,
          ID_OPEN_LOOP_TB,
          ID_CLOSED_LOOP,
          ID_CLOSED_LOOP_TB,
          ID_INVERSE,
          ID_INVERSE_TB,
          ID_MEM_STORE,
          ID_MEM_STORE_TB,
          ID_MEM_RECALL,
          ID_MEM_RECALL_TB,
          ID_HISTORY_SAVE,
          ID_CHIP_NEC_SERVO,
          ID_CHIP_MEDIATEK_SERVO,
          ID_SAVE_IMPULSE_COEF,
          ID_VIEW_REAL_IMAGE,
          ID_VIEW_MAG_PHASE,
          ID_VIEW_LOG_REAL,
          ID_VIEW_NYQUIST},
         kResult},
        {{ID_CHIP_N2ODC_SERVO, ID_CHIP_N2ODC_TRAVERSE, ID_CHIP_VIBRATION_FILTER,
          ID_CHIP_TOSHIBA_SERVO, ID_MANUAL_TOSHIBA, ID_EDIT_UNDO, ID_EDIT_CUT, ID_EDIT_COPY,
          ID_EDIT_PASTE},
         {}},
        {{ID_SAVE_RESULT, ID_SAVE_RESULT_TB}, {2, 7, 14, 15, 16, 22, 23, 26}},
        {{ID_FILE_SPECTRUM, ID_FILE_AUTOCORR}, {1, 3, 4, 6}},
        {{ID_FILE_CROSSCORR, ID_FILE_SERVO}, {3, 6}},
        {{ID_FILE_SERVO_TB}, {3}},
        {{ID_CORR_SETTINGS}, {22, 23, 26}},
        {{ID_SCOPE_SETTINGS}, {14}},
        {{ID_FILE_FIR_RECT, ID_FILE_FIR_BARTLETT, ID_FILE_FIR_BLACKMAN_OPT, ID_FILE_FIR_HAMMING,
          ID_FILE_FIR_HANNING, ID_FILE_FIR_KAISER, ID_FILE_FIR_REMEZ, ID_FILE_FIR_COEF,
          ID_FILE_IIR_BIQUAD, ID_FILE_IIR_COEF, ID_FILE_SAVE, ID_FILE_SAVE_AS},
         {3}},
        {{ID_VIEW_LOG_MAG}, {2, 7, 10, 15, 16, 33}},
        {{ID_EXPORT_FRD, ID_EXPORT_REW}, {2, 7, 11, 15, 16}},
        {{ID_EXPORT_IMPULSE_WAV}, {2, 7, 11}},
        {{ID_VIEW_COHERENCE}, {}}, // no averaging pass has left a coherence
    };
}

class CommandRules : public ::testing::Test {
protected:
    void SetUp() override {
        WavFormat s;
        ASSERT_TRUE(doc.LoadFromBytes(BuildWav(s, SineSamples(4000, 2, 1000, 0.01))));
        doc.m_bMemoryStored = 1;
    }
    CScriptedUi ui;
    CKymoDoc doc{ui};
};

TEST_F(CommandRules, EnablingFollowsTheDataKind) {
    for (const KindRule& rule : Rules()) {
        for (int id : rule.ids) {
            for (int k : kAllKinds) {
                doc.disp_mode1 = k;
                EXPECT_EQ(GetCommandState(doc, id).enabled, rule.enabledKinds.count(k) == 1)
                    << "command " << id << " in kind " << k;
            }
        }
    }
}

TEST_F(CommandRules, WaveConditions) {
    struct Case {
        int channels;
        int dispMode3;
        bool hasWave;
        std::vector<std::pair<int, bool>> expected; // in kind 3
    };
    const Case cases[] = {
        // Mono: only ch1 may be chosen; no cross analyses.
        {1,
         1,
         true,
         {{ID_CHANNEL_1, true},
          {ID_CHANNEL_2, false},
          {ID_CHANNEL_BOTH, false},
          {ID_FILE_CROSSCORR, false},
          {ID_FILE_SERVO, false},
          {ID_FILE_SERVO_TB, false},
          {ID_FILE_SAVE, true},
          {ID_FILE_FIR_RECT, true}}},
        // Stereo with one channel selected: no cross analyses from the wave.
        {2,
         2,
         true,
         {{ID_CHANNEL_2, true},
          {ID_FILE_CROSSCORR, false},
          {ID_FILE_SERVO_TB, false},
          {ID_FILE_SPECTRUM, true}}},
        {2, 3, true, {{ID_FILE_CROSSCORR, true}, {ID_FILE_SERVO, true}, {ID_FILE_SERVO_TB, true}}},
        // Four channels: loaded, but saving is not offered.
        {4, 100, true, {{ID_FILE_SAVE, false}, {ID_FILE_SAVE_AS, false}, {ID_PLAY, true}}},
        // No wave held.
        {2,
         3,
         false,
         {{ID_PLAY, false},
          {ID_PLAY_REPEAT, false},
          {ID_PLAY_STOP, true},
          {ID_FILE_FIR_RECT, false},
          {ID_FILE_SERVO_TB, false}}},
    };
    for (const Case& c : cases) {
        if (!c.hasWave) doc.ReleaseWaveImage();
        doc.m_nChannel = c.channels;
        doc.disp_mode3 = c.dispMode3;
        doc.disp_mode1 = kind::Wave;
        for (const auto& [id, enabled] : c.expected)
            EXPECT_EQ(GetCommandState(doc, id).enabled, enabled)
                << "command " << id << " channels " << c.channels << " code " << c.dispMode3;
    }
}

TEST_F(CommandRules, BackToWaveNeedsAnImage) {
    doc.disp_mode1 = kind::Spectrum;
    EXPECT_TRUE(GetCommandState(doc, ID_BACK_TO_WAVE).enabled);
    doc.ReleaseWaveImage();
    EXPECT_FALSE(GetCommandState(doc, ID_BACK_TO_WAVE).enabled);
}

TEST_F(CommandRules, MemoryRecallWaitsForAStore) {
    doc.disp_mode1 = kind::Transfer;
    doc.m_bMemoryStored = 0;
    EXPECT_FALSE(GetCommandState(doc, ID_MEM_RECALL).enabled);
    EXPECT_FALSE(GetCommandState(doc, ID_MEM_RECALL_TB).enabled);
    EXPECT_TRUE(GetCommandState(doc, ID_MEM_STORE).enabled);
    doc.m_bMemoryStored = 1;
    EXPECT_TRUE(GetCommandState(doc, ID_MEM_RECALL).enabled);
}

TEST_F(CommandRules, ReleasedImageTakesWaveKindsAlong) {
    for (int k : {3, 8, 13, 18, 24, 27}) {
        SetUp();
        doc.disp_mode1 = k;
        doc.ReleaseWaveImage();
        EXPECT_EQ(doc.disp_mode1, kind::None) << k;
    }
    SetUp();
    doc.disp_mode1 = kind::Transfer;
    doc.ReleaseWaveImage();
    EXPECT_EQ(doc.disp_mode1, kind::Transfer);
}

TEST_F(CommandRules, ChannelChecks) {
    const std::pair<int, int> codes[] = {{1, ID_CHANNEL_1},    {11, ID_CHANNEL_1},
                                         {2, ID_CHANNEL_2},    {12, ID_CHANNEL_2},
                                         {3, ID_CHANNEL_BOTH}, {13, ID_CHANNEL_BOTH}};
    for (const auto& [code, checkedId] : codes) {
        doc.disp_mode3 = code;
        for (int id : {ID_CHANNEL_1, ID_CHANNEL_2, ID_CHANNEL_BOTH})
            EXPECT_EQ(GetCommandState(doc, id).checked, id == checkedId) << code << " " << id;
    }
    doc.ReleaseWaveImage();
    doc.disp_mode3 = 1;
    EXPECT_FALSE(GetCommandState(doc, ID_CHANNEL_1).checked);
}

TEST_F(CommandRules, FilterTypeChecks) {
    const std::pair<int, std::vector<int>> fir[] = {
        {0, {ID_FILE_FIR_RECT, ID_RT_FIR_RECT}},
        {1, {ID_FILE_FIR_BARTLETT, ID_RT_FIR_BARTLETT}},
        {2, {ID_FILE_FIR_BLACKMAN_OPT, ID_RT_FIR_BLACKMAN_OPT}},
        {3, {ID_FILE_FIR_HAMMING, ID_RT_FIR_HAMMING}},
        {4, {ID_FILE_FIR_HANNING, ID_RT_FIR_HANNING}},
        {5, {ID_FILE_FIR_REMEZ, ID_RT_FIR_EASY_REMEZ}},
        {6, {ID_FILE_FIR_KAISER, ID_RT_FIR_KAISER}},
        {8, {ID_FILE_FIR_COEF, ID_RT_FIR_COEF}},
        {9, {ID_RT_FIR_REMEZ}},
        {10, {ID_RT_FIR_FREE_FORM}},
        {11, {ID_RT_FIR_LMS}},
    };
    std::vector<int> allFir;
    for (const auto& [code, ids] : fir) allFir.insert(allFir.end(), ids.begin(), ids.end());
    for (const auto& [code, ids] : fir) {
        doc.m_nFirType = code;
        for (int id : allFir) {
            const bool want = std::find(ids.begin(), ids.end(), id) != ids.end();
            EXPECT_EQ(GetCommandState(doc, id).checked, want) << code << " " << id;
            EXPECT_EQ(FirTypeForCommand(id) == code, want);
        }
    }
    const std::pair<int, std::vector<int>> iir[] = {
        {0, {ID_FILE_IIR_BIQUAD, ID_RT_IIR_BIQUAD}},
        {1, {ID_RT_IIR_CASCADE, ID_RADIO}},
        {3, {ID_FILE_IIR_COEF, ID_RT_IIR_COEF}},
    };
    for (const auto& [code, ids] : iir) {
        doc.m_nIirType = code;
        for (int id : {ID_FILE_IIR_BIQUAD, ID_RT_IIR_BIQUAD, ID_RT_IIR_CASCADE, ID_RADIO,
                       ID_FILE_IIR_COEF, ID_RT_IIR_COEF})
            EXPECT_EQ(GetCommandState(doc, id).checked,
                      std::find(ids.begin(), ids.end(), id) != ids.end())
                << code << " " << id;
    }
}

TEST_F(CommandRules, PresentationChecks) {
    doc.disp_mode1 = kind::Spectrum;
    for (int mode = 0; mode <= 4; ++mode) {
        doc.disp_mode2 = mode;
        EXPECT_EQ(GetCommandState(doc, ID_VIEW_REAL_IMAGE).checked, mode == 0);
        EXPECT_EQ(GetCommandState(doc, ID_VIEW_MAG_PHASE).checked, mode == 1);
        EXPECT_EQ(GetCommandState(doc, ID_VIEW_LOG_MAG).checked, mode == 2 || mode == 3);
    }
}

} // namespace
