// The averaging pass of the file analyses: runs when the view draws a pending kind, walks the
// wave record by record and leaves the averaged result.
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/Coherence.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"
#include "dsp/PcmRecord.h"
#include "dsp/WindowKinds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr int kMaxRefreshes = 30;

const char* FirstTitle(int which, bool both) {
    switch (which) {
    case analysis::Spectrum:
        return both ? "[2chスペアナ表示]" : "[1chスペアナ表示]";
    case analysis::AutoCorr:
        return both ? "[2ch:自己相関表示]" : "[1ch:自己相関表示]";
    case analysis::CrossCorr:
        return "[相互相関表示]";
    default:
        return "[サーボ特性表示(伝達関数)]";
    }
}

const char* LaterTitle(int which) {
    return which == analysis::AutoCorr || which == analysis::CrossCorr
               ? "[???????]"
               : "[これを表示したらおかしい]";
}

// Sums of one pass: four N-point accumulators and the normalisers; for the transfer function
// also the auto and cross spectra of the coherence.
struct Accumulators {
    Accumulators(int n, bool spectra)
        : a(n), b(n), c(n), d(n), s11(spectra ? n : 0), s22(spectra ? n : 0),
          s12Re(spectra ? n : 0), s12Im(spectra ? n : 0) {}
    std::vector<double> a, b, c, d;
    std::vector<double> s11, s22, s12Re, s12Im;
    double norm1 = 0.0, norm2 = 0.0;
};

// Record samples of frames start ... start+n-1 of `channel` (1 or 2), times the window when one
// is given, as GetSample reads them (0 for any byte outside the image).
void ReadRecord(const CKymoDoc& doc, long long start, int channel, int n, const float* window,
                float* out) {
    const bool wide = doc.m_nBitsPerSample != 8;
    const long long stride = wide ? doc.m_nBlockSize : doc.m_nChannel;
    const long long first = doc.m_nHeadSize + start * stride + (channel - 1) * (wide ? 2 : 1);
    const long long last = first + (n - 1) * stride + (wide ? 1 : 0);
    if (start >= 0 && last < doc.m_nWaveImageSize && start + n <= INT32_MAX) {
        PcmRecordToFloat(doc.m_pWaveImage.get() + first, wide ? 16 : 8, static_cast<int>(stride), n,
                         window, out);
        return;
    }
    for (int i = 0; i < n; ++i) {
        const float x = static_cast<float>(doc.GetSample(static_cast<int>(start + i), channel));
        out[i] = window ? x * window[i] : x;
    }
}

} // namespace

int CKymoDoc::RunAveragingPass(int count, const std::function<void()>& refresh) {
    const int which = AnalysisOfPendingKind(disp_mode1);
    if (which < 0 || count <= 0 || !HasWave()) return 0;
    const int n = m_nPoints;
    count = std::min(count, AveragingMaxCount());
    if (count <= 0) return 0;

    const int channel = BaseChannel(disp_mode3);
    const bool twoSignals =
        which == analysis::CrossCorr || which == analysis::Transfer || channel == chan::Both;
    const int first =
        (which == analysis::Spectrum || which == analysis::AutoCorr) && channel == chan::Ch2 ? 2
                                                                                             : 1;
    const bool windowed = m_nWindowType >= wnd::Triangle && m_nWindowType <= wnd::Kaiser;

    disp_mode0 = subreq::ForwardResult;
    m_fDt = m_fWaveDt;
    RebuildTwiddleTables();
    m_ui.SetWaitCursor(true);
    m_averaging = AveragingProgress{};
    m_averaging.running = true;
    m_averaging.analysis = which;
    m_averaging.total = count;
    m_averaging.title = FirstTitle(which, channel == chan::Both);
    m_averaging.currentTitle = m_averaging.title;

    float* re = m_fRe.data();
    float* im = m_fIm.data();
    float* opRe = m_fOpRe.data();
    float* opIm = m_fOpIm.data();
    Accumulators acc(n, which == analysis::Transfer);
    m_nCoherenceKey = 0;

    const float* window = windowed ? m_fWindow.data() : nullptr;
    const auto readRecord = [&](int r) {
        const long long start = static_cast<long long>(r) * n;
        ReadRecord(*this, start, first, n, window, m_fWork1.data());
        std::copy_n(m_fWork1.begin(), n, m_fWave1.begin());
        if (twoSignals) {
            ReadRecord(*this, start, 2, n, window, m_fWork2.data());
            std::copy_n(m_fWork2.begin(), n, m_fWave2.begin());
        }
    };
    const auto transformRecord = [&] {
        FftRealRecord(m_nPow + 7, m_fWork1.data(), re, im);
        if (twoSignals) FftRealRecord(m_nPow + 7, m_fWork2.data(), opRe, opIm);
    };
    const auto accumulate = [&] {
        switch (which) {
        case analysis::Spectrum:
            for (int k = 0; k < n; ++k) {
                acc.a[k] += std::hypot(re[k], im[k]);
                if (twoSignals) acc.c[k] += std::hypot(opRe[k], opIm[k]);
            }
            break;
        case analysis::AutoCorr:
            for (int k = 0; k < n; ++k) {
                acc.a[k] += static_cast<double>(re[k]) * re[k] + static_cast<double>(im[k]) * im[k];
                if (twoSignals)
                    acc.c[k] += static_cast<double>(opRe[k]) * opRe[k] +
                                static_cast<double>(opIm[k]) * opIm[k];
            }
            acc.norm1 += PopulationVariance(m_fWork1.data(), n);
            if (twoSignals) acc.norm2 += PopulationVariance(m_fWork2.data(), n);
            break;
        case analysis::CrossCorr:
            for (int k = 0; k < n; ++k) {
                const double r1 = re[k], i1 = im[k], r2 = opRe[k], i2 = opIm[k];
                acc.a[k] += r1 * r2 + i1 * i2;
                acc.b[k] += r1 * i2 - i1 * r2;
            }
            acc.norm1 += std::sqrt(PopulationVariance(m_fWork1.data(), n)) *
                         std::sqrt(PopulationVariance(m_fWork2.data(), n));
            break;
        default:
            for (int k = 0; k < n; ++k) {
                const double r1 = re[k], i1 = im[k], r2 = opRe[k], i2 = opIm[k];
                acc.s11[k] += r1 * r1 + i1 * i1;
                acc.s22[k] += r2 * r2 + i2 * i2;
                acc.s12Re[k] += r1 * r2 + i1 * i2;
                acc.s12Im[k] += r1 * i2 - i1 * r2;
            }
            TransferRatio(re, im, opRe, opIm, n, re, im);
            for (int k = 0; k < n; ++k) {
                acc.a[k] += re[k];
                acc.b[k] += im[k];
            }
            break;
        }
    };
    // The average of `records` records into the result buffers.
    const auto storeAverage = [&](int records) {
        const double scale = 1.0 / records;
        switch (which) {
        case analysis::Spectrum:
            for (int k = 0; k < n; ++k) {
                re[k] = static_cast<float>(acc.a[k] * scale);
                im[k] = 0.0f;
                if (twoSignals) {
                    opRe[k] = static_cast<float>(acc.c[k] * scale);
                    opIm[k] = 0.0f;
                }
            }
            break;
        case analysis::AutoCorr:
            for (int k = 0; k < n; ++k) {
                re[k] = static_cast<float>(acc.a[k] * scale);
                im[k] = 0.0f;
            }
            CorrelationFromSpectrum(*this, re, im, acc.norm1 * scale, re);
            if (twoSignals) {
                for (int k = 0; k < n; ++k) {
                    opRe[k] = static_cast<float>(acc.c[k] * scale);
                    opIm[k] = 0.0f;
                }
                CorrelationFromSpectrum(*this, opRe, opIm, acc.norm2 * scale, opRe);
            }
            break;
        case analysis::CrossCorr:
            for (int k = 0; k < n; ++k) {
                re[k] = static_cast<float>(acc.a[k] * scale);
                im[k] = static_cast<float>(acc.b[k] * scale);
            }
            CorrelationFromSpectrum(*this, re, im, acc.norm1 * scale, re);
            break;
        default:
            for (int k = 0; k < n; ++k) {
                re[k] = static_cast<float>(acc.a[k] * scale);
                im[k] = static_cast<float>(acc.b[k] * scale);
            }
            break;
        }
    };

    const int shown = std::min(count, kMaxRefreshes);
    int nextShown = 1;
    bool stopped = false;
    for (int r = 0; r < count; ++r) {
        readRecord(r);
        transformRecord();
        accumulate();
        m_averaging.records = r + 1;
        if (r == nextShown * count / shown) {
            ++nextShown;
            storeAverage(r + 1);
            ++m_averaging.refreshes;
            if (m_averaging.refreshes == 2) m_averaging.currentTitle = LaterTitle(which);
            if (refresh) refresh();
        }
        if (!m_ui.ReportProgress(r + 1, count)) {
            stopped = true;
            break;
        }
    }
    m_averaging.running = false;
    if (stopped) {
        m_ui.SetWaitCursor(false);
        OnCancelAveraging();
        return 0;
    }

    storeAverage(count);
    switch (which) {
    case analysis::Spectrum:
        disp_mode1 = channel == chan::Both ? kind::Spectrum2 : kind::Spectrum1;
        break;
    case analysis::AutoCorr:
        disp_mode1 = channel == chan::Both ? kind::AutoCorr2 : kind::AutoCorr1;
        break;
    case analysis::CrossCorr:
        disp_mode1 = kind::CrossCorr;
        break;
    default: {
        std::vector<float> tRe(re, re + n), tIm(im, im + n);
        DocInverseFft(*this, tRe.data(), tIm.data());
        std::copy_n(tRe.begin(), n, m_fWave1.begin());
        std::copy_n(tRe.begin(), n, m_fWork1.begin());
        disp_mode1 = kind::Transfer;
        CoherenceFromSums(acc.s11.data(), acc.s22.data(), acc.s12Re.data(), acc.s12Im.data(), n,
                          m_fCoherence.data());
        m_nCoherenceKey = TransferFingerprint(*this);
        break;
    }
    }
    m_bRescale = 1;
    disp_mode2 = present::LogMagAuto;
    m_ui.SetWaitCursor(false);
    UpdateAllViews();
    return 1;
}
