#include "filters/RemezBiquadFileFilter.h"

#include "document/CKymoDoc.h"
#include "document/DocMessages.h"
#include "filters/BiquadDesign.h"
#include "filters/FileFilter.h"

#include <algorithm>
#include <new>

namespace {
constexpr int kFirTypeRemez = 5;
constexpr int kIirTypeBiquad = 0;
} // namespace

int CheckAndDesignRemez(IDocumentUi& ui, RemezBandTable& table, int taps, int fs,
                        std::vector<double>& h, RemezCheck* failed) {
    RemezCheck check = ValidateRemezBands(table, fs, false);
    for (const std::string& n : check.notices) ui.ShowMessage(n, MessageIcon::None);
    if (check.ok) check = ValidateRemezTaps(taps, kRemezFileMaxTaps);
    if (!check.ok) {
        ui.ShowMessage(check.message, MessageIcon::None);
        if (failed) *failed = check;
        return 0;
    }
    if (DesignRemez(TableRemezBands(table), taps, fs, h) != 1) {
        ui.ShowMessage(kRemezNoConvergence, MessageIcon::None);
        if (failed) *failed = RemezCheck{false, kRemezNoConvergence, RemezField::None, -1, {}};
        return 0;
    }
    return 1;
}

int RunRemezFileFilter(CKymoDoc& doc, const RemezBandTable& table, const std::vector<double>& h) {
    if (!CanRunFileFilter(doc) || h.empty()) return 0;
    doc.m_nFirType = kFirTypeRemez;
    doc.m_RemezTable = table;
    doc.m_nFirTaps = static_cast<int>(h.size());
    doc.m_pFirCoef.reset(new (std::nothrow) double[h.size()]);
    if (!doc.m_pFirCoef) {
        doc.Ui().ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return 0;
    }
    std::copy(h.begin(), h.end(), doc.m_pFirCoef.get());
    const int result =
        RunFileFilter(doc, FileFilterDesign::Fir(doc.m_pFirCoef.get(), static_cast<int>(h.size())));
    doc.m_pFirCoef.reset();
    return result;
}

int OnFilterRemez(CKymoDoc& doc, RemezBandTable table, int taps) {
    if (!CanRunFileFilter(doc)) return 0;
    std::vector<double> h;
    if (!CheckAndDesignRemez(doc.Ui(), table, taps, doc.m_nSamplesPerSec, h)) return 0;
    return RunRemezFileFilter(doc, table, h);
}

BiquadSettings LoadBiquadSettings(const CKymoDoc& doc) {
    return {doc.m_nFilterShape, doc.m_fCutLow, doc.m_fIirGain};
}

void StoreBiquadSettings(CKymoDoc& doc, const BiquadSettings& s) {
    doc.m_nFilterShape = s.type;
    doc.m_fCutLow = s.freq;
    doc.m_fIirGain = s.gainDb;
}

int OnFilterBiquad(CKymoDoc& doc, const BiquadSettings& s) {
    if (!CanRunFileFilter(doc)) return 0;
    if (const BiquadCheck check = ValidateBiquadSettings(s, doc.m_nSamplesPerSec); !check.ok) {
        doc.Ui().ShowMessage(check.message, MessageIcon::None);
        return 0;
    }
    if (s.type < 0 || s.type >= biquadtype::Count) return 0;
    doc.m_nIirType = kIirTypeBiquad;
    StoreBiquadSettings(doc, s);
    float den[3], num[3];
    BiquadDesign(s.type, doc.m_nSamplesPerSec, s.freq, s.gainDb, den, num);
    return RunFileFilter(doc,
                         FileFilterDesign::Biquad(den[0], den[1], den[2], num[0], num[1], num[2])
                             .WithCutOffs(s.freq, 0.0));
}
