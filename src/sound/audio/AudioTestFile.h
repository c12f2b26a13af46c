#pragma once

#include <cstdint>
#include <string>

class IDocumentUi;

// The two files of the synchronous mode ("Wave"): "RefSig", a full-scale 1 kHz tone on both
// channels, and "MeasurSig", the lead-in and every item in the timing the panel follows. Each
// holds 192 blocks of N = 16384 stereo frames, 16, 24 (packed) or 32 bits by the width code.
struct AudioTestSettings {
    int rate = 48000;
    int widthCode = 1;
    int thdFreq = 1000;
    int imFreq1 = 60;
    int imFreq2 = 7000;
};

namespace audio {
constexpr int kTestBlocks = 192;
// Data bytes of each file: N x frame bytes x 192.
std::uint32_t TestFileDataBytes(int widthCode);
// The value (before the store) of channel `ch` at frame `frame` of block `block` of "MeasurSig".
double MeasureSignalValue(const AudioTestSettings& s, const float* tsp, int block, int frame,
                          int ch);
} // namespace audio

// Writes one file to `path`. False when it cannot be created or written.
bool WriteAudioTestFile(const std::string& path, const AudioTestSettings& settings, bool measure);

// "Wave": announces the files, then asks for and writes "RefSig" and "MeasurSig" in turn; a
// cancelled or failed one shows "書き込みの中止、若しくは失敗しました" and the next goes on.
// Returns the number of files written.
int SaveAudioTestFiles(IDocumentUi& ui, const AudioTestSettings& settings);
