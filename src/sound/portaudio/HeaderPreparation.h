#pragma once

#include "sound/engine/WaveTypes.h"

// Preparing a header only marks it: PortAudio needs no per-buffer set-up. Both return mmres
// codes; a queued header can be neither prepared nor unprepared.
namespace headerprep {

inline int Prepare(WaveHeader& header) {
    if (header.dwFlags.load() & whdr::InQueue) return mmres::StillPlaying;
    if (!header.lpData) return mmres::InvalParam;
    header.dwFlags.fetch_or(whdr::Prepared);
    return mmres::NoError;
}

inline int Unprepare(WaveHeader& header) {
    if (header.dwFlags.load() & whdr::InQueue) return mmres::StillPlaying;
    header.dwFlags.fetch_and(~whdr::Prepared);
    return mmres::NoError;
}

} // namespace headerprep
