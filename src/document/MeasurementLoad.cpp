// Measurement-data files read into the document: File Open and the servo commands' reader.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/MeasurementFile.h"

#include <algorithm>

void TakeMeasurementFrame(CKymoDoc& doc, const MeasurementTarget& t) {
    if (t.n != PointsForPow(t.pow)) {
        // An oscilloscope sweep: no transform works on it, the tables stay.
        doc.m_nPow = t.pow;
        doc.m_nPoints = t.n;
    } else if (doc.m_nPow != t.pow || doc.m_nPoints != t.n) {
        doc.SetPow(t.pow);
    } else {
        doc.RebuildTwiddleTables();
    }
    doc.m_fDt = t.dt;
}

int ApplyScopeFileValues(CKymoDoc& doc, const ScopeFileValues& v) {
    doc.m_nScopeShow = v.show;
    doc.m_scope.m_nRangeExp1 = v.rangeExp1;
    doc.m_scope.m_nRangeExp2 = v.rangeExp2;
    doc.m_scope.m_nPosStep1 = v.posStep1;
    doc.m_scope.m_nPosStep2 = v.posStep2;
    doc.m_scope.Derive();
    switch (v.show) {
    case 1:
        doc.m_bScopeCh1 = 1;
        doc.m_bScopeCh2 = 0;
        doc.m_bScopeXY = 0;
        return 1;
    case 2:
    case 8:
        doc.m_bScopeCh1 = 1;
        doc.m_bScopeCh2 = 1;
        doc.m_bScopeXY = 0;
        return 1;
    case 3:
        doc.m_bScopeCh1 = 0;
        doc.m_bScopeCh2 = 1;
        doc.m_bScopeXY = 0;
        return 1;
    case 4:
        doc.m_bScopeXY = 1;
        return 1;
    default:
        doc.Ui().ShowMessage(oprmsg::kScopeModeError, MessageIcon::Error);
        return 0;
    }
}

int ReadMeasurementData(CKymoDoc& doc, const std::vector<std::uint8_t>& bytes,
                        const std::string& path) {
    MeasurementTarget t;
    t.wave1 = doc.m_fWave1.data();
    t.wave2 = doc.m_fWave2.data();
    t.a = doc.m_fRe.data();
    t.b = doc.m_fIm.data();
    t.c = doc.m_fOpRe.data();
    t.d = doc.m_fOpIm.data();
    if (!ParseMeasurementBytes(doc.Ui(), path, bytes, t)) return 0;
    TakeMeasurementFrame(doc, t);
    doc.disp_mode1 = t.kind;
    const int n = t.n;
    switch (t.kind) {
    case kind::Spectrum: {
        // Impulse response: unscaled inverse of the spectrum, real part.
        std::copy_n(doc.m_fRe.begin(), n, doc.m_fWave1.begin());
        std::copy_n(doc.m_fIm.begin(), n, doc.m_fWork1.begin());
        doc.FftBitReverse(n, doc.m_fWave1.data(), doc.m_fWork1.data());
        doc.FftButterflies(doc.m_nPow + 7, 2, doc.m_fWave1.data(), doc.m_fWork1.data());
        std::copy_n(doc.m_fWave1.begin(), n, doc.m_fWork1.begin());
        doc.disp_mode0 = subreq::ForwardResult;
        break;
    }
    case kind::Scope:
        ApplyScopeFileValues(doc, t.scope);
        break;
    case kind::Spectrum1:
    case kind::AutoCorr1:
        doc.disp_mode3 = chan::Ch1;
        break;
    case kind::Spectrum2:
    case kind::AutoCorr2:
        doc.disp_mode3 = chan::Both;
        break;
    default:
        break;
    }
    return 1;
}

int ReadMeasurementFile(CKymoDoc& doc, const std::string& title, int& kind, float* a, float* b,
                        float* c, float* d) {
    const auto path = doc.Ui().AskOpenFileName(title, oprmsg::kOpenFilter);
    if (!path || path->empty()) return 0;
    MeasurementTarget t;
    t.wave1 = doc.m_fWave1.data();
    t.wave2 = doc.m_fWave2.data();
    t.a = a;
    t.b = b;
    t.c = c;
    t.d = d;
    if (!ReadMeasurementPath(doc.Ui(), *path, t)) return 0;
    TakeMeasurementFrame(doc, t);
    if (t.kind == kind::Scope) {
        doc.m_nScopeShow = t.scope.show;
        doc.m_scope.m_nRangeExp1 = t.scope.rangeExp1;
        doc.m_scope.m_nRangeExp2 = t.scope.rangeExp2;
        doc.m_scope.m_nPosStep1 = t.scope.posStep1;
        doc.m_scope.m_nPosStep2 = t.scope.posStep2;
    }
    kind = t.kind;
    return 1;
}
