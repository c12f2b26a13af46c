#include "realtime/CoefFirTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/MeasurementFile.h"
#include "document/SavePath.h"
#include "dsp/WindowKinds.h"
#include "realtime/CoefProperty.h"
#include "realtime/InverseFir.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr const char* kSaveName = "FIR_CoefData";
constexpr const char* kSaveFilter = "CoefData(*.csv)|*.csv|MeasureData(*.opr)|*.opr||";

int Log2Of(int n) {
    int l = 0;
    while ((1 << l) < n) ++l;
    return l;
}

} // namespace

const char* rtwindow::Name(int entry) {
    static const char* const kNames[kCount] = {"ﾄﾗｲｱﾝｸﾞﾙ", "ﾊﾆﾝｸﾞ", "ﾊﾐﾝｸﾞ",
                                               "ﾌﾞﾗｯｸﾏﾝ",  "ｶｲｻﾞｰ", "窓なし"};
    return entry >= 0 && entry < kCount ? kNames[entry] : "";
}

CCoefFirTool::CCoefFirTool(CKymoDoc& doc, ISoundCard& card) : CRtFirTool(doc, card) {}

int CCoefFirTool::OnRead(const std::string& path) {
    IDocumentUi& ui = m_doc.Ui();
    if (IsRunning()) {
        ui.ShowMessage(rtmsg::kFirReadStops);
        StopSound();
    }
    CoefFileHeader header;
    std::vector<double> values;
    CoefFile file(ui);
    const int read =
        path.empty() ? file.ReadFir(header, values) : file.ReadFirFile(path, header, values);
    if (read != 1) return 0;
    if (header.sectionType != 1 || header.count <= 0) {
        ui.ShowMessage(rtmsg::kIirFileGiven);
        return 0;
    }
    values.resize(static_cast<std::size_t>(header.count));
    m_header = header;
    m_fileTaps = std::move(values);
    std::vector<double> taps;
    if (!FormTaps(taps)) return 1;
    m_taps = std::move(taps);
    ShowDesignResponse();
    return 1;
}

bool CCoefFirTool::FormTaps(std::vector<double>& taps) {
    IDocumentUi& ui = m_doc.Ui();
    std::vector<double> p = m_fileTaps;
    double gain = 1.0;
    if (m_options.inverse) {
        if (!InverseFir(ui, p, m_options.limiter, m_options.limitDb)) return false;
        gain = std::pow(10.0, 0.05 * m_options.inverseGainDb);
    } else if (!ForwardFir(ui, p, m_options.limiter, m_options.limitDb)) {
        return false;
    }
    const int n = static_cast<int>(p.size());
    std::vector<float> w(static_cast<std::size_t>(n), 1.0f);
    if (n <= static_cast<int>(m_doc.m_fWindow.size())) {
        // The document's window generator, then the monitor's window back in its place.
        m_doc.MakeWindow(0, 0, std::clamp(m_options.windowEntry, 0, rtwindow::kNone) + 1, n);
        std::copy(m_doc.m_fWindow.begin(), m_doc.m_fWindow.begin() + n, w.begin());
        m_doc.MakeWindow(0, 0, wnd::Kaiser, m_doc.m_nPoints);
    }
    taps.resize(p.size());
    for (int k = 0; k < n; ++k) taps[k] = gain * w[k] * p[k];
    return true;
}

bool CCoefFirTool::DesignTaps(int, std::vector<double>& taps) {
    if (!FileRead()) {
        m_doc.Ui().ShowMessage(rtmsg::kNoFileRead);
        return false;
    }
    return FormTaps(taps);
}

void CCoefFirTool::ShowDesignResponse() {
    // The magnitude of the taps' DFT over a power of two not below the tap count, so that the
    // monitor's transform of m_nPoints keeps working.
    const int taps = static_cast<int>(m_taps.size());
    if (taps == 0) return;
    const int capacity = static_cast<int>(m_doc.m_fRe.size());
    const int n = std::min(capacity, std::max(m_doc.m_nPoints, 1 << Log2Of(taps)));
    if (n != m_doc.m_nPoints) {
        m_doc.m_nPoints = n;
        m_doc.m_nPow = Log2Of(n) - 7;
        m_doc.MakeWindow(0, 0, wnd::Kaiser, n);
    }
    m_doc.RebuildTwiddleTables();
    std::fill(m_doc.m_fRe.begin(), m_doc.m_fRe.begin() + n, 0.0f);
    std::fill(m_doc.m_fIm.begin(), m_doc.m_fIm.begin() + n, 0.0f);
    for (int k = 0; k < std::min(taps, n); ++k) m_doc.m_fRe[k] = static_cast<float>(m_taps[k]);
    m_doc.FftBitReverse(n, m_doc.m_fRe.data(), m_doc.m_fIm.data());
    m_doc.FftButterflies(Log2Of(n), 1, m_doc.m_fRe.data(), m_doc.m_fIm.data());
    for (int k = 0; k < n; ++k) {
        const float mag = n * std::hypot(m_doc.m_fRe[k], m_doc.m_fIm[k]);
        m_doc.m_fRe[k] = mag;
        m_doc.m_fOpRe[k] = mag;
    }
    m_doc.ProcessRealtime(realtime::kDesignResponse);
}

FirSaveInfo CCoefFirTool::SaveInfo() const {
    return {m_header.kind, m_header.shape, m_header.cutLow, m_header.cutHigh};
}

int CCoefFirTool::OnSave() {
    IDocumentUi& ui = m_doc.Ui();
    if (!HasTaps()) {
        ui.ShowMessage(rtmsg::kNoCoefficients);
        return 0;
    }
    m_engine->SetMute(true);
    const auto path =
        AskSavePath(ui, kSaveName, kSaveFilter, {".csv", ".opr"}, ".csv", rtmsg::kChooseExtension);
    m_engine->SetMute(false);
    if (!path) return 0;
    if (path->find(".opr") == std::string::npos) return WriteTaps(*path);
    ShowDesignResponse();
    MeasurementSource src;
    src.kind = kind::Spectrum1;
    src.channelMode = chan::Ch1;
    src.pow = m_doc.m_nPow;
    src.n = m_doc.m_nPoints;
    src.dt = 1.0f / static_cast<float>(Rate());
    src.re = m_doc.m_fRe.data();
    src.im = m_doc.m_fIm.data();
    src.wave1 = m_doc.m_fWave1.data();
    src.wave2 = m_doc.m_fWave2.data();
    src.opRe = m_doc.m_fOpRe.data();
    src.opIm = m_doc.m_fOpIm.data();
    return WriteMeasurementData(ui, *path, src);
}

std::string CCoefFirTool::PropertyText() const {
    if (!FileRead()) return kNoFileProperty;
    return FirPropertyText(m_header, static_cast<int>(m_fileTaps.size()));
}
