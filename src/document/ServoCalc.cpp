// The servo-loop calculator: initial gain, model elements, loop transforms and the memory.
#include "document/CKymoDoc.h"
#include "document/DataKinds.h"
#include "document/HistoryEntry.h"
#include "dsp/ServoElements.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string FormatNote(const char* format, double a, double b, double c = 0.0, double d = 0.0) {
    char text[256];
    std::snprintf(text, sizeof text, format, a, b, c, d);
    return text;
}

} // namespace

void CKymoDoc::FinishServo(const HistoryEntry& entry) {
    MakeImpulseResponse();
    AddHistory(entry);
    UpdateAllViews();
}

void CKymoDoc::OnInitGain(int pow, double fs) {
    SetPow(pow);
    m_fDt = static_cast<float>(1.0 / fs);
    disp_mode0 = subreq::ForwardResult;
    disp_mode1 = kind::Spectrum;
    std::fill_n(m_fRe.begin(), m_nPoints, 1.0f);
    std::fill_n(m_fIm.begin(), m_nPoints, 0.0f);
    FinishServo(MakeHistoryEntry("初期設定", 1.0f, 0.0f, "NOP", " "));
}

void CKymoDoc::OnServoGain(double gain, int op) {
    const int n = m_nPoints;
    std::fill_n(m_fOpRe.begin(), n, static_cast<float>(gain));
    std::fill_n(m_fOpIm.begin(), n, 0.0f);
    for (int k = 0; k < n; ++k) {
        switch (op) {
        case servo_op::Add:
            m_fRe[k] = static_cast<float>(m_fRe[k] + gain);
            break;
        case servo_op::Subtract:
            m_fRe[k] = static_cast<float>(m_fRe[k] - gain);
            break;
        case servo_op::Multiply:
            m_fRe[k] = static_cast<float>(m_fRe[k] * gain);
            m_fIm[k] = static_cast<float>(m_fIm[k] * gain);
            break;
        case servo_op::Divide:
            m_fRe[k] = static_cast<float>(m_fRe[k] / gain);
            m_fIm[k] = static_cast<float>(m_fIm[k] / gain);
            break;
        default:
            return;
        }
    }
    FinishServo(
        MakeHistoryEntry("ゲイン", static_cast<float>(gain), 0.0f, ServoOperationLabel(op), " "));
}

void CKymoDoc::OnServoIntegral(double gain, double f0kHz, int op) {
    const int n = m_nPoints;
    const double numerator = 10000.0 * f0kHz * gain * n * static_cast<double>(m_fDt);
    MakeTenthBinLag(m_fOpRe.data(), m_fOpIm.data(), n, numerator);
    CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n, op);
    FinishServo(MakeHistoryEntry("積分", static_cast<float>(gain), static_cast<float>(f0kHz),
                                 ServoOperationLabel(op), " "));
}

void CKymoDoc::OnServoDerivative(double gain, double f0kHz, int op) {
    const int n = m_nPoints;
    if (op == servo_op::Add || op == servo_op::Subtract) {
        MakeDerivativeLine(m_fOpRe.data(), m_fOpIm.data(), n, m_fDt, gain, f0kHz);
        CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n, op);
    } else if (op == servo_op::Multiply || op == servo_op::Divide) {
        // E is the reciprocal of the derivative: multiplying by the derivative divides by E.
        const double u = 10000.0 * f0kHz * n * static_cast<double>(m_fDt) / gain;
        MakeTenthBinLag(m_fOpRe.data(), m_fOpIm.data(), n, u);
        CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n,
                         op == servo_op::Multiply ? servo_op::Divide : servo_op::Multiply);
    }
    FinishServo(MakeHistoryEntry("微分", static_cast<float>(gain), static_cast<float>(f0kHz),
                                 ServoOperationLabel(op), " "));
}

void CKymoDoc::OnServoLagLead(double a, double b, double c, double d, int op) {
    const int n = m_nPoints;
    MakeLagLead(m_fOpRe.data(), m_fOpIm.data(), n, m_fDt, a, b, c, d);
    CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n, op);
    FinishServo(MakeHistoryEntry("ﾗｸﾞﾘｰﾄﾞ", 0.0f, 0.0f, ServoOperationLabel(op),
                                 FormatNote("a=%f b=%f c=%f d=%f", a, b, c, d)));
}

void CKymoDoc::OnServoResonance(const ResonanceSettings& settings, int op) {
    const int n = m_nPoints;
    const ResonanceModel model = MakeResonanceModel(settings);
    MakeResonance(m_fOpRe.data(), m_fOpIm.data(), n, m_fDt, model);
    if (op == servo_op::Cancelled) return;
    CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n, op);
    char note[256];
    if (settings.byAcceleration)
        std::snprintf(note, sizeof note, "Q0=%f[dB]　ACC_Gain=%f at%f[Hz]", settings.q0dB,
                      settings.A, settings.fa);
    else
        std::snprintf(note, sizeof note, "Q0=%f[dB]　f0=%f[Hz]", settings.q0dB, settings.f0);
    FinishServo(MakeHistoryEntry("2次自由振動", static_cast<float>(settings.K), 0.0f,
                                 ServoOperationLabel(op), note));
}

void CKymoDoc::OnOpenLoop() {
    OpenLoop(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), m_nPoints);
    FinishServo(MakeHistoryEntry("Open", 0.0f, 0.0f, "Open特性", " "));
}

void CKymoDoc::OnClosedLoop() {
    ClosedLoop(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), m_nPoints);
    FinishServo(MakeHistoryEntry("Closed", 0.0f, 0.0f, "Close特性", " "));
}

void CKymoDoc::OnInverse() {
    InverseResponse(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), m_nPoints);
    FinishServo(MakeHistoryEntry("逆数", 0.0f, 0.0f, "逆特性", " "));
}

void CKymoDoc::OnMemoryStore() {
    std::copy_n(m_fRe.begin(), m_nPoints, m_fMemRe.begin());
    std::copy_n(m_fIm.begin(), m_nPoints, m_fMemIm.begin());
    AddHistory(MakeHistoryEntry("結果の一時保存", 0.0f, 0.0f, "--", " "));
    m_bMemoryStored = 1;
    UpdateAllViews();
}

void CKymoDoc::OnMemoryRecall(int op) {
    const int n = m_nPoints;
    std::copy_n(m_fMemRe.begin(), n, m_fOpRe.begin());
    std::copy_n(m_fMemIm.begin(), n, m_fOpIm.begin());
    if (op == servo_op::Cancelled) return;
    CombineResponses(m_fRe.data(), m_fIm.data(), m_fOpRe.data(), m_fOpIm.data(), n, op);
    FinishServo(MakeHistoryEntry("結果の一時読み出し", 0.0f, 0.0f, ServoOperationLabel(op), " "));
}
