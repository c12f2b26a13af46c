#pragma once

#include "sound/generator/SigGenSettings.h"

#include <cstdint>
#include <string>

class IDocumentUi;

// "Wave保存": `settings.recordSeconds` seconds of the generator's mix from n = 0 as a stereo WAV
// file with the 56-byte header, 16, 24 or 32 bits by the width code (data bytes
// fs * seconds * 4, 6 or 8). The settings must be valid (ValidateSigGen).
//
// The file is synthesised and written piece by piece, so nothing of its size is held in memory.

// Announces the file ("信号発生器でFS=..."), asks for the ".wav" name and writes it. 1 when
// written; 0 when cancelled or the file could not be created or written ("保存に失敗しました。"
// for the latter), followed by "書き込みの中止、若しくは失敗しました".
int SaveSigGenWave(IDocumentUi& ui, const SigGenSettings& settings, std::uint32_t seed);

// Writes the file to `path`. False when it cannot be created or written.
bool WriteSigGenWave(const std::string& path, const SigGenSettings& settings, std::uint32_t seed);

// Data bytes of the file.
std::uint32_t SigGenWaveDataBytes(const SigGenSettings& settings);
