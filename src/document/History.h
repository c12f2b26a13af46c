#pragma once

#include <string>

class CKymoDoc;

// One line of the calculation history.
struct HistoryEntry {
    std::string name;  // operation name ("Write File", "初期設定", ...)
    float gain = 0.0f; // 0 writes "--" for gain and frequency
    float frequency = 0.0f;
    std::string label;       // operation label ("NOP", "--", "x:乗算", ...)
    std::string note;        // longer than 128 characters: replaced by a fixed text
    float sampleRate = 0.0f; // 1 / m_fDt, written truncated to an integer
    int points = 0;
};

// Writes the entry to slot m_nHistoryCount of m_szHistory and advances the count; after slot 99
// the count wraps to 1 with the "history full" message.
void AddHistory(CKymoDoc& doc, const HistoryEntry& entry);
