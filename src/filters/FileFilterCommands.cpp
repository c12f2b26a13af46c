#include "filters/FileFilterCommands.h"

#include "document/CKymoDoc.h"
#include "document/DocMessages.h"
#include "filters/CoefFile.h"
#include "filters/FileFilter.h"
#include "filters/FilterLimits.h"
#include "filters/FilterMessages.h"
#include "filters/KaiserFir.h"
#include "filters/WindowFir.h"

#include <algorithm>
#include <new>
#include <vector>

namespace {

constexpr int kFirTypeKaiser = 6;
constexpr int kFirTypeCoefFile = 8;
constexpr int kIirTypeCoefFile = 3;

bool TwoEdges(int shapeCode) {
    return shapeCode == shape::BandPass || shapeCode == shape::BandStop;
}

// Allocates m_pFirCoef with `taps` zeroed doubles; shows the memory message on failure.
bool AllocateTaps(CKymoDoc& doc, int taps) {
    doc.m_pFirCoef.reset(new (std::nothrow) double[static_cast<std::size_t>(taps)]());
    if (!doc.m_pFirCoef) doc.Ui().ShowMessage(msg::kAllocFailed, MessageIcon::Error);
    return static_cast<bool>(doc.m_pFirCoef);
}

int RunWithFirCoef(CKymoDoc& doc, int taps, double cutLow, double cutHigh) {
    const int result = RunFileFilter(
        doc, FileFilterDesign::Fir(doc.m_pFirCoef.get(), taps).WithCutOffs(cutLow, cutHigh));
    doc.m_pFirCoef.reset();
    return result;
}

} // namespace

FirWindowSettings LoadFirWindowSettings(const CKymoDoc& doc) {
    FirWindowSettings s;
    s.shape = doc.m_nFilterShape;
    s.taps = doc.m_nFirTaps;
    s.cutLow = doc.m_fCutLow;
    s.cutHigh = TwoEdges(doc.m_nFilterShape) ? doc.m_fCutHigh : 0.0f;
    return s;
}

void StoreFirWindowSettings(CKymoDoc& doc, const FirWindowSettings& s) {
    doc.m_nFilterShape = s.shape;
    doc.m_nFirTaps = s.taps;
    doc.m_fCutLow = s.cutLow;
    if (TwoEdges(s.shape)) doc.m_fCutHigh = s.cutHigh;
}

KaiserSettings LoadKaiserSettings(const CKymoDoc& doc) {
    return {doc.m_nFilterShape, doc.m_fCutLow, doc.m_fCutHigh, doc.m_fAtten, doc.m_fTransition};
}

void StoreKaiserSettings(CKymoDoc& doc, const KaiserSettings& s) {
    doc.m_nFilterShape = s.shape;
    doc.m_fCutLow = s.cutLow;
    doc.m_fCutHigh = s.cutHigh;
    doc.m_fAtten = s.atten;
    doc.m_fTransition = s.transition;
}

int OnFilterWindowFir(CKymoDoc& doc, int window, const FirWindowSettings& s) {
    if (!CanRunFileFilter(doc) || window < firwin::Rectangular || window > firwin::Hann) return 0;
    if (const auto e = CheckFirWindowSettings(s, doc.m_nSamplesPerSec)) {
        doc.Ui().ShowMessage(e->message);
        return 0;
    }
    doc.m_nFirType = window;
    StoreFirWindowSettings(doc, s);
    if (!AllocateTaps(doc, s.taps)) return 0;
    DesignWindowFir(s.shape, window, s.taps, s.cutLow, s.cutHigh, doc.m_nSamplesPerSec,
                    doc.m_pFirCoef.get());
    return RunWithFirCoef(doc, s.taps, s.cutLow, TwoEdges(s.shape) ? s.cutHigh : 0.0);
}

int OnFilterKaiserFir(CKymoDoc& doc, KaiserSettings s) {
    if (!CanRunFileFilter(doc)) return 0;
    NormaliseKaiserSettings(s);
    int taps = 0;
    if (const auto e = CheckKaiserSettings(s, doc.m_nSamplesPerSec, taps)) {
        doc.Ui().ShowMessage(e->message);
        return 0;
    }
    doc.m_nFirType = kFirTypeKaiser;
    StoreKaiserSettings(doc, s);
    KaiserFir fir;
    const int n = DesignKaiser(fir, s, doc.m_nSamplesPerSec);
    if (n <= 0) {
        doc.Ui().ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return 0;
    }
    doc.m_nKaiserTaps = n;
    if (!AllocateTaps(doc, n)) return 0;
    fir.CopyTaps(doc.m_pFirCoef.get());
    return RunWithFirCoef(doc, n, s.cutLow, TwoEdges(s.shape) ? s.cutHigh : 0.0);
}

int OnFilterFirCoefFile(CKymoDoc& doc) {
    if (!CanRunFileFilter(doc)) return 0;
    CoefFile file(doc.Ui());
    CoefFileHeader header;
    std::vector<double> values;
    if (!file.ReadFir(header, values)) return 0;
    if (header.sectionType != 1 || header.count <= 0) {
        doc.Ui().ShowMessage(FormatCount(fmsg::kFirWrongFile, header.count), MessageIcon::Error);
        return 0;
    }
    doc.Ui().ShowMessage(FormatCount(fmsg::kFirTapCount, header.count));
    doc.m_nFirType = kFirTypeCoefFile;
    if (!AllocateTaps(doc, header.count)) return 0;
    std::copy_n(values.begin(), header.count, doc.m_pFirCoef.get());
    return RunWithFirCoef(doc, header.count, header.cutLow, header.cutHigh);
}

int OnFilterIirCoefFile(CKymoDoc& doc) {
    if (!CanRunFileFilter(doc)) return 0;
    CoefFile file(doc.Ui());
    CoefFileHeader header;
    BiquadTable table;
    if (!file.ReadIir(header, table)) return 0;
    doc.m_nIirType = kIirTypeCoefFile;
    doc.Ui().ShowMessage(FormatCount(fmsg::kIirStart, header.count));
    return RunFileFilter(doc, FileFilterDesign::Cascade(table, header.count, 1.0)
                                  .WithCutOffs(header.cutLow, header.cutHigh));
}
