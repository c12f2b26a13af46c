#include "document/CommandRules.h"

#include "document/CKymoDoc.h"
#include "document/CommandIds.h"
#include "document/DataKinds.h"
#include "document/ResultExport.h"

#include <initializer_list>

using namespace cmd;

namespace {

bool In(int value, std::initializer_list<int> set) {
    for (int v : set)
        if (v == value) return true;
    return false;
}

bool IsResult(const CKymoDoc& d) {
    return In(d.disp_mode1, {kind::Spectrum, kind::Transfer});
}

bool StereoWaveBoth(const CKymoDoc& d) {
    return d.HasWave() && d.m_nChannel == 2 && d.disp_mode1 == kind::Wave &&
           d.disp_mode3 == chan::Both;
}

bool FileFilterEnabled(const CKymoDoc& d) {
    return d.HasWave() && d.m_nChannel > 0 && d.disp_mode1 == kind::Wave;
}

struct TypeCommand {
    int id;
    int code;
};

constexpr TypeCommand kFirCommands[] = {
    {ID_FILE_FIR_RECT, 0},    {ID_FILE_FIR_BARTLETT, 1},   {ID_FILE_FIR_BLACKMAN_OPT, 2},
    {ID_FILE_FIR_HAMMING, 3}, {ID_FILE_FIR_HANNING, 4},    {ID_FILE_FIR_REMEZ, 5},
    {ID_FILE_FIR_KAISER, 6},  {ID_FILE_FIR_COEF, 8},       {ID_RT_FIR_RECT, 0},
    {ID_RT_FIR_BARTLETT, 1},  {ID_RT_FIR_BLACKMAN_OPT, 2}, {ID_RT_FIR_HAMMING, 3},
    {ID_RT_FIR_HANNING, 4},   {ID_RT_FIR_EASY_REMEZ, 5},   {ID_RT_FIR_KAISER, 6},
    {ID_RT_FIR_COEF, 8},      {ID_RT_FIR_REMEZ, 9},        {ID_RT_FIR_FREE_FORM, 10},
    {ID_RT_FIR_LMS, 11},
};

constexpr TypeCommand kIirCommands[] = {
    {ID_FILE_IIR_BIQUAD, 0}, {ID_FILE_IIR_COEF, 3}, {ID_RT_IIR_BIQUAD, 0},
    {ID_RT_IIR_CASCADE, 1},  {ID_RT_IIR_COEF, 3},   {ID_RADIO, 1},
};

template <std::size_t N> int Lookup(const TypeCommand (&table)[N], int id) {
    for (const auto& t : table)
        if (t.id == id) return t.code;
    return -1;
}

} // namespace

int FirTypeForCommand(int commandId) {
    return Lookup(kFirCommands, commandId);
}
int IirTypeForCommand(int commandId) {
    return Lookup(kIirCommands, commandId);
}

CommandState GetCommandState(const CKymoDoc& d, int id) {
    const int k = d.disp_mode1;
    switch (id) {
    case ID_FFT:
        return {k == kind::TimeRecord};
    case ID_IFT:
        return {IsResult(d)};
    case ID_WIN_TRIANGLE:
    case ID_WIN_HANNING:
    case ID_WIN_HAMMING:
    case ID_WIN_BLACKMAN:
    case ID_WIN_KAISER:
    case ID_WIN_WITHOUT:
        return {In(k, {kind::CutOneChannel, kind::CutTwoChannels})};

    case ID_VIEW_REAL_IMAGE:
        return {IsResult(d), d.disp_mode2 == 0};
    case ID_VIEW_MAG_PHASE:
        return {IsResult(d), d.disp_mode2 == 1};
    case ID_VIEW_LOG_MAG:
        return {In(k, {kind::Spectrum, kind::Transfer, kind::LiveSpectrum, kind::Spectrum1,
                       kind::Spectrum2, kind::AudioMeasurement}),
                d.disp_mode2 == 2 || d.disp_mode2 == 3};
    case ID_VIEW_LOG_REAL:
    case ID_VIEW_NYQUIST:
        return {IsResult(d)};

    case ID_SAMPLE_COUNT:
    case ID_SAMPLE_COUNT_TB:
        return {k == kind::Wave};
    case ID_CHANNEL_1:
        return {k == kind::Wave, d.HasWave() && In(d.disp_mode3, {1, 11})};
    case ID_CHANNEL_2:
        return {k == kind::Wave && d.m_nChannel > 1, d.HasWave() && In(d.disp_mode3, {2, 12})};
    case ID_CHANNEL_BOTH:
        return {k == kind::Wave && d.m_nChannel > 1, d.HasWave() && In(d.disp_mode3, {3, 13})};
    case ID_BACK_TO_WAVE:
    case ID_BACK_TO_WAVE_TB:
        return {d.HasWave() && k != kind::Wave};
    case ID_PLAY:
    case ID_PLAY_REPEAT:
        return {d.HasWave()};

    case ID_GAIN:
    case ID_GAIN_TB:
    case ID_INTEGRAL:
    case ID_INTEGRAL_TB:
    case ID_DERIVATIVE:
    case ID_DERIVATIVE_TB:
    case ID_LAG_LEAD:
    case ID_RESONANCE:
    case ID_COMBINE_FILE:
    case ID_OPEN_LOOP:
    case ID_OPEN_LOOP_TB:
    case ID_CLOSED_LOOP:
    case ID_CLOSED_LOOP_TB:
    case ID_INVERSE:
    case ID_INVERSE_TB:
    case ID_MEM_STORE:
    case ID_MEM_STORE_TB:
    case ID_HISTORY_SAVE:
    case ID_CHIP_NEC_SERVO:
    case ID_CHIP_MEDIATEK_SERVO:
    case ID_SAVE_IMPULSE_COEF:
        return {IsResult(d)};
    case ID_MEM_RECALL:
    case ID_MEM_RECALL_TB:
        return {IsResult(d) && d.m_bMemoryStored == 1};

    case ID_CHIP_N2ODC_SERVO:
    case ID_CHIP_N2ODC_TRAVERSE:
    case ID_CHIP_VIBRATION_FILTER:
    case ID_CHIP_TOSHIBA_SERVO:
    case ID_MANUAL_TOSHIBA:
        return {false};

    case ID_SAVE_RESULT:
    case ID_SAVE_RESULT_TB:
        return {In(k, {kind::Spectrum, kind::Transfer, kind::Scope, kind::Spectrum1,
                       kind::Spectrum2, kind::AutoCorr1, kind::AutoCorr2, kind::CrossCorr})};

    case ID_EXPORT_FRD:
    case ID_EXPORT_REW:
        return {HoldsExportableResponse(d)};
    case ID_EXPORT_IMPULSE_WAV:
        return {HoldsExportableImpulse(d)};
    case ID_VIEW_COHERENCE:
        return {k == kind::Transfer && d.HasCoherence(), d.m_bShowCoherence == 1};

    case ID_FILE_SPECTRUM:
    case ID_FILE_AUTOCORR:
        return {In(k, {kind::TimeRecord, kind::Wave, kind::CutOneChannel, kind::CutTwoChannels})};
    case ID_FILE_CROSSCORR:
    case ID_FILE_SERVO:
        return {StereoWaveBoth(d) || k == kind::CutTwoChannels};
    case ID_FILE_SERVO_TB:
        return {StereoWaveBoth(d)};
    case ID_CORR_SETTINGS:
        return {In(k, {kind::AutoCorr1, kind::AutoCorr2, kind::CrossCorr})};
    case ID_SCOPE_SETTINGS:
        return {k == kind::Scope};

    case ID_FILE_FIR_RECT:
    case ID_FILE_FIR_BARTLETT:
    case ID_FILE_FIR_BLACKMAN_OPT:
    case ID_FILE_FIR_HAMMING:
    case ID_FILE_FIR_HANNING:
    case ID_FILE_FIR_KAISER:
    case ID_FILE_FIR_REMEZ:
    case ID_FILE_FIR_COEF:
        return {FileFilterEnabled(d), d.m_nFirType == FirTypeForCommand(id)};
    case ID_FILE_IIR_BIQUAD:
    case ID_FILE_IIR_COEF:
        return {FileFilterEnabled(d), d.m_nIirType == IirTypeForCommand(id)};

    case ID_RT_FIR_RECT:
    case ID_RT_FIR_BARTLETT:
    case ID_RT_FIR_BLACKMAN_OPT:
    case ID_RT_FIR_HAMMING:
    case ID_RT_FIR_HANNING:
    case ID_RT_FIR_KAISER:
    case ID_RT_FIR_EASY_REMEZ:
    case ID_RT_FIR_REMEZ:
    case ID_RT_FIR_FREE_FORM:
    case ID_RT_FIR_COEF:
    case ID_RT_FIR_LMS:
        return {true, d.m_nFirType == FirTypeForCommand(id)};
    case ID_RT_IIR_BIQUAD:
    case ID_RT_IIR_CASCADE:
    case ID_RT_IIR_COEF:
    case ID_RADIO:
        return {true, d.m_nIirType == IirTypeForCommand(id)};

    case ID_FILE_SAVE:
    case ID_FILE_SAVE_AS:
        return {(d.m_nChannel == 1 || d.m_nChannel == 2) && k == kind::Wave};

    case ID_EDIT_UNDO:
    case ID_EDIT_CUT:
    case ID_EDIT_COPY:
    case ID_EDIT_PASTE:
        return {false};

    default:
        return {true};
    }
}
