// Writing coefficient files: path choice and the FIR and IIR layouts.
#include "document/DocumentUi.h"
#include "document/SavePath.h"
#include "document/TextCodec.h"
#include "filters/CoefFile.h"
#include "filters/CoefTokens.h"
#include "filters/FilterMessages.h"

#include <algorithm>

namespace {

constexpr const char* kEol = "\r\n";

const char* const kColumnLine = "a0,a1,a2,b0,b1,b2,";

void AppendSections(std::string& text, const BiquadTable& t, int sections) {
    // Highest section first: a reader stores them in file order, so the order reverses.
    for (int k = sections - 1; k >= 0; --k) {
        for (const double v : {t.a0[k], t.a1[k], t.a2[k], t.b0[k], t.b1[k], t.b2[k]})
            text += FormatE(v) + ",";
        text += kEol;
    }
}

void AppendCrTable(std::string& text, const CrTable& cr, int sections, bool tenColumns) {
    text += "BEGIN_CR,";
    text += kEol;
    text += tenColumns ? "C0,C1,R0(&R),R1,R2,R3,R4,R5,R6,R7," : "C0,C1,R0(&R),R1,";
    text += kEol;
    for (int k = sections - 1; k >= 0; --k) {
        const double all[10] = {cr.C0[k], cr.C1[k], cr.R0[k], cr.R1[k], cr.R2[k],
                                cr.R3[k], cr.R4[k], cr.R5[k], cr.R6[k], cr.R7[k]};
        for (int c = 0; c < (tenColumns ? 10 : 4); ++c) text += FormatE(all[c]) + ",";
        text += kEol;
    }
    text += "END_CR,";
    text += kEol;
    text += fmsg::kCrNote1;
    text += kEol;
    if (tenColumns) {
        text += fmsg::kCrNote2;
        text += kEol;
    }
}

std::string HeaderLines(const std::string& kind, const std::string& shape, int order, double cutLow,
                        double cutHigh) {
    return "Filter_Kind:," + kind + ",Filter_Shape:," + shape + ",Order:," + std::to_string(order) +
           "," + kEol + "CutOff(L):," + FormatF(cutLow) + ",CutOff(H):," + FormatF(cutHigh) + "," +
           kEol;
}

} // namespace

const char* FirShapeName(int shape) {
    static const char* const names[] = {"LPF", "HPF", "BPF", "BSF"};
    return shape >= 0 && shape < 4 ? names[shape] : "Unknown";
}

const char* WindowKindName(int window) {
    static const char* const names[] = {"Win_Rect", "Win_Bartlett", "Win_BlackmanOpt",
                                        "Win_Hamming", "Win_Hann"};
    return window >= 0 && window < 5 ? names[window] : "Win_BlackmanOpt";
}

const char* CascadeKindName(int kind) {
    static const char* const names[] = {"Butterworth", "Chebyshev", "Inv_Chebyshev", "Elliptic"};
    return kind >= 0 && kind < 4 ? names[kind] : nullptr;
}

const char* BiquadTypeName(int type) {
    static const char* const names[] = {"LowPass", "HighPass", "LowShelving", "Peaking"};
    return type >= 0 && type < 4 ? names[type] : "Unknown";
}

bool CoefFile::ChooseSavePath(const std::string& given, std::string& path) {
    if (given.find(".csv") != std::string::npos) {
        path = given;
    } else {
        const auto chosen =
            AskSavePath(m_ui, "", fmsg::kCoefSaveFilter, {".csv"}, ".csv", fmsg::kCsvExtension);
        if (!chosen) return false;
        path = *chosen;
    }
    m_ui.ShowMessage(path);
    return true;
}

int CoefFile::WriteText(const std::string& path, const std::string& utf8Text) {
    m_ui.SetWaitCursor(true);
    const std::string bytes = Utf8ToCp932(utf8Text);
    const bool ok = WriteFileBytes(path, bytes.data(), bytes.size());
    m_ui.SetWaitCursor(false);
    if (!ok) {
        m_ui.ShowMessage(fmsg::kCannotOpen, MessageIcon::Error);
        return 0;
    }
    return 1;
}

int CoefFile::WriteFir(const std::string& given, const std::string& kind, const std::string& shape,
                       double cutLow, double cutHigh, int taps, const double* h) {
    std::string path;
    if (!ChooseSavePath(given, path)) return 0;
    taps = std::max(taps, 0);
    std::string text = std::string("BEGIN_ALL,") + kEol;
    text += HeaderLines(kind, shape, taps, cutLow, cutHigh);
    text += std::string("BEGIN_FIR,") + kEol;
    for (int i = 0; i < taps; ++i) text += FormatE(h[i]) + "," + kEol;
    text += std::string("END_FIR,") + kEol;
    text += fmsg::kFirRemark;
    text += kEol;
    text += std::string("END_ALL,") + kEol;
    return WriteText(path, text);
}

int CoefFile::WriteIir(int tableSet, int cascadeKind, int shapeOrType, int order, double cutLow,
                       double cutHigh, const BiquadTable& iir, const BiquadTable& ana,
                       const BiquadTable& anacr, const CrTable& cr) {
    std::string path;
    if (!ChooseSavePath("", path)) return 0;
    std::string text = std::string("BEGIN_ALL,") + kEol;
    std::string kind, shape;
    if (tableSet == 0) {
        kind = "Easy_IIR";
        shape = BiquadTypeName(shapeOrType);
    } else {
        const char* name = CascadeKindName(cascadeKind);
        if (!name) {
            WriteText(path, text);
            return 0;
        }
        kind = name;
        shape = FirShapeName(shapeOrType);
    }
    const int sections = std::clamp((order + 1) / 2, 0, filt::kMaxSections);
    text += HeaderLines(kind, shape, order, cutLow, cutHigh);
    text += std::string("BEGIN_IIR,") + kEol + kColumnLine + kEol;
    AppendSections(text, iir, sections);
    text += fmsg::kEndIir;
    text += kEol;
    if (tableSet >= 1) {
        text += std::string("BEGIN_ANA,") + kEol + kColumnLine + kEol;
        AppendSections(text, ana, sections);
        text += fmsg::kEndAna;
        text += kEol;
    }
    if (tableSet >= 3) {
        text += std::string("BEGIN_ANACR,") + kEol + kColumnLine + kEol;
        AppendSections(text, anacr, sections);
        text += fmsg::kEndAnacr;
        text += kEol;
    }
    if (tableSet >= 2) {
        const bool tenColumns = cascadeKind == 2 || cascadeKind == 3 ||
                                shapeOrType == shape::BandPass || shapeOrType == shape::BandStop;
        AppendCrTable(text, cr, sections, tenColumns);
    }
    text += std::string("END_ALL,") + kEol;
    return WriteText(path, text);
}
