#pragma once

// Command ids of the menus and the toolbar. The numbers are the program's own: stored toolbar
// states and the command table refer to them.
namespace cmd {

// Framework commands.
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_APP_ABOUT = 57664;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_VIEW_TOOLBAR = 59392;
constexpr int ID_VIEW_STATUS_BAR = 59393;

// Windows and transforms.
constexpr int ID_WIN_TRIANGLE = 32773;
constexpr int ID_WIN_HANNING = 32774;
constexpr int ID_WIN_HAMMING = 32775;
constexpr int ID_WIN_BLACKMAN = 32776;
constexpr int ID_WIN_KAISER = 32941;
constexpr int ID_WIN_WITHOUT = 32786;
constexpr int ID_FFT = 32779;
constexpr int ID_IFT = 32780;

// Presentation of complex results (view commands).
constexpr int ID_VIEW_REAL_IMAGE = 32781;
constexpr int ID_VIEW_MAG_PHASE = 32782;
constexpr int ID_VIEW_LOG_REAL = 32783;
constexpr int ID_VIEW_LOG_MAG = 32784;
constexpr int ID_VIEW_NYQUIST = 32785;

// Wave held in the document.
constexpr int ID_SAMPLE_COUNT = 32787;
constexpr int ID_SAMPLE_COUNT_TB = 32832;
constexpr int ID_CHANNEL_1 = 32795;
constexpr int ID_CHANNEL_2 = 32796;
constexpr int ID_CHANNEL_BOTH = 32797;
constexpr int ID_BACK_TO_WAVE = 32857;
constexpr int ID_BACK_TO_WAVE_TB = 32859;
constexpr int ID_PLAY = 32802;
constexpr int ID_PLAY_REPEAT = 32861;
constexpr int ID_PLAY_STOP = 32803;

// Test signals.
constexpr int ID_IMPULSE = 32810;
constexpr int ID_TSP = 32934;

// Servo-loop calculator.
constexpr int ID_INIT_GAIN = 32811;
constexpr int ID_INIT_FILE = 32820;
constexpr int ID_INIT_FILE_TB = 32953;
constexpr int ID_GAIN = 32812;
constexpr int ID_GAIN_TB = 32836;
constexpr int ID_INTEGRAL = 32814;
constexpr int ID_INTEGRAL_TB = 32835;
constexpr int ID_DERIVATIVE = 32813;
constexpr int ID_DERIVATIVE_TB = 32834;
constexpr int ID_LAG_LEAD = 32862;
constexpr int ID_RESONANCE = 32823;
constexpr int ID_COMBINE_FILE = 32822;
constexpr int ID_OPEN_LOOP = 32815;
constexpr int ID_OPEN_LOOP_TB = 32839;
constexpr int ID_CLOSED_LOOP = 32816;
constexpr int ID_CLOSED_LOOP_TB = 32837;
constexpr int ID_INVERSE = 32825;
constexpr int ID_INVERSE_TB = 32840;
constexpr int ID_MEM_STORE = 32883;
constexpr int ID_MEM_STORE_TB = 32887;
constexpr int ID_MEM_RECALL = 32885;
constexpr int ID_MEM_RECALL_TB = 32888;
constexpr int ID_HISTORY_SAVE = 32846;

// Servo-chip models.
constexpr int ID_CHIP_N2ODC_SERVO = 32875;
constexpr int ID_CHIP_N2ODC_TRAVERSE = 32876;
constexpr int ID_CHIP_VIBRATION_FILTER = 32878;
constexpr int ID_CHIP_TOSHIBA_SERVO = 32879;
constexpr int ID_CHIP_NEC_SERVO = 32880;
constexpr int ID_CHIP_MEDIATEK_SERVO = 32881;

// Results.
constexpr int ID_SAVE_RESULT = 32819;
constexpr int ID_SAVE_RESULT_TB = 32954;
constexpr int ID_SAVE_IMPULSE_COEF = 32913;
// Exports for other programs (submenu "エクスポート") and the coherence trace of the transfer
// display.
constexpr int ID_EXPORT_FRD = 32981;
constexpr int ID_EXPORT_REW = 32982;
constexpr int ID_EXPORT_IMPULSE_WAV = 32983;
constexpr int ID_EXPORT_FIR_WAV = 32984;
constexpr int ID_EXPORT_HEADER = 32985;
constexpr int ID_EXPORT_HEADER_CMSIS = 32986;
constexpr int ID_VIEW_COHERENCE = 32987;

// File analyses.
constexpr int ID_FILE_SPECTRUM = 32853;
constexpr int ID_FILE_AUTOCORR = 32854;
constexpr int ID_FILE_CROSSCORR = 32855;
constexpr int ID_FILE_SERVO = 32856;
constexpr int ID_FILE_SERVO_TB = 32831;
constexpr int ID_CORR_SETTINGS = 32865;
constexpr int ID_SCOPE_SETTINGS = 32869;

// Filtering of the wave held.
constexpr int ID_FILE_FIR_RECT = 32896;
constexpr int ID_FILE_FIR_BARTLETT = 32893;
constexpr int ID_FILE_FIR_BLACKMAN_OPT = 32894;
constexpr int ID_FILE_FIR_HAMMING = 32897;
constexpr int ID_FILE_FIR_HANNING = 32895;
constexpr int ID_FILE_FIR_KAISER = 32898;
constexpr int ID_FILE_FIR_REMEZ = 32899;
constexpr int ID_FILE_FIR_COEF = 32915;
constexpr int ID_FILE_IIR_BIQUAD = 32927;
constexpr int ID_FILE_IIR_COEF = 32928;
constexpr int ID_FILTER_HELP = 32890;

// Real-time FIR tools.
constexpr int ID_RT_FIR_RECT = 32903;
constexpr int ID_RT_FIR_BARTLETT = 32901;
constexpr int ID_RT_FIR_BLACKMAN_OPT = 32904;
constexpr int ID_RT_FIR_HAMMING = 32905;
constexpr int ID_RT_FIR_HANNING = 32906;
constexpr int ID_RT_FIR_KAISER = 32907;
constexpr int ID_RT_FIR_EASY_REMEZ = 32908;
constexpr int ID_RT_FIR_REMEZ = 32929;
constexpr int ID_RT_FIR_FREE_FORM = 32959;
constexpr int ID_RT_FIR_COEF = 32912;
constexpr int ID_RT_FIR_LMS = 32965;
constexpr int ID_RT_FIR_START = 32902;
constexpr int ID_RT_FIR_START_TB = 32909;

// Real-time IIR tools.
constexpr int ID_RT_IIR_BIQUAD = 32925;
constexpr int ID_RT_IIR_CASCADE = 32962;
constexpr int ID_RT_IIR_COEF = 32926;
constexpr int ID_RT_IIR_START = 32923;

// Sound-card instruments.
constexpr int ID_SPECTRUM_ANALYZER = 32847;
constexpr int ID_SPECTRUM_ANALYZER_TB = 32958;
constexpr int ID_SERVO_ANALYZER = 32943;
constexpr int ID_SERVO_ANALYZER_TB = 32850;
constexpr int ID_AUTOCORR_METER = 32852;
constexpr int ID_CROSSCORR_METER = 32851;
constexpr int ID_OSCILLOSCOPE = 32866;
constexpr int ID_SIGNAL_GENERATOR = 32930;
constexpr int ID_SIGNAL_GENERATOR_TB = 32933;
constexpr int ID_SPECTRUM_3D_LINEAR = 32921;
constexpr int ID_SPECTRUM_3D_LOG = 32922;
constexpr int ID_SPECTRUM_3D_TB = 32955;
constexpr int ID_AUDIO_MEASUREMENT = 32940;
constexpr int ID_TUBE_AMP = 32948;
constexpr int ID_RADIO = 32966;
constexpr int ID_COEF_TRANSFER = 32961;
constexpr int ID_ENV_SETTINGS = 32772;
constexpr int ID_OFFSET_ADJUST = 32937;
// The sound card the instruments and playback use (the virtual card or a hardware device).
constexpr int ID_SOUND_DEVICE = 32980;

// Utilities and help.
constexpr int ID_SOUND_VOLUME = 32936;
constexpr int ID_MANUAL_MAIN = 32826;
constexpr int ID_MANUAL_AUDIO = 32942;
constexpr int ID_MANUAL_TUBE = 32944;
constexpr int ID_MANUAL_TOSHIBA = 32960;
constexpr int ID_DEMO = 32967;
constexpr int ID_BENCHMARK = 32845;
constexpr int ID_BENCHMARK_TB = 32841;

} // namespace cmd
