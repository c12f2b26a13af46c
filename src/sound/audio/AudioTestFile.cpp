#include "sound/audio/AudioTestFile.h"

#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "dsp/Tsp.h"
#include "sound/audio/AudioItems.h"
#include "sound/audio/AudioMessages.h"
#include "sound/audio/AudioSignals.h"
#include "sound/playback/WaveFileWriter.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr double kTwoPi = 6.283185307179586;

double Sine(double freq, long long n, int rate) {
    return std::sin(kTwoPi * freq * static_cast<double>(n) / rate);
}

} // namespace

namespace audio {

std::uint32_t TestFileDataBytes(int widthCode) {
    return static_cast<std::uint32_t>(kSinePoints) * FileFrameBytes(widthCode) * kTestBlocks;
}

double MeasureSignalValue(const AudioTestSettings& s, const float* tsp, int block, int frame,
                          int ch) {
    // Sections: first block of each, and what they hold.
    static constexpr int kStarts[] = {0, 50, 57, 72, 87, 102, 117, 132, 147, 162, 177, 192};
    int section = 0;
    while (block >= kStarts[section + 1]) ++section;
    const long long n = static_cast<long long>(block - kStarts[section]) * kSinePoints + frame;
    const double fs = FullScale(s.widthCode);
    const int k = frame % kTspPoints;
    switch (section) {
    case 0:
        return fs * Sine(1000.0, n, s.rate);
    case 2:
        return TspLevelA(s.widthCode) * tsp[k];
    case 3:
        return fs * Sine(s.thdFreq, n, s.rate);
    case 5:
        return fs * 0.001 * Sine(1000.0, n, s.rate);
    case 6:
        return fs * (0.708 * Sine(s.imFreq1, n, s.rate) + 0.17783 * Sine(s.imFreq2, n, s.rate));
    case 7:
        return fs * Sine(ch == 0 ? 1000.0 : 10000.0, n, s.rate);
    case 8:
        return fs * Sine(ch == 0 ? 10000.0 : 1000.0, n, s.rate);
    case 9:
        return ch == 0 ? 0.0 : TspLevelB(s.widthCode) * tsp[k];
    case 10:
        return ch == 0 ? TspLevelB(s.widthCode) * tsp[k] : 0.0;
    default:
        return 0.0; // the two silent sections
    }
}

} // namespace audio

bool WriteAudioTestFile(const std::string& path, const AudioTestSettings& s, bool measure) {
    using namespace audio;
    const int frameBytes = FileFrameBytes(s.widthCode);
    const int sampleBytes = frameBytes / 2;
    CWaveFileWriter file;
    if (!file.Open(path, s.rate, FileBits(s.widthCode), 2, TestFileDataBytes(s.widthCode)))
        return false;
    const std::vector<float> tsp = MakeTsp(kTspPoints, kTspPoints / 4);
    std::vector<std::uint8_t> block(static_cast<std::size_t>(kSinePoints) * frameBytes);
    for (int b = 0; b < kTestBlocks; ++b) {
        for (int i = 0; i < kSinePoints; ++i)
            for (int ch = 0; ch < 2; ++ch) {
                const long long n = static_cast<long long>(b) * kSinePoints + i;
                const double v = measure ? MeasureSignalValue(s, tsp.data(), b, i, ch)
                                         : FullScale(s.widthCode) * Sine(1000.0, n, s.rate);
                StoreSample(block.data() + static_cast<std::size_t>(i) * frameBytes +
                                ch * sampleBytes,
                            v, s.widthCode, true);
            }
        if (!file.Append(block.data(), block.size())) break;
    }
    return file.Close();
}

int SaveAudioTestFiles(IDocumentUi& ui, const AudioTestSettings& s) {
    char text[256];
    std::snprintf(text, sizeof text, audiomsg::kTestFileAnnounce, s.rate / 1000,
                  audio::FileBits(s.widthCode), audio::kSinePoints);
    ui.ShowMessage(text);
    int written = 0;
    for (const bool measure : {false, true}) {
        const std::string label = measure ? "MeasurSig" : "RefSig";
        const auto path =
            AskSavePath(ui, label, label + "(*.wav)|.wav||", {".wav"}, ".wav", msg::kWavExtension);
        bool ok = false;
        if (path) {
            ui.ShowMessage(*path);
            ok = WriteAudioTestFile(*path, s, measure);
        }
        if (ok)
            ++written;
        else
            ui.ShowMessage(audiomsg::kTestFileNotWritten);
    }
    return written;
}
