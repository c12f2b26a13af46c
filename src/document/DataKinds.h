#pragma once

// Values of the document's state codes. `disp_mode1` is the data kind the view dispatches on.
namespace kind {
constexpr int None = 0;
constexpr int TimeRecord = 1;      // one time record of N points ready for the forward FFT
constexpr int Spectrum = 2;        // complex spectrum of a single record
constexpr int Wave = 3;            // wave file image, raw wave display
constexpr int CutOneChannel = 4;   // record cut from the wave, one channel
constexpr int CutTwoChannels = 6;  // record cut from the wave, both channels
constexpr int Transfer = 7;        // transfer function (servo result)
constexpr int TransferPending = 8; // file transfer-function analysis, running display
constexpr int LiveSpectrum = 10;
constexpr int LiveTransfer = 11;
constexpr int FilterResult = 13;    // result of file filtering
constexpr int Scope = 14;           // oscilloscope record
constexpr int Spectrum1 = 15;       // 1-channel amplitude spectrum
constexpr int Spectrum2 = 16;       // 2-channel amplitude spectrum
constexpr int SpectrumPending = 18; // file spectrum, averaged display
constexpr int AutoCorr1 = 22;
constexpr int AutoCorr2 = 23;
constexpr int AutoCorrPending = 24;
constexpr int CrossCorr = 26;
constexpr int CrossCorrPending = 27;
constexpr int Spectrum3dFinished = 28;  // every stored row, large layout
constexpr int Spectrum3dStart = 29;     // empty boxes of the live picture
constexpr int Spectrum3dRowDone = 30;   // a row was completed
constexpr int Spectrum3dAveraging = 31; // a row is still being averaged
constexpr int AudioMeasurement = 33;
constexpr int TubeCharacteristics = 34;
constexpr int TubeScope = 35;
// Further kinds the main view draws (instruments, filter tools, software radio).
constexpr int WaveAgain = 9;  // whole wave, drawn like kind 3
constexpr int LiveScope = 12; // oscilloscope running
constexpr int RtFilterRunning = 19;
constexpr int LiveAutoCorr = 20;
constexpr int LiveCrossCorr = 21;
constexpr int AudioGraph = 32;
constexpr int FilterDesign = 71;
constexpr int FilterStages = 72;
constexpr int FilterDesignStored = 111;
constexpr int RtFirDisplay = 151;
constexpr int RtFilterClosed = 191;
constexpr int RadioRunning = 192;
constexpr int RadioLinear = 193;
constexpr int RadioWaterfall = 194;
constexpr int RadioLinearStored = 195;
constexpr int RadioWaterfallReset = 196;
} // namespace kind

// `disp_mode0`: the view's sub-request.
namespace subreq {
constexpr int AfterSampleCount = 0;
constexpr int ForwardResult = 1;
constexpr int InverseResult = 2;
constexpr int HeaderDrawn = 3;
constexpr int RawWave = 5;
constexpr int FilterResult = 6;
} // namespace subreq

// `disp_mode2`: presentation of complex results.
namespace present {
constexpr int RealImag = 0;
constexpr int MagPhase = 1;
constexpr int LogMagAuto = 2;
constexpr int LogMagManual = 3;
constexpr int FilterResponse = 4;
} // namespace present

// `disp_mode3`: processing channel.
namespace chan {
constexpr int Ch1 = 1;
constexpr int Ch2 = 2;
constexpr int Both = 3;
constexpr int FilteredOffset = 10; // 11, 12, 13: the same after file filtering
constexpr int TooManyChannels = 100;
} // namespace chan
