#pragma once

#include "document/AveragingProgress.h"
#include "document/DocumentLimits.h"
#include "document/DocumentUi.h"
#include "document/ScopeDisplay.h"
#include "document/WavePlayer.h"
#include "filters/BiquadTable.h"
#include "filters/RemezSettings.h"
#include "realtime/LmsSettings.h"
#include "realtime/RtPanelSettings.h"
#include "sound/generator/SigGenSettings.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

// The single document: owns the wave image, every sample and result buffer, the analysis frame,
// the state codes the view draws from, the result memory, the calculation history and the
// settings of the instruments and filter tools. Every operation runs on the UI thread.
//
// Operations take their parameters (dialogs live in the desktop program) and report to the user
// through the IDocumentUi given at construction. Buffers are allocated once at their fixed
// capacity and never resized.
struct AnalysisSetup;
class FftPlanCache;
class ISoundCard;
struct MeasConditionMode;
struct HistoryEntry;
struct ResonanceSettings;
struct TubeChart;

class CKymoDoc {
public:
    explicit CKymoDoc(IDocumentUi& ui, IWavePlayer* player = nullptr);
    ~CKymoDoc();
    CKymoDoc(const CKymoDoc&) = delete;
    CKymoDoc& operator=(const CKymoDoc&) = delete;

    IDocumentUi& Ui() { return m_ui; }
    void SetWavePlayer(IWavePlayer* player);

    // Views register here; UpdateAllViews calls every listener.
    void SetUpdateListener(std::function<void()> listener) { m_onUpdate = std::move(listener); }
    void UpdateAllViews();
    int GetUpdateCount() const { return m_nUpdateCount; }

    // ---- Opening and saving (document load and save steps) --------------------------------
    // Opens a WAV or measurement-data file as File Open does. Returns true on success.
    bool OnOpenDocument(const std::string& path);
    // Loads from bytes already in memory (the open path after the file was read); `path` is
    // the file they came from, shown by the measurement-data branch.
    bool LoadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& path = {});
    // Writes the wave image byte for byte (File Save / Save As). Returns true when written.
    bool OnSaveDocument(const std::string& path);

    // ---- WAV image ---------------------------------------------------------------------------
    bool HasWave() const { return m_pWaveImage != nullptr; }
    // Integer sample of `frame` (0-based) and `channel` (1 or 2); 0 outside the image.
    int GetSample(int frame, int channel) const;
    // Releases the image and allocates a new one of headLen + dataBytes with the system's
    // 56-byte header (first headLen bytes of it). Returns false when it cannot be allocated.
    bool MakeWaveHeader(int headLen, int rate, int bits, int channelsMinus1, int dataBytes);
    void SetWaveFormat(int headLen, int rate, int bits, int channelsMinus1, int dataBytes);
    void ReleaseWaveImage();
    // Reads a wave from `bytes` (the whole file). 1 on success, 0 otherwise (messages shown).
    int ReadWaveImage(const std::vector<std::uint8_t>& bytes);
    // Reads a wave of `fileSize` bytes from the start of `in` straight into its image (one
    // allocation that does not throw). 1 on success, 0 otherwise (messages shown).
    int ReadWaveFile(std::istream& in, std::uint64_t fileSize);

    // ---- Analysis frame ----------------------------------------------------------------------
    // Sets m_nPow, m_nPoints and rebuilds the twiddle tables.
    void SetPow(int pow);
    // Recomputes m_fSinTbl / m_fCosTbl for m_nPoints.
    void RebuildTwiddleTables();

    // ---- Commands of the wave document ---------------------------------------------------
    void OnSampleCount(int pow);       // sample-count dialog OK
    void OnSelectChannel(int channel); // 1, 2 or 3
    void OnBackToWave();
    // Cuts N frames from `startFrame` into the time buffers (view's right double click).
    // Returns false (and changes nothing) when the record would run past the wave.
    bool CutRecord(int startFrame);
    void OnPlay(bool loop);
    void OnStopPlay();
    void OnServoChipNotOpen();
    void OnSoundVolume();
    // Manuals and the demonstration pages: command id of the menu item.
    void OnOpenManual(int commandId);
    // Directory searched for the manuals; defaults to the executable's folder.
    void SetProgramDirectory(std::string dir) { m_strProgramDir = std::move(dir); }
    const std::string& GetProgramDirectory() const { return m_strProgramDir; }

    // ---- Transforms, windows and result files ----------------------------------------------
    // Document FFT of size n = 2^log2n <= 32768 on the twiddle tables (which must hold n):
    // bit-reversal reordering, then the butterfly passes. Direction 1 is the forward transform
    // scaled by 1/n, any other value the unscaled inverse.
    void FftBitReverse(int n, float* re, float* im);
    void FftButterflies(int log2n, int direction, float* re, float* im);
    // Forward transform (scaled by 1/n) of the real record x[0 .. n-1], n = 2^log2n, into
    // re/im: the values of FftBitReverse and FftButterflies on (x, 0) within float rounding,
    // computed as one transform of n/2 points. Exact zeros for a silent record. x must not
    // overlap re or im.
    void FftRealRecord(int log2n, const float* x, float* re, float* im);
    // Fills m_fWindow[0..n-1] with the window of `windowKind` (dsp/WindowKinds.h). For Kaiser:
    // interactive 0 uses beta 12; interactive with fromToolbar uses m_fKaiserBeta; otherwise
    // the user is asked (OK stores the answer in m_fKaiserBeta, cancel keeps it; an answer
    // beyond kMaxKaiserBeta is refused with "β値が大きすぎます。..." and the stored value used).
    void MakeWindow(int interactive, int fromToolbar, int windowKind, int n);
    // Window commands on the cut record (kinds 1..5) and "Without(&W)".
    void OnWindowCommand(int windowKind);
    void OnWindowWithout();
    // "FFT(&F)" and "IFT(&I)". 1 done, 0 when the transform could not be set up (reported).
    int OnFft();
    int OnIft();
    // "保存(*.opr,*.csv)(&A)": asks for the name, writes the result. 1 when written.
    int OnSaveResult();

    // ---- Calculation history -------------------------------------------------------------
    void ResetHistory(bool withNoteColumn);

    // ---- Servo-loop calculator (CalcHistory.cpp, ServoCalc*.cpp) ---------------------------
    // Operation codes are those of servo_op (dsp/ServoElements.h); servo_op::Cancelled leaves H
    // as it is after the operand was built.
    void AddHistory(const HistoryEntry& entry);
    // An entry with the current sampling frequency (1 / m_fDt) and N filled in.
    HistoryEntry MakeHistoryEntry(const std::string& name, float gain, float frequency,
                                  const std::string& label, const std::string& note) const;
    int OnSaveHistory();                        // asks for a ".csv" name, then SaveHistoryAs
    int SaveHistoryAs(const std::string& path); // 1 written (history cleared), 0 failed (kept)
    void OnInitGain(int pow, double fs);
    void OnServoGain(double gain, int op);
    void OnServoIntegral(double gain, double f0kHz, int op);
    void OnServoDerivative(double gain, double f0kHz, int op);
    void OnServoLagLead(double a, double b, double c, double d, int op);
    void OnServoResonance(const ResonanceSettings& settings, int op);
    void OnOpenLoop();
    void OnClosedLoop();
    void OnInverse();
    void OnMemoryStore();
    void OnMemoryRecall(int op);
    // Impulse response of H (inverse DFT, real part / N) into m_fWave1 and m_fWork1.
    void MakeImpulseResponse();
    // Impulse response, history line, UpdateAllViews.
    void FinishServo(const HistoryEntry& entry);
    // "..............ﾌｧｲﾙから(&L)...": asks for a measurement-data file and makes it the current
    // result (its kind, frame and buffers). 1 when read.
    int OnInitFromFile();
    // "ﾌｧｲﾙから(&D)...": asks for an "OPER" file and makes it the operand, adapting the lengths;
    // any other kind or sampling period is refused and changes no buffer. 1 when ready.
    int ReadServoOperandFile();
    // Combines H with the operand read by ReadServoOperandFile, then the finish step.
    void CombineServoFile(int op);
    std::string m_strServoOperandFile; // file of the last operand read

    // ---- Test signals (TestSignals.cpp) ------------------------------------------------------
    // Impulse of `count` samples (clipped to the record) at position 0 (start), 1 (N/4) or
    // 2 (centred on N/2); spectrum by the forward Dft. 0 when the Dft could not be set up.
    int OnImpulse(int pow, int position, int count, double fs);
    // Time-stretched pulse of N = 2^(pow + 7) points as the initial result.
    void OnTsp(int pow, double fs);

    // ---- File analyses (FileAnalysis*.cpp, AveragingPass.cpp, Decimation.cpp) -------------
    // Set-up on the raw wave: frame, down-sampling, window, then the pending kind. 1 when the
    // pending kind is set; 0 when the (decimated) wave holds less than one record.
    int OnSetUpFileAnalysis(int analysis, const AnalysisSetup& setup);
    // The analysis of the single record held (kinds 1, 4, 6); other kinds only redraw.
    void OnAnalyseRecord(int analysis);
    // Kmax of the averaging dialog: whole N-point records in the wave.
    int AveragingMaxCount() const;
    // Averaging dialog cancelled: back to the raw wave.
    void OnCancelAveraging();
    // Averages `count` records for the pending kind. `refresh` is called when the running
    // average is in the result buffers (at most 30 times); progress goes to
    // IDocumentUi::ReportProgress, whose false stops the pass (back to the wave). 1 when done.
    int RunAveragingPass(int count, const std::function<void()>& refresh = {});
    // One decimation by 2 of the wave image. 1 done; 0 without a wave or memory.
    int DecimateWave();
    AveragingProgress m_averaging;
    // Coherence of the last averaged transfer function (Coherence.cpp): γ² of bins 0 .. N-1,
    // valid while the document still holds the H it was computed with (kind 7, same values).
    bool HasCoherence() const;
    // Shows or hides the coherence trace of the transfer display; UpdateAllViews.
    void OnToggleCoherence();
    std::vector<float> m_fCoherence = std::vector<float>(limits::kComplexCapacity);
    std::uint64_t m_nCoherenceKey = 0; // TransferFingerprint of that H; 0 when there is none
    int m_bShowCoherence = 0;          // the trace is off until the user asks for it

    // ---- Live instruments (sound/) ----------------------------------------------------------
    // The real-time entry point of the instruments' engines: counts the update in
    // m_nRealUpdates, computes what `code` asks for from the capture area and asks for a redraw.
    // When no redraw follows (a block too short, an unknown code), m_bRealBusy is cleared here so
    // that the next block can be handed over. 1 when a redraw was asked for.
    int ProcessRealtime(int code);
    // The set-up of the block-sized instruments (MeasurementSetUp.cpp): sound-card checks, the
    // conditions dialog (unless m_bFromToolbar), the down-sampling filter and the capture area.
    // 1 when the panel may open; 0 when the start was abandoned (reported).
    int SetUpMeasurement(ISoundCard* card, const MeasConditionMode& mode);
    // The spectrum analyzer's set-up (menu, or toolbar with the stored conditions) and its
    // finish step after the panel closed: the last result stays as kind 15/16, the capture area
    // is released.
    int BeginSpectrumAnalyzer(ISoundCard* card, bool fromToolbar);
    // The same set-up for the correlation meter (m_bCorrMode; `cross`: between the channels).
    // With storedConditions the stored conditions are taken as the toolbar commands take them.
    int BeginCorrelationMeter(ISoundCard* card, bool cross, bool storedConditions = false);
    // After either panel closed: the last result stays (kind 15/16, or 22/23/26 in correlation
    // mode) when a block was analysed, else kind 0; the capture area is released.
    void FinishSpectrumAnalyzer();
    // The oscilloscope's set-up (rate and width rules, the sweep length into m_nPoints), its
    // scope-display request (a sweep is in m_fWave1/2: kind 12, redraw) and its finish step
    // (kind 14 when a sweep was shown). Both live in sound/scope/ScopeSetUp.cpp.
    int BeginOscilloscope();
    // The signal generator's set-up: its rate and width rules; it shows its output with the
    // oscilloscope's display and ends with FinishOscilloscope.
    int BeginSignalGenerator();
    void ShowScopeSweep(int over);
    void FinishOscilloscope();
    // Taps L of the down-sampling filter for captures at `rate` with analysis-size index `pow`,
    // and the filter itself (empty when it cannot be designed).
    static int DecimationTapsFor(int rate, int pow);
    static std::vector<double> DecimationFilter(int rate, int pow);
    // The servo analyzer's set-up (width rules, stereo, the characteristic, the window note by
    // excitation) and its finish step: the last or averaged H stays as a servo result (kind 7)
    // with its impulse response. Both live in sound/servo/ServoSetUp.cpp.
    int BeginServoAnalyzer(ISoundCard* card, bool fromToolbar);
    void FinishServoAnalyzer();
    // Frames of one captured block, 2^d N + (2^d - 1) L, and the capture area of that many
    // frames in the capture format (zero signal). 0 when it cannot be allocated.
    int CaptureFrames() const;
    int AllocateCaptureArea();
    // The spectrum (or, with m_bDualCh, the ratio ch2/ch1) of the captured block into the
    // result buffers, averaged when m_bAveraging; kind 10 or 11. 0 when the block is too short.
    int ComputeLiveSpectrum();
    // The normalised auto-correlation of each channel, or with m_bDualCh the cross-correlation,
    // of the captured block into m_fRe (ch1 or cross) and m_fOpRe (ch2), averaged when
    // m_bAveraging; kind 20 or 21. A silent record gives 0 at every lag. 0 when the block is too
    // short.
    int ComputeLiveCorrelation();
    // Down-samples the captured block when set, sets m_fDt and converts it (below). 0 when the
    // block holds less than one record. RestoreCaptureArea brings a down-sampled capture area
    // back to its full size for the next block.
    int PrepareCapturedBlock();
    void RestoreCaptureArea();
    // Converts `count` frames of the capture area from `start`, minus the offsets, windowed, into
    // m_fWave1/2 and the transform inputs m_fRe/m_fIm (ch1) and m_fOpRe/m_fOpIm (ch2).
    // With allowWindow false no window is applied whatever m_nWindowType says.
    void ConvertCapturedBlock(int start, int count, bool allowWindow = true);
    // Servo analyzer, unwindowed blocks: "Open(+)特性" makes ch1 (m_fWave1, m_fRe) ch1 + ch2,
    // "Open(-)特性" ch1 - ch2; "Close特性" leaves it.
    void ApplyLoopCharacteristic(int count);
    // Clears the averaging accumulators and the correlation's normaliser sums.
    void ClearAccumulators();
    // "保存" of the instrument panels: asks for "MeasureData" .opr or .csv and writes the current
    // result; SaveLiveResultAs writes to `path` (by its extension). 1 when written.
    int SaveLiveResult();
    int SaveLiveResultAs(const std::string& path);

    // ---- 3D spectrum analyzer (sound/spectrum3d/) ------------------------------------------
    // Its set-up (conditions dialog unless fromToolbar, 8 bits allowed) with the frequency axis
    // of the start command; 1 when the panel may open.
    int Begin3dSpectrum(ISoundCard* card, bool logAxis, bool fromToolbar);
    // Row histories of N/2 bins per row for kHistoryRows3D rows (ch2 only in stereo), cleared;
    // m_nRow3D = 0. 0 when they cannot be allocated.
    int Allocate3dHistory();
    // Row `row` of a channel's history (nullptr when that history is absent).
    const float* History3dRow(int channel, int row) const;
    // ProcessRealtime code 3: the averaged magnitude spectrum of the captured block into the
    // current row; kind 30 when the row completed (m_nRow3D advanced, back to 0 after the last
    // row unless m_bStopAtEnd3D), else 31. 0 when nothing was computed.
    int ComputeLive3dRow();
    // After the panel closed: with a measurement the finished picture (kind 28), else kind 0;
    // the capture area is released.
    void Finish3dSpectrum(bool measured);

    // ---- Real-time filter tools (realtime/) ------------------------------------------------
    // The measured output spectrum of the filter tools (ProcessRealtime 2, 21, 22): the monitor
    // block in m_fWave1/2 times m_fWindow, transformed (N = m_nPoints), magnitudes smoothed with
    // the weight of m_nSmoothing into m_fRe (ch1) and m_fOpRe (ch2); data kind `kind`. 0 (nothing
    // to draw) when N is not a power of two the document FFT handles.
    int FilterSpectrumStep(int kind);
    // The impulse response of the design response held in m_fRe/m_fIm (ProcessRealtime 10):
    // inverse document FFT of N = m_nPoints into m_fWave1 and m_fWork1; data kind 71.
    int IirImpulseStep();

    // ============================================================================================
    // Wave image and format.
    std::unique_ptr<std::uint8_t[]> m_pWaveImage;
    int m_nWaveImageSize = 0;
    std::uint8_t* m_pWaveData = nullptr;
    int m_nHeadSize = 44;
    int m_nWavDataSize = 0;
    int m_nFrames = 0;
    float m_fWaveFrames = 0.0f;
    float m_fWaveDt = 1.0f / 48000.0f;
    int m_nWavFormatType = 1;
    int m_nChannel = 2;
    int m_nSamplesPerSec = 48000;
    int m_nBytesPerSec = 192000;
    int m_nBlockSize = 4;
    int m_nBitsPerSample = 16;
    int m_nRiffSize = 0;
    std::string m_strPathName; // file the document was opened from or saved to
    // The wave held was replaced by down-sampling since it was opened or saved: it differs from
    // the file m_strPathName names.
    bool m_bWaveReplaced = false;

    // Analysis frame.
    int m_nPow = 4;
    int m_nPoints = 2048;
    float m_fDt = 1.0f / 48000.0f;
    int m_nWindowType = 4;
    float m_fKaiserBeta = 10.0f;

    // Buffers (fixed capacities, see DocumentLimits.h).
    std::vector<float> m_fRe, m_fIm;
    std::vector<float> m_fWave1, m_fWork1;
    std::vector<float> m_fWave2, m_fWork2;
    std::vector<float> m_fOpRe, m_fOpIm;
    std::vector<float> m_fMemRe, m_fMemIm;
    std::vector<float> m_fCoef;
    std::vector<float> m_fWindow;
    std::vector<float> m_fSinTbl, m_fCosTbl;

    // State codes.
    int disp_mode0 = 0;
    int disp_mode1 = 0;
    int disp_mode2 = 2;
    int disp_mode3 = 0;
    int m_bMemoryStored = 0;
    int m_bRescale = 1;
    int m_bRealBusy = 0;

    // ---- Main view: plot rectangle (logical units, y up; changed only by the resize drag) ----
    int m_nGraphLeft = 100;
    int m_nGraphRight = 440;
    int m_nGraphLower = -280;
    int m_nGraphUpper = -60;
    // Amplitude scale of the whole-wave display, set by the view when it builds the envelope.
    float m_fWaveAmp = 1.0f;

    // ---- Display parameters of the instruments, read by the view ----------------------------
    // Trace range (magnification 2^r) and position (percent) per channel; fixed positions put
    // ch1 at +50 % and ch2 at -50 %. Level scale: top level and dynamic range in dB.
    float m_fCh1Range = 1.0f;
    float m_fCh2Range = 1.0f;
    int m_nCh1Position = 0;
    int m_nCh2Position = 0;
    int m_bFixedPositions = 0;
    int m_nTopLevel = 80;
    int m_nDynamicRange = 100;
    int m_nRealUpdates = 0; // blocks handed over (averaged) since the instrument started
    int m_bAveraging = 0;
    int m_bAudioMode = 0;        // spectrum analyzer in the audio-performance mode
    int m_nFilterFftSize = 1024; // points of the real-time filter displays
    float m_fTrigFrac = 0.0f;    // oscilloscope: trigger crossing within one point step
    int m_nScopeOver = 1;        // oscilloscope: interpolation factor D
    std::string m_szGraphTitle;  // audio measurement: title of the result graph
    int m_bSwapColours = 0;      // audio measurement: ch1 in the second colour

    // Calculation history: line 0 is the CSV header; m_nHistoryCount is the next line to write.
    std::vector<std::string> m_szHistory;
    int m_nHistoryCount = 1;

    // Settings blocks of the other subsystems.
    // Filter tools.
    int m_nFirType = 2;
    int m_nIirType = 0;
    // Correlation display.
    int m_nCorrGainExp = 0;
    int m_nCorrTimeExp = 3;
    int m_nCorrTimeScale = 8; // 2^m_nCorrTimeExp
    // Measurement settings.
    int m_nDownExp = 0;
    int m_nDecimTaps = 0;
    int m_bDualCh = 0;
    int m_bCorrMode = 0;
    // Environment settings: 0 high/large, 1 medium, 2 low/small.
    int m_nBufferSize = 1;
    int m_nProcessPriority = 1;
    int m_nThreadPriority = 1;
    int m_nDrawSpeed = 1;
    int m_nSmoothing = 2;
    int m_bUsbCardFix = 0;
    int m_bInvertWhileMeasuring = 1;
    int m_nFilterFftExp = 10; // exponent of m_nFilterFftSize
    // Measurement conditions (indexes of the conditions dialog).
    int m_nMeasRate = 4; // 11025, 22050, 32000, 44100, 48000, 96000 Hz
    int m_nMeasBits = 1; // 0 8-bit, 1 16-bit (other values are left by the audio measurement)
    int m_nMeasCh = 1;   // 0 mono, 1 stereo
    int m_bCharUsed = 1;
    int m_nCharacteristic = 1; // 1 Close, 2 Open(+), 3 Open(-)
    int m_nAnalyseCount = 2048;
    int m_nExcitation = 4; // servo analyzer excitation 0..5 (servo:: in ServoExcitation.h)
    // Sound-card input offsets, percent of full scale.
    float m_fOffset8L = 0.0f, m_fOffset8R = 0.0f;
    float m_fOffset16L = 0.0f, m_fOffset16R = 0.0f;
    // Spectrum analyzer panel: display interval and the spin counters behind the display values.
    int m_nIntervalTenths = 0;
    int m_nCh1RangeExp = 0, m_nCh2RangeExp = 0;
    int m_nCh1PositionStep = 0, m_nCh2PositionStep = 0;
    int m_nTopLevelStep = 8;      // top level = step * 10 dB
    int m_nDynamicRangeStep = 10; // dynamic range = step * 10 dB
    // Running sums of the live averaging, one per channel.
    std::vector<float> m_fAccum1 = std::vector<float>(limits::kComplexCapacity);
    std::vector<float> m_fAccum2 = std::vector<float>(limits::kComplexCapacity);
    // Running sums of the correlation's per-block normalisers: ch1 (or the cross pair) and ch2.
    double m_fNormSum1 = 0.0;
    double m_fNormSum2 = 0.0;
    // 3D spectrum: frequency axis (1 logarithmic), angle steps (azimuth 10 s + 5 degrees,
    // elevation 10 t + 5 degrees), averaging exponent and spectra per row, the row being filled,
    // "Repeat" off (1: stop when the history is full), the panel running; the row histories of
    // m_nBins3D floats per row.
    int m_bLogAxis = 1;
    int m_nTheta3D = -11;
    int m_nPhi3D = 7;
    int m_nAvgExp3D = 0;
    int m_nAvgCount3D = 1;
    int m_nRow3D = 0;
    int m_bStopAtEnd3D = 1;
    int m_bLiveView = 0;
    std::unique_ptr<float[]> m_pHistory3D1;
    std::unique_ptr<float[]> m_pHistory3D2;
    int m_nBins3D = 0;
    // Oscilloscope display.
    int m_nScopeShow = 1;
    int m_bScopeCh1 = 1;
    int m_bScopeCh2 = 1;
    int m_bScopeXY = 0;
    // Oscilloscope panel: sweep index 1..11, trigger (level in counts, channel 0/1, slope 0 rising
    // 1 falling, mode 0 auto 1 normal) and the spin steps behind the level and the delay.
    int m_nScopeSweep = 4;
    int m_nTrigLevel = 0;
    int m_nTrigCh = 0;
    int m_nTrigSlope = 0;
    int m_nTrigMode = 0;
    int m_nTrigLevelStep = 0; // level percent = 10 * step
    int m_bTrigFixedZero = 0; // "固定(0%)"
    int m_nTrigDelayStep = 0; // delay percent = 5 * step
    // Signal generator: the sources, mode and record seconds (rate and width follow m_nMeasRate
    // and m_nMeasBits while it runs).
    SigGenSettings m_sigGen;

    // ---- Transforms, windows and result files ----
    int m_bFromToolbar = 0; // 1 while an instrument started from the toolbar runs
    ScopeDisplay m_scope;   // oscilloscope display values stored with "OSC1" files

    // ---- FIR design settings and file filtering ----
    int m_nFilterShape = 0;  // shape:: code shared by the FIR design tools
    int m_nFirTaps = 163;    // taps of the window-method design
    int m_nKaiserTaps = 101; // taps of the last Kaiser design
    float m_fCutLow = 2000.0f;
    float m_fCutHigh = 4500.0f;
    float m_fAtten = 40.0f;               // Kaiser stop-band attenuation, dB
    float m_fTransition = 500.0f;         // Kaiser transition width, Hz
    std::unique_ptr<double[]> m_pFirCoef; // taps being applied; only during a filtering run
    // Result of the last filtering run, m_nFilterImageSize bytes laid out like m_pWaveImage.
    std::unique_ptr<std::uint8_t[]> m_pFilterImage;
    int m_nFilterImageSize = 0;
    // The filter of the last filtering run, as its result line names it.
    struct FilterUsed {
        bool iir = false;
        int count = 0;        // FIR taps or IIR order
        double cutLow = 0.0;  // Hz; 0 when the design has no cut-off of its own (Remez)
        double cutHigh = 0.0; // Hz; band shapes only
    } m_filterUsed;

    // ---- Cascade IIR design settings (shape and edges above: m_nFilterShape, m_fCutLow/High) ----
    int m_nCascadeKind = 1;     // CascadeKind: 0 Butterworth ... 3 elliptic
    int m_nIirOrder = 8;        // prototype order n
    float m_fRipple = 1.0f;     // pass-band ripple Rp, dB
    float m_fStopLevel = 50.0f; // stop-band level As, dB

    // ---- Remez exchange and biquad designs ----
    RemezBandTable m_RemezTable;   // band table of file filtering with a Remez design
    RemezToolSettings m_RemezTool; // settings of the real-time Remez tools
    float m_fIirGain = 20.0f;      // biquad gain, dB (file filtering and the real-time tool)

    // ---- Real-time filter tools ----
    RtPanelSettings m_RtPanel;
    LmsSettings m_Lms; // the LMS tool's own settings
    int m_nRtBiquadType = 0; // type of the real-time biquad tool (biquadtype::)
    // Stage display of the cascade and coefficient-file IIR tools (data kind 72): the sections
    // shown, digital (m_nStageSource 0) or analog (1 realized components, 2 s-function), stage k
    // (1 ... S), S, and whether stages 1 ... k are multiplied (1) or stage k alone is shown (0).
    BiquadTable m_StageTable;
    int m_nStageSource = 0;
    int m_nStageShown = 1;
    int m_nStageCount = 0;
    int m_bStageCumulative = 0;

    // ---- Virtual tube amplifier: what the characteristics display draws (kind 34) ----
    std::shared_ptr<const TubeChart> m_pTubeChart;

private:
    // Takes `image` (imageSize valid bytes, the first 12 checked) as the wave when its chunks
    // give a usable format and data; 1 on success, 0 otherwise (the held image unchanged).
    int AdoptWaveImage(std::unique_ptr<std::uint8_t[]> image, int imageSize);
    // The steps after a wave read: kind, sub-request and channel mode with a redraw on success;
    // on failure the load-failure message. `kindBefore` is the data kind before the load.
    bool FinishWaveLoad(int read, int kindBefore);
    bool LoadFailed(int kindBefore);

    IDocumentUi& m_ui;
    // Passes of the document FFT for each size used so far.
    std::unique_ptr<FftPlanCache> m_fftPlans;
    CNullWavePlayer m_nullPlayer;
    IWavePlayer* m_pPlayer;
    std::function<void()> m_onUpdate;
    int m_nUpdateCount = 0;
    std::string m_strProgramDir;
};
