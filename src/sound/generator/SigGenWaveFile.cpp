#include "sound/generator/SigGenWaveFile.h"

#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "sound/generator/SigGenMessages.h"
#include "sound/generator/SigGenSynth.h"
#include "sound/playback/WaveFileWriter.h"

#include <algorithm>
#include <cstdio>
#include <vector>

std::uint32_t SigGenWaveDataBytes(const SigGenSettings& s) {
    return static_cast<std::uint32_t>(s.rate) * static_cast<std::uint32_t>(s.recordSeconds) *
           static_cast<std::uint32_t>(CSigGenSynth::FileFrameBytes(s.widthCode));
}

bool WriteSigGenWave(const std::string& path, const SigGenSettings& s, std::uint32_t seed) {
    const int frameBytes = CSigGenSynth::FileFrameBytes(s.widthCode);
    const std::uint32_t dataBytes = SigGenWaveDataBytes(s);
    CWaveFileWriter file;
    if (!file.Open(path, s.rate, CSigGenSynth::FileBits(s.widthCode), 2, dataBytes)) return false;
    CSigGenSynth synth;
    synth.Begin(s, seed);
    // One second of samples at a time.
    std::vector<std::uint8_t> piece(static_cast<std::size_t>(s.rate) * frameBytes);
    std::uint32_t frames = dataBytes / static_cast<std::uint32_t>(frameBytes);
    while (frames > 0) {
        const int n = static_cast<int>(std::min<std::uint32_t>(frames, s.rate));
        synth.FillFile(piece.data(), n);
        if (!file.Append(piece.data(), static_cast<std::size_t>(n) * frameBytes)) break;
        frames -= static_cast<std::uint32_t>(n);
    }
    return file.Close();
}

int SaveSigGenWave(IDocumentUi& ui, const SigGenSettings& s, std::uint32_t seed) {
    char text[256];
    std::snprintf(text, sizeof text, siggenmsg::kWaveAnnounce, s.rate / 1000,
                  CSigGenSynth::FileBits(s.widthCode), static_cast<int>(SigGenWaveDataBytes(s)));
    ui.ShowMessage(text);
    const auto path = AskSavePath(ui, "", std::string(siggenmsg::kWaveLabel) + "(*.wav)|.wav||",
                                  {".wav"}, ".wav", msg::kWavExtension);
    bool written = false;
    if (path) {
        ui.ShowMessage(*path);
        written = WriteSigGenWave(*path, s, seed);
        if (!written) ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
    }
    if (!written) ui.ShowMessage(siggenmsg::kWaveNotWritten);
    return written ? 1 : 0;
}
