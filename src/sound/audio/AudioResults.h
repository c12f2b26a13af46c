#pragma once

#include <array>
#include <string>
#include <vector>

class IDocumentUi;

// The results of the audio measurement: the 22-value result block, the six stored flags
// (frequency response, THD, S/N, dynamic range, IM, crosstalk) and the store of curves of T
// points, appended in measuring order (L and R of each present item; crosstalk six curves). The
// store always has room for the 16 curves of a complete run.
class CAudioResults {
public:
    static constexpr int kItems = 6;
    static constexpr int kRunCurves = 16;
    enum Item { FreqResponse, Thd, SignalNoise, DynamicRange, ImDistortion, Crosstalk };

    CAudioResults();

    // Clears the result block, the flags and the store (kept at its size).
    void Clear();
    // Appends one curve of T values; false (nothing stored) when the store is full.
    bool Append(const float* curve);
    // Restarts appending at the first curve (manual mode measures one item again and again).
    void Rewind() { m_nAppended = 0; }
    int Appended() const { return m_nAppended; }

    // The first of the item's curves: 2 x (present items before it) curves in; nullptr when the
    // curves of that position are not in the store.
    const float* ItemCurves(int item, int curveOffset = 0) const;
    int CurvesOf(int item) const { return item == Crosstalk ? 6 : 2; }
    int CurveCount() const;

    std::array<float, 22> m_fResult{};
    std::array<int, kItems> m_nFlags{};
    int m_nRate = 48000;
    int m_nWidthCode = 1;
    std::vector<float> m_fStore;

private:
    int m_nAppended = 0;
};

// Loads an "AUDO" file: every header field is checked (s of the panel, one of the three rates,
// a width code 1..3, flags 0 or 1) and the results change only after a complete read. 1 when
// loaded; 0 with "読み出しに失敗しました1。" (header) or "読み出しに失敗しました2。" (curves).
int LoadAudioResults(IDocumentUi& ui, const std::string& path, CAudioResults& results);
// Writes the results as an "AUDO" file. 1 when written; 0 with "保存に失敗しました。".
int SaveAudioResults(IDocumentUi& ui, const std::string& path, const CAudioResults& results);
