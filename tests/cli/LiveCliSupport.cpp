#include "LiveCliSupport.h"

#include "cli/CliCommand.h"
#include "document/CKymoDoc.h"
#include "support/WavBuilder.h"

#include <sstream>

CliRunResult RunCliWords(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    const int rc = RunCli(words, out, err);
    return {rc, out.str(), err.str()};
}

int PowOfPoints(int points) {
    int pow = 0;
    while ((128 << pow) < points) ++pow;
    return pow;
}

bool KeepLastAnalysedBlock(CKymoDoc& file, int updates, int points, int downExp) {
    const int frames = file.m_nFrames;
    if (updates < 1 || frames % updates != 0) return false;
    const int bufferFrames = frames / updates;
    const int d = -downExp;
    const int taps =
        d ? CKymoDoc::DecimationTapsFor(file.m_nSamplesPerSec, PowOfPoints(points)) : 0;
    const int block = (points << d) + ((1 << d) - 1) * taps;
    std::vector<int> samples;
    for (int i = 0; i < block; ++i)
        for (int ch = 1; ch <= file.m_nChannel; ++ch)
            samples.push_back(file.GetSample(frames - bufferFrames + i, ch));
    WavFormat f;
    f.channels = file.m_nChannel;
    f.bits = file.m_nBitsPerSample;
    f.rate = file.m_nSamplesPerSec;
    return file.LoadFromBytes(BuildWav(f, samples));
}
