// The servo calculator's measurement-data files: the initial response and the operand read
// from a file, with the length adaptation between records of different N.
#include "document/AnalysisMessages.h"
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/HistoryEntry.h"
#include "document/MeasurementFile.h"
#include "dsp/Dft.h"
#include "dsp/ServoElements.h"

#include <algorithm>
#include <vector>

namespace {

// Stretches a complex record of `from` points to `to` points (to > from) through the time
// domain: unscaled inverse Dft, times to/from, zero-filled with the negative-time half moved to
// the end, then the forward Dft of length `to`. `time`, when given, receives the scaled
// impulse response of `from` points. 0 when a Dft could not be set up.
int StretchRecord(float* re, float* im, int from, int to, float* time1, float* time2) {
    Dft dft;
    DftPlan plan;
    if (dft.Init(plan, from, from) != 0) {
        dft.Free(plan);
        return 0;
    }
    dft.Transform(plan, 1, re, im);
    dft.Free(plan);
    const float scale = static_cast<float>(to) / static_cast<float>(from);
    for (int i = 0; i < from; ++i) {
        re[i] *= scale;
        im[i] = 0.0f;
        if (time1) time1[i] = re[i];
        if (time2) time2[i] = re[i];
    }
    std::fill(re + from, re + to, 0.0f);
    std::fill(im + from, im + to, 0.0f);
    const int half = from / 2;
    for (int i = 0; i < half; ++i) {
        re[to - half + i] = re[from - half + i];
        re[from - half + i] = 0.0f;
    }
    if (dft.Init(plan, to, to) != 0) {
        dft.Free(plan);
        return 0;
    }
    dft.Transform(plan, 0, re, im);
    dft.Free(plan);
    return 1;
}

} // namespace

int CKymoDoc::OnInitFromFile() {
    const auto path = m_ui.AskOpenFileName("Read Initial File", oprmsg::kOpenFilter);
    if (!path || path->empty()) return 0;
    MeasurementTarget t;
    t.wave1 = m_fWave1.data();
    t.wave2 = m_fWave2.data();
    t.a = m_fRe.data();
    t.b = m_fIm.data();
    t.c = m_fOpRe.data();
    t.d = m_fOpIm.data();
    if (!ReadMeasurementPath(m_ui, *path, t)) return 0;
    TakeMeasurementFrame(*this, t);
    disp_mode1 = t.kind;
    switch (t.kind) {
    case kind::Spectrum:
        AddHistory(MakeHistoryEntry("Read Initial File", 0.0f, 0.0f, "--", *path));
        disp_mode0 = subreq::ForwardResult;
        MakeImpulseResponse();
        break;
    case kind::Scope:
        ApplyScopeFileValues(*this, t.scope);
        break;
    case kind::Spectrum1:
    case kind::AutoCorr1:
        disp_mode3 = chan::Ch1;
        break;
    case kind::Spectrum2:
    case kind::AutoCorr2:
        disp_mode3 = chan::Both;
        break;
    default:
        break;
    }
    UpdateAllViews();
    return 1;
}

int CKymoDoc::ReadServoOperandFile() {
    const auto path = m_ui.AskOpenFileName("Read Temp. File", oprmsg::kOpenFilter);
    if (!path || path->empty()) return 0;
    // Read into scratch records first: only a complex record may replace the operand.
    std::vector<float> w1(limits::kWaveCapacity), w2(limits::kWaveCapacity);
    std::vector<float> a(limits::kComplexCapacity), b(limits::kComplexCapacity);
    std::vector<float> c(limits::kComplexCapacity), d(limits::kComplexCapacity);
    MeasurementTarget t;
    t.wave1 = w1.data();
    t.wave2 = w2.data();
    t.a = a.data();
    t.b = b.data();
    t.c = c.data();
    t.d = d.data();
    if (!ReadMeasurementPath(m_ui, *path, t)) return 0;
    if (t.kind != kind::Spectrum) {
        m_ui.ShowMessage(msg::kOtherDataFormat, MessageIcon::Error);
        return 0;
    }
    disp_mode1 = kind::Spectrum;
    if (t.dt != m_fDt) {
        m_ui.ShowMessage(msg::kSamplingMismatch);
        return 0;
    }
    const int nc = m_nPoints;
    const int nf = t.n;
    std::copy_n(a.begin(), nf, m_fOpRe.begin());
    std::copy_n(b.begin(), nf, m_fOpIm.begin());
    int status = 1;
    if (nf < nc) {
        m_ui.ShowMessage(msg::kFileShorter);
        status =
            StretchRecord(m_fOpRe.data(), m_fOpIm.data(), nf, nc, m_fWave1.data(), m_fWork1.data());
    } else if (nf > nc) {
        m_ui.ShowMessage(msg::kFileLonger);
        status = StretchRecord(m_fRe.data(), m_fIm.data(), nc, nf, nullptr, nullptr);
        SetPow(t.pow);
    }
    if (!status) {
        m_ui.ShowMessage(msg::kDftInitFailed);
        return 0;
    }
    m_strServoOperandFile = *path;
    return 1;
}

void CKymoDoc::CombineServoFile(int op) {
    if (op == servo_op::Cancelled) return;
    CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), m_nPoints, op);
    FinishServo(MakeHistoryEntry("Read Temp. File", 0.0f, 0.0f, ServoOperationLabel(op),
                                 m_strServoOperandFile));
}
