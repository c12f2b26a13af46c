#pragma once

#include <cstdint>
#include <string>
#include <vector>

class IDocumentUi;

// The last step of every export: shows `path`, then writes `bytes` through a temporary file
// (WriteFileReplacing), so that a failure never leaves a partial file. "保存に失敗しました。"
// when the file cannot be written. 1 written, 0 not.
int WriteExportFile(IDocumentUi& ui, const std::string& path, const std::string& bytes);

// A mono WAV image of 32-bit IEEE float samples at `rate`, with the system's 56-byte header.
std::string BuildFloatWave(int rate, const std::vector<float>& samples);
