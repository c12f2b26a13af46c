#include "filters/CoefExport.h"

#include "document/CKymoDoc.h"
#include "document/DocMessages.h"
#include "document/DocumentUi.h"
#include "document/ExportFiles.h"
#include "document/ExportMessages.h"
#include "document/SavePath.h"
#include "filters/CoefFile.h"
#include "filters/FilterMessages.h"
#include "filters/SosHeader.h"

#include <cmath>
#include <vector>

namespace {

constexpr int kFirSection = 1;
constexpr int kIirSection = 0;

// Reads `coefPath` when it is a coefficient file; otherwise shows `notCoefMessage`.
bool ReadCoefficients(IDocumentUi& ui, const std::string& coefPath, const char* notCoefMessage,
                      CoefFileHeader& header, std::vector<double>& values) {
    if (PeekCoefSectionType(coefPath) < 0) {
        ui.ShowMessage(notCoefMessage, MessageIcon::Error);
        return false;
    }
    if (!CoefFile(ui).ReadFirFile(coefPath, header, values)) return false;
    if (values.empty()) {
        ui.ShowMessage(xmsg::kNoSection, MessageIcon::Error);
        return false;
    }
    return true;
}

// True when a section (six values a0 ... b2) has a0 = 0.
bool HasZeroA0(const std::vector<double>& sections) {
    for (std::size_t s = 0; s + 6 <= sections.size(); s += 6)
        if (sections[s] == 0.0) return true;
    return false;
}

} // namespace

int ExportCoefHeaderTo(IDocumentUi& ui, const std::string& coefPath, const std::string& path,
                       bool cmsis) {
    CoefFileHeader header;
    std::vector<double> values;
    if (!ReadCoefficients(ui, coefPath, xmsg::kNotCoefFile, header, values)) return 0;
    SosHeaderNote note;
    note.source = FileNamePart(coefPath);
    note.kind = header.kind;
    note.shape = header.shape;
    note.cutLow = header.cutLow;
    note.cutHigh = header.cutHigh;
    const std::string name = HeaderIdentifier(path);
    const bool fir = header.sectionType == kFirSection;
    if (!fir && HasZeroA0(values)) {
        ui.ShowMessage(xmsg::kZeroA0, MessageIcon::Error);
        return 0;
    }
    const std::string text = fir ? FormatFirHeader(name, values, cmsis, note)
                                 : FormatSosHeader(name, values, cmsis, note);
    if (text.empty()) {
        ui.ShowMessage(xmsg::kNotFinite, MessageIcon::Error);
        return 0;
    }
    return WriteExportFile(ui, path, text);
}

int ExportCoefImpulseWaveTo(IDocumentUi& ui, const std::string& coefPath, int rate,
                            const std::string& path) {
    if (rate <= 0) {
        ui.ShowMessage(xmsg::kBadRate, MessageIcon::Error);
        return 0;
    }
    CoefFileHeader header;
    std::vector<double> values;
    if (!ReadCoefficients(ui, coefPath, xmsg::kNoImpulse, header, values)) return 0;
    if (header.sectionType == kIirSection) {
        ui.ShowMessage(xmsg::kIirNoImpulse, MessageIcon::Error);
        return 0;
    }
    std::vector<float> taps;
    taps.reserve(values.size());
    for (double v : values) {
        const float f = static_cast<float>(v);
        if (!std::isfinite(f)) {
            ui.ShowMessage(xmsg::kNotFinite, MessageIcon::Error);
            return 0;
        }
        taps.push_back(f);
    }
    return WriteExportFile(ui, path, BuildFloatWave(rate, taps));
}

int OnExportCoefHeader(CKymoDoc& doc, bool cmsis) {
    IDocumentUi& ui = doc.Ui();
    const auto coefPath = ui.AskOpenFileName("", fmsg::kCoefOpenFilter);
    if (!coefPath) return 0;
    const auto path =
        AskSavePath(ui, "", xmsg::kHeaderFilter, {".h"}, ".h", xmsg::kHeaderExtension);
    if (!path) return 0;
    return ExportCoefHeaderTo(ui, *coefPath, *path, cmsis);
}

int OnExportCoefImpulseWave(CKymoDoc& doc) {
    IDocumentUi& ui = doc.Ui();
    const auto coefPath = ui.AskOpenFileName("", fmsg::kCoefOpenFilter);
    if (!coefPath) return 0;
    const auto path =
        AskSavePath(ui, "", xmsg::kImpulseWaveFilter, {".wav"}, ".wav", msg::kWavExtension);
    if (!path) return 0;
    return ExportCoefImpulseWaveTo(ui, *coefPath, doc.m_nSamplesPerSec, *path);
}
