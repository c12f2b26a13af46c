#pragma once

#include <string>
#include <vector>

// A PCM WAV file as samples in 16-bit counts (8-bit: (b - 128) * 256), for the card's source.
struct DutWav {
    int rate = 0;
    int channels = 0;
    std::vector<double> samples[2]; // one per channel, equal lengths
};

// Reads an 8- or 16-bit PCM file of one or two channels with at least one frame. False with
// `reason` (a short Japanese text) otherwise.
bool ReadDutWav(const std::string& path, DutWav& wav, std::string& reason);
