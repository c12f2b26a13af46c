// The document's load and save steps.
#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/MeasurementFile.h"

#include <algorithm>
#include <climits>
#include <fstream>

namespace {

constexpr std::size_t kSavePiece = 1048576;

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return false;
    const std::streamoff size = in.tellg();
    if (size < 0 || size > INT_MAX) return false;
    out.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(reinterpret_cast<char*>(out.data()), size));
}

} // namespace

bool CKymoDoc::OnOpenDocument(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    if (!ReadWholeFile(path, bytes)) {
        const int kindBefore = disp_mode1;
        ReleaseWaveImage();
        m_ui.ShowMessage(msg::kOpenFailed, MessageIcon::Error);
        if (disp_mode1 != kindBefore) UpdateAllViews();
        return false;
    }
    if (!LoadFromBytes(bytes, path)) return false;
    m_strPathName = path;
    return true;
}

bool CKymoDoc::LoadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const int kindBefore = disp_mode1;
    ReleaseWaveImage();
    auto fail = [&] {
        ReleaseWaveImage();
        m_ui.ShowMessage(msg::kOpenFailed, MessageIcon::Error);
        if (disp_mode1 != kindBefore) UpdateAllViews();
        return false;
    };
    if (bytes.size() < 12) return fail();

    if (IsMeasurementMagic(bytes.data())) {
        if (!ReadMeasurementData(*this, bytes, path)) return fail();
        UpdateAllViews();
        return true;
    }
    if (HasTag(bytes.data(), "AUDO")) {
        m_ui.ShowMessage(msg::kAudioFile);
        return fail();
    }
    if (!ReadWaveImage(bytes)) return fail();

    disp_mode1 = kind::Wave;
    disp_mode0 = subreq::RawWave;
    if (m_nChannel > 2) {
        m_ui.ShowMessage(msg::kTwoChannelsOnly);
        disp_mode3 = chan::TooManyChannels;
    } else {
        disp_mode3 = m_nChannel == 1 ? chan::Ch1 : chan::Both;
    }
    UpdateAllViews();
    return true;
}

bool CKymoDoc::OnSaveDocument(const std::string& path) {
    if (!m_pWaveImage || m_nWaveImageSize == 0) {
        m_ui.ShowMessage(msg::kNoImage, MessageIcon::Error);
        return false;
    }
    if (disp_mode3 < chan::Ch1 || disp_mode3 > chan::Both) {
        m_ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) {
        m_ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return false;
    }
    std::size_t written = 0;
    const std::size_t total = static_cast<std::size_t>(m_nWaveImageSize);
    while (written < total) {
        const std::size_t piece = std::min(total - written, kSavePiece);
        out.write(reinterpret_cast<const char*>(m_pWaveImage.get() + written),
                  static_cast<std::streamsize>(piece));
        written += piece;
    }
    out.close();
    if (!out) {
        m_ui.ShowMessage(msg::kSaveFailed, MessageIcon::Error);
        return false;
    }
    m_strPathName = path;
    UpdateAllViews();
    return true;
}
