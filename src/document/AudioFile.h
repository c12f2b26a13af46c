#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class IDocumentUi;

// The audio measurement container ("AUDO"): the record-length exponent s (every curve has
// L = 2^(s + 6) points), two 4-byte values and the 88-byte condition block of the audio
// measurement, six presence flags and C curves of L floats, C = 2 x (flags equal to 1) + 4 when
// the crosstalk flag p5 is 1.
struct AudioFile {
    static constexpr int kMaxExp = 14; // longest curves the readers accept: 2^20 points
    int m_nExp = 0;
    std::int32_t m_nValue1 = 0;
    std::int32_t m_nValue2 = 0;
    std::array<float, 22> m_fConditions{};
    std::array<int, 6> m_nFlags{};
    std::vector<float> m_fCurves; // C x L, curve after curve

    int CurveLength() const { return 1 << (m_nExp + 6); }
    int CurveCount() const;
};

// Writes the container. 1 when written; 0 with "保存に失敗しました。" otherwise.
int WriteAudioFile(IDocumentUi& ui, const std::string& path, const AudioFile& file);

// Asks for the file ("MeasureData(*.opr)|*.opr||"), shows its path with the display-only note
// and reads the fixed fields (offsets 4..127) into `file`, leaving the curves empty.
// 1 read, 0 not read (cancel or a message shown). `path` receives the chosen name.
int ReadAudioHeader(IDocumentUi& ui, AudioFile& file, std::string& path);
// The same for a named file (no dialog).
int ReadAudioHeaderFrom(IDocumentUi& ui, const std::string& path, AudioFile& file);
// Reads the C x L curve values of a named file whose fixed fields are in `file`.
int ReadAudioCurves(IDocumentUi& ui, const std::string& path, AudioFile& file);

// The audio measurement CSV: a header line naming the columns of the present measurements,
// L rows of C values "%e,", then `trailer`. 1 when written; 0 with "保存に失敗しました。".
int WriteAudioCsv(IDocumentUi& ui, const std::string& path, const AudioFile& file,
                  const std::string& trailer);
