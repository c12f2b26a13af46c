// The WAV image held by the document: reading, sample access and building new images.
#include "document/ByteOrder.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/DocMessages.h"
#include "document/WaveFileHeader.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <istream>
#include <new>

namespace {

// The format fields of one "fmt " chunk, committed to the document only when the read succeeds.
struct WaveFormat {
    int formatTag = 0;
    int channels = 0;
    int rate = 0;
    int bytesPerSec = 0;
    int blockAlign = 0;
    int bits = 0;
};

} // namespace

void CKymoDoc::ReleaseWaveImage() {
    // Playback reads the image while it plays.
    m_pPlayer->Stop();
    m_pWaveImage.reset();
    m_pWaveData = nullptr;
    m_nWaveImageSize = 0;
    m_nWavDataSize = 0;
    m_nFrames = 0;
    m_fWaveFrames = 0.0f;
    // Data kinds that read the image cannot stay without one.
    switch (disp_mode1) {
    case kind::Wave:
    case kind::TransferPending:
    case kind::FilterResult:
    case kind::SpectrumPending:
    case kind::AutoCorrPending:
    case kind::CrossCorrPending:
        disp_mode1 = kind::None;
        disp_mode0 = 0;
        break;
    default:
        break;
    }
}

namespace {

// The image of a file whose first 12 bytes are `head` and which holds `available` bytes after
// them: allocated (without throwing) at 12 + min(RIFF size - 4, available) bytes with the head
// copied in. Null when the file is not a wave (no message) or the image cannot be allocated
// ("ﾒﾓﾘの確保ができませんでした。new出来ず").
std::unique_ptr<std::uint8_t[]> AllocateWaveImage(IDocumentUi& ui, const std::uint8_t* head,
                                                  std::uint64_t available, int& imageSize) {
    if (!HasTag(head, "RIFF") && !HasTag(head + 8, "WAVE")) return nullptr;
    // Sizes from the file are unsigned and trusted only as far as the file's bytes go.
    const std::uint32_t riffSize = ReadLe32(head + 4);
    if (riffSize < 4) return nullptr;
    const std::uint64_t r = std::min<std::uint64_t>(riffSize - 4u, available);
    if (12 + r > static_cast<std::uint64_t>(INT_MAX)) {
        ui.ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return nullptr;
    }
    imageSize = static_cast<int>(12 + r);
    std::unique_ptr<std::uint8_t[]> image(new (std::nothrow) std::uint8_t[imageSize]);
    if (!image) {
        ui.ShowMessage(msg::kAllocFailed, MessageIcon::Error);
        return nullptr;
    }
    std::memcpy(image.get(), head, 12);
    return image;
}

} // namespace

int CKymoDoc::ReadWaveImage(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 12) return 0;
    int imageSize = 0;
    auto image = AllocateWaveImage(m_ui, bytes.data(), bytes.size() - 12, imageSize);
    if (!image) return 0;
    std::memcpy(image.get() + 12, bytes.data() + 12, static_cast<std::size_t>(imageSize - 12));
    return AdoptWaveImage(std::move(image), imageSize);
}

int CKymoDoc::ReadWaveFile(std::istream& in, std::uint64_t fileSize) {
    std::uint8_t head[12];
    if (fileSize < 12 || !in.read(reinterpret_cast<char*>(head), 12)) return 0;
    int imageSize = 0;
    auto image = AllocateWaveImage(m_ui, head, fileSize - 12, imageSize);
    if (!image) return 0;
    in.read(reinterpret_cast<char*>(image.get() + 12), imageSize - 12);
    return AdoptWaveImage(std::move(image), 12 + static_cast<int>(in.gcount()));
}

int CKymoDoc::AdoptWaveImage(std::unique_ptr<std::uint8_t[]> image, int imageSize) {
    const std::uint32_t riffSize = ReadLe32(image.get() + 4);
    WaveFormat fmt;
    bool haveFmt = false;
    std::int64_t dataOffset = -1;
    std::uint32_t dataSize = 0;
    std::uint64_t offset = 12;
    while (offset + 8 <= static_cast<std::uint64_t>(imageSize)) {
        const std::uint8_t* chunk = image.get() + offset;
        const std::uint32_t size = ReadLe32(chunk + 4);
        if (HasTag(chunk, "fmt ")) {
            if (size < 16 || offset + 8 + 16 > static_cast<std::uint64_t>(imageSize)) return 0;
            const std::uint8_t* f = chunk + 8;
            fmt.formatTag = ReadLe16(f);
            fmt.channels = ReadLe16(f + 2);
            fmt.rate = static_cast<int>(std::min<std::uint32_t>(ReadLe32(f + 4), INT_MAX));
            fmt.bytesPerSec = static_cast<int>(std::min<std::uint32_t>(ReadLe32(f + 8), INT_MAX));
            fmt.blockAlign = ReadLe16(f + 12);
            fmt.bits = ReadLe16(f + 14);
            haveFmt = true;
        } else if (HasTag(chunk, "data")) {
            dataOffset = static_cast<std::int64_t>(offset + 8);
            dataSize = size;
            break;
        }
        offset += 8 + static_cast<std::uint64_t>(size) + (size & 1u);
    }

    if (!haveFmt) return 0;
    if (fmt.bits == 24 || fmt.bits == 32) {
        m_ui.ShowMessage(msg::kNoWide);
        return 0;
    }
    if (fmt.bits != 8 && fmt.bits != 16) return 0;
    // Fields that would divide by zero or make sample reads leave the frame.
    if (fmt.channels == 0 || fmt.rate == 0 ||
        fmt.blockAlign < fmt.channels * WaveBytesPerSample(fmt.bits))
        return 0;
    if (dataOffset < 0) return 0;

    // A truncated file keeps only the data bytes actually present.
    const std::uint64_t available = static_cast<std::uint64_t>(imageSize) - dataOffset;
    const int dataBytes = static_cast<int>(std::min<std::uint64_t>(dataSize, available));

    m_pWaveImage = std::move(image);
    m_nWaveImageSize = imageSize;
    m_nRiffSize = static_cast<int>(std::min<std::uint32_t>(riffSize, INT_MAX));
    m_pWaveData = m_pWaveImage.get() + dataOffset;
    m_nHeadSize = static_cast<int>(dataOffset);
    m_nWavDataSize = dataBytes;
    m_nWavFormatType = fmt.formatTag;
    m_nChannel = fmt.channels;
    m_nSamplesPerSec = fmt.rate;
    m_nBytesPerSec = fmt.bytesPerSec;
    m_nBlockSize = fmt.blockAlign;
    m_nBitsPerSample = fmt.bits;
    m_nFrames = m_nWavDataSize / m_nBlockSize;
    m_fWaveFrames = static_cast<float>(m_nFrames);
    m_fWaveDt = 1.0f / static_cast<float>(m_nSamplesPerSec);
    return 1;
}

int CKymoDoc::GetSample(int frame, int channel) const {
    if (!m_pWaveImage || frame < 0 || channel < 1 || channel > 2) return 0;
    if (m_nBitsPerSample == 8) {
        const long long at = static_cast<long long>(m_nHeadSize) +
                             static_cast<long long>(frame) * m_nChannel + (channel - 1);
        if (at >= m_nWaveImageSize) return 0;
        return static_cast<int>(m_pWaveImage[at]) - 128;
    }
    const long long at = static_cast<long long>(m_nHeadSize) +
                         static_cast<long long>(frame) * m_nBlockSize + (channel - 1) * 2;
    if (at + 1 >= m_nWaveImageSize) return 0;
    return static_cast<std::int16_t>(ReadLe16(m_pWaveImage.get() + at));
}

bool CKymoDoc::MakeWaveHeader(int headLen, int rate, int bits, int channelsMinus1, int dataBytes) {
    m_pPlayer->Stop(); // playback reads the image while it plays
    m_pWaveImage.reset();
    m_pWaveData = nullptr;
    headLen = std::clamp(headLen, 0, limits::kWaveHeaderSize);
    dataBytes = std::max(dataBytes, 0);
    std::unique_ptr<std::uint8_t[]> image(new (std::nothrow)
                                              std::uint8_t[static_cast<std::size_t>(headLen) +
                                                           static_cast<std::size_t>(dataBytes)]());
    if (!image) return false;

    std::uint8_t h[limits::kWaveHeaderSize];
    BuildWaveHeader(h, rate, bits, channelsMinus1 + 1, static_cast<std::uint32_t>(dataBytes),
                    static_cast<std::uint32_t>(headLen));
    std::memcpy(image.get(), h, static_cast<std::size_t>(headLen));

    m_pWaveImage = std::move(image);
    m_pWaveData = m_pWaveImage.get() + headLen;
    return true;
}

void CKymoDoc::SetWaveFormat(int headLen, int rate, int bits, int channelsMinus1, int dataBytes) {
    const int bytes = WaveBytesPerSample(bits);
    m_nChannel = channelsMinus1 + 1;
    m_nSamplesPerSec = rate;
    m_nBytesPerSec = rate * m_nChannel * bytes;
    m_nBlockSize = m_nChannel * bytes;
    m_nHeadSize = headLen;
    m_nWavDataSize = dataBytes;
    m_nWaveImageSize = headLen + dataBytes;
    m_nRiffSize = headLen + dataBytes - 8;
    m_nWavFormatType = 1;
    m_fWaveDt = rate > 0 ? 1.0f / static_cast<float>(rate) : 0.0f;
    m_fWaveFrames = m_nBlockSize > 0 ? static_cast<float>(dataBytes / m_nBlockSize) : 0.0f;
    m_nFrames = m_nBlockSize > 0 ? dataBytes / m_nBlockSize : 0;
}
