#include "realtime/FreeFilterTool.h"

#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "dsp/Dft.h"
#include "dsp/Fft.h"
#include "dsp/WindowKinds.h"
#include "realtime/RtMessages.h"
#include "sound/RealtimeCodes.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

double freegrid::FrequencyOfX(double x) {
    return std::pow(10.0, 1.0 + x / kPixelsPerDecade);
}

double freegrid::XOfFrequency(double f) {
    return kPixelsPerDecade * (std::log10(f) - 1.0);
}

double freegrid::LevelOfY(double y, double top, double range) {
    return top - range + (kBottom - y) * range / (kBottom - kTop + 0.0);
}

double freegrid::YOfLevel(double db, double top, double range) {
    return kBottom - (db - (top - range)) * (kBottom - kTop) / range;
}

CFreeFilterTool::CFreeFilterTool(CKymoDoc& doc, ISoundCard& card) : CRtFirTool(doc, card) {
    m_engine->SetPeakMeters(true);
}

void CFreeFilterTool::Discard() {
    StopSound();
    m_points.clear();
    m_bDrawing = false;
    m_bFinished = false;
    m_bDesigned = false;
    m_taps.clear();
}

void CFreeFilterTool::OnLeftSide(double y) {
    StopSound();
    m_points.clear();
    m_points.push_back({freegrid::kLeft, y});
    m_bDrawing = true;
    m_bFinished = false;
}

bool CFreeFilterTool::OnClick(double x, double y) {
    if (!m_bDrawing) return false;
    if (static_cast<int>(m_points.size()) >= freegrid::kMaxPoints) {
        m_doc.Ui().ShowMessage(rtmsg::kTooManyPoints);
        OnLeftSide(m_points.front().y);
        return false;
    }
    if (!(x > m_points.back().x) || !(x > 2.0 && x <= freegrid::kRight) ||
        !(y > 22.0 && y <= freegrid::kBottom))
        return false;
    m_points.push_back({x, y});
    return true;
}

bool CFreeFilterTool::OnRightSide(double y) {
    if (!m_bDrawing) {
        m_doc.Ui().ShowMessage(rtmsg::kNotDrawing);
        return false;
    }
    if (!(y >= freegrid::kTop && y <= freegrid::kBottom)) return false;
    if (m_points.back().x >= freegrid::kRight) m_points.pop_back();
    m_points.push_back({freegrid::kRight, y});
    m_bDrawing = false;
    m_bFinished = true;
    m_doc.disp_mode0 = subreq::ForwardResult;
    m_doc.disp_mode1 = kind::Spectrum;
    const int fs = Rate();
    m_doc.m_nMeasRate = RtMeasRateOfIndex(RateIndex());
    m_doc.m_nSamplesPerSec = fs;
    m_doc.m_fDt = 1.0f / static_cast<float>(fs);
    std::vector<double> taps;
    m_bDesigned = DesignAt(fs, taps);
    if (m_bDesigned) {
        m_taps = std::move(taps);
        m_doc.UpdateAllViews();
    }
    return m_bDesigned;
}

void CFreeFilterTool::SetWindowEntry(int entry) {
    m_nWindowEntry = std::clamp(entry, 0, rtwindow::kCount - 1);
    if (!m_bFinished) return;
    StopSound();
    std::vector<double> taps;
    m_bDesigned = DesignAt(Rate(), taps);
    if (m_bDesigned) m_taps = std::move(taps);
}

void CFreeFilterTool::OnGridTopSpin(int delta) {
    m_nTop = std::clamp(m_nTop + 10 * delta, -50, 50);
    Discard();
}

void CFreeFilterTool::OnGridRangeSpin(int delta) {
    m_nRange = std::clamp(m_nRange + 10 * delta, 10, 200);
    Discard();
}

namespace {

// Unscaled inverse DFT of n points in place: the radix-2 transform inside the Dft engine for a
// power of two (exact for a flat response), the chirp Dft for any other length. False when the
// plan cannot be made.
bool InverseTransform(std::vector<float>& re, std::vector<float>& im) {
    const int n = static_cast<int>(re.size());
    DftPlan plan;
    if ((n & (n - 1)) == 0) {
        Fft fft;
        if (fft.Init(plan, n) != 0) return false;
        fft.Transform(plan, 1, re.data(), im.data());
        fft.Free(plan);
        return true;
    }
    Dft dft;
    if (dft.Init(plan, n, n) != 0) {
        dft.Free(plan);
        return false;
    }
    dft.Transform(plan, 1, re.data(), im.data());
    dft.Free(plan);
    return true;
}

} // namespace

bool CFreeFilterTool::DesignAt(int fs, std::vector<double>& taps) {
    IDocumentUi& ui = m_doc.Ui();
    const int n = m_nTaps;
    if (n < freegrid::kMinTaps || n > freegrid::kMaxTaps) {
        ui.ShowMessage(rtmsg::kFreeTapRange);
        return false;
    }
    if (m_points.size() < 2) return false;
    m_doc.m_nPoints = n;
    const int windowKind = m_nWindowEntry + 1;
    m_doc.MakeWindow(0, m_doc.m_bFromToolbar, windowKind, n);
    const std::vector<float> w(m_doc.m_fWindow.begin(), m_doc.m_fWindow.begin() + n);

    // Desired response: the drawn curve at the bins 1 ... N/2 - 1, then the mirror.
    std::vector<float> re(static_cast<std::size_t>(n), 0.0f), im(static_cast<std::size_t>(n), 0.0f);
    const double x0 = m_points.front().x;
    const double T = m_nTop, R = m_nRange;
    for (int i = 1; i < n / 2; ++i) {
        const double phi = std::log10(static_cast<double>(fs) * i / n) - 1.0;
        for (std::size_t j = 0; j + 1 < m_points.size(); ++j) {
            const FreePoint& a = m_points[j];
            const FreePoint& b = m_points[j + 1];
            if (!((b.x - x0) / freegrid::kPixelsPerDecade + 0.031 > phi)) continue;
            const double y =
                a.y + (b.y - a.y) / (b.x - a.x) * (freegrid::kPixelsPerDecade * phi - a.x);
            const double level =
                T - R - (y - freegrid::kBottom) * R / (freegrid::kBottom - freegrid::kTop);
            re[i] = static_cast<float>(std::pow(10.0, 0.05 * level));
            break;
        }
    }
    re[0] = re[n - 1] = re[1];
    for (int i = 1; i < n / 2; ++i) {
        re[n - 1 - i] = re[i];
        im[n - 1 - i] = -im[i];
    }
    std::copy(re.begin(), re.end(), m_doc.m_fRe.begin());
    std::copy(im.begin(), im.end(), m_doc.m_fIm.begin());

    if (!InverseTransform(re, im)) {
        ui.ShowMessage(rtmsg::kIdftInitFailed);
        return false;
    }
    std::copy(re.begin(), re.end(), m_doc.m_fWave1.begin());
    taps.assign(static_cast<std::size_t>(n), 0.0);
    const int half = n / 2;
    for (int k = 0; k < n; ++k) {
        taps[k] = static_cast<double>(w[k]) * re[(k + half) % n] / n;
        m_doc.m_fWork1[k] = re[k] * w[(k + half) % n] / n;
    }
    return true;
}

bool CFreeFilterTool::DesignTaps(int fs, std::vector<double>& taps) {
    if (!m_bDesigned) {
        m_doc.Ui().ShowMessage(rtmsg::kFreeNoDesign);
        return false;
    }
    return DesignAt(fs, taps);
}

void CFreeFilterTool::AfterDesign() {
    // The monitor's window and transform for the N points of the design.
    m_doc.MakeWindow(0, 0, wnd::Kaiser, m_doc.m_nPoints);
    m_doc.RebuildTwiddleTables();
    m_nDisplay = rtdisplay::Monitor;
    m_engine->SetMonitorCode(realtime::kFilterSpectrum);
}

int CFreeFilterTool::OnSave() {
    if (!m_bDesigned || m_taps.empty()) {
        m_doc.Ui().ShowMessage(rtmsg::kFreeNoDesign);
        return 0;
    }
    return WriteTaps("Empty");
}

std::string CFreeFilterTool::ConvolutionText() const {
    char text[64];
    std::snprintf(text, sizeof text, "Conv_Time=%5.3fms", m_engine->FilterMilliseconds());
    return text;
}

std::string CFreeFilterTool::RemainingText() const {
    if (m_bDrawing) {
        char text[96];
        std::snprintf(text, sizeof text, "あと残すところ%dﾎﾟｲﾝﾄです。",
                      freegrid::kMaxPoints - static_cast<int>(m_points.size()));
        return text;
    }
    return m_bDesigned ? "Listen to your Sound!!!" : "";
}

std::string CFreeFilterTool::TapCountText() const {
    char text[48];
    std::snprintf(text, sizeof text, "Coef=%d個", m_nTaps);
    return text;
}
