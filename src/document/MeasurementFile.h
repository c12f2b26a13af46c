#pragma once

#include <cstdint>
#include <string>
#include <vector>

class CKymoDoc;
class IDocumentUi;

// Measurement-data files (".opr"): a 16-byte header (magic, m_nPow, N, m_fDt; little-endian)
// followed by N-float arrays in the order of the magic, and for "OSC1" five ints of display
// values. Destination arrays given to the readers hold at least 32768 floats.

// Texts of the measurement-data files.
namespace oprmsg {
inline constexpr const char* kUnknownFormat = "未知の形式です。";
inline constexpr const char* kOtherFormat = "異なるデーター形式です。";
inline constexpr const char* kScopeModeError = "エラーしてます";
inline constexpr const char* kOpenFilter = "AnaData(*.opr)|*.opr||";
} // namespace oprmsg

// True when the first four bytes are one of the measurement-data magics
// ("OPER", "OSC1", "OPS1", "OPS2", "OPJ1", "OPJ2", "OPSO").
bool IsMeasurementMagic(const std::uint8_t* first4);

// The magic written for a document data kind and processing channel (`disp_mode3`);
// nullptr for a kind the files do not hold.
const char* MeasurementMagicForKind(int dataKind, int channelMode);

// The oscilloscope values stored after the arrays of "OSC1".
struct ScopeFileValues {
    int show = 1; // m_nScopeShow
    int rangeExp1 = 0, rangeExp2 = 0;
    int posStep1 = 0, posStep2 = 0;
};
// True for the channel modes of the oscilloscope: 1 ch1, 2 or 8 both, 3 ch2, 4 X-Y.
bool IsScopeShowMode(int show);

// What the writer saves: the data kind with its processing channel, the frame and the arrays
// (any of them may be null when the kind does not use it).
struct MeasurementSource {
    int kind = 0;
    int channelMode = 0; // disp_mode3
    int pow = 0;
    int n = 0;
    float dt = 0.0f;
    const float* wave1 = nullptr;
    const float* wave2 = nullptr;
    const float* re = nullptr;
    const float* im = nullptr;
    const float* opRe = nullptr;
    const float* opIm = nullptr;
    ScopeFileValues scope;
};

// Where the reader puts what it reads. Complex records go to a and b ("OPER"), the first
// spectrum or correlation to a and the second to c.
struct MeasurementTarget {
    int kind = 0;
    int pow = 0;
    int n = 0;
    float dt = 0.0f;
    float* wave1 = nullptr;
    float* wave2 = nullptr;
    float* a = nullptr;
    float* b = nullptr;
    float* c = nullptr;
    float* d = nullptr;
    ScopeFileValues scope;
};

// The source of the document's current result.
MeasurementSource DocumentMeasurementSource(const CKymoDoc& doc);

// Writes the measurement-data file of src. Shows the path first. 1 when written; 0 (with
// "保存に失敗しました。") when the file cannot be written or the kind has no magic.
int WriteMeasurementData(IDocumentUi& ui, const std::string& path, const MeasurementSource& src);

// Parses a whole file image. Shows the path (with the display-only note of the kind) and reads
// the arrays; the header must give m_nPow 0..8, N = 2^(m_nPow + 7) and a finite m_fDt above 0,
// the file must hold every value it promises, and the display values of "OSC1" must lie within
// the ranges of the oscilloscope's controls; otherwise "異なるデーター形式です。" (an unknown
// channel mode: "エラーしてます") and nothing in `t` changes.
// 1 read, 0 not read.
int ParseMeasurementBytes(IDocumentUi& ui, const std::string& path,
                          const std::vector<std::uint8_t>& bytes, MeasurementTarget& t);

// The first bytes of a file, as many as the largest measurement-data file holds (four arrays
// of 32768 points and the display values); false when it cannot be opened or read.
bool ReadMeasurementFileBytes(const std::string& path, std::vector<std::uint8_t>& out);

// Reads a named file as ParseMeasurementBytes does; a file that cannot be opened is not read.
int ReadMeasurementPath(IDocumentUi& ui, const std::string& path, MeasurementTarget& t);

// The reader of the servo commands: asks for the file ("AnaData(*.opr)|*.opr||" with `title`),
// reads its time records into m_fWave1/m_fWave2 and its complex records into a..d, sets the
// document's m_nPow, N (rebuilding the twiddle tables) and m_fDt and the oscilloscope values,
// and gives the file's data kind. 1 read, 0 not read (cancel or failure).
int ReadMeasurementFile(CKymoDoc& doc, const std::string& title, int& kind, float* a, float* b,
                        float* c, float* d);

// File Open of a measurement-data file: loads the file into the document (data kind, frame,
// buffers and the derived displays). 1 when read, 0 when not (the buffers keep their content).
int ReadMeasurementData(CKymoDoc& doc, const std::vector<std::uint8_t>& bytes,
                        const std::string& path = {});

// Stores the oscilloscope values read from a file in the document and derives its display:
// scales 2^e, positions 10 x step, and the channels of the channel mode (1 ch1, 2 or 8 both,
// 3 ch2, 4 X-Y). Any other mode shows "エラーしてます" and returns 0.
int ApplyScopeFileValues(CKymoDoc& doc, const ScopeFileValues& values);

// Takes the frame of a file read: m_nPow, N and m_fDt (an oscilloscope sweep of any length keeps
// its N and leaves the twiddle tables; otherwise the tables are made for N).
void TakeMeasurementFrame(CKymoDoc& doc, const MeasurementTarget& t);
