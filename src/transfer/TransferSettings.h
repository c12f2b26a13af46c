#pragma once

// The coefficient transfer's port settings, kept in the document between openings.
struct TransferSettings {
    int comPort = 1;    // 0 ... 8: "COM1" ... "COM9"
    int baudIndex = 7;  // 0 ... 9: 1200 ... 460800 (115200)
    int coefFormat = 0; // coefformat::
};

// Number formats of the transfer's format list.
namespace coefformat {
constexpr int Q15 = 0;   // "1_15型"
constexpr int Q14 = 1;   // "2_14型"
constexpr int Q31 = 2;   // "1_31型"
constexpr int Q30 = 3;   // "2_30型"
constexpr int Float = 4; // "float"
constexpr int Count = 5;
} // namespace coefformat

namespace transferlimits {
constexpr int kPorts = 9;
constexpr int kBaudRates = 10;
constexpr int kMaxFirTaps = 128;   // of the dsPIC30F2012 board
constexpr int kMaxIirValues = 120; // 40 sections' worth of the reader's count
constexpr int kLineBytes = 21;     // a line sent or read stops after this many bytes
} // namespace transferlimits

// 1200 x 2^i for i < 6, else 57600 x 2^(i - 6); index clamped to 0 ... 9.
int BaudRateOfIndex(int index);
// The format list's entries: "1_15型" ... "float".
const char* CoefFormatName(int format);
