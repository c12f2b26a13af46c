#include "document/Coherence.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/ExportFiles.h"
#include "document/ExportMessages.h"
#include "document/ResponseText.h"

#include <cstring>

namespace {

constexpr std::uint64_t kFnvOffset = 14695981039346656037ull;
constexpr std::uint64_t kFnvPrime = 1099511628211ull;

void Mix(std::uint64_t& h, const void* data, std::size_t bytes) {
    const auto* p = static_cast<const unsigned char*>(data);
    for (std::size_t i = 0; i < bytes; ++i) {
        h ^= p[i];
        h *= kFnvPrime;
    }
}

} // namespace

void CoherenceFromSums(const double* s11, const double* s22, const double* s12Re,
                       const double* s12Im, int n, float* out) {
    for (int k = 0; k < n; ++k) {
        const double denominator = s11[k] * s22[k];
        const double cross = s12Re[k] * s12Re[k] + s12Im[k] * s12Im[k];
        out[k] = denominator > 0.0 ? static_cast<float>(cross / denominator) : 0.0f;
    }
}

std::uint64_t TransferFingerprint(const CKymoDoc& doc) {
    const int n = doc.m_nPoints;
    std::uint64_t h = kFnvOffset;
    Mix(h, &n, sizeof n);
    Mix(h, &doc.m_fDt, sizeof doc.m_fDt);
    Mix(h, doc.m_fRe.data(), sizeof(float) * static_cast<std::size_t>(n));
    Mix(h, doc.m_fIm.data(), sizeof(float) * static_cast<std::size_t>(n));
    return h == 0 ? 1 : h;
}

bool CKymoDoc::HasCoherence() const {
    return disp_mode1 == kind::Transfer && m_nCoherenceKey != 0 &&
           m_nCoherenceKey == TransferFingerprint(*this);
}

void CKymoDoc::OnToggleCoherence() {
    m_bShowCoherence = m_bShowCoherence ? 0 : 1;
    UpdateAllViews();
}

int WriteCoherenceCsv(CKymoDoc& doc, const std::string& path) {
    if (!doc.HasCoherence()) {
        doc.Ui().ShowMessage(xmsg::kNoCoherence, MessageIcon::Error);
        return 0;
    }
    const int n = doc.m_nPoints;
    const double rate = SamplingRateOf(doc.m_fDt);
    std::string text = "frequency,coherence\r\n";
    for (int k = 1; k <= n / 2; ++k) {
        text += FixedNumber(k * rate / n, 6);
        text += ',';
        text += FixedNumber(doc.m_fCoherence[static_cast<std::size_t>(k)], 6);
        text += "\r\n";
    }
    return WriteExportFile(doc.Ui(), path, text);
}
