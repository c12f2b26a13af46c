// The document's load and save steps.
#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/MeasurementFile.h"

#include <algorithm>
#include <fstream>

namespace {
constexpr std::size_t kSavePiece = 1048576;
} // namespace

bool CKymoDoc::OnOpenDocument(const std::string& path) {
    const int kindBefore = disp_mode1;
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    std::uint8_t head[4] = {};
    if (size >= 4) {
        in.seekg(0);
        in.read(reinterpret_cast<char*>(head), 4);
    }
    if (size < 0 || !in) {
        ReleaseWaveImage();
        m_strPathName.clear();
        m_ui.ShowMessage(path + "\n" + msg::kCannotOpenFile, MessageIcon::Error);
        if (disp_mode1 != kindBefore) UpdateAllViews();
        return false;
    }
    bool loaded = false;
    if (size < 12 || IsMeasurementMagic(head) || HasTag(head, "AUDO")) {
        // Short files and measurement data: at most the largest measurement file is read.
        std::vector<std::uint8_t> bytes;
        if (ReadMeasurementFileBytes(path, bytes))
            loaded = LoadFromBytes(bytes, path);
        else
            LoadFailed(kindBefore);
    } else {
        // A wave is read once, straight into its image.
        ReleaseWaveImage();
        in.seekg(0);
        loaded = FinishWaveLoad(ReadWaveFile(in, static_cast<std::uint64_t>(size)), kindBefore);
    }
    if (!loaded) {
        m_strPathName.clear();
        return false;
    }
    m_strPathName = path;
    return true;
}

bool CKymoDoc::LoadFromBytes(const std::vector<std::uint8_t>& bytes, const std::string& path) {
    const int kindBefore = disp_mode1;
    ReleaseWaveImage();
    if (bytes.size() < 12) return LoadFailed(kindBefore);

    if (IsMeasurementMagic(bytes.data())) {
        if (!ReadMeasurementData(*this, bytes, path)) return LoadFailed(kindBefore);
        UpdateAllViews();
        return true;
    }
    if (HasTag(bytes.data(), "AUDO")) {
        m_ui.ShowMessage(msg::kAudioFile);
        return LoadFailed(kindBefore);
    }
    return FinishWaveLoad(ReadWaveImage(bytes), kindBefore);
}

bool CKymoDoc::LoadFailed(int kindBefore) {
    ReleaseWaveImage();
    m_ui.ShowMessage(msg::kOpenFailed, MessageIcon::Error);
    if (disp_mode1 != kindBefore) UpdateAllViews();
    return false;
}

bool CKymoDoc::FinishWaveLoad(int read, int kindBefore) {
    if (!read) return LoadFailed(kindBefore);
    m_bWaveReplaced = false;
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
    m_bWaveReplaced = false;
    UpdateAllViews();
    return true;
}
