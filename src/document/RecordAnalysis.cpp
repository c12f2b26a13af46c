// File analyses of the single record the document holds (a cut record or an inverse transform).
#include "document/AnalysisMath.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/FileAnalysis.h"

#include <algorithm>
#include <cmath>

namespace {

// |X| of a transformed record into re, im cleared.
void MagnitudeInPlace(float* re, float* im, int n) {
    for (int k = 0; k < n; ++k) {
        re[k] = std::hypot(re[k], im[k]);
        im[k] = 0.0f;
    }
}

// Power spectrum |X|^2 into re, im cleared.
void PowerInPlace(float* re, float* im, int n) {
    for (int k = 0; k < n; ++k) {
        re[k] = re[k] * re[k] + im[k] * im[k];
        im[k] = 0.0f;
    }
}

} // namespace

void CKymoDoc::OnAnalyseRecord(int which) {
    const int n = m_nPoints;
    const bool single = disp_mode1 == kind::TimeRecord || disp_mode1 == kind::CutOneChannel;
    const bool both = disp_mode1 == kind::CutTwoChannels;
    float* re = m_fRe.data();
    float* im = m_fIm.data();
    float* opRe = m_fOpRe.data();
    float* opIm = m_fOpIm.data();
    const auto loadCh1 = [&] {
        std::copy_n(m_fWork1.begin(), n, re);
        std::fill_n(im, n, 0.0f);
    };
    const auto loadCh2 = [&] {
        std::copy_n(m_fWork2.begin(), n, m_fWave2.begin());
        std::copy_n(m_fWork2.begin(), n, opRe);
        std::fill_n(opIm, n, 0.0f);
    };

    RebuildTwiddleTables();
    bool done = true;
    if (which == analysis::Spectrum && (single || both)) {
        // The time traces shown with the spectrum are the records transformed (windowed when
        // a window was applied), for both channels alike.
        std::copy_n(m_fWork1.begin(), n, m_fWave1.begin());
        loadCh1();
        DocForwardFft(*this, re, im);
        MagnitudeInPlace(re, im, n);
        if (both) {
            loadCh2();
            DocForwardFft(*this, opRe, opIm);
            MagnitudeInPlace(opRe, opIm, n);
        }
        disp_mode1 = both ? kind::Spectrum2 : kind::Spectrum1;
        disp_mode3 = both ? chan::Both : chan::Ch1;
    } else if (which == analysis::AutoCorr && (single || both)) {
        const double var1 = PopulationVariance(m_fWork1.data(), n);
        loadCh1();
        DocForwardFft(*this, re, im);
        PowerInPlace(re, im, n);
        CorrelationFromSpectrum(*this, re, im, var1, re);
        if (both) {
            const double var2 = PopulationVariance(m_fWork2.data(), n);
            loadCh2();
            DocForwardFft(*this, opRe, opIm);
            PowerInPlace(opRe, opIm, n);
            CorrelationFromSpectrum(*this, opRe, opIm, var2, opRe);
        }
        disp_mode1 = both ? kind::AutoCorr2 : kind::AutoCorr1;
        disp_mode3 = both ? chan::Both : chan::Ch1;
    } else if (which == analysis::CrossCorr && both) {
        const double sd = std::sqrt(PopulationVariance(m_fWork1.data(), n)) *
                          std::sqrt(PopulationVariance(m_fWork2.data(), n));
        loadCh1();
        loadCh2();
        DocForwardFft(*this, re, im);
        DocForwardFft(*this, opRe, opIm);
        for (int k = 0; k < n; ++k) { // conj(X1) X2
            const float r = re[k] * opRe[k] + im[k] * opIm[k];
            const float i = re[k] * opIm[k] - im[k] * opRe[k];
            re[k] = r;
            im[k] = i;
        }
        CorrelationFromSpectrum(*this, re, im, sd, re);
        disp_mode1 = kind::CrossCorr;
        disp_mode3 = chan::Both;
    } else if (which == analysis::Transfer && both) {
        disp_mode0 = subreq::HeaderDrawn;
        loadCh1();
        std::copy_n(m_fWork1.begin(), n, m_fWave1.begin());
        loadCh2();
        DocForwardFft(*this, re, im);
        DocForwardFft(*this, opRe, opIm);
        TransferRatio(re, im, opRe, opIm, n, re, im);
        std::copy_n(re, n, opRe);
        std::copy_n(im, n, opIm);
        DocInverseFft(*this, opRe, opIm);
        std::copy_n(opRe, n, m_fWave1.begin());
        std::copy_n(opRe, n, m_fWork1.begin());
        std::fill_n(opRe, n, 0.0f);
        std::fill_n(opIm, n, 0.0f);
        disp_mode1 = kind::Transfer;
    } else {
        done = false;
    }
    if (done) {
        m_bRescale = 1;
        if (which != analysis::Transfer) m_bMemoryStored = 0;
    }
    UpdateAllViews();
}
