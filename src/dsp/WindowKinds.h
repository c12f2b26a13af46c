#pragma once

// Window kind codes (`m_nWindowType` and the window generator's kind argument).
namespace wnd {
constexpr int Triangle = 1;
constexpr int Hanning = 2;
constexpr int Hamming = 3;
constexpr int Blackman = 4;
constexpr int Kaiser = 5;
constexpr int Rectangular = 6;
constexpr int None = 7;
} // namespace wnd
