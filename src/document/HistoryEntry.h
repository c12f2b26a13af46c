#pragma once

#include <cstddef>
#include <string>

// One line of the calculation history, as given to CKymoDoc::AddHistory.
struct HistoryEntry {
    std::string name;          // operation name, for example "積分"
    float gain = 0.0f;         // 0 writes "--" in the gain and frequency columns
    float frequency = 0.0f;    // set frequency of the element
    std::string label;         // operation label, for example "x:乗算"
    std::string note = " ";    // free text (file name, element parameters)
    float samplingFreq = 0.0f; // 1 / m_fDt
    int points = 0;            // N
};

// The CSV line of `entry` numbered `line`, ending in CR LF. A note longer than 128 characters
// is replaced by a fixed remark, and the line is cut so that its Shift-JIS form stays within
// 255 bytes (a history slot holds 256 bytes with the terminator). UTF-8 in and out.
std::string FormatHistoryLine(int line, const HistoryEntry& entry);

// Bytes of `utf8` once written as Shift-JIS (CP932).
std::size_t Cp932Length(const std::string& utf8);
