#pragma once

#include "sound/engine/WaveTypes.h"

#include <cstdint>

// The flag rules of buffer headers shared by the devices of every back-end. Return mmres codes.
namespace headerflags {

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

// Marks a prepared header of at least one frame queued (Done cleared).
inline int Queue(WaveHeader& header, int blockAlign) {
    const std::uint32_t flags = header.dwFlags.load();
    if (!(flags & whdr::Prepared)) return mmres::Unprepared;
    if (flags & whdr::InQueue) return mmres::StillPlaying;
    if (header.dwBufferLength < static_cast<std::uint32_t>(blockAlign)) return mmres::InvalParam;
    header.dwFlags.store((flags & ~whdr::Done) | whdr::InQueue);
    return mmres::NoError;
}

// Marks a queued header returned to its owner.
inline void Return(WaveHeader& header) {
    header.dwFlags.store((header.dwFlags.load() & ~whdr::InQueue) | whdr::Done);
}

} // namespace headerflags
