#include "filters/FileFilter.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "filters/FilterMessages.h"
#include "filters/PcmFilters.h"

#include <algorithm>
#include <cstring>
#include <new>

FileFilterDesign FileFilterDesign::Fir(const double* h, int count) {
    FileFilterDesign d;
    d.type = Type::Fir;
    d.taps = h;
    d.tapCount = count;
    return d;
}

FileFilterDesign FileFilterDesign::Biquad(double a0, double a1, double a2, double b0, double b1,
                                          double b2) {
    FileFilterDesign d;
    d.type = Type::Biquad;
    d.a0 = a0;
    d.a1 = a1;
    d.a2 = a2;
    d.b0 = b0;
    d.b1 = b1;
    d.b2 = b2;
    return d;
}

FileFilterDesign FileFilterDesign::Cascade(const BiquadTable& sections, int order, double gain) {
    FileFilterDesign d;
    d.type = Type::Cascade;
    d.table = &sections;
    d.order = order;
    d.gain = gain;
    return d;
}

bool CanRunFileFilter(const CKymoDoc& doc) {
    return doc.HasWave() && doc.m_nWaveImageSize > 0 && doc.disp_mode3 >= chan::Ch1 &&
           doc.disp_mode3 <= chan::Both;
}

namespace {

void Filter(const CKymoDoc& doc, const FileFilterDesign& d, int format, const std::uint8_t* src,
            std::uint8_t* dst) {
    const int mode = doc.disp_mode3;
    const int head = doc.m_nHeadSize;
    const int frames = doc.m_nBlockSize > 0 ? doc.m_nWavDataSize / doc.m_nBlockSize : 0;
    switch (d.type) {
    case FileFilterDesign::Type::Fir:
        FirFilterPcm(mode, frames, format, d.taps ? d.tapCount : 0, d.taps, head, src, dst);
        break;
    case FileFilterDesign::Type::Biquad: {
        float x1[2] = {}, x2[2] = {}, y1[2] = {}, y2[2] = {};
        BiquadFilterPcm(mode, frames, format, d.a0, d.a1, d.a2, d.b0, d.b1, d.b2, x1, x2, y1, y2,
                        head, src, dst);
        break;
    }
    case FileFilterDesign::Type::Cascade: {
        static const BiquadTable kEmpty{};
        CascadeState s1, s2;
        CascadeFilterPcm(mode, d.gain, frames * doc.m_nBlockSize, doc.m_nBlockSize, format,
                         d.table ? d.order : 0, d.table ? *d.table : kEmpty, s1, s2, head, src,
                         dst);
        break;
    }
    }
}

} // namespace

int RunFileFilter(CKymoDoc& doc, const FileFilterDesign& design) {
    if (!CanRunFileFilter(doc)) return 0;
    IDocumentUi& ui = doc.Ui();
    const int format = pcm::FormatCode(doc.m_nBitsPerSample, doc.m_nChannel);
    if (format < 0) {
        ui.ShowMessage(fmsg::kTwoChannelsOnly);
        return 0;
    }
    const int size = doc.m_nWaveImageSize;
    std::unique_ptr<std::uint8_t[]> image(new (std::nothrow) std::uint8_t[size]);
    if (!image) {
        ui.ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return 0;
    }
    doc.m_pFilterImage = std::move(image);
    doc.m_nFilterImageSize = size;
    doc.m_filterUsed.iir = design.type != FileFilterDesign::Type::Fir;
    doc.m_filterUsed.count = design.type == FileFilterDesign::Type::Fir      ? design.tapCount
                             : design.type == FileFilterDesign::Type::Biquad ? 2
                                                                             : design.order;
    doc.m_filterUsed.cutLow = design.cutLow;
    doc.m_filterUsed.cutHigh = design.cutHigh;

    doc.disp_mode1 = kind::FilterResult;
    doc.disp_mode0 = subreq::FilterResult;
    ui.SetWaitCursor(true);
    // Bytes no routine writes (chunks after the data, padding of odd frames) stay as they are.
    std::memcpy(doc.m_pFilterImage.get(), doc.m_pWaveImage.get(), static_cast<std::size_t>(size));
    Filter(doc, design, format, doc.m_pWaveImage.get(), doc.m_pFilterImage.get());
    ui.SetWaitCursor(false);
    doc.disp_mode3 += chan::FilteredOffset;
    doc.UpdateAllViews();

    const bool keep = ui.AskOkCancel(fmsg::kFilterConfirmTitle, std::string(fmsg::kFilterConfirm1) +
                                                                    "\n" + fmsg::kFilterConfirm2);
    if (keep) {
        doc.OnStopPlay();
        std::memcpy(doc.m_pWaveImage.get(), doc.m_pFilterImage.get(),
                    static_cast<std::size_t>(size));
        doc.m_pFilterImage.reset();
        doc.m_nFilterImageSize = 0;
    }
    doc.disp_mode1 = kind::Wave;
    doc.disp_mode3 -= chan::FilteredOffset;
    doc.disp_mode0 = subreq::RawWave;
    doc.UpdateAllViews();
    return keep ? 1 : 0;
}
