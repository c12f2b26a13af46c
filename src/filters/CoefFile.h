#pragma once

#include "filters/BiquadTable.h"
#include "filters/CrTable.h"

#include <string>
#include <vector>

class IDocumentUi;

// What a coefficient file says about itself. Before a read the texts are "?????" and the numbers
// 0; a failed read leaves what was read so far, which callers must not use.
struct CoefFileHeader {
    std::string fileName = "?????";
    std::string kind = "?????";  // "Filter_Kind:" token, as UTF-8
    std::string shape = "?????"; // "Filter_Shape:" token, as UTF-8
    double cutLow = 0.0;         // "CutOff(L):", Hz
    double cutHigh = 0.0;        // "CutOff(H):", Hz
    // FIR: the tap count; IIR: the order 2S of S sections (both as actually read).
    int count = 0;
    // Section found by ReadFir: 1 FIR, 0 IIR, -1 none.
    int sectionType = -1;
};

// Reader and writer of the coefficient CSV files ("BEGIN_ALL," ... "END_ALL,"): FIR taps, IIR
// second-order sections and, for cascade designs, the analog prototype and component values.
// Files are written in CP932 with CR LF line ends; readers accept CP932 and UTF-8 and LF line
// ends. Messages and file dialogs go through the IDocumentUi. All calls return 1 on success
// and 0 on failure or cancel.
class CoefFile {
public:
    explicit CoefFile(IDocumentUi& ui) : m_ui(ui) {}

    // Writes N taps as an FIR file. A path without ".csv" (callers pass "Empty") is asked for
    // with the save dialog.
    int WriteFir(const std::string& path, const std::string& kind, const std::string& shape,
                 double cutLow, double cutHigh, int taps, const double* h);

    // Writes the sections of an IIR design of order n, asking for the path. `tableSet` 0 writes
    // the IIR table with the biquad names ("Easy_IIR" and `shapeOrType` as biquad type 0-3);
    // 1 adds the analog table, 2 the analog and component tables, 3 also the realized analog
    // table. For table sets 1-3 `cascadeKind` (0-3) names the design and `shapeOrType` is the
    // shape; an unknown cascade kind leaves only the first line written and fails.
    int WriteIir(int tableSet, int cascadeKind, int shapeOrType, int order, double cutLow,
                 double cutHigh, const BiquadTable& iir, const BiquadTable& ana,
                 const BiquadTable& anacr, const CrTable& cr);

    // Reads an FIR or IIR file chosen in the open dialog. FIR: `values` holds the taps.
    // IIR: `values` holds S sections of six doubles a0, a1, a2, b0, b1, b2.
    int ReadFir(CoefFileHeader& header, std::vector<double>& values);
    int ReadFirFile(const std::string& path, CoefFileHeader& header, std::vector<double>& values);

    // Reads the IIR sections of a file chosen in the open dialog into `table`, in file order;
    // header.count is the order 2S.
    int ReadIir(CoefFileHeader& header, BiquadTable& table);
    int ReadIirFile(const std::string& path, CoefFileHeader& header, BiquadTable& table);

private:
    bool ChooseSavePath(const std::string& given, std::string& path);
    int WriteText(const std::string& path, const std::string& utf8Text);

    IDocumentUi& m_ui;
};

// The first section of a coefficient file without reading it: 1 FIR, 0 IIR, -1 none or the
// file cannot be read. Shows nothing.
int PeekCoefSectionType(const std::string& path);

// Names written into the "Filter_Kind:" and "Filter_Shape:" fields.
const char* FirShapeName(int shape);    // "LPF", "HPF", "BPF", "BSF"; "Unknown" otherwise
const char* WindowKindName(int window); // "Win_Rect" ... "Win_Hann" for window codes 0-4
const char* CascadeKindName(int kind);  // "Butterworth" ... "Elliptic"; nullptr otherwise
const char* BiquadTypeName(int type);   // "LowPass" ... "Peaking"; "Unknown" otherwise
