#include "document/ResultExport.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/ExportFiles.h"
#include "document/ExportMessages.h"
#include "document/ResponseText.h"
#include "document/SavePath.h"
#include "dsp/RecordDft.h"

#include <cmath>
#include <vector>

namespace {

bool IsComplexResult(int k) {
    return k == kind::Spectrum || k == kind::Transfer || k == kind::LiveTransfer;
}

std::string SourceText(const CKymoDoc& doc, int channel) {
    std::string what;
    switch (doc.disp_mode1) {
    case kind::Spectrum:
        what = "complex spectrum";
        break;
    case kind::Spectrum1:
        what = "amplitude spectrum";
        break;
    case kind::Spectrum2:
        what = channel == 2 ? "amplitude spectrum ch2" : "amplitude spectrum ch1";
        break;
    default:
        what = "transfer function ch2/ch1";
        break;
    }
    const std::string file = FileNamePart(doc.m_strPathName);
    return file.empty() ? what : file + ", " + what;
}

int SamplingRate(const CKymoDoc& doc) {
    return static_cast<int>(std::lround(SamplingRateOf(doc.m_fDt)));
}

} // namespace

bool HoldsExportableResponse(const CKymoDoc& doc) {
    const int k = doc.disp_mode1;
    return IsComplexResult(k) || k == kind::Spectrum1 || k == kind::Spectrum2;
}

bool HoldsExportableImpulse(const CKymoDoc& doc) {
    return IsComplexResult(doc.disp_mode1);
}

int ExportResponseTo(CKymoDoc& doc, ResponseFormat format, const std::string& path, int channel) {
    if (!HoldsExportableResponse(doc) || doc.m_nPoints < 2 || !(doc.m_fDt > 0.0f)) {
        doc.Ui().ShowMessage(xmsg::kNoResponse, MessageIcon::Error);
        return 0;
    }
    const int k = doc.disp_mode1;
    const bool secondChannel = k == kind::Spectrum2 && channel == 2;
    const float* re = secondChannel ? doc.m_fOpRe.data() : doc.m_fRe.data();
    const float* im = IsComplexResult(k) ? doc.m_fIm.data() : nullptr;
    const double rate = SamplingRateOf(doc.m_fDt);
    const std::vector<ResponseRow> rows = ResponseRows(re, im, doc.m_nPoints, rate);

    ResponseInfo info;
    info.source = SourceText(doc, secondChannel ? 2 : 1);
    info.rate = rate;
    info.points = doc.m_nPoints;
    info.date = ExportDateText();
    const std::string text =
        format == ResponseFormat::Frd ? FormatFrd(info, rows) : FormatRewText(info, rows);
    return WriteExportFile(doc.Ui(), path, text);
}

int ExportImpulseWaveTo(CKymoDoc& doc, const std::string& path) {
    const int rate = SamplingRate(doc);
    if (!HoldsExportableImpulse(doc) || doc.m_nPoints < 2 || rate <= 0) {
        doc.Ui().ShowMessage(xmsg::kNoImpulse, MessageIcon::Error);
        return 0;
    }
    std::vector<float> h;
    if (!ImpulseResponseOf(doc.m_fRe.data(), doc.m_fIm.data(), doc.m_nPoints, doc.Ui(), h))
        return 0;
    return WriteExportFile(doc.Ui(), path, BuildFloatWave(rate, h));
}

int OnExportResponse(CKymoDoc& doc, ResponseFormat format) {
    if (!HoldsExportableResponse(doc)) {
        doc.Ui().ShowMessage(xmsg::kNoResponse, MessageIcon::Error);
        return 0;
    }
    const bool frd = format == ResponseFormat::Frd;
    const auto path = AskSavePath(doc.Ui(), "", frd ? xmsg::kFrdFilter : xmsg::kRewFilter,
                                  {frd ? ".frd" : ".txt"}, frd ? ".frd" : ".txt",
                                  frd ? xmsg::kFrdExtension : xmsg::kTxtExtension);
    if (!path) return 0;
    int channel = 1;
    if (doc.disp_mode1 == kind::Spectrum2 && doc.Ui().AskYesNo(xmsg::kChooseChannel)) channel = 2;
    return ExportResponseTo(doc, format, *path, channel);
}

int OnExportImpulseWave(CKymoDoc& doc) {
    if (!HoldsExportableImpulse(doc)) {
        doc.Ui().ShowMessage(xmsg::kNoImpulse, MessageIcon::Error);
        return 0;
    }
    const auto path =
        AskSavePath(doc.Ui(), "", xmsg::kImpulseWaveFilter, {".wav"}, ".wav", msg::kWavExtension);
    if (!path) return 0;
    return ExportImpulseWaveTo(doc, *path);
}
