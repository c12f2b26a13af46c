#pragma once

#include "document/DocumentLimits.h"
#include "document/WaveFormatTags.h"

#include <cstdint>

// The 56-byte header of every WAV file the system writes: "RIFF", "WAVE", a 16-byte PCM "fmt "
// chunk (format tag 1, whole bytes per sample: 8, 16, 24 or 32 bits give 1, 2, 3 or 4), a
// "fact" chunk holding the data byte count, and the "data" chunk header. The RIFF size is
// `headLen` + `dataBytes` - 8 (headLen is 56 except where a shorter prefix of this header is
// kept, as the down-sampling of the file analyses does).
void BuildWaveHeader(std::uint8_t (&header)[limits::kWaveHeaderSize], int rate, int bits,
                     int channels, std::uint32_t dataBytes,
                     std::uint32_t headLen = limits::kWaveHeaderSize);

// The same layout for 32-bit IEEE float samples: format tag 3 and, as formats other than PCM
// require, a "fact" chunk holding the number of sample frames (not the data byte count).
void BuildFloatWaveHeader(std::uint8_t (&header)[limits::kWaveHeaderSize], int rate, int channels,
                          std::uint32_t frames);

// Bytes of one sample of `bits` (32, 24, 16; anything else 1).
int WaveBytesPerSample(int bits);
