#pragma once

#include "sound/engine/WaveTypes.h"

#include <string>

// How the wave formats map onto PortAudio streams, shared by the card and its stream.

// PortAudio's sample format for `format`: unsigned 8-bit, signed 16-bit, or signed 32-bit for
// the 32-bit containers (24 valid bits sit in the most significant bits, as PortAudio's 32-bit
// samples expect). 0 for anything else.
unsigned long PaSampleFormatOf(const WaveFormat& format);

// Fills PortAudio's stream parameters for `device` in one direction (suggested latency: the
// device's default for robust, not low-latency, operation). Returns the PaError of
// Pa_IsFormatSupported for that direction alone: 0 (paNoError) when the device can run it.
// `parameters` points to a PaStreamParameters.
int PaCheckFormat(int device, bool input, const WaveFormat& format, void* parameters);

// The mmres code that stands for a PortAudio error code.
int MmresFromPaError(int paError);

// PortAudio's text for an error code, with the host's own text for host errors.
std::string PaErrorText(int paError);
