#include "sound/settings/OffsetAdjuster.h"

#include "document/CKymoDoc.h"
#include "sound/engine/SoundDuplex.h"
#include "sound/settings/MeasMessages.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr int kChannels = 2;
constexpr int kMs8 = 2000, kMs16 = 3000;

// Percent of full scale, truncated to thousandths, of the mean sample of `channel` (0 or 1).
float OffsetPercent(const std::vector<std::uint8_t>& block, int bits, int channel) {
    const std::size_t align = static_cast<std::size_t>(kChannels * bits / 8);
    const std::size_t frames = block.size() / align;
    if (frames == 0) return 0.0f;
    double sum = 0.0;
    for (std::size_t f = 0; f < frames; ++f) {
        const std::uint8_t* p = block.data() + f * align;
        if (bits == 8) {
            sum += p[channel] - 128;
        } else {
            const std::uint8_t* s = p + 2 * channel;
            sum += static_cast<std::int16_t>(static_cast<std::uint16_t>(s[0] | (s[1] << 8)));
        }
    }
    const double mean = sum / static_cast<double>(frames);
    const double full = bits == 8 ? 128.0 : 32768.0;
    return static_cast<float>(std::trunc(mean * 100000.0 / full) / 1000.0);
}
} // namespace

// The input-only engine of an adjustment: counts the buffers and keeps a copy of the first five.
class COffsetAdjuster::CCapture : public SoundDuplex {
public:
    CCapture(ISoundCard& card, CKymoDoc& doc, COffsetAdjuster& owner)
        : SoundDuplex(card, doc), m_owner(owner) {
        SetVariant(SoundVariant::InputOnly);
    }

    bool Begin(int bits) {
        m_nBits = bits;
        m_nCounter = 0;
        if (!initRSound(kRate, bits, kChannels, bits == 8 ? kMs8 : kMs16)) return false;
        m_work.assign(BufferBytes(), 0);
        return StartRSound() != 0;
    }
    int Counter() const { return m_nCounter; }
    bool Finished() const { return m_nCounter > kBuffersKept; }

protected:
    void FillBuffers(int, std::uint8_t* in, std::uint8_t*, std::uint32_t len) override {
        ++m_nCounter;
        if (m_nCounter > kBuffersKept) return;
        std::memcpy(m_work.data(), in, std::min<std::size_t>(len, m_work.size()));
        m_owner.m_nProgress = kProgressStep * m_nCounter;
        if (m_nCounter == kBuffersKept) {
            m_owner.Value(m_nBits, 1) = OffsetPercent(m_work, m_nBits, 0);
            m_owner.Value(m_nBits, 2) = OffsetPercent(m_work, m_nBits, 1);
        }
    }

private:
    COffsetAdjuster& m_owner;
    std::vector<std::uint8_t> m_work;
    int m_nBits = 16;
    int m_nCounter = 0;
};

COffsetAdjuster::COffsetAdjuster(CKymoDoc& doc, ISoundCard& card)
    : m_doc(doc), m_capture(std::make_unique<CCapture>(card, doc, *this)),
      m_fOffset8L(doc.m_fOffset8L), m_fOffset8R(doc.m_fOffset8R), m_fOffset16L(doc.m_fOffset16L),
      m_fOffset16R(doc.m_fOffset16R) {}

COffsetAdjuster::~COffsetAdjuster() {
    StopCapture();
}

SoundDuplex& COffsetAdjuster::Engine() {
    return *m_capture;
}

bool COffsetAdjuster::IsAdjusting() const {
    return m_capture->IsRunning();
}

int COffsetAdjuster::BufferCounter() const {
    return m_capture->Counter();
}

float& COffsetAdjuster::Value(int bits, int channel) {
    if (bits == 8) return channel == 2 ? m_fOffset8R : m_fOffset8L;
    return channel == 2 ? m_fOffset16R : m_fOffset16L;
}

float COffsetAdjuster::Offset(int bits, int channel) const {
    return const_cast<COffsetAdjuster*>(this)->Value(bits, channel);
}

std::string COffsetAdjuster::OffsetText(int bits, int channel) const {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(Offset(bits, channel)));
    return text;
}

bool COffsetAdjuster::OnStart(int bits) {
    if (IsAdjusting()) {
        m_doc.Ui().ShowMessage(measmsg::kOffsetRunning);
        return false;
    }
    m_nProgress = 0;
    if (!m_capture->Begin(bits == 8 ? 8 : 16)) {
        m_capture->StopRSound();
        m_doc.Ui().ShowMessage(measmsg::kOffsetRunning);
        return false;
    }
    return true;
}

void COffsetAdjuster::OnDefaults() {
    m_fOffset8L = m_fOffset8R = m_fOffset16L = m_fOffset16R = 0.0f;
}

void COffsetAdjuster::StopCapture() {
    m_capture->StopRSound();
}

void COffsetAdjuster::Close() {
    StopCapture();
    m_doc.m_fOffset8L = m_fOffset8L;
    m_doc.m_fOffset8R = m_fOffset8R;
    m_doc.m_fOffset16L = m_fOffset16L;
    m_doc.m_fOffset16R = m_fOffset16R;
}

void COffsetAdjuster::Cancel() {
    StopCapture();
}

int COffsetAdjuster::DispatchCompletions() {
    const int delivered = m_capture->DispatchCompletions();
    if (m_capture->Finished() && m_capture->IsRunning()) StopCapture();
    return delivered;
}

bool COffsetAdjuster::RunOnce(std::chrono::milliseconds timeout) {
    const bool any = m_capture->RunOnce(timeout);
    if (m_capture->Finished() && m_capture->IsRunning()) StopCapture();
    return any;
}
