#pragma once

// Format tags of the "fmt " chunk and of the wave devices' formats.
namespace wavefmt {
constexpr int Pcm = 1;
constexpr int IeeeFloat = 3;
constexpr int Extensible = 0xFFFE;
} // namespace wavefmt
