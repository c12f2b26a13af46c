#pragma once

#include "document/WaveFormatTags.h"

#include <atomic>
#include <cstdint>
#include <optional>

// The vocabulary of the wave-device layer: result codes, buffer headers and formats with the
// values of the waveform-audio interface the instruments were written for, so that the engine's
// call sequence, its messages and the stored formats read the same on every back-end.

// Result codes of the device calls.
namespace mmres {
constexpr int NoError = 0;       // MMSYSERR_NOERROR
constexpr int Error = 1;         // MMSYSERR_ERROR: unspecified failure
constexpr int BadDeviceId = 2;   // MMSYSERR_BADDEVICEID: no such device
constexpr int Allocated = 4;     // MMSYSERR_ALLOCATED: the device is in use
constexpr int InvalHandle = 5;   // MMSYSERR_INVALHANDLE
constexpr int NoDriver = 6;      // MMSYSERR_NODRIVER
constexpr int NoMem = 7;         // MMSYSERR_NOMEM
constexpr int InvalParam = 11;   // MMSYSERR_INVALPARAM
constexpr int HandleBusy = 12;   // MMSYSERR_HANDLEBUSY
constexpr int BadFormat = 32;    // WAVERR_BADFORMAT
constexpr int StillPlaying = 33; // WAVERR_STILLPLAYING: the header is still queued
constexpr int Unprepared = 34;   // WAVERR_UNPREPARED
} // namespace mmres

// Header flags.
namespace whdr {
constexpr std::uint32_t Done = 0x01;
constexpr std::uint32_t Prepared = 0x02;
constexpr std::uint32_t InQueue = 0x10;
} // namespace whdr

// One buffer handed to a device. The owner (the engine) fills every field but the flags and
// dwBytesRecorded before Prepare and keeps the header and its data alive until the device has
// returned it or was reset and closed. While a header is queued, only the device touches its
// data; dwFlags may be read from any thread.
struct WaveHeader {
    std::uint8_t* lpData = nullptr;
    std::uint32_t dwBufferLength = 0;
    std::uint32_t dwBytesRecorded = 0;
    std::uintptr_t dwUser = 0;
    std::atomic<std::uint32_t> dwFlags{0};

    // Zeroes the header and points it at `data` of `length` bytes with index `user`.
    void SetUp(std::uint8_t* data, std::uint32_t length, std::uintptr_t user) {
        lpData = data;
        dwBufferLength = length;
        dwBytesRecorded = 0;
        dwUser = user;
        dwFlags.store(0);
    }
};

namespace wavefmt {
constexpr int FrontLeftRight = 3; // channel mask of the extensible format
} // namespace wavefmt

// The format of both devices of an engine. Samples are little-endian, channels interleaved:
// unsigned 8-bit with 128 as zero, signed 16-bit, or (extensible) signed 32-bit containers
// holding 24 or 32 valid bits in their most significant bits.
struct WaveFormat {
    int formatTag = wavefmt::Pcm;
    int channels = 2;
    int samplesPerSec = 48000;
    int bitsPerSample = 16;      // container bits
    int validBitsPerSample = 16; // bits that carry the sample (extensible)
    int blockAlign = 4;
    int avgBytesPerSec = 192000;
    int channelMask = 0; // extensible only

    bool operator==(const WaveFormat&) const = default;
};

// The PCM format: nBlockAlign = channels * bits / 8, nAvgBytesPerSec = rate * nBlockAlign.
WaveFormat MakePcmFormat(int rate, int bits, int channels);

// Width codes of the extensible format.
namespace widthcode {
constexpr int Bits16 = 1; // 16-bit samples in 16-bit containers
constexpr int Bits24 = 2; // 24 valid bits in 32-bit containers
constexpr int Bits32 = 3; // 32-bit samples
} // namespace widthcode

// The extensible format for a width code 1, 2 or 3; nothing for any other code.
std::optional<WaveFormat> MakeExtensibleFormat(int rate, int widthCode, int channels);

// Bits of an input device's format mask: rate group (11.025, 22.05 and 44.1 kHz, the last
// standing for every higher rate), channels and width, as the capability record reports them.
namespace wavecaps {
constexpr std::uint32_t F1M08 = 0x001, F1S08 = 0x002, F1M16 = 0x004, F1S16 = 0x008;
constexpr std::uint32_t F2M08 = 0x010, F2S08 = 0x020, F2M16 = 0x040, F2S16 = 0x080;
constexpr std::uint32_t F4M08 = 0x100, F4S08 = 0x200, F4M16 = 0x400, F4S16 = 0x800;
// The bit that must be set for `rate`, 8 or 16 `bits` and 1 or 2 `channels`; 0 when there
// is no such bit (other widths or channel counts).
std::uint32_t FormatBit(int rate, int bits, int channels);
} // namespace wavecaps
